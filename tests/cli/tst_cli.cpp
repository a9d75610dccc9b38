#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Runs the built quor-cli as a user would and checks its output and exit status.
class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
    void help();
};

void TestCli::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // for status 64 only the usage is checked

    const QString none;
    QTest::newRow("wage formula") << QStringList{u"calc"_s, u"(3000.00+800.00)*0.15"_s} << 0 << u"570\n"_s << none;
    QTest::newRow("precedence") << QStringList{u"calc"_s, u"2+3*4"_s} << 0 << u"14\n"_s << none;
    QTest::newRow("formula starting with minus") << QStringList{u"calc"_s, u"-5.00*2"_s} << 0 << u"-10\n"_s << none;
    QTest::newRow("after --") << QStringList{u"calc"_s, u"--"_s, u"-2^2"_s} << 0 << u"4\n"_s << none;
    QTest::newRow("shortest text") << QStringList{u"calc"_s, u"0.1"_s} << 0 << u"0.1\n"_s << none;
    QTest::newRow("at most 18 digits") << QStringList{u"calc"_s, u"1/3"_s} << 0 << u"0.333333333333333333\n"_s << none;
    QTest::newRow("18 digits plain") << QStringList{u"calc"_s, u"123456789012345678"_s} << 0
                                     << u"123456789012345678\n"_s << none;
    QTest::newRow("exponent 18 scientific") << QStringList{u"calc"_s, u"1e18"_s} << 0 << u"1E18\n"_s << none;
    QTest::newRow("large scientific") << QStringList{u"calc"_s, u"-2.5e20"_s} << 0 << u"-2.5E20\n"_s << none;
    QTest::newRow("exponent -5 plain") << QStringList{u"calc"_s, u"0.00001"_s} << 0 << u"0.00001\n"_s << none;
    QTest::newRow("exponent -6 scientific") << QStringList{u"calc"_s, u"0.0000015"_s} << 0 << u"1.5E-6\n"_s << none;
    QTest::newRow("denormal reads back") << QStringList{u"calc"_s, u"1e-4940"_s} << 0 << u"1E-4940\n"_s << none;
    QTest::newRow("negative zero") << QStringList{u"calc"_s, u"0*(-1)"_s} << 0 << u"0\n"_s << none;
    QTest::newRow("folder accepted") << QStringList{u"--folder"_s, u"/nonexistent"_s, u"calc"_s, u"1+1"_s} << 0
                                     << u"2\n"_s << none;
    QTest::newRow("folder with =") << QStringList{u"--folder=."_s, u"calc"_s, u"h(0)"_s} << 0 << u"1\n"_s << none;

    QTest::newRow("parse error") << QStringList{u"calc"_s, u"1+"_s} << 1 << none << u"Error in formula.\n"_s;
    QTest::newRow("chinese text") << QStringList{u"calc"_s, u"[基本工资]*0.15"_s} << 1 << none
                                  << u"Error in formula.\n"_s;
    QTest::newRow("empty formula") << QStringList{u"calc"_s, u""_s} << 1 << none << u"Error in formula.\n"_s;

    QTest::newRow("division by zero") << QStringList{u"calc"_s, u"1/0"_s} << 2 << none << u"除数为零\n"_s;
    QTest::newRow("invalid operation") << QStringList{u"calc"_s, u"sqrt(-1)"_s} << 2 << none
                                       << u"无效的浮点运算\n"_s;
    QTest::newRow("overflow") << QStringList{u"calc"_s, u"exp(20000)"_s} << 2 << none << u"浮点运算溢出\n"_s;
    QTest::newRow("undefined name") << QStringList{u"calc"_s, u"x*2"_s} << 2 << none << u"未定义的名称：x\n"_s;

    QTest::newRow("no command") << QStringList{} << 64 << none << none;
    QTest::newRow("unknown command") << QStringList{u"print"_s, u"1"_s} << 64 << none << none;
    QTest::newRow("missing formula") << QStringList{u"calc"_s} << 64 << none << none;
    QTest::newRow("two formulas") << QStringList{u"calc"_s, u"1"_s, u"2"_s} << 64 << none << none;
    QTest::newRow("folder without value") << QStringList{u"--folder"_s} << 64 << none << none;
    QTest::newRow("unknown option") << QStringList{u"--verbose"_s, u"calc"_s, u"1"_s} << 64 << none << none;
}

void TestCli::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess process;
    process.start(QStringLiteral(QUOR_CLI_PATH), arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString stdOut = QString::fromUtf8(process.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    QCOMPARE(stdOut, out);
    if (status == 64)
        QVERIFY2(stdErr.contains("Usage: quor-cli"_L1), qPrintable(stdErr));
    else
        QCOMPARE(stdErr, err);
}

void TestCli::help()
{
    for (const QStringList &arguments : {QStringList{u"--help"_s}, QStringList{u"-h"_s}}) {
        QProcess process;
        process.start(QStringLiteral(QUOR_CLI_PATH), arguments);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(text.startsWith("Usage: quor-cli"_L1), qPrintable(text));
        QVERIFY2(text.contains("calc FORMULA"_L1), qPrintable(text));
        QVERIFY2(text.contains("--folder DIR"_L1), qPrintable(text));
        QCOMPARE(process.readAllStandardError(), QByteArray());
    }

    QProcess process;
    process.start(QStringLiteral(QUOR_CLI_PATH), {u"calc"_s, u"--help"_s});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains("calc FORMULA"_L1));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
