#include "common/numtext.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

class TestNumText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readNumberText_data();
    void readNumberText();
    void formatFixed_data();
    void formatFixed();
    void numberText_data();
    void numberText();
    void roundHalfEven_data();
    void roundHalfEven();
};

void TestNumText::readNumberText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("empty is zero") << u""_s << true << 0.0;
    QTest::newRow("blanks only are zero") << u"   "_s << true << 0.0;
    QTest::newRow("lone point") << u"."_s << true << 0.0;
    QTest::newRow("point zero") << u".0"_s << true << 0.0;
    QTest::newRow("final point dropped") << u"12."_s << true << 12.0;
    QTest::newRow("blanks inside removed") << u" 1 234.5 "_s << true << 1234.5;
    QTest::newRow("mask blanks") << u"  45.  "_s << true << 45.0;
    QTest::newRow("negative") << u"-5.00"_s << true << -5.0;
    QTest::newRow("leading point") << u".5"_s << true << 0.5;
    QTest::newRow("exponent") << u"1e3"_s << true << 1000.0;
    QTest::newRow("minus alone") << u"-"_s << false << 0.0;
    QTest::newRow("two points") << u"1.2.3"_s << false << 0.0;
    QTest::newRow("letters") << u"12abc"_s << false << 0.0;
    QTest::newRow("comma") << u"1,5"_s << false << 0.0;
    QTest::newRow("inf word") << u"inf"_s << false << 0.0;
    QTest::newRow("overflow") << u"1e999"_s << false << 0.0;
    QTest::newRow("full-width digits") << u"１２"_s << false << 0.0;
}

void TestNumText::readNumberText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> result = quor::readNumberText(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void TestNumText::formatFixed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("half up whole") << 512.5 << 0 << u"513"_s;
    QTest::newRow("binary 2.675 as the user sees it") << 2.675 << 2 << u"2.68"_s;
    QTest::newRow("binary 1.005") << 1.005 << 2 << u"1.01"_s;
    QTest::newRow("negative half away from zero") << -0.5 << 0 << u"-1"_s;
    QTest::newRow("negative 2.675") << -2.675 << 2 << u"-2.68"_s;
    QTest::newRow("below half") << 12.49 << 0 << u"12"_s;
    QTest::newRow("12.56 whole") << 12.56 << 0 << u"13"_s;
    QTest::newRow("zero two places") << 0.0 << 2 << u"0.00"_s;
    QTest::newRow("tiny negative has no sign") << -0.004 << 2 << u"0.00"_s;
    QTest::newRow("negative zero") << -0.0 << 0 << u"0"_s;
    QTest::newRow("carry into new digit") << 9.995 << 2 << u"10.00"_s;
    QTest::newRow("carry whole") << 999.5 << 0 << u"1000"_s;
    QTest::newRow("small value") << 0.045 << 2 << u"0.05"_s;
    QTest::newRow("far below a cent") << 1e-9 << 2 << u"0.00"_s;
    QTest::newRow("large") << 999999999.0 << 2 << u"999999999.00"_s;
    QTest::newRow("sum of tenths") << (0.1 + 0.2) << 2 << u"0.30"_s;
    QTest::newRow("huge has no exponent") << 1e20 << 0 << u"100000000000000000000"_s;
}

void TestNumText::formatFixed()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(quor::formatFixed(value, decimals), expected);
}

void TestNumText::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << 5000.0 << u"5000"_s;
    QTest::newRow("decimals") << 296.78 << u"296.78"_s;
    QTest::newRow("binary noise hidden") << (0.1 + 0.2) << u"0.3"_s;
    QTest::newRow("negative") << -5.5 << u"-5.5"_s;
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    QTest::newRow("small fixed") << 0.00001 << u"0.00001"_s;
    QTest::newRow("smaller is scientific") << 0.0000015 << u"1.5E-6"_s;
    QTest::newRow("fifteen digits") << 123456789012345.0 << u"123456789012345"_s;
    QTest::newRow("sixteen digits scientific") << 1234567890123456.0 << u"1.23456789012346E15"_s;
    QTest::newRow("large limit") << 999999999.0 << u"999999999"_s;
    QTest::newRow("thirds") << (1.0 / 3.0) << u"0.333333333333333"_s;
}

void TestNumText::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(quor::numberText(value), expected);
}

void TestNumText::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("half to even down") << 2.5 << 2;
    QTest::newRow("half to even up") << 3.5 << 4;
    QTest::newRow("threshold half") << 5000.5 << 5000;
    QTest::newRow("above half") << 5000.51 << 5001;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestNumText::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(quor::roundHalfEven(value), expected);
}

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
