#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>

#include <array>
#include <bitset>

namespace quor {

class TDM;

// One loaded wage record (a TGZ row).
struct WageRecord
{
    static constexpr int kAmountCount = 51; // WorkDays .. GZTotal
    static constexpr int kTextCount = 9;

    int id = 0;
    std::array<QString, kTextCount> texts;
    std::array<double, kAmountCount> amounts{};
    std::bitset<kAmountCount> nullAmounts;
    QDateTime logTime;
    int selectStu = 0;
};

struct RecordFilters
{
    QString depart;
    QString name;
    QString code;
};

// The wage records of one month as the main window lists them, in a local
// cache: the 63 columns with their two-line titles, formats, visibility and
// footer sums, in-memory sorting, and the few writes the list does itself.
class RecordListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        ColID,
        ColSortIdx,
        ColGZMonth,
        ColDepartName,
        ColEmpCode,
        ColEmpName,
        ColZWName,
        ColWorkDays,
        ColHourCount,
        ColOneDayMOney,
        ColGZ1,
        ColYFTotal = ColGZ1 + 30,
        ColKK1,
        ColKKTotal = ColKK1 + 15,
        ColGZTotal,
        ColQM,
        ColMobileCode,
        ColBankNo,
        ColEMail,
        ColLOGTime,
        ColumnCount
    };

    explicit RecordListModel(QObject *parent = nullptr);

    // Amounts and row numbers right, texts left.
    static Qt::Alignment columnAlignment(int column);

    // The TGZ column a list column shows.
    static QString fieldName(int column);
    // The first column bound to a field, compared without regard to case; -1 if none.
    static int GetCol(const QString &field);

    // Titles and visibility from the month's item set (BASE when it has none)
    // and the attendance mode. False when the item set could not be read; the
    // columns then keep what they had.
    bool ReadyGrid(const TDM &dm, const QString &month, int printDays);
    bool isColumnVisible(int column) const { return m_visible.test(column); }
    QString columnTitle(int column) const { return m_titles.at(column); }

    // Loads the month's records with the filters; on failure the list keeps its content.
    bool load(const TDM &dm, const QString &month, const RecordFilters &filters);
    void clear();

    // Display format of the amounts, "0.00" or "0".
    void setShowDecimals(bool showDecimals);
    bool showDecimals() const { return m_showDecimals; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Text of the footer cell of a column: "合计", the record count, or a sum.
    QString footerText(int column) const;

    // Stable in-memory sort by a column; Chinese texts in pinyin order.
    void sortBy(int column, Qt::SortOrder order);

    const WageRecord &record(int row) const { return m_records.at(row); }
    int rowOfId(int id) const;
    // A stored amount; NULL reads as 0.
    double amount(int row, int column) const;

    // Re-adds the enabled items into the three totals of every loaded record and
    // writes them in one transaction. False when the write failed.
    bool ReCalcAll(TDM &dm);
    // Deletes the records of these rows from the database in one transaction,
    // then from the list. Nothing changes when the delete fails.
    bool deleteRows(TDM &dm, QList<int> rows);

    // Print marks, kept in the cache only.
    void setSelectMark(int row, bool selected);
    void clearSelectMarks();

private:
    QString cellText(const WageRecord &record, int column, int row) const;

    QList<WageRecord> m_records;
    std::array<QString, ColumnCount> m_titles;
    std::bitset<ColumnCount> m_visible;
    bool m_showDecimals = false;
};

} // namespace quor
