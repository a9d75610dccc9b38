#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace quor {

class TDM;

// One TGZSet row: a wage item of a month's item set.
struct ItemDefinition
{
    enum Type { Earning = 0, Deduction = 1 };

    int id = 0;
    QString gzField1; // GZ1..GZ30, KK1..KK15
    int gzType = Earning;
    int sortIdx = 0;
    QString gzName;
    int showStu = 0;  // 0 enabled, otherwise disabled
    QString calcStr;  // null when the column is NULL

    bool enabled() const { return showStu == 0; }
    // Index into the list "启用", "禁用".
    int enabledIndex() const { return showStu == 0 ? 0 : 1; }

    bool operator==(const ItemDefinition &) const = default;
};

// "启用" or "禁用" for a ShowStu value.
QString enabledText(int showStu);

// The rows of one type of a month's set in ID order. *ok is false when the
// query could not run; the rows read before a failure are returned.
QList<ItemDefinition> loadItemDefinitions(const TDM &dm, const QString &month, int gzType, bool *ok = nullptr);

// The rows of one item type as a grid shows them, with the edits not yet stored.
// Columns 序号, 工资项目名称, 是否启用, 计算公式 are shown; ID, GZField1 and GZType
// are there for completeness and hidden by the views.
class ItemDefinitionModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        SortIdxColumn,
        NameColumn,
        ShowStuColumn,
        CalcStrColumn,
        IdColumn,
        FieldColumn,
        TypeColumn,
        ColumnCount
    };
    static constexpr int VisibleColumns = IdColumn;

    explicit ItemDefinitionModel(QObject *parent = nullptr);

    // Replaces rows and stored state alike: nothing is modified afterwards.
    void setItems(const QList<ItemDefinition> &items);
    const QList<ItemDefinition> &items() const { return m_items; }
    const ItemDefinition &item(int row) const { return m_items.at(row); }

    // Puts an edit of name, formula and enabled index into the row; false for a
    // row that does not exist. An enabled index equal to the row's keeps its ShowStu.
    bool setItem(int row, const QString &name, const QString &formula, int enabledIndex);

    // The rows that differ from what was loaded or last stored.
    QList<ItemDefinition> changedItems() const;
    // The row as it was loaded or last stored; the matching index in items().
    const ItemDefinition &storedItem(int row) const { return m_stored.at(row); }
    bool isModified() const { return !changedItems().isEmpty(); }
    // After a successful save the current rows are the stored state.
    void acceptChanges() { m_stored = m_items; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ItemDefinition> m_items;
    QList<ItemDefinition> m_stored;
};

// The item set of a month as the item dialog edits it: both types, loaded with
// the fall-back to BASE, edited in memory and stored in one transaction.
class ItemDefinitionSet
{
public:
    explicit ItemDefinitionSet(TDM &dm);

    // Earning rows of the month; when there are none the month becomes "BASE".
    // The deduction rows are those of the month finally used. False when a
    // query failed; the models are then empty.
    bool load(const QString &month);
    // The month whose rows were loaded ("BASE" after a fall-back).
    const QString &month() const { return m_month; }

    ItemDefinitionModel &earnings() { return m_earnings; }
    ItemDefinitionModel &deductions() { return m_deductions; }
    ItemDefinitionModel &model(int gzType) { return gzType == ItemDefinition::Deduction ? m_deductions : m_earnings; }
    bool isModified() const { return m_earnings.isModified() || m_deductions.isModified(); }

    // Writes the changed columns of the changed rows, earnings first, in one
    // transaction. On failure nothing is stored and the edits stay pending.
    bool save();

private:
    bool saveModel(const ItemDefinitionModel &model);

    TDM &m_dm;
    QString m_month;
    ItemDefinitionModel m_earnings;
    ItemDefinitionModel m_deductions;
};

} // namespace quor
