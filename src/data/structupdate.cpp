#include "structupdate.h"

#include "datamodule.h"

#include <QSet>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

QStringList itemFieldsOf(QSqlDatabase db, const QString &month, bool *ok)
{
    QStringList fields;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    *ok = query.prepare(u"Select GZField1 from TGZSet where GZMonth=?"_s);
    if (!*ok)
        return fields;
    query.addBindValue(month);
    *ok = query.exec();
    while (*ok && query.next())
        fields.append(query.value(0).toString());
    return fields;
}

// Adds the missing rows of one item set in one batch; a set without any row is
// left alone when "onlyIfStarted" is set.
int completeItemSet(TDM &dm, const QString &month, bool onlyIfStarted)
{
    QSqlDatabase db = dm.ADOLocal();
    bool ok = false;
    const QStringList existing = itemFieldsOf(db, month, &ok);
    if (!ok || (onlyIfStarted && existing.isEmpty()))
        return 0;
    QSet<QString> present;
    for (const QString &field : existing)
        present.insert(field.toUpper());

    struct Missing { QString field; int type; int number; };
    QList<Missing> missing;
    for (int n = 1; n <= 30; ++n) {
        if (!present.contains(u"GZ"_s + QString::number(n)))
            missing.append({u"GZ"_s + QString::number(n), 0, n});
    }
    for (int n = 1; n <= 15; ++n) {
        if (!present.contains(u"KK"_s + QString::number(n)))
            missing.append({u"KK"_s + QString::number(n), 1, n});
    }
    if (missing.isEmpty())
        return 0;

    // One batch: a failure writes none of the set's new rows.
    if (!db.transaction())
        return 0;
    QSqlQuery insert(db);
    if (!insert.prepare(u"Insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
                        "values (?, ?, ?, ?, ?, 1)"_s)) {
        db.rollback();
        return 0;
    }
    for (const Missing &m : std::as_const(missing)) {
        insert.addBindValue(month);
        insert.addBindValue(m.field);
        insert.addBindValue(u"工资项目"_s);
        insert.addBindValue(m.type);
        insert.addBindValue(m.number);
        if (!insert.exec()) {
            db.rollback();
            return 0;
        }
    }
    if (!db.commit()) {
        db.rollback();
        return 0;
    }
    return int(missing.size());
}

} // namespace

void StructUpdate(TDM &dm)
{
    if (!dm.isOpen())
        return;
    completeItemSet(dm, u"BASE"_s, false);

    QSqlQuery months(dm.ADOLocal());
    months.setForwardOnly(true);
    if (!months.exec(u"select GZMonth from  TGZMonth"_s))
        return;
    QStringList keys;
    while (months.next())
        keys.append(months.value(0).toString());
    // A month without any item row stays so: it uses BASE wherever items are read.
    for (const QString &month : std::as_const(keys))
        completeItemSet(dm, month, true);
}

} // namespace quor
