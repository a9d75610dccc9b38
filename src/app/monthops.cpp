#include "monthops.h"

#include "data/datamodule.h"

#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

bool exec(QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        return false;
    for (const QVariant &p : params)
        query.addBindValue(p);
    return query.exec();
}

// Runs "work" in one transaction; rolls back when it fails.
template<typename Work>
bool inTransaction(TDM &dm, Work work)
{
    QSqlDatabase db = dm.ADOLocal();
    if (!db.isOpen() || !db.transaction())
        return false;
    if (work(db) && db.commit())
        return true;
    db.rollback();
    return false;
}

} // namespace

bool AddBaseGZSet(TDM &dm, const QString &target, const QString &source)
{
    return inTransaction(dm, [&](QSqlDatabase &db) {
        struct Row { QVariant field, name, formula, type, sortIdx, showStu; };
        QList<Row> rows;
        for (const QString &key : {source, u"BASE"_s}) {
            QSqlQuery read(db);
            read.setForwardOnly(true);
            if (!read.prepare(u"Select GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu from TGZSet "
                              "where GZMonth=? order by ID"_s))
                return false;
            read.addBindValue(key);
            if (!read.exec())
                return false;
            while (read.next()) {
                // An empty formula is stored as one blank, as the program has always done.
                const QString formula = valueText(read.value(2));
                rows.append({read.value(0), read.value(1), formula.isEmpty() ? u" "_s : formula, read.value(3),
                             read.value(4), read.value(5)});
            }
            if (!rows.isEmpty())
                break;
        }
        if (!exec(db, u"Delete from TGZSet where GZMonth=?"_s, {target}))
            return false;
        for (const Row &r : std::as_const(rows)) {
            if (!exec(db,
                      u"Insert into TGZSet (GZMonth, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu) "
                      "values (?, ?, ?, ?, ?, ?, ?)"_s,
                      {target, r.field, r.name, r.formula, r.type, r.sortIdx, r.showStu}))
                return false;
        }
        return true;
    });
}

std::optional<QStringList> monthsWithRecords(const TDM &dm)
{
    if (!dm.isOpen())
        return std::nullopt;
    QSqlQuery query(dm.ADOLocal());
    query.setForwardOnly(true);
    if (!query.exec(u"select Distinct GZMonth from TGZ Order by GZMonth Desc"_s))
        return std::nullopt;
    QStringList months;
    while (query.next())
        months.append(valueText(query.value(0)));
    return months;
}

std::optional<int> insertMonth(TDM &dm, const QString &key)
{
    QSqlDatabase db = dm.ADOLocal();
    if (!db.isOpen())
        return std::nullopt;
    QSqlQuery query(db);
    if (!query.prepare(u"Insert into TGZMonth (GZMonth) values (?)"_s))
        return std::nullopt;
    query.addBindValue(key);
    if (!query.exec())
        return std::nullopt;
    return query.lastInsertId().toInt();
}

bool monthKeyTaken(const TDM &dm, const QString &key, int exceptId)
{
    return !dm.GetDataBySQL(u"Select GZMonth from TGZMonth where GZMonth=? and ID<>?"_s, {key, exceptId}).isEmpty();
}

bool renameMonth(TDM &dm, int id, const QString &oldKey, const QString &newKey)
{
    return inTransaction(dm, [&](QSqlDatabase &db) {
        return exec(db, u"Update TGZMonth Set GZMonth=? where ID=?"_s, {newKey, id})
            && exec(db, u"Update TGZ Set GZMonth=? where GZMonth=?"_s, {newKey, oldKey});
    });
}

bool deleteMonth(TDM &dm, int id, const QString &key)
{
    return inTransaction(dm, [&](QSqlDatabase &db) {
        return exec(db, u"Delete from TGZ where GZMonth=?"_s, {key})
            && exec(db, u"Delete from TGZSet where GZMonth=?"_s, {key})
            && exec(db, u"Delete from TGZMonth where ID=?"_s, {id});
    });
}

} // namespace quor
