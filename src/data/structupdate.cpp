#include "structupdate.h"

#include "datamodule.h"

#include <QSet>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

QStringList itemFieldsOf(const TDM &dm, const QString &month, bool *ok)
{
    QStringList fields;
    QSqlQuery query(dm.ADOLocal());
    *ok = runQuery(query, u"Select GZField1 from TGZSet where GZMonth=?"_s, {month});
    while (*ok && query.next())
        fields.append(query.value(0).toString());
    return fields;
}

// Adds the missing rows of one item set in one batch; a set without any row is
// left alone when "onlyIfStarted" is set.
void completeItemSet(TDM &dm, const QString &month, bool onlyIfStarted)
{
    bool ok = false;
    const QStringList existing = itemFieldsOf(dm, month, &ok);
    if (!ok || (onlyIfStarted && existing.isEmpty()))
        return;
    QSet<QString> present;
    for (const QString &field : existing)
        present.insert(field.toUpper());

    // One batch: a failure writes none of the set's new rows.
    dm.inTransaction([&] {
        for (const auto &[prefix, type, count] : {std::tuple{u"GZ"_s, 0, 30}, std::tuple{u"KK"_s, 1, 15}}) {
            for (int n = 1; n <= count; ++n) {
                const QString field = prefix + QString::number(n);
                if (!present.contains(field)
                    && !dm.ExecSQL(u"Insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
                                   "values (?, ?, ?, ?, ?, 1)"_s,
                                   {month, field, u"工资项目"_s, type, n}))
                    return false;
            }
        }
        return true;
    });
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
