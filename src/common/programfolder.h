#pragma once

#include <QString>

namespace quor {

// The folder the program runs from. The program names its files the Windows way
// ("DB\ZYDB.dat", "rpt\Skin.Skn") and not always in the same letter case, so a
// relative name is resolved against what exists on disk without regard to case.
class ProgramFolder
{
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString &root);

    // The folder of the running executable.
    static ProgramFolder ofExecutable();

    // Absolute path, ending with '/'.
    QString root() const { return m_root; }
    bool isNull() const { return m_root.isEmpty(); }

    // Absolute path of a relative name; parts that do not exist yet keep the
    // letters as written, so a new file is created with the program's own name.
    QString path(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QString m_root;
};

// Joins "relative" (separated by '\' or '/') to "base", matching every part
// against the directory entries without regard to case.
QString resolveCaseInsensitive(const QString &base, const QString &relative);

} // namespace quor
