#include "calc/calcexpress.h"

#include "support/fakemessages.h"

#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString formulaError = u"Error in formula."_s;
const QString divByZero = u"除数为零"_s;
const QString invalidOp = u"无效的浮点运算"_s;
const QString overflow = u"浮点运算溢出"_s;

constexpr double pi = std::numbers::pi;

// Exact for the arithmetic cases; the functions of the C library may differ in
// the last bits of an extended value.
bool closeTo(long double actual, double expected)
{
    return std::fabs(actual - expected) <= 1e-15L * std::max(1.0L, std::fabs(static_cast<long double>(expected)));
}

QString describe(long double value)
{
    return QString::number(double(value), 'g', 17);
}

struct Outcome
{
    bool ok = false;
    long double value = 0;
    QString error; // why not ok
};

// A formula that must parse and evaluate.
Outcome evaluate(const QString &formula)
{
    quor::TCalcExpress calc;
    calc.setFormula(formula);
    if (calc.hasError())
        return {false, 0, u"does not parse: "_s + formula};
    try {
        return {true, calc.Calc(), {}};
    } catch (const quor::CalcError &e) {
        return {false, 0, formula + u": "_s + e.reason()};
    }
}

} // namespace

class TestCalcExpress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAsZero();
    void values_data();
    void values();
    void functions_data();
    void functions();
    void power_data();
    void power();
    void extendedPrecision();
    void parseErrors_data();
    void parseErrors();
    void evaluationErrors_data();
    void evaluationErrors();
    void underflowIsNotAnError();
    void formulaLowered_data();
    void formulaLowered();
    void oneMessagePerSetting();
    void variables();
    void undefinedVariables();
    void nestingBound();
    void lengthBound();
    void independentOfCLocale();
};

void TestCalcExpress::startsAsZero()
{
    FakeMessages messages;
    quor::TCalcExpress calc(&messages);
    QCOMPARE(calc.formula(), u"0"_s);
    QVERIFY(!calc.hasError());
    QCOMPARE(double(calc.Calc()), 0.0);
    QVERIFY(messages.entries.isEmpty());
}

void TestCalcExpress::values_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<double>("expected");

    QTest::newRow("precedence") << u"2+3*4"_s << 14.0;
    QTest::newRow("group") << u"(2+3)*4"_s << 20.0;
    QTest::newRow("power left-assoc") << u"2^3^2"_s << 64.0;
    QTest::newRow("minus left-assoc") << u"10-4-3"_s << 3.0;
    QTest::newRow("divide left-assoc") << u"8/4/2"_s << 1.0;
    QTest::newRow("power before product") << u"2*3^2"_s << 18.0;
    QTest::newRow("wage formula") << u"(3000.00+800.00)*0.15"_s << 570.0;
    QTest::newRow("blanks anywhere") << u"  ( 2 +3 )*  4 "_s << 20.0;

    QTest::newRow("negative literal at start") << u"-5.00*2"_s << -10.0;
    QTest::newRow("negative literal after (") << u"2+(-5.00)"_s << -3.0;
    QTest::newRow("negative literal is one token") << u"-2^2"_s << 4.0;
    QTest::newRow("sign before group") << u"-(2)^2"_s << -4.0;
    QTest::newRow("sign before blank") << u"- 2^2"_s << -4.0;
    QTest::newRow("literal squared then times") << u"-2^2*3"_s << 12.0;
    QTest::newRow("sign wraps the product") << u"- 2^2*3"_s << -12.0;
    QTest::newRow("sign wraps only its term") << u"- 2*3+10"_s << 4.0;
    QTest::newRow("plus sign skipped") << u"+3*2"_s << 6.0;
    QTest::newRow("minus then plus") << u"-+3"_s << -3.0;
    QTest::newRow("sign in argument") << u"abs(- 3)"_s << 3.0;
    QTest::newRow("sign in group") << u"2*(-3)"_s << -6.0;
    QTest::newRow("negative zero literal") << u"-0+1"_s << 1.0;

    QTest::newRow("exponent literal") << u"1e3"_s << 1000.0;
    QTest::newRow("exponent upper case") << u"2.5E-2"_s << 0.025;
    QTest::newRow("exponent plus") << u"1e+2"_s << 100.0;
    QTest::newRow("leading zeros") << u"007.50"_s << 7.5;

    QTest::newRow("function upper case") << u"SQRT(16)"_s << 4.0;
    QTest::newRow("blank before argument") << u"sqrt (16)"_s << 4.0;
    QTest::newRow("nested functions") << u"abs(sgn(-2)*sqrt(abs(-9)))"_s << 3.0;
    QTest::newRow("function result raised") << u"sqrt(9)^2"_s << 9.0;
}

void TestCalcExpress::values()
{
    QFETCH(QString, formula);
    QFETCH(double, expected);
    FakeMessages messages;
    quor::TCalcExpress calc(&messages);
    calc.setFormula(formula);
    QVERIFY(!calc.hasError());
    QVERIFY(messages.entries.isEmpty());
    long double result = 0;
    try {
        result = calc.Calc();
    } catch (const quor::CalcError &e) {
        QFAIL(qPrintable(e.reason()));
    }
    QVERIFY2(closeTo(result, expected), qPrintable(describe(result)));
}

void TestCalcExpress::functions_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<double>("expected");

    // Every one of the 25 names, at a point that tells it from its neighbours.
    QTest::newRow("cos") << u"cos(0)"_s << 1.0;
    QTest::newRow("sin") << u"sin(1)"_s << std::sin(1.0);
    QTest::newRow("tg") << u"tg(1)"_s << std::tan(1.0);
    QTest::newRow("ctg") << u"ctg(1)"_s << 1 / std::tan(1.0);
    QTest::newRow("abs") << u"abs(-2.5)"_s << 2.5;
    QTest::newRow("sgn negative") << u"sgn(-7)"_s << -1.0;
    QTest::newRow("sgn zero") << u"sgn(0)"_s << 0.0;
    QTest::newRow("sign positive") << u"sign(0.001)"_s << 1.0;
    QTest::newRow("sqrt") << u"sqrt(2)"_s << std::sqrt(2.0);
    QTest::newRow("ln") << u"ln(10)"_s << std::log(10.0);
    QTest::newRow("exp") << u"exp(1)"_s << std::numbers::e;
    QTest::newRow("arcsin edge") << u"arcsin(1)"_s << pi / 2;
    QTest::newRow("arcsin") << u"arcsin(-0.5)"_s << -pi / 6;
    QTest::newRow("arccos edge") << u"arccos(-1)"_s << pi;
    QTest::newRow("arccos") << u"arccos(0.5)"_s << pi / 3;
    QTest::newRow("arctg") << u"arctg(1)"_s << pi / 4;
    QTest::newRow("arctan") << u"arctan(-1)"_s << -pi / 4;
    QTest::newRow("arcctg") << u"arcctg(1)"_s << pi / 4;
    QTest::newRow("arcctg of zero") << u"arcctg(0)"_s << pi / 2;
    QTest::newRow("sh") << u"sh(1)"_s << std::sinh(1.0);
    QTest::newRow("sinh") << u"sinh(-2)"_s << std::sinh(-2.0);
    QTest::newRow("ch") << u"ch(1)"_s << std::cosh(1.0);
    QTest::newRow("cosh") << u"cosh(-2)"_s << std::cosh(-2.0);
    QTest::newRow("th") << u"th(0.5)"_s << std::tanh(0.5);
    QTest::newRow("tanh") << u"tanh(0)"_s << 0.0;
    QTest::newRow("cth") << u"cth(0.5)"_s << 1 / std::tanh(0.5);
    QTest::newRow("coth") << u"coth(-2)"_s << 1 / std::tanh(-2.0);
    QTest::newRow("h at zero") << u"h(0)"_s << 1.0;
    QTest::newRow("h negative") << u"h(-0.001)"_s << 0.0;
    QTest::newRow("heaviside") << u"heaviside(-0.5)"_s << 0.0;
    QTest::newRow("heaviside positive") << u"heaviside(3)"_s << 1.0;
}

void TestCalcExpress::functions()
{
    values();
}

void TestCalcExpress::power_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance"); // relative

    QTest::newRow("zero exponent") << u"5^0"_s << 1.0 << 0.0;
    QTest::newRow("zero to zero") << u"0^0"_s << 1.0 << 0.0;
    QTest::newRow("zero to fraction") << u"0^0.5"_s << 0.0 << 0.0;
    QTest::newRow("exponent in parentheses") << u"2^(3)"_s << 8.0 << 0.0;
    QTest::newRow("negative exponent") << u"2^(-1)"_s << 0.5 << 0.0;
    QTest::newRow("odd bits") << u"3^13"_s << 1594323.0 << 0.0;
    QTest::newRow("negative base odd") << u"(-2)^3"_s << -8.0 << 0.0;
    QTest::newRow("negative base negative exponent") << u"(-2)^(-3)"_s << -0.125 << 0.0;
    QTest::newRow("fraction base negative exponent") << u"0.5^(-2)"_s << 4.0 << 0.0;
    QTest::newRow("whole exponent written with point") << u"(-3)^2.0"_s << 9.0 << 0.0;
    QTest::newRow("fractional exponent") << u"2^0.5"_s << std::sqrt(2.0) << 0.0;
    QTest::newRow("largest whole exponent") << u"(-1)^2147483647"_s << -1.0 << 0.0;
    QTest::newRow("one to a huge exponent") << u"1^2147483648"_s << 1.0 << 0.0;
    QTest::newRow("many squarings") << u"1.0000001^2147483647"_s
                                    << std::exp(2147483647.0 * std::log1p(1e-7)) << 1e-9;
    QTest::newRow("exponent of a group") << u"(1+1)^10"_s << 1024.0 << 0.0;
}

void TestCalcExpress::power()
{
    QFETCH(QString, formula);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const Outcome outcome = evaluate(formula);
    QVERIFY2(outcome.ok, qPrintable(outcome.error));
    const long double result = outcome.value;
    if (tolerance == 0) {
        QVERIFY2(closeTo(result, expected), qPrintable(describe(result)));
    } else {
        // Each of 31 squarings doubles the rounding error of the one before.
        QVERIFY2(std::fabs(result - expected) <= tolerance * std::fabs(expected), qPrintable(describe(result)));
    }
}

void TestCalcExpress::extendedPrecision()
{
    // 1e-18 is lost next to 1 in a double but kept in the 64-bit mantissa.
    const Outcome result = evaluate(u"1+1e-18-1"_s);
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(result.value > 0.9e-18L && result.value < 1.1e-18L);
}

void TestCalcExpress::parseErrors_data()
{
    QTest::addColumn<QString>("formula");

    QTest::newRow("empty") << u""_s;
    QTest::newRow("blanks only") << u"   "_s;
    QTest::newRow("sign after plus") << u"2+-5.00"_s;
    QTest::newRow("sign after times") << u"2*-3"_s;
    QTest::newRow("double minus") << u"2--3"_s;
    QTest::newRow("plus then sign") << u"+-3"_s;
    QTest::newRow("function without (") << u"sqrt 16"_s;
    QTest::newRow("function alone") << u"sqrt"_s;
    QTest::newRow("empty argument") << u"abs()"_s;
    QTest::newRow("two arguments") << u"sin(1,2)"_s;
    QTest::newRow("exponent marker at end") << u"1e"_s;
    QTest::newRow("exponent sign at end") << u"1e-"_s;
    QTest::newRow("point before exponent") << u"1.e2"_s;
    QTest::newRow("point at end") << u"1."_s;
    QTest::newRow("leading point") << u".5"_s;
    QTest::newRow("second point") << u"1.5.5"_s;
    QTest::newRow("unclosed") << u"(1+2"_s;
    QTest::newRow("stray )") << u"1+2)"_s;
    QTest::newRow("stray ) then more") << u"1)+(2"_s;
    QTest::newRow("empty group") << u"()"_s;
    QTest::newRow("expression as exponent") << u"2^(1+1)"_s;
    QTest::newRow("sign in exponent") << u"2^-1"_s;
    QTest::newRow("sign before name in exponent") << u"2^(-x)"_s;
    QTest::newRow("function as exponent") << u"2^abs(1)"_s;
    QTest::newRow("unclosed exponent") << u"2^(3"_s;
    QTest::newRow("exponent missing") << u"2^"_s;
    QTest::newRow("two numbers") << u"2 3"_s;
    QTest::newRow("number then group") << u"2(3)"_s;
    QTest::newRow("number then name") << u"2x"_s;
    QTest::newRow("operator at end") << u"2+"_s;
    QTest::newRow("operator at start") << u"*2"_s;
    QTest::newRow("minus alone") << u"-"_s;
    QTest::newRow("comma") << u"1,5"_s;
    QTest::newRow("percent") << u"5%"_s;
    QTest::newRow("tab is no blank") << u"\t1"_s;
    QTest::newRow("line break is no blank") << u"1+\n2"_s;
    QTest::newRow("item name left in") << u"[基本工资]*0.15"_s;
    QTest::newRow("tax token left in") << u"[&个税]"_s;
    QTest::newRow("chinese") << u"工资"_s;
    QTest::newRow("full-width digits") << u"１２"_s;
    QTest::newRow("full-width parenthesis") << u"（1）"_s;
    QTest::newRow("arabic-indic digit") << u"\u0663"_s;
    QTest::newRow("kelvin sign") << u"\u212A"_s;
    QTest::newRow("latin-1 letter") << u"\u00E9"_s;
    QTest::newRow("nul") << QString(QChar(u'\0'));
}

void TestCalcExpress::parseErrors()
{
    QFETCH(QString, formula);
    FakeMessages messages;
    quor::TCalcExpress calc(&messages);
    calc.setFormula(formula);
    QVERIFY(calc.hasError());
    QCOMPARE(messages.messages(), QStringList{formulaError});
    QVERIFY_THROWS_EXCEPTION(quor::CalcError, calc.Calc());
}

void TestCalcExpress::evaluationErrors_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("reason");

    QTest::newRow("division by zero") << u"1/0"_s << divByZero;
    QTest::newRow("division by computed zero") << u"5/(2-2)"_s << divByZero;
    QTest::newRow("zero by zero") << u"0/0"_s << invalidOp;
    QTest::newRow("ctg of zero") << u"ctg(0)"_s << divByZero;
    QTest::newRow("cth of zero") << u"cth(0)"_s << divByZero;
    QTest::newRow("ln of zero") << u"ln(0)"_s << divByZero;
    QTest::newRow("zero to negative whole") << u"0^(-1)"_s << divByZero;
    QTest::newRow("zero to negative fraction") << u"0^(-0.5)"_s << divByZero;
    QTest::newRow("sqrt of negative") << u"sqrt(-1)"_s << invalidOp;
    QTest::newRow("ln of negative") << u"ln(-1)"_s << invalidOp;
    QTest::newRow("arcsin above 1") << u"arcsin(1.0001)"_s << invalidOp;
    QTest::newRow("arccos below -1") << u"arccos(-1.5)"_s << invalidOp;
    QTest::newRow("negative base fractional exponent") << u"(-8)^0.5"_s << invalidOp;
    QTest::newRow("negative base beyond whole range") << u"(-1)^2147483648"_s << invalidOp;
    QTest::newRow("product overflows") << u"1e4000*1e4000"_s << overflow;
    QTest::newRow("sum overflows") << u"1e4932+1e4932"_s << overflow;
    QTest::newRow("literal too large") << u"1e5000"_s << overflow;
    QTest::newRow("exp overflows") << u"exp(20000)"_s << overflow;
    QTest::newRow("sh overflows") << u"sh(20000)"_s << overflow;
    QTest::newRow("whole power overflows") << u"10^5000"_s << overflow;
    QTest::newRow("fractional power overflows") << u"10^5000.5"_s << overflow;
    QTest::newRow("reciprocal of a vanished power") << u"0.1^(-6000)"_s << overflow;
    QTest::newRow("error in one operand") << u"2+sqrt(-1)*0"_s << invalidOp;
    QTest::newRow("undefined name") << u"x+1"_s << u"未定义的名称：x"_s;
    QTest::newRow("undefined name in exponent") << u"2^(gz1)"_s << u"未定义的名称：gz1"_s;
}

void TestCalcExpress::evaluationErrors()
{
    QFETCH(QString, formula);
    QFETCH(QString, reason);
    FakeMessages messages;
    quor::TCalcExpress calc(&messages);
    calc.setFormula(formula);
    QVERIFY(!calc.hasError()); // these parse; the failure comes from Calc
    try {
        const long double value = calc.Calc();
        QFAIL(qPrintable(u"no error, value "_s + describe(value)));
    } catch (const quor::CalcError &e) {
        QCOMPARE(e.reason(), reason);
        QCOMPARE(QString::fromUtf8(e.what()), reason);
    }
    QVERIFY(messages.entries.isEmpty()); // Calc reports nothing itself
}

void TestCalcExpress::underflowIsNotAnError()
{
    for (const QString &formula : {u"10^(-5000)"_s, u"1e-5000"_s, u"exp(-20000)"_s, u"1e-4000*1e-4000"_s}) {
        const Outcome result = evaluate(formula);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(double(result.value), 0.0);
    }
    const Outcome denormal = evaluate(u"1e-4940"_s);
    QVERIFY2(denormal.ok, qPrintable(denormal.error));
    QVERIFY(denormal.value > 0 && std::fpclassify(denormal.value) == FP_SUBNORMAL);
}

void TestCalcExpress::formulaLowered_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("stored");

    QTest::newRow("names and variables") << u"ABS(X)"_s << u"abs(x)"_s;
    QTest::newRow("exponent marker") << u"1E3+Sqrt(4)"_s << u"1e3+sqrt(4)"_s;
    QTest::newRow("chinese unchanged") << u"[基本工资]*A"_s << u"[基本工资]*a"_s;
    QTest::newRow("latin-1 letter unchanged") << u"\u00C9X"_s << u"\u00C9x"_s;
    QTest::newRow("kelvin sign unchanged") << u"\u212A"_s << u"\u212A"_s;
    QTest::newRow("blanks kept") << u" 1 + 2 "_s << u" 1 + 2 "_s;
}

void TestCalcExpress::formulaLowered()
{
    QFETCH(QString, formula);
    QFETCH(QString, stored);
    quor::TCalcExpress calc;
    calc.setFormula(formula);
    QCOMPARE(calc.formula(), stored);
}

void TestCalcExpress::oneMessagePerSetting()
{
    FakeMessages messages;
    quor::TCalcExpress calc(&messages);

    // One bad formula with several faults still shows one message.
    calc.setFormula(u"((1+*2,))"_s);
    QCOMPARE(messages.messages(), QStringList{formulaError});
    QCOMPARE(messages.entries.size(), 1);

    calc.setFormula(u"((1+*2,))"_s);
    QCOMPARE(messages.messages(), QStringList(2, formulaError));

    // A good formula clears the flag and builds a new tree.
    calc.setFormula(u"6*7"_s);
    QVERIFY(!calc.hasError());
    QCOMPARE(double(calc.Calc()), 42.0);
    QCOMPARE(messages.messages().size(), 2);

    // Setting the variables parses the stored formula again.
    calc.setFormula(u"1+"_s);
    QCOMPARE(messages.messages().size(), 3);
    calc.setVariables({u"x"_s});
    QCOMPARE(messages.messages().size(), 4);
    QVERIFY(calc.hasError());

    // Without a message interface a bad formula is only flagged.
    quor::TCalcExpress silent;
    silent.setFormula(u"1+"_s);
    QVERIFY(silent.hasError());
    QVERIFY_THROWS_EXCEPTION(quor::CalcError, silent.Calc());
}

void TestCalcExpress::variables()
{
    quor::TCalcExpress calc;
    calc.setVariables({u"x"_s, u"Y"_s, u"gz_1"_s, u"X"_s});
    QCOMPARE(calc.variables(), (QStringList{u"x"_s, u"Y"_s, u"gz_1"_s, u"X"_s}));
    const long double values[] = {2, 3, 10, 99};

    // Names match without regard to case; the first match wins.
    calc.setFormula(u"X*Y+gz_1"_s);
    QCOMPARE(double(calc.Calc(values)), 16.0);

    // A sign before a variable is a sign of the term, so "^" binds first.
    calc.setFormula(u"-x^2"_s);
    QCOMPARE(double(calc.Calc(values)), -4.0);

    calc.setFormula(u"2^x+2^(y)"_s);
    QCOMPARE(double(calc.Calc(values)), 12.0);

    // The tree is built again when the variables change.
    calc.setFormula(u"y"_s);
    calc.setVariables({u"y"_s});
    QCOMPARE(double(calc.Calc(values)), 2.0);

    // A value that is no number does not come back as a result.
    calc.setFormula(u"x"_s);
    const long double notANumber[] = {std::numeric_limits<long double>::quiet_NaN()};
    QVERIFY_THROWS_EXCEPTION(quor::CalcError, calc.Calc(notANumber));

    // Function names win over variables of the same name.
    calc.setVariables({u"h"_s});
    calc.setFormula(u"h"_s);
    QVERIFY(calc.hasError());
}

void TestCalcExpress::undefinedVariables()
{
    quor::TCalcExpress calc;
    calc.setVariables({u"a"_s, u"b"_s});
    calc.setFormula(u"a+b"_s);

    // An index past the end of the values is never read.
    const long double one[] = {1};
    try {
        calc.Calc(one);
        QFAIL("no error");
    } catch (const quor::CalcError &e) {
        QCOMPARE(e.reason(), u"未定义的名称：b"_s);
    }
    const long double two[] = {1, 2};
    QCOMPARE(double(calc.Calc(two)), 3.0);

    // The wage calculation passes 101 values and defines no names.
    calc.setVariables({});
    const std::vector<long double> wages(101, 5.0L);
    QVERIFY_THROWS_EXCEPTION(quor::CalcError, calc.Calc(wages));
}

void TestCalcExpress::nestingBound()
{
    const int bound = quor::TCalcExpress::MaxDepth;
    auto nested = [](int depth, const QString &open) {
        QString text = open.repeated(depth);
        text += u'1';
        text += QString(depth, u')');
        return text;
    };
    FakeMessages messages;
    quor::TCalcExpress calc(&messages);

    calc.setFormula(nested(bound, u"("_s));
    QVERIFY(!calc.hasError());
    QCOMPARE(double(calc.Calc()), 1.0);
    calc.setFormula(nested(bound, u"abs("_s));
    QVERIFY(!calc.hasError());
    // Groups and arguments count alike.
    calc.setFormula(nested(bound / 2, u"(abs("_s) + QString(bound / 2, u')'));
    QVERIFY(!calc.hasError());
    // Exponent parentheses are no group.
    calc.setFormula(nested(bound, u"("_s) + u"^(2)"_s);
    QVERIFY(!calc.hasError());
    QVERIFY(messages.entries.isEmpty());

    calc.setFormula(nested(bound + 1, u"("_s));
    QVERIFY(calc.hasError());
    calc.setFormula(nested(bound + 1, u"sqrt("_s));
    QVERIFY(calc.hasError());
    calc.setFormula(nested(100000, u"("_s));
    QVERIFY(calc.hasError());
    QCOMPARE(messages.messages(), QStringList(3, formulaError));
}

void TestCalcExpress::lengthBound()
{
    const qsizetype bound = quor::TCalcExpress::MaxFormulaLength;
    // 2048 terms in one left-deep chain: the longest tree a formula can build.
    QString formula = u"1"_s + u"+1"_s.repeated((bound - 1) / 2);
    QCOMPARE(formula.size(), bound - 1);
    formula += u" "_s;
    quor::TCalcExpress calc;
    calc.setFormula(formula);
    QVERIFY(!calc.hasError());
    QCOMPARE(double(calc.Calc()), double(bound / 2));

    calc.setFormula(formula + u" "_s);
    QVERIFY(calc.hasError());
    calc.setFormula(u"1"_s + u"^1"_s.repeated(100000));
    QVERIFY(calc.hasError());
}

void TestCalcExpress::independentOfCLocale()
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char *commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    bool switched = false;
    for (const char *name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name)) {
            switched = true;
            break;
        }
    }
    if (!switched)
        QSKIP("no locale with a decimal comma installed");
    const Outcome result = evaluate(u"2.5*2"_s);
    std::setlocale(LC_NUMERIC, saved.c_str());
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(double(result.value), 5.0);
}

QTEST_GUILESS_MAIN(TestCalcExpress)
#include "tst_calcexpress.moc"
