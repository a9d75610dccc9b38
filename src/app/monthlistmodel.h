#pragma once

#include <QAbstractTableModel>
#include <QList>

namespace quor {

class TDM;

// The wage months, newest first, with their row numbers.
class MonthListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Month
    {
        int id = 0;
        QString key;
    };

    enum Column { NumberColumn, MonthColumn, ColumnCount };

    explicit MonthListModel(QObject *parent = nullptr);

    // Re-reads the months; on a failure the list is empty.
    bool load(const TDM &dm);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const Month &month(int row) const { return m_months.at(row); }
    // Changes in place: a new month stays at the end until the next load.
    void appendMonth(const Month &month);
    void renameMonth(int row, const QString &key);
    void removeMonth(int row);
    // Row of a month key compared without regard to case, or -1.
    int rowOf(const QString &key) const;

private:
    QList<Month> m_months;
};

} // namespace quor
