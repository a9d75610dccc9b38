#include "monthlistmodel.h"

#include "data/datamodule.h"

#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace quor {

MonthListModel::MonthListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

bool MonthListModel::load(const TDM &dm)
{
    beginResetModel();
    m_months.clear();
    bool ok = false;
    if (dm.isOpen()) {
        QSqlQuery query(dm.ADOLocal());
        query.setForwardOnly(true);
        ok = query.exec(u"select ID, GZMonth from  TGZMonth Order by ID Desc"_s);
        while (ok && query.next())
            m_months.append({query.value(0).toInt(), valueText(query.value(1))});
        if (!ok)
            m_months.clear();
    }
    endResetModel();
    return ok;
}

int MonthListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_months.size());
}

int MonthListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MonthListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::DisplayRole) {
        if (index.column() == NumberColumn)
            return index.row() + 1;
        return m_months.at(index.row()).key;
    }
    if (role == Qt::TextAlignmentRole && index.column() == NumberColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant MonthListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList titles = {u"编号"_s, u"发放月度"_s};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void MonthListModel::appendMonth(const Month &month)
{
    beginInsertRows({}, rowCount(), rowCount());
    m_months.append(month);
    endInsertRows();
}

void MonthListModel::renameMonth(int row, const QString &key)
{
    m_months[row].key = key;
    Q_EMIT dataChanged(index(row, MonthColumn), index(row, MonthColumn));
}

void MonthListModel::removeMonth(int row)
{
    beginRemoveRows({}, row, row);
    m_months.removeAt(row);
    endRemoveRows();
    // Row numbers after the removed row changed.
    if (row < rowCount())
        Q_EMIT dataChanged(index(row, NumberColumn), index(rowCount() - 1, NumberColumn));
}

int MonthListModel::rowOf(const QString &key) const
{
    for (int row = 0; row < m_months.size(); ++row) {
        if (m_months.at(row).key.compare(key, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

} // namespace quor
