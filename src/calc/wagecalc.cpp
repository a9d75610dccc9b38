#include "wagecalc.h"

#include "calcexpress.h"

#include "common/messages.h"
#include "common/numtext.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace quor {

WageCalculation::WageCalculation(Messages &messages, BracketSource brackets, QObject *parent)
    : QObject(parent)
    , m_messages(messages)
    , m_brackets(std::move(brackets))
    , m_calcExpress(std::make_unique<TCalcExpress>(&messages))
{
}

WageCalculation::~WageCalculation() = default;

void WageCalculation::setItems(const QList<WageItem> &earnings, const QList<WageItem> &deductions)
{
    m_earnings = earnings;
    m_deductions = deductions;
    for (ItemSide side : {ItemSide::Earning, ItemSide::Deduction}) {
        numbers(side).clear();
        for (const WageItem &item : items(side))
            numbers(side).append(readNumberText(item.value));
    }
    AutoCalc();
}

const QList<WageItem> &WageCalculation::items(ItemSide side) const
{
    return side == ItemSide::Earning ? m_earnings : m_deductions;
}

QString WageCalculation::value(ItemRef item) const
{
    return items(item.side).at(item.index).value;
}

void WageCalculation::setValue(ItemRef item, const QString &text)
{
    QString &value = list(item.side)[item.index].value;
    if (value == text)
        return;
    value = text;
    numbers(item.side)[item.index] = readNumberText(text);
    Q_EMIT valueChanged(item, text);
    AutoCalc();
}

std::optional<ItemRef> WageCalculation::FindEditCtrlByName(const QString &name) const
{
    for (ItemSide side : {ItemSide::Earning, ItemSide::Deduction}) {
        const QList<WageItem> &list = items(side);
        for (int i = 0; i < list.size(); ++i) {
            if (list.at(i).name == name)
                return ItemRef{side, i};
        }
    }
    return std::nullopt;
}

QString WageCalculation::conversionMessage(const QString &text)
{
    return u"“"_s + text + u"”不是有效的数值！"_s;
}

long double WageCalculation::fieldValue(ItemRef item) const
{
    const std::optional<double> &number = numbers(item.side).at(item.index);
    if (!number)
        throw ConversionError{item, value(item)};
    return *number;
}

long double WageCalculation::sum(ItemSide side) const
{
    long double total = 0;
    for (int i = 0; i < items(side).size(); ++i)
        total += fieldValue({side, i});
    return total;
}

void WageCalculation::report(const ConversionError &error)
{
    const WageItem &item = items(error.item.side).at(error.item.index);
    m_messages.showMessage(u"工资项目["_s + item.name + u"]的"_s + conversionMessage(error.text),
                           MessageIcon::Error);
}

long double WageCalculation::GetCalcValue(const QString &formula)
{
    if (formula == taxFormula())
        return GetGS();

    // Every "[name]" becomes the current value of that item, written "0.00".
    QString text;
    QString rest = formula;
    qsizetype open;
    while ((open = rest.indexOf(u'[')) >= 0) {
        text += rest.left(open);
        rest.remove(0, open + 1);
        QString name;
        const qsizetype close = rest.indexOf(u']');
        if (close >= 0) {
            name = rest.left(close);
            rest.remove(0, close + 1);
        }
        const std::optional<ItemRef> item = FindEditCtrlByName(name);
        text += formatFixed(item ? double(fieldValue(*item)) : 0.0, 2);
    }
    text += rest;

    m_calcExpress->setFormula(text);
    try {
        static const std::array<long double, 101> values{};
        return m_calcExpress->Calc(values);
    } catch (const CalcError &error) {
        m_messages.showMessage(u"计算表达式："_s + text + u" 发生错误！\r原始计算表达式设置："_s + formula
                                   + u"\r错误原因："_s + error.reason(),
                               MessageIcon::Error);
        return 0;
    }
}

long double WageCalculation::GetGS()
{
    const long double taxBase = sum(ItemSide::Earning) - sum(ItemSide::Deduction);
    const long double threshold = m_settings.gsLimit;
    if (!(taxBase > threshold))
        return 0;
    return taxForIncome(m_brackets ? m_brackets() : QList<TaxBracket>(), taxBase - threshold);
}

bool WageCalculation::ReCalcAll()
{
    try {
        for (ItemSide side : {ItemSide::Earning, ItemSide::Deduction}) {
            for (int i = 0; i < items(side).size(); ++i) {
                const QString formula = items(side).at(i).formula;
                if (formula.trimmed().isEmpty())
                    continue;
                // Duplicate names: the result lands in the first item of that name.
                const std::optional<ItemRef> target = FindEditCtrlByName(items(side).at(i).name);
                if (!target)
                    continue;
                if (side == ItemSide::Deduction && formula == taxFormula())
                    setValue(*target, u"0"_s);
                setValue(*target, formatFixed(double(GetCalcValue(formula)), 2));
            }
        }
    } catch (const ConversionError &error) {
        report(error);
        return false;
    }
    return true;
}

void WageCalculation::AutoCalc()
{
    try {
        const bool decimals = m_settings.showDecimals;
        const QString yf = formatAmount(double(sum(ItemSide::Earning)), decimals);
        const QString kk = formatAmount(double(sum(ItemSide::Deduction)), decimals);
        // Net pay is the difference of the two totals as shown.
        const double net = readNumberText(yf).value_or(0) - readNumberText(kk).value_or(0);
        const QString sf = formatAmount(net, decimals);
        if (yf == m_yf && kk == m_kk && sf == m_sf)
            return;
        m_yf = yf;
        m_kk = kk;
        m_sf = sf;
        Q_EMIT totalsChanged();
    } catch (const ConversionError &) {
        // Totals stay as they were while a field is being typed.
    }
}

bool WageCalculation::scaleEarnings(double actualDays, double dueDays)
{
    try {
        for (int i = 0; i < m_earnings.size(); ++i) {
            const long double scaled = fieldValue({ItemSide::Earning, i}) * actualDays / dueDays;
            setValue({ItemSide::Earning, i}, formatFixed(double(scaled), 2));
        }
    } catch (const ConversionError &error) {
        report(error);
        return false;
    }
    AutoCalc();
    return true;
}

bool WageCalculation::setFirstEarning(const QString &timeText, const QString &rateText)
{
    const std::optional<double> time = readNumberText(timeText);
    const std::optional<double> rate = readNumberText(rateText);
    if (!time || !rate) {
        m_messages.showMessage(conversionMessage(time ? rateText : timeText), MessageIcon::Error);
        return false;
    }
    // Without a displayed earning item there is no field to fill.
    if (!m_earnings.isEmpty())
        setValue({ItemSide::Earning, 0}, formatFixed(*time * *rate, 2));
    return ReCalcAll();
}

} // namespace quor
