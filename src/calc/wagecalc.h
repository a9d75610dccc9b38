#pragma once

#include "taxrules.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace quor {

class Messages;
class TCalcExpress;

enum class ItemSide { Earning, Deduction };

// One displayed wage item of the record editor: its name, the record column it
// fills, its formula, and the text of its value field.
struct WageItem
{
    QString name;
    QString field;   // GZ1..GZ30, KK1..KK15
    QString formula; // blank: typed by hand; "[&个税]": income tax
    QString value;
};

struct ItemRef
{
    ItemSide side = ItemSide::Earning;
    int index = -1;
    bool operator==(const ItemRef &) const = default;
};

} // namespace quor

Q_DECLARE_METATYPE(quor::ItemRef)

namespace quor {

// A value field whose text is not a number stopped a calculation.
struct ConversionError
{
    ItemRef item;
    QString text;
};

// The calculation of one wage record as the editor shows it: formula items,
// income tax and the three totals, over the texts of the item fields. The
// editor binds its fields to the values and mirrors valueChanged/totalsChanged.
class WageCalculation final : public QObject
{
    Q_OBJECT

public:
    using BracketSource = std::function<QList<TaxBracket>()>;

    struct Settings
    {
        int gsLimit = 0;        // tax-free threshold, whole number
        bool showDecimals = true;
    };

    WageCalculation(Messages &messages, BracketSource brackets, QObject *parent = nullptr);
    ~WageCalculation() override;

    void setSettings(const Settings &settings) { m_settings = settings; }
    const Settings &settings() const { return m_settings; }

    // The displayed items, in SortIdx order; the totals are computed at once.
    void setItems(const QList<WageItem> &earnings, const QList<WageItem> &deductions);
    const QList<WageItem> &items(ItemSide side) const;
    QString value(ItemRef item) const;
    // A changed text recomputes the totals.
    void setValue(ItemRef item, const QString &text);

    QString yfText() const { return m_yf; }
    QString kkText() const { return m_kk; }
    QString sfText() const { return m_sf; }

    // The first displayed item of exactly that name, earnings first.
    std::optional<ItemRef> FindEditCtrlByName(const QString &name) const;

    // The value of one formula; errors of the evaluation are shown and give 0.
    // Throws ConversionError when a referenced field holds no number.
    long double GetCalcValue(const QString &formula);
    // Income tax of the record as shown. Throws ConversionError.
    long double GetGS();
    // Recomputes every formula item once, in order. False when a field that is
    // not a number stopped it; that is reported and the values written stay.
    bool ReCalcAll();
    // Recomputes the three totals; a field that is not a number leaves them as they were.
    void AutoCalc();

    // Every earning item × actual ÷ due days. False (reported) when a field is not a number.
    bool scaleEarnings(double actualDays, double dueDays);
    // The first earning item = time × rate, then ReCalcAll. False when reported.
    bool setFirstEarning(const QString &timeText, const QString &rateText);

    static QString taxFormula() { return QStringLiteral("[&个税]"); }
    // The text shown for a field that is not a number.
    static QString conversionMessage(const QString &text);

Q_SIGNALS:
    void valueChanged(quor::ItemRef item, const QString &text);
    void totalsChanged();

private:
    QList<WageItem> &list(ItemSide side) { return side == ItemSide::Earning ? m_earnings : m_deductions; }
    QList<std::optional<double>> &numbers(ItemSide side)
    {
        return side == ItemSide::Earning ? m_earningNumbers : m_deductionNumbers;
    }
    const QList<std::optional<double>> &numbers(ItemSide side) const
    {
        return side == ItemSide::Earning ? m_earningNumbers : m_deductionNumbers;
    }
    long double fieldValue(ItemRef item) const; // throws ConversionError
    long double sum(ItemSide side) const;       // throws ConversionError
    void report(const ConversionError &error);

    Messages &m_messages;
    BracketSource m_brackets;
    std::unique_ptr<TCalcExpress> m_calcExpress;
    Settings m_settings;
    QList<WageItem> m_earnings;
    QList<WageItem> m_deductions;
    // The values read by the number-text rule, kept with the texts: the totals
    // are recomputed on every keystroke.
    QList<std::optional<double>> m_earningNumbers;
    QList<std::optional<double>> m_deductionNumbers;
    QString m_yf, m_kk, m_sf;
};

} // namespace quor
