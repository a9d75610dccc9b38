#include "itemset.h"

#include "data/datamodule.h"

#include <QSqlDatabase>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

const QString kBaseMonth = u"BASE"_s;

} // namespace

QString enabledText(int showStu)
{
    return showStu == 0 ? u"启用"_s : u"禁用"_s;
}

QList<ItemDefinition> loadItemDefinitions(const TDM &dm, const QString &month, int gzType, bool *ok)
{
    QList<ItemDefinition> items;
    bool success = false;
    if (dm.isOpen()) {
        QSqlQuery query(dm.ADOLocal());
        success = runQuery(query,
                           u"Select ID, GZField1, GZType, SortIdx, GZName, ShowStu, CalcStr from TGZSet "
                           "where GZType=? and GZMonth=? Order by ID"_s,
                           {gzType, month});
        while (success && query.next()) {
            ItemDefinition item;
            item.id = query.value(0).toInt();
            item.gzField1 = query.value(1).toString();
            item.gzType = query.value(2).toInt();
            item.sortIdx = query.value(3).toInt();
            item.gzName = query.value(4).toString();
            item.showStu = query.value(5).toInt();
            // Keep NULL apart from "", so an untouched formula is never rewritten.
            item.calcStr = query.value(6).isNull() ? QString() : query.value(6).toString();
            items.append(item);
        }
    }
    if (ok)
        *ok = success;
    return items;
}

ItemDefinitionModel::ItemDefinitionModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ItemDefinitionModel::setItems(const QList<ItemDefinition> &items)
{
    beginResetModel();
    m_items = items;
    m_stored = items;
    endResetModel();
}

bool ItemDefinitionModel::setItem(int row, const QString &name, const QString &formula, int enabledIndex)
{
    if (row < 0 || row >= m_items.size())
        return false;
    ItemDefinition &item = m_items[row];
    item.gzName = name;
    // The same formula text keeps a NULL column NULL.
    if (formula != item.calcStr)
        item.calcStr = formula;
    if (enabledIndex != item.enabledIndex())
        item.showStu = enabledIndex == 0 ? 0 : 1;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
    return true;
}

QList<ItemDefinition> ItemDefinitionModel::changedItems() const
{
    QList<ItemDefinition> changed;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (!(m_items.at(i) == m_stored.at(i)))
            changed.append(m_items.at(i));
    }
    return changed;
}

int ItemDefinitionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int ItemDefinitionModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ItemDefinitionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const ItemDefinition &item = m_items.at(index.row());
    if (role == Qt::TextAlignmentRole) {
        if (index.column() == SortIdxColumn || index.column() == ShowStuColumn)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    // Long formulas are cut off in the grid; the tip shows them whole.
    if (role == Qt::ToolTipRole && index.column() == CalcStrColumn && !item.calcStr.trimmed().isEmpty())
        return item.calcStr;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case SortIdxColumn:
        return item.sortIdx;
    case NameColumn:
        return item.gzName;
    case ShowStuColumn:
        return enabledText(item.showStu);
    case CalcStrColumn:
        return item.calcStr;
    case IdColumn:
        return item.id;
    case FieldColumn:
        return item.gzField1;
    case TypeColumn:
        return item.gzType;
    default:
        return {};
    }
}

QVariant ItemDefinitionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList titles = {u"序号"_s, u"工资项目名称"_s, u"是否启用"_s, u"计算公式"_s, u"ID"_s, u"GZField1"_s, u"GZType"_s};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

ItemDefinitionSet::ItemDefinitionSet(TDM &dm)
    : m_dm(dm)
{
}

bool ItemDefinitionSet::load(const QString &month)
{
    m_month = month;
    bool ok = false;
    QList<ItemDefinition> earnings = loadItemDefinitions(m_dm, m_month, ItemDefinition::Earning, &ok);
    if (ok && earnings.isEmpty()) {
        m_month = kBaseMonth;
        earnings = loadItemDefinitions(m_dm, m_month, ItemDefinition::Earning, &ok);
    }
    QList<ItemDefinition> deductions;
    if (ok)
        deductions = loadItemDefinitions(m_dm, m_month, ItemDefinition::Deduction, &ok);
    if (!ok) {
        earnings.clear();
        deductions.clear();
    }
    m_earnings.setItems(earnings);
    m_deductions.setItems(deductions);
    return ok;
}

bool ItemDefinitionSet::saveModel(const ItemDefinitionModel &model)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        const ItemDefinition &item = model.item(row);
        const ItemDefinition &stored = model.storedItem(row);
        if (item == stored)
            continue;
        // Only the columns the user changed, as a batch update of the edited fields would.
        QStringList assignments;
        QVariantList values;
        if (item.gzName != stored.gzName) {
            assignments.append(u"GZName=?"_s);
            values.append(item.gzName);
        }
        if (item.showStu != stored.showStu) {
            assignments.append(u"ShowStu=?"_s);
            values.append(item.showStu);
        }
        if (item.calcStr != stored.calcStr) {
            assignments.append(u"CalcStr=?"_s);
            // A cleared formula is stored as NULL, like the rows the program creates.
            values.append(item.calcStr.isEmpty() ? QVariant() : QVariant(item.calcStr));
        }
        if (assignments.isEmpty())
            continue;
        values.append(item.id);
        int rows = 0;
        // A row deleted meanwhile would otherwise lose the edit without a word.
        if (!m_dm.ExecSQL(u"Update TGZSet Set "_s + assignments.join(u", "_s) + u" where ID=?"_s, values, &rows)
            || rows != 1)
            return false;
    }
    return true;
}

bool ItemDefinitionSet::save()
{
    if (!m_dm.isOpen())
        return false;
    if (!isModified())
        return true;
    if (!m_dm.inTransaction([this] { return saveModel(m_earnings) && saveModel(m_deductions); }))
        return false;
    m_earnings.acceptChanges();
    m_deductions.acceptChanges();
    return true;
}

} // namespace quor
