#pragma once

#include <QString>
#include <QStringList>

namespace quor {

// A Windows-style INI file ("[Section]", "Key=Value", ";" comments). Section
// and key names are matched without regard to case; values are trimmed and a
// pair of enclosing quotes is removed, as the Windows profile functions do.
// Lines the program does not touch are written back unchanged.
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(const QString &path);

    // Reads the file; a missing or unreadable file leaves the content empty.
    bool load();
    bool save() const;

    QString path() const { return m_path; }
    bool hasKey(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    // Index of the "[section]" line, or -1.
    qsizetype sectionLine(const QString &section) const;
    // Index of the key line inside the section starting at "from", or -1.
    qsizetype keyLine(qsizetype from, const QString &key) const;

    QString m_path;
    QStringList m_lines;
};

} // namespace quor
