#include "newdatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

QStringList statementsOf(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList statements;
    QString current;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.trimmed().startsWith("--"_L1))
            continue;
        current += line + u'\n';
        if (line.trimmed().endsWith(u';')) {
            statements.append(current.trimmed());
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

bool fill(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    db.transaction();
    for (const QString &resource : {u":/quor/data/schema.sql"_s, u":/quor/data/seed.sql"_s}) {
        const QStringList statements = statementsOf(resource);
        if (statements.isEmpty()) {
            *error = u"missing resource "_s + resource;
            return false;
        }
        for (const QString &statement : statements) {
            if (!query.exec(statement)) {
                *error = query.lastError().text();
                return false;
            }
        }
    }
    query.prepare(u"Update TPara Set ClientVer=?"_s);
    query.addBindValue(QStringLiteral(QUOR_VERSION));
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace

bool createDatabase(const QString &path, QString *error)
{
    QString message;
    if (!error)
        error = &message;
    if (QFileInfo::exists(path)) {
        *error = u"already exists: "_s + path;
        return false;
    }
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        *error = u"cannot create folder "_s + info.absolutePath();
        return false;
    }

    // Built beside the target and renamed at the end: a failure never leaves a
    // half-made database where the program would open it.
    const QString temporary = path + u".new"_s;
    QFile::remove(temporary);
    const QString connection = u"create-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(temporary);
        if (!db.open())
            *error = db.lastError().text();
        else
            ok = fill(db, error);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (ok && !QFile::rename(temporary, path)) {
        *error = u"cannot rename to "_s + path;
        ok = false;
    }
    if (!ok)
        QFile::remove(temporary);
    return ok;
}

} // namespace quor
