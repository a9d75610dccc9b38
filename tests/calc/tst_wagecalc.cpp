#include "calc/wagecalc.h"

#include "support/fakemessages.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quor::ItemRef;
using quor::ItemSide;
using quor::TaxBracket;
using quor::WageItem;

namespace {

const ItemRef E0{ItemSide::Earning, 0}, E1{ItemSide::Earning, 1}, E2{ItemSide::Earning, 2}, E3{ItemSide::Earning, 3};
const ItemRef D0{ItemSide::Deduction, 0}, D1{ItemSide::Deduction, 1};

WageItem item(const QString &name, const QString &formula = {}, const QString &value = {})
{
    return {name, {}, formula, value};
}

// An engine with its own messages and a fixed bracket table.
struct Engine
{
    explicit Engine(QList<TaxBracket> brackets = {}, int gsLimit = 5000, bool decimals = true)
        : calc(messages, [brackets] { return brackets; })
    {
        calc.setSettings({gsLimit, decimals});
    }
    FakeMessages messages;
    quor::WageCalculation calc;
};

const QList<TaxBracket> kOldBrackets = {{1, 1, 1500, 3, 0}, {2, 2, 4500, 10, 105}, {3, 3, 9000, 20, 555}};

} // namespace

class TestWageCalc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formulaReadsOtherItems();
    void negativeValueBreaksBareSubtraction();
    void missingNamesCountZero_data();
    void missingNamesCountZero();
    void duplicateNamesUseTheFirst();
    void laterItemsKeepOldValues();
    void incomeTax_data();
    void incomeTax();
    void taxItemStartsFromZero();
    void evaluationErrorReported();
    void conversionFailureStopsThePass();
    void totalsUseShownAmounts();
    void totalsIgnoreFieldsBeingTyped();
    void proRataScalesEarningsOnly();
    void rateTimesTime();
    void signalsMirrorChanges();
};

void TestWageCalc::formulaReadsOtherItems()
{
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"800.00"_s), item(u"B"_s, u"[A]*0.1"_s)}, {});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E1), u"80.00"_s);
    QCOMPARE(e.calc.yfText(), u"880.00"_s);
    QVERIFY(e.messages.entries.isEmpty());
}

void TestWageCalc::negativeValueBreaksBareSubtraction()
{
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"800"_s), item(u"B"_s, {}, u"-5"_s), item(u"C"_s, u"[A]-[B]"_s, u"9"_s),
                     item(u"D"_s, u"[A]+([B])"_s)},
                    {});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E2), u"0.00"_s);
    QCOMPARE(e.calc.value(E3), u"795.00"_s);
    QCOMPARE(e.messages.texts().size(), 2);
    QCOMPARE(e.messages.texts().at(0), u"Error in formula."_s);
    QVERIFY(e.messages.texts().at(1).startsWith(
        u"计算表达式：800.00--5.00 发生错误！\r原始计算表达式设置：[A]-[B]\r错误原因："_s));
    QVERIFY(e.messages.texts().at(1).size() > u"计算表达式：800.00--5.00 发生错误！\r原始计算表达式设置：[A]-[B]\r错误原因："_s.size());
}

void TestWageCalc::missingNamesCountZero_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unknown name") << u"[X]+1"_s << u"1.00"_s;
    QTest::newRow("extra blank in name") << u"[A ]+1"_s << u"1.00"_s;
    QTest::newRow("other letter case") << u"[a]+1"_s << u"1.00"_s;
    QTest::newRow("known name") << u"[A]+1"_s << u"11.00"_s;
    QTest::newRow("tax token with blank is a name") << u" [&个税]"_s << u"0.00"_s;
    QTest::newRow("tax token in brackets is a name") << u"([&个税])"_s << u"0.00"_s;
    QTest::newRow("unclosed bracket") << u"[A"_s << u"0.00"_s;
    QTest::newRow("name with blanks") << u"[底 薪]*2"_s << u"6.00"_s;
}

void TestWageCalc::missingNamesCountZero()
{
    QFETCH(QString, formula);
    QFETCH(QString, expected);
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"10"_s), item(u"底 薪"_s, {}, u"3"_s), item(u"R"_s, formula)}, {});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E2), expected);
}

void TestWageCalc::duplicateNamesUseTheFirst()
{
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"100"_s), item(u"A"_s, u"[A]*2"_s, u"7"_s)}, {});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E0), u"200.00"_s);
    QCOMPARE(e.calc.value(E1), u"7"_s);
}

void TestWageCalc::laterItemsKeepOldValues()
{
    Engine e;
    e.calc.setItems({item(u"C"_s, u"[D]"_s), item(u"E"_s, {}, u"4"_s)}, {item(u"D"_s, u"[E]*10"_s, u"1.5"_s)});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E0), u"1.50"_s); // the deduction came later in the pass
    QCOMPARE(e.calc.value(D0), u"40.00"_s);
}

void TestWageCalc::incomeTax_data()
{
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QString>("earning");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("tax");
    QTest::newRow("second bracket at its bound") << 3500 << u"9000"_s << u"1000"_s << u"345.00"_s;
    QTest::newRow("income equal to threshold") << 3500 << u"4500"_s << u"1000"_s << u"0.00"_s;
    QTest::newRow("below threshold") << 3500 << u"3000"_s << u"0"_s << u"0.00"_s;
    QTest::newRow("first bracket") << 3500 << u"4500"_s << u"0"_s << u"30.00"_s;
    QTest::newRow("above every bracket") << 3500 << u"20000"_s << u"0"_s << u"0.00"_s;
    QTest::newRow("just above a bound") << 3500 << u"8000.01"_s << u"0"_s << u"345.00"_s;
}

void TestWageCalc::incomeTax()
{
    QFETCH(int, threshold);
    QFETCH(QString, earning);
    QFETCH(QString, other);
    QFETCH(QString, tax);
    Engine e(kOldBrackets, threshold);
    e.calc.setItems({item(u"基本工资"_s, {}, earning)},
                    {item(u"社保"_s, {}, other), item(u"个人所得税"_s, u"[&个税]"_s)});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(D1), tax);
    QVERIFY(e.messages.entries.isEmpty());
}

void TestWageCalc::taxItemStartsFromZero()
{
    // An old tax amount must not lower the taxable income of the new calculation,
    // while deductions after the tax item count with their current values.
    Engine e({{1, 1, 3000, 3, 0}, {2, 2, 12000, 10, 210}}, 5000);
    e.calc.setItems({item(u"基本工资"_s, {}, u"10000"_s)},
                    {item(u"个人所得税"_s, u"[&个税]"_s, u"999"_s), item(u"公积金"_s, {}, u"100"_s)});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(D0), u"280.00"_s); // (10000 - 100 - 5000) * 10% - 210
    QCOMPARE(e.calc.kkText(), u"380.00"_s);
    QCOMPARE(e.calc.sfText(), u"9620.00"_s);
}

void TestWageCalc::evaluationErrorReported()
{
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"0"_s), item(u"B"_s, u"100/[A]"_s, u"5"_s)}, {});
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E1), u"0.00"_s);
    QCOMPARE(e.messages.texts().size(), 1);
    QVERIFY(e.messages.texts().first().startsWith(u"计算表达式：100/0.00 发生错误！\r原始计算表达式设置：100/[A]\r错误原因："_s));
}

void TestWageCalc::conversionFailureStopsThePass()
{
    Engine e;
    e.calc.setItems({item(u"E1"_s, {}, u"100"_s), item(u"E2"_s, u"[E1]*2"_s), item(u"E3"_s, {}, u"1.2.3"_s),
                     item(u"E4"_s, u"[E3]+1"_s, u"old"_s)},
                    {item(u"D1"_s, u"5"_s, u"7"_s)});
    QVERIFY(!e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E1), u"200.00"_s); // written before the failure, kept
    QCOMPARE(e.calc.value(E3), u"old"_s);
    QCOMPARE(e.calc.value(D0), u"7"_s);       // never reached
    QCOMPARE(e.messages.messages(), QStringList{u"工资项目[E3]的“1.2.3”不是有效的数值！"_s});
}

void TestWageCalc::totalsUseShownAmounts()
{
    Engine e({}, 5000, false);
    e.calc.setItems({item(u"A"_s, {}, u"10.4"_s), item(u"B"_s, u"[A]"_s)}, {item(u"C"_s, {}, u"0.6"_s)});
    QCOMPARE(e.calc.yfText(), u"10"_s);
    QCOMPARE(e.calc.kkText(), u"1"_s);
    QCOMPARE(e.calc.sfText(), u"9"_s); // 10 - 1, not the rounded 9.8
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(e.calc.value(E1), u"10.40"_s); // item fields keep two decimals
    QCOMPARE(e.calc.yfText(), u"21"_s);
}

void TestWageCalc::totalsIgnoreFieldsBeingTyped()
{
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"12.50"_s)}, {});
    QCOMPARE(e.calc.yfText(), u"12.50"_s);
    e.calc.setValue(E0, u"-"_s);
    QCOMPARE(e.calc.yfText(), u"12.50"_s);
    e.calc.setValue(E0, u"-3"_s);
    QCOMPARE(e.calc.yfText(), u"-3.00"_s);
    QCOMPARE(e.calc.sfText(), u"-3.00"_s);
    QVERIFY(e.messages.entries.isEmpty());
}

void TestWageCalc::proRataScalesEarningsOnly()
{
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"3000"_s), item(u"B"_s, {}, u"801"_s)}, {item(u"C"_s, {}, u"100"_s)});
    QVERIFY(e.calc.scaleEarnings(11, 22));
    QCOMPARE(e.calc.value(E0), u"1500.00"_s);
    QCOMPARE(e.calc.value(E1), u"400.50"_s);
    QCOMPARE(e.calc.value(D0), u"100"_s);
    QCOMPARE(e.calc.sfText(), u"1800.50"_s);
    QVERIFY(e.calc.scaleEarnings(11, 22)); // twice scales twice
    QCOMPARE(e.calc.value(E0), u"750.00"_s);
}

void TestWageCalc::rateTimesTime()
{
    Engine e;
    e.calc.setItems({item(u"计时工资"_s), item(u"加班"_s, u"[计时工资]*0.1"_s)}, {});
    QVERIFY(e.calc.setFirstEarning(u"21.5"_s, u"200"_s));
    QCOMPARE(e.calc.value(E0), u"4300.00"_s);
    QCOMPARE(e.calc.value(E1), u"430.00"_s);
    QVERIFY(!e.calc.setFirstEarning(u"-"_s, u"200"_s));
    QCOMPARE(e.messages.messages(), QStringList{u"“-”不是有效的数值！"_s});

    Engine none;
    none.calc.setItems({}, {item(u"D"_s, u"1+1"_s)});
    QVERIFY(none.calc.setFirstEarning(u"2"_s, u"3"_s)); // no earning item to fill; formulas still run
    QCOMPARE(none.calc.value(D0), u"2.00"_s);
}

void TestWageCalc::signalsMirrorChanges()
{
    Engine e;
    e.calc.setItems({item(u"A"_s, {}, u"1"_s), item(u"B"_s, u"[A]*2"_s)}, {});
    QSignalSpy values(&e.calc, &quor::WageCalculation::valueChanged);
    QSignalSpy totals(&e.calc, &quor::WageCalculation::totalsChanged);
    QVERIFY(e.calc.ReCalcAll());
    QCOMPARE(values.count(), 1);
    QCOMPARE(values.first().at(0).value<ItemRef>(), E1);
    QCOMPARE(values.first().at(1).toString(), u"2.00"_s);
    QCOMPARE(totals.count(), 1);
    QVERIFY(e.calc.ReCalcAll()); // same results, nothing changes
    QCOMPARE(values.count(), 1);
}

QTEST_GUILESS_MAIN(TestWageCalc)
#include "tst_wagecalc.moc"
