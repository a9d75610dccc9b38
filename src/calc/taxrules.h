#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace quor {

class TDM;

// One bracket of the monthly income tax table: the rate and quick deduction
// apply to a taxable income up to and including ynsTotal.
struct TaxBracket
{
    int id = 0;
    int classIdx = 0;
    double ynsTotal = 0;
    double slRate = 0; // percent
    double sqkcs = 0;
};

inline constexpr int kMaxTaxBrackets = 9;

// The brackets in ClassIdx order. A failing query gives the rows read before
// it (none when it could not run) and sets *ok to false.
QList<TaxBracket> loadTaxBrackets(const TDM &dm, bool *ok = nullptr);

// Tax on a taxable income: the first bracket whose bound is not below it,
// income × rate ÷ 100 − quick deduction, unrounded; 0 when no bracket fits.
long double taxForIncome(const QList<TaxBracket> &brackets, long double taxable);

// The bracket table and the tax-free threshold as the rules dialog edits them.
// Changes go to the database at once.
class TaxRules
{
public:
    explicit TaxRules(TDM &dm);

    void reload();
    const QList<TaxBracket> &brackets() const { return m_brackets; }

    // "Select GSLimit from TPara" as text, empty when unreadable.
    QString thresholdText() const;
    // Stores a typed threshold read by the number-text rule.
    bool storeThreshold(const QString &text);

    // The class number a new bracket gets; 0 when the table is full.
    int nextClassIdx() const;
    bool add(const TaxBracket &bracket);
    bool update(const TaxBracket &bracket);
    // Deletes the bracket with the highest class number.
    bool deleteLast();

private:
    TDM &m_dm;
    QList<TaxBracket> m_brackets;
};

// The brackets for a grid: 等级, 全月应纳税所得额<=, 税率(%), 速算扣除数.
class TaxBracketModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ClassColumn, TotalColumn, RateColumn, DeductionColumn, ColumnCount };

    explicit TaxBracketModel(QObject *parent = nullptr);
    void setBrackets(const QList<TaxBracket> &brackets);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<TaxBracket> m_brackets;
};

} // namespace quor
