#include "detailrecord.h"

#include "common/numtext.h"
#include "data/datamodule.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <map>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

struct Column
{
    QString prefix;
    int number = 0;
};

// The prefix and number of an item column; number 0 when it is none.
Column parseColumn(const QString &field)
{
    const QString upper = field.toUpper();
    for (const auto &[prefix, count] : {std::pair{u"GZ"_s, kMaxEarningItems}, std::pair{u"KK"_s, kMaxDeductionItems}}) {
        if (!upper.startsWith(prefix))
            continue;
        const QString digits = upper.mid(prefix.size());
        // "GZ07" or "GZ+7" would be another column name to the database.
        if (digits.isEmpty() || digits.startsWith(u'0'))
            return {};
        bool ok = false;
        const int number = digits.toInt(&ok);
        if (!ok || number < 1 || number > count || QString::number(number) != digits)
            return {};
        return {prefix, number};
    }
    return {};
}

// One type of items: the month's enabled rows, or those of BASE when it has none.
std::optional<QList<WageItem>> loadItems(const TDM &dm, const QString &month, int gzType, int limit)
{
    if (!dm.isOpen())
        return std::nullopt;
    for (const QString &set : {month, u"BASE"_s}) {
        QSqlQuery query(dm.ADOLocal());
        if (!runQuery(query,
                      u"Select GZName, GZField1, CalcStr from TGZSet where GZMonth=? and GZType=? "
                      "and ShowStu=0 Order by SortIdx, ID"_s,
                      {set, gzType}))
            return std::nullopt;
        QList<WageItem> items;
        bool any = false;
        while (query.next()) {
            any = true;
            if (items.size() >= limit)
                continue;
            WageItem item;
            item.name = valueText(query.value(0));
            item.field = itemColumn(valueText(query.value(1)));
            item.formula = valueText(query.value(2));
            if (item.field.isEmpty())
                return std::nullopt;
            items.append(item);
        }
        if (any)
            return items;
    }
    return QList<WageItem>();
}

double numberOf(const QSqlRecord &record, const QString &name)
{
    const QVariant value = record.value(name);
    return value.isNull() ? 0.0 : value.toDouble();
}

QString textOf(const QSqlRecord &record, const QString &name)
{
    return valueText(record.value(name));
}

// An empty text is stored as empty text, not as NULL.
QVariant textValue(const QString &text)
{
    return text.isNull() ? QVariant(QString(0, QChar())) : QVariant(text);
}

} // namespace

QString itemColumn(const QString &field)
{
    const Column column = parseColumn(field);
    return column.number == 0 ? QString() : column.prefix + QString::number(column.number);
}

std::optional<DisplayedItems> loadDisplayedItems(const TDM &dm, const QString &month)
{
    std::optional<QList<WageItem>> earnings = loadItems(dm, month, 0, kMaxEarningItems);
    if (!earnings)
        return std::nullopt;
    std::optional<QList<WageItem>> deductions = loadItems(dm, month, 1, kMaxDeductionItems);
    if (!deductions)
        return std::nullopt;
    return DisplayedItems{*earnings, *deductions};
}

std::optional<double> DetailRecord::amount(const QString &field) const
{
    const Column column = parseColumn(field);
    if (column.number == 0)
        return std::nullopt;
    return column.prefix == "GZ"_L1 ? gz.at(column.number - 1) : kk.at(column.number - 1);
}

bool DetailRecord::setAmount(const QString &field, double value)
{
    const Column column = parseColumn(field);
    if (column.number == 0)
        return false;
    (column.prefix == "GZ"_L1 ? gz.at(column.number - 1) : kk.at(column.number - 1)) = value;
    return true;
}

std::optional<DetailRecord> loadDetailRecord(const TDM &dm, int id)
{
    if (!dm.isOpen())
        return std::nullopt;
    QSqlQuery query(dm.ADOLocal());
    if (!runQuery(query, u"Select * from TGZ where ID=?"_s, {id}))
        return std::nullopt;

    DetailRecord record;
    record.id = id;
    if (!query.next())
        return record;
    const QSqlRecord row = query.record();
    record.found = true;
    record.month = textOf(row, u"GZMonth"_s);
    record.departName = textOf(row, u"DepartName"_s);
    record.empCode = textOf(row, u"EmpCode"_s);
    record.empName = textOf(row, u"EmpName"_s);
    record.zwName = textOf(row, u"ZWName"_s);
    record.qm = textOf(row, u"QM"_s);
    record.mobileCode = textOf(row, u"MobileCode"_s);
    record.bankNo = textOf(row, u"BankNo"_s);
    record.email = textOf(row, u"EMail"_s);
    record.workDays = numberOf(row, u"WorkDays"_s);
    record.hourCount = numberOf(row, u"HourCount"_s);
    record.oneDayMoney = numberOf(row, u"OneDayMOney"_s);
    for (int n = 1; n <= kMaxEarningItems; ++n)
        record.gz.at(n - 1) = numberOf(row, u"GZ"_s + QString::number(n));
    for (int n = 1; n <= kMaxDeductionItems; ++n)
        record.kk.at(n - 1) = numberOf(row, u"KK"_s + QString::number(n));
    record.yfTotal = numberOf(row, u"YFTotal"_s);
    record.kkTotal = numberOf(row, u"KKTotal"_s);
    record.gzTotal = numberOf(row, u"GZTotal"_s);
    record.logTime = readStoredDateTime(row.value(u"LOGTime"_s));
    return record;
}

std::optional<ConversionError> takeCalculation(DetailRecord &record, const WageCalculation &calculation)
{
    for (ItemSide side : {ItemSide::Earning, ItemSide::Deduction}) {
        const QList<WageItem> &items = calculation.items(side);
        for (int i = 0; i < items.size(); ++i) {
            const std::optional<double> value = readNumberText(items.at(i).value);
            if (!value)
                return ConversionError{{side, i}, items.at(i).value};
            record.setAmount(items.at(i).field, *value);
        }
    }
    // The totals are the engine's own formatted texts and so always numbers.
    record.yfTotal = readNumberText(calculation.yfText()).value_or(0);
    record.kkTotal = readNumberText(calculation.kkText()).value_or(0);
    record.gzTotal = readNumberText(calculation.sfText()).value_or(0);
    return std::nullopt;
}

bool saveDetailRecord(const TDM &dm, DetailRecord &record, const DisplayedItems &items, const QDateTime &now)
{
    DetailRecord stored = record;
    if (stored.zwName.isEmpty())
        stored.zwName = u" "_s;

    // Column name → value; a column named twice keeps the later position's value.
    std::map<QString, QVariant> amounts;
    for (ItemSide side : {ItemSide::Earning, ItemSide::Deduction}) {
        for (const WageItem &item : items.items(side)) {
            const QString column = itemColumn(item.field);
            if (column.isEmpty())
                return false;
            amounts[column] = *stored.amount(column);
        }
    }

    QStringList columns = {u"GZMonth"_s, u"DepartName"_s, u"EmpCode"_s, u"EMail"_s, u"EmpName"_s,
                           u"ZWName"_s, u"QM"_s, u"MobileCode"_s, u"BankNo"_s, u"OneDayMOney"_s,
                           u"WorkDays"_s, u"HourCount"_s};
    QVariantList values;
    for (const QString *text : {&stored.month, &stored.departName, &stored.empCode, &stored.email, &stored.empName,
                                &stored.zwName, &stored.qm, &stored.mobileCode, &stored.bankNo})
        values.append(textValue(*text));
    values << stored.oneDayMoney << stored.workDays << stored.hourCount;
    for (const auto &[column, value] : amounts) {
        columns.append(column);
        values.append(value);
    }
    columns << u"YFTotal"_s << u"KKTotal"_s << u"GZTotal"_s;
    values << stored.yfTotal << stored.kkTotal << stored.gzTotal;

    const auto insert = [&](bool withLogTime) {
        QStringList insertColumns = columns;
        QVariantList insertValues = values;
        if (withLogTime) {
            insertColumns.append(u"LOGTime"_s);
            insertValues.append(storedDateTime(now));
        }
        QStringList marks(insertColumns.size(), u"?"_s);
        QVariant id;
        if (!dm.ExecSQL(u"Insert into TGZ ("_s + insertColumns.join(u',') + u") values ("_s + marks.join(u',') + u')',
                     insertValues, nullptr, &id))
            return false;
        stored.id = id.toInt();
        stored.logTime = withLogTime ? now : QDateTime();
        return true;
    };

    bool ok = false;
    if (stored.found) {
        QStringList assignments;
        for (const QString &column : columns)
            assignments.append(column + u"=?"_s);
        QVariantList params = values;
        params.append(stored.id);
        int rows = 0;
        ok = dm.ExecSQL(u"Update TGZ set "_s + assignments.join(u',') + u" where ID=?"_s, params, &rows);
        // The row went away after loading: keep what was entered as a new row.
        if (ok && rows == 0)
            ok = insert(false);
    } else {
        ok = insert(stored.isNew());
    }
    if (!ok)
        return false;
    stored.found = true;
    record = stored;
    return true;
}

} // namespace quor
