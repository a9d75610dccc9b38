#include "monthops.h"

#include "data/datamodule.h"

using namespace Qt::Literals::StringLiterals;

namespace quor {

bool AddBaseGZSet(TDM &dm, const QString &target, const QString &source)
{
    return dm.inTransaction([&] {
        struct Row { QVariant field, name, formula, type, sortIdx, showStu; };
        QList<Row> rows;
        for (const QString &key : {source, u"BASE"_s}) {
            QSqlQuery read(dm.ADOLocal());
            if (!runQuery(read, u"Select GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu from TGZSet "
                                "where GZMonth=? order by ID"_s,
                          {key}))
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
        if (!dm.ExecSQL(u"Delete from TGZSet where GZMonth=?"_s, {target}))
            return false;
        for (const Row &r : std::as_const(rows)) {
            if (!dm.ExecSQL(u"Insert into TGZSet (GZMonth, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu) "
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
    if (!runQuery(query, u"select Distinct GZMonth from TGZ Order by GZMonth Desc"_s))
        return std::nullopt;
    QStringList months;
    while (query.next())
        months.append(valueText(query.value(0)));
    return months;
}

std::optional<int> insertMonth(TDM &dm, const QString &key)
{
    QVariant id;
    if (!dm.ExecSQL(u"Insert into TGZMonth (GZMonth) values (?)"_s, {key}, nullptr, &id))
        return std::nullopt;
    return id.toInt();
}

bool monthKeyTaken(const TDM &dm, const QString &key, int exceptId)
{
    return !dm.GetDataBySQL(u"Select GZMonth from TGZMonth where GZMonth=? and ID<>?"_s, {key, exceptId}).isEmpty();
}

bool renameMonth(TDM &dm, int id, const QString &oldKey, const QString &newKey)
{
    return dm.inTransaction([&] {
        return dm.ExecSQL(u"Update TGZMonth Set GZMonth=? where ID=?"_s, {newKey, id})
            && dm.ExecSQL(u"Update TGZ Set GZMonth=? where GZMonth=?"_s, {newKey, oldKey});
    });
}

bool deleteMonth(TDM &dm, int id, const QString &key)
{
    return dm.inTransaction([&] {
        return dm.ExecSQL(u"Delete from TGZ where GZMonth=?"_s, {key})
            && dm.ExecSQL(u"Delete from TGZSet where GZMonth=?"_s, {key})
            && dm.ExecSQL(u"Delete from TGZMonth where ID=?"_s, {id});
    });
}

} // namespace quor
