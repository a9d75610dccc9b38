#include "recordlistmodel.h"

#include "common/numtext.h"
#include "data/datamodule.h"

#include <QCollator>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <numeric>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

using Col = RecordListModel::Column;

bool isTextColumn(int column)
{
    return (column >= Col::ColGZMonth && column <= Col::ColZWName) || (column >= Col::ColQM && column <= Col::ColEMail);
}

int textIndex(int column)
{
    return column <= Col::ColZWName ? column - Col::ColGZMonth : 5 + column - Col::ColQM;
}

bool isAmountColumn(int column)
{
    return column >= Col::ColWorkDays && column <= Col::ColGZTotal;
}

int amountIndex(int column)
{
    return column - Col::ColWorkDays;
}

bool hasSum(int column)
{
    return column == Col::ColWorkDays || (column >= Col::ColGZ1 && column <= Col::ColGZTotal);
}

// The columns read for each record, in list order (the row number is not stored).
QString selectList()
{
    QStringList fields;
    for (int column = 0; column < Col::ColumnCount; ++column) {
        if (column != Col::ColSortIdx)
            fields.append(RecordListModel::fieldName(column));
    }
    fields.append(u"SelectStu"_s);
    return fields.join(u',');
}

// "like" text matching the typed text anywhere, with % and _ taken literally.
QString containsPattern(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\\', "\\\\"_L1).replace(u'%', "\\%"_L1).replace(u'_', "\\_"_L1);
    return u'%' + escaped + u'%';
}

QCollator chineseCollator()
{
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

} // namespace

RecordListModel::RecordListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    const QStringList fixed = {u"ID"_s, u"序号"_s, u"月度"_s, u"部门"_s, u"职员编码"_s, u"姓名"_s, u"职务"_s,
                               u"出勤天数"_s, u"出勤小时"_s, u"工资标准"_s};
    for (int column = 0; column < fixed.size(); ++column)
        m_titles[column] = fixed.at(column);
    for (int n = 0; n < 30; ++n)
        m_titles[ColGZ1 + n] = u"应发工资|工资项目"_s;
    m_titles[ColYFTotal] = u"应发工资|合计"_s;
    for (int n = 0; n < 15; ++n)
        m_titles[ColKK1 + n] = u"应扣/代扣工资|工资项目"_s;
    m_titles[ColKKTotal] = u"应扣/代扣工资|合计"_s;
    const QStringList tail = {u"实发工资"_s, u"签名/备注"_s, u"手机号"_s, u"银行帐号"_s, u"电子邮件地址"_s, u"登记时间"_s};
    for (int i = 0; i < tail.size(); ++i)
        m_titles[ColGZTotal + i] = tail.at(i);

    m_visible.set();
    m_visible.reset(ColID);
    m_visible.reset(ColWorkDays);
    m_visible.reset(ColHourCount);
    m_visible.reset(ColOneDayMOney);
    for (int n = 0; n < 30; ++n)
        m_visible.reset(ColGZ1 + n);
    for (int n = 0; n < 15; ++n)
        m_visible.reset(ColKK1 + n);
}

Qt::Alignment RecordListModel::columnAlignment(int column)
{
    if (isAmountColumn(column) || column == ColSortIdx || column == ColID)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QString RecordListModel::fieldName(int column)
{
    static const QStringList fixed = {u"ID"_s, u"SortIdx"_s, u"GZMonth"_s, u"DepartName"_s, u"EmpCode"_s,
                                      u"EmpName"_s, u"ZWName"_s, u"WorkDays"_s, u"HourCount"_s, u"OneDayMOney"_s};
    if (column < ColGZ1)
        return fixed.at(column);
    if (column < ColYFTotal)
        return u"GZ"_s + QString::number(column - ColGZ1 + 1);
    if (column == ColYFTotal)
        return u"YFTotal"_s;
    if (column < ColKKTotal)
        return u"KK"_s + QString::number(column - ColKK1 + 1);
    static const QStringList tail = {u"KKTotal"_s, u"GZTotal"_s, u"QM"_s, u"MobileCode"_s,
                                     u"BankNo"_s,  u"EMail"_s,   u"LOGTime"_s};
    return tail.value(column - ColKKTotal);
}

int RecordListModel::GetCol(const QString &field)
{
    for (int column = 0; column < ColumnCount; ++column) {
        if (fieldName(column).compare(field, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

bool RecordListModel::ReadyGrid(const TDM &dm, const QString &month, int printDays)
{
    // The k-th item of each type, in SortIdx order, goes to the k-th column of its group.
    const auto readItems = [&](int type, int firstColumn, int maxItems, const QString &group, bool *anyEnabled) {
        if (!dm.isOpen())
            return false;
        QList<std::pair<QString, bool>> items;
        for (const QString &key : {month, u"BASE"_s}) {
            QSqlQuery query(dm.ADOLocal());
            if (!runQuery(query, u"Select GZName, ShowStu from TGZSet where GZType=? and GZMonth=? Order by SortIDx"_s,
                          {type, key}))
                return false;
            while (query.next())
                items.append({valueText(query.value(0)), query.value(1).toInt() == 0});
            if (!items.isEmpty())
                break;
        }
        *anyEnabled = false;
        for (int k = 0; k < std::min<qsizetype>(items.size(), maxItems); ++k) {
            m_titles[firstColumn + k] = group + items.at(k).first;
            m_visible.set(firstColumn + k, items.at(k).second);
            *anyEnabled = *anyEnabled || items.at(k).second;
        }
        return true;
    };

    bool anyEarning = false, anyDeduction = false;
    const bool ok = readItems(0, ColGZ1, 30, u"应发工资|"_s, &anyEarning)
        && readItems(1, ColKK1, 15, u"应扣/代扣工资|"_s, &anyDeduction);
    if (ok)
        m_visible.set(ColKKTotal, anyDeduction);

    const bool attendance = printDays >= 1 && printDays <= 3;
    m_visible.set(ColWorkDays, attendance);
    m_visible.set(ColHourCount, printDays == 2);
    m_visible.set(ColOneDayMOney, attendance);
    m_titles[ColWorkDays] = printDays == 3 ? u"出勤数"_s : u"出勤天数"_s;

    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    return ok;
}

bool RecordListModel::load(const TDM &dm, const QString &month, const RecordFilters &filters)
{
    if (!dm.isOpen())
        return false;
    QString sql = u"Select "_s + selectList() + u" from TGZ where GZMonth=?"_s;
    QVariantList params{month};
    const std::pair<QString, QString> conditions[] = {
        {filters.depart, u" and DepartName like ? escape '\\'"_s},
        {filters.name, u" and EmpName like ? escape '\\'"_s},
        {filters.code, u" and EmpCode like ? escape '\\'"_s},
    };
    for (const auto &[text, condition] : conditions) {
        if (!text.isEmpty()) {
            sql += condition;
            params.append(containsPattern(text));
        }
    }
    sql += u" order by DepartName,EmpName"_s;

    QSqlQuery query(dm.ADOLocal());
    if (!runQuery(query, sql, params))
        return false;

    QList<WageRecord> records;
    while (query.next()) {
        WageRecord r;
        r.id = query.value(0).toInt();
        int index = 1;
        for (int column = ColGZMonth; column < ColumnCount; ++column, ++index) {
            const QVariant value = query.value(index);
            if (isTextColumn(column)) {
                r.texts[textIndex(column)] = valueText(value);
            } else if (isAmountColumn(column)) {
                if (value.isNull())
                    r.nullAmounts.set(amountIndex(column));
                else
                    r.amounts[amountIndex(column)] = value.toDouble();
            } else if (column == ColLOGTime) {
                r.logTime = readStoredDateTime(value);
            }
        }
        r.selectStu = query.value(index).toInt();
        records.append(std::move(r));
    }

    beginResetModel();
    m_records = std::move(records);
    endResetModel();
    // Departments and names in the order a Chinese reader expects (pinyin).
    sortBy(ColEmpName, Qt::AscendingOrder);
    sortBy(ColDepartName, Qt::AscendingOrder);
    return true;
}

void RecordListModel::clear()
{
    beginResetModel();
    m_records.clear();
    endResetModel();
}

void RecordListModel::setShowDecimals(bool showDecimals)
{
    if (m_showDecimals == showDecimals)
        return;
    m_showDecimals = showDecimals;
    if (!m_records.isEmpty())
        Q_EMIT dataChanged(index(0, ColOneDayMOney), index(rowCount() - 1, ColGZTotal), {Qt::DisplayRole});
    Q_EMIT headerDataChanged(Qt::Horizontal, ColOneDayMOney, ColGZTotal);
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int RecordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RecordListModel::cellText(const WageRecord &record, int column, int row) const
{
    if (column == ColID)
        return QString::number(record.id);
    if (column == ColSortIdx)
        return QString::number(row + 1);
    if (isTextColumn(column))
        return record.texts[textIndex(column)];
    if (column == ColLOGTime)
        return record.logTime.isValid() ? record.logTime.toString(u"yy-MM-dd hh:mm"_s) : QString();
    const int a = amountIndex(column);
    if (record.nullAmounts.test(a))
        return {};
    const double value = record.amounts[a];
    if (column == ColWorkDays)
        return formatFixed(value, 2);
    if (column == ColHourCount)
        return formatFixed(value, 1);
    return formatAmount(value, m_showDecimals);
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(m_records.at(index.row()), column, index.row());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(column));
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_titles.at(section);
}

QString RecordListModel::footerText(int column) const
{
    if (column == ColSortIdx)
        return u"合计"_s;
    if (column == ColEmpName)
        return QString::number(m_records.size()) + u"条"_s;
    if (!hasSum(column))
        return {};
    const int a = amountIndex(column);
    double sum = 0;
    for (const WageRecord &r : m_records) {
        if (!r.nullAmounts.test(a))
            sum += r.amounts[a];
    }
    return column == ColWorkDays ? formatFixed(sum, 1) : formatAmount(sum, m_showDecimals);
}

double RecordListModel::amount(int row, int column) const
{
    const WageRecord &r = m_records.at(row);
    const int a = amountIndex(column);
    return r.nullAmounts.test(a) ? 0.0 : r.amounts[a];
}

int RecordListModel::rowOfId(int id) const
{
    for (int row = 0; row < m_records.size(); ++row) {
        if (m_records.at(row).id == id)
            return row;
    }
    return -1;
}

void RecordListModel::sortBy(int column, Qt::SortOrder order)
{
    if (column == ColSortIdx || m_records.size() < 2)
        return;
    QList<int> rows(m_records.size());
    std::iota(rows.begin(), rows.end(), 0);
    const bool ascending = order == Qt::AscendingOrder;
    // Compares by key; NULLs come first in ascending order.
    const auto sortRows = [&](auto less) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return ascending ? less(a, b) : less(b, a); });
    };

    if (isTextColumn(column)) {
        const QCollator collator = chineseCollator();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(m_records.size());
        for (const WageRecord &r : std::as_const(m_records))
            keys.push_back(collator.sortKey(r.texts[textIndex(column)]));
        sortRows([&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    } else if (isAmountColumn(column)) {
        const int i = amountIndex(column);
        sortRows([&](int a, int b) {
            const WageRecord &x = m_records.at(a), &y = m_records.at(b);
            if (x.nullAmounts.test(i) || y.nullAmounts.test(i))
                return x.nullAmounts.test(i) && !y.nullAmounts.test(i);
            return x.amounts[i] < y.amounts[i];
        });
    } else if (column == ColLOGTime) {
        sortRows([&](int a, int b) { return m_records.at(a).logTime < m_records.at(b).logTime; });
    } else {
        sortRows([&](int a, int b) { return m_records.at(a).id < m_records.at(b).id; });
    }

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> newRowOf(rows.size());
    QList<WageRecord> sorted;
    sorted.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        newRowOf[rows.at(i)] = i;
        sorted.append(std::move(m_records[rows.at(i)]));
    }
    m_records = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &old : before)
        after.append(index(newRowOf.at(old.row()), old.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool RecordListModel::ReCalcAll(TDM &dm)
{
    QSqlDatabase db = dm.ADOLocal();
    if (!db.isOpen() || m_records.isEmpty())
        return db.isOpen();

    struct Totals { double yf, kk; };
    QList<Totals> totals;
    totals.reserve(m_records.size());
    for (int row = 0; row < m_records.size(); ++row) {
        Totals t{0, 0};
        for (int n = 0; n < 30; ++n) {
            if (m_visible.test(ColGZ1 + n))
                t.yf += amount(row, ColGZ1 + n);
        }
        for (int n = 0; n < 15; ++n) {
            if (m_visible.test(ColKK1 + n))
                t.kk += amount(row, ColKK1 + n);
        }
        totals.append(t);
    }

    // One statement prepared once, run for every record.
    const bool written = dm.inTransaction([&] {
        QSqlQuery update(db);
        bool ok = update.prepare(u"Update TGZ Set YFTotal=?, KKTotal=?, GZTotal=? where ID=?"_s);
        for (int row = 0; ok && row < m_records.size(); ++row) {
            update.addBindValue(totals.at(row).yf);
            update.addBindValue(totals.at(row).kk);
            update.addBindValue(totals.at(row).yf - totals.at(row).kk);
            update.addBindValue(m_records.at(row).id);
            ok = update.exec();
        }
        return ok;
    });
    if (!written)
        return false;

    for (int row = 0; row < m_records.size(); ++row) {
        WageRecord &r = m_records[row];
        const Totals &t = totals.at(row);
        for (const auto &[column, value] : {std::pair{ColYFTotal, t.yf}, {ColKKTotal, t.kk}, {ColGZTotal, t.yf - t.kk}}) {
            r.amounts[amountIndex(column)] = value;
            r.nullAmounts.reset(amountIndex(column));
        }
    }
    Q_EMIT dataChanged(index(0, ColYFTotal), index(rowCount() - 1, ColGZTotal), {Qt::DisplayRole});
    return true;
}

bool RecordListModel::deleteRows(TDM &dm, QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty())
        return true;
    const bool deleted = dm.inTransaction([&] {
        QSqlQuery remove(dm.ADOLocal());
        bool ok = remove.prepare(u"Delete from TGZ where ID=?"_s);
        for (int row = 0; ok && row < rows.size(); ++row) {
            remove.addBindValue(m_records.at(rows.at(row)).id);
            ok = remove.exec();
        }
        return ok;
    });
    if (!deleted)
        return false;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        beginRemoveRows({}, *it, *it);
        m_records.removeAt(*it);
        endRemoveRows();
    }
    // Row numbers below the removed rows changed.
    if (!m_records.isEmpty())
        Q_EMIT dataChanged(index(0, ColSortIdx), index(rowCount() - 1, ColSortIdx), {Qt::DisplayRole});
    return true;
}

void RecordListModel::setSelectMark(int row, bool selected)
{
    m_records[row].selectStu = selected ? 1 : 0;
}

void RecordListModel::clearSelectMarks()
{
    for (WageRecord &r : m_records)
        r.selectStu = 0;
}

} // namespace quor
