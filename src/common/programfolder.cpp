#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

QString withSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

// The entry of "dir" named "name" in any letter case; an exact match wins, then
// the first in sorted order so that the choice does not depend on the file system.
QString matchEntry(const QString &dir, const QString &name)
{
    if (QFileInfo::exists(dir + name))
        return name;
    QDir d(dir);
    if (!d.exists())
        return name;
    QStringList entries = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    for (const QString &entry : std::as_const(entries)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

} // namespace

ProgramFolder::ProgramFolder(const QString &root)
    : m_root(withSlash(QDir::cleanPath(QFileInfo(root).absoluteFilePath())))
{
}

ProgramFolder ProgramFolder::ofExecutable()
{
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder::path(const QString &relative) const
{
    return resolveCaseInsensitive(m_root, relative);
}

bool ProgramFolder::exists(const QString &relative) const
{
    return QFileInfo::exists(path(relative));
}

QString resolveCaseInsensitive(const QString &base, const QString &relative)
{
    QString current = withSlash(base);
    const QStringList parts = QString(relative).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (part == "."_L1)
            continue;
        if (part == ".."_L1) {
            current = withSlash(QDir::cleanPath(current + ".."_L1));
            continue;
        }
        current += matchEntry(current, part);
        if (i + 1 < parts.size())
            current += u'/';
    }
    if (parts.isEmpty() || relative.endsWith(u'\\') || relative.endsWith(u'/'))
        return withSlash(current);
    return current;
}

} // namespace quor
