#pragma once

#include "common/programfolder.h"

#include <QTemporaryDir>
#include <QVariantList>

// A temporary program folder, by default with a new DB/ZYDB.dat.
class TestFolder
{
public:
    enum Database { WithDatabase, WithoutDatabase };
    explicit TestFolder(Database database = WithDatabase);

    quor::ProgramFolder folder() const { return quor::ProgramFolder(m_dir.path()); }
    QString path(const QString &relative) const { return folder().path(relative); }
    QString databasePath() const { return m_dir.path() + QStringLiteral("/DB/ZYDB.dat"); }

    // Writes a file of the folder (bytes as given).
    bool write(const QString &relative, const QByteArray &bytes) const;

    // Runs statements on the database through a connection of its own, so a
    // test can prepare data before the program opens it. Fails the test on error.
    void exec(const QString &sql, const QVariantList &params = {}) const;

private:
    QTemporaryDir m_dir;
};
