#include "inifile.h"

#include "textfile.h"

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

bool isSectionHeader(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[') || !t.contains(u']'))
        return false;
    if (name)
        *name = t.mid(1, t.indexOf(u']') - 1).trimmed();
    return true;
}

bool splitKeyValue(const QString &line, QString *key, QString *value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
        return false;
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return false;
    *key = t.left(eq).trimmed();
    QString v = t.mid(eq + 1).trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    *value = v;
    return true;
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
    load();
}

bool IniFile::load()
{
    m_lines.clear();
    const std::optional<QString> text = readTextFile(m_path);
    if (!text)
        return false;
    m_lines = splitLines(*text);
    return true;
}

bool IniFile::save() const
{
    return writeLines(m_path, m_lines);
}

qsizetype IniFile::sectionLine(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        QString name;
        if (isSectionHeader(m_lines.at(i), &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype IniFile::keyLine(qsizetype from, const QString &key) const
{
    for (qsizetype i = from + 1; i < m_lines.size(); ++i) {
        if (isSectionHeader(m_lines.at(i)))
            break;
        QString k, v;
        if (splitKeyValue(m_lines.at(i), &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    const qsizetype s = sectionLine(section);
    return s >= 0 && keyLine(s, key) >= 0;
}

QString IniFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const qsizetype s = sectionLine(section);
    if (s < 0)
        return defaultValue;
    const qsizetype line = keyLine(s, key);
    if (line < 0)
        return defaultValue;
    QString k, v;
    splitKeyValue(m_lines.at(line), &k, &v);
    return v;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString entry = key + u'=' + value;
    qsizetype s = sectionLine(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(entry);
        return;
    }
    const qsizetype line = keyLine(s, key);
    if (line >= 0) {
        m_lines[line] = entry;
        return;
    }
    // After the last non-empty line of the section.
    qsizetype insertAt = s + 1;
    for (qsizetype i = s + 1; i < m_lines.size() && !isSectionHeader(m_lines.at(i)); ++i) {
        if (!m_lines.at(i).trimmed().isEmpty())
            insertAt = i + 1;
    }
    m_lines.insert(insertAt, entry);
}

} // namespace quor
