#include "testfolder.h"

#include "data/newdatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

TestFolder::TestFolder(Database database)
{
    if (database == WithDatabase) {
        QString error;
        if (!quor::createDatabase(databasePath(), &error))
            qFatal("cannot create test database: %s", qPrintable(error));
    }
}

bool TestFolder::write(const QString &relative, const QByteArray &bytes) const
{
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

void TestFolder::exec(const QString &sql, const QVariantList &params) const
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath());
        if (!db.open())
            qFatal("cannot open test database");
        QSqlQuery query(db);
        query.prepare(sql);
        for (const QVariant &p : params)
            query.addBindValue(p);
        if (!query.exec())
            qFatal("test SQL failed: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
}
