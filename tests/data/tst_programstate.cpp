#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestProgramState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsShippedRow();
    void password_data();
    void password();
    void threshold_data();
    void threshold();
    void nullRow();
    void readingStopsAtMissingColumn();
    void readingStopsAtNonNumber();
    void noDatabaseKeepsState();
    void derivedTexts();
};

void TestProgramState::loadsShippedRow()
{
    TestFolder tf;
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    quor::ProgramState &s = session.state;
    QVERIFY(quor::loadParameters(session.dm, s));
    QCOMPARE(s.gsLimit, 5000);
    QCOMPARE(s.jjUnit, u"件"_s);
    QCOMPARE(s.printDays, 0);
    QCOMPARE(s.showFloat, 1);
    QCOMPARE(s.topPos, 2);
    QCOMPARE(s.showXH, 1);
    QCOMPARE(s.pageWidth, 210.0);
    QCOMPARE(s.logPass, QString());
    QCOMPARE(s.amountFormat(), u"0.00"_s);
}

void TestProgramState::password_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("initial 746 is none") << QVariant(u"746"_s) << QString();
    QTest::newRow("empty") << QVariant(u""_s) << QString();
    QTest::newRow("null") << QVariant() << QString();
    QTest::newRow("set") << QVariant(u"Secret"_s) << u"Secret"_s;
    QTest::newRow("blanks count") << QVariant(u" 746"_s) << u" 746"_s;
}

void TestProgramState::password()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, loaded);
    TestFolder tf;
    tf.exec(u"update TPara set LogPass=?"_s, {stored});
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QVERIFY(quor::loadParameters(session.dm, session.state));
    QCOMPARE(session.state.logPass, loaded);
    QCOMPARE(session.state.passwordInForce(), !loaded.isEmpty());
}

void TestProgramState::threshold_data()
{
    QTest::addColumn<double>("stored");
    QTest::addColumn<int>("loaded");
    QTest::newRow("whole") << 3500.0 << 3500;
    QTest::newRow("half goes to even down") << 5000.5 << 5000;
    QTest::newRow("half goes to even up") << 5001.5 << 5002;
    QTest::newRow("above half") << 3500.6 << 3501;
}

void TestProgramState::threshold()
{
    QFETCH(double, stored);
    QFETCH(int, loaded);
    TestFolder tf;
    tf.exec(u"update TPara set GSLimit=?"_s, {stored});
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QVERIFY(quor::loadParameters(session.dm, session.state));
    QCOMPARE(session.state.gsLimit, loaded);
}

void TestProgramState::nullRow()
{
    TestFolder tf;
    tf.exec(u"update TPara set EntName=NULL, LogPass=NULL, GSLimit=NULL, PrintDays=NULL, ShowFloat=NULL, "
            "ShowXH=NULL, NameOnTitle=NULL, PrintOrientation=NULL, TopPos=NULL, JJUnit=NULL, "
            "BillHeight=NULL, Paragraph=NULL, StepTitleGrid=NULL, PageWidth=NULL"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QVERIFY(quor::loadParameters(session.dm, session.state));
    QCOMPARE(session.state.gsLimit, 0);
    QCOMPARE(session.state.topPos, 0);
    QCOMPARE(session.state.jjUnit, QString());
    QCOMPARE(session.state.amountFormat(), u"0"_s);

    // No row at all reads like a row of NULLs.
    tf.exec(u"delete from TPara"_s);
    quor::Session empty(tf.folder(), messages);
    empty.state.showFloat = 1;
    QVERIFY(quor::loadParameters(empty.dm, empty.state));
    QCOMPARE(empty.state.showFloat, 0);
}

void TestProgramState::readingStopsAtMissingColumn()
{
    TestFolder tf;
    tf.exec(u"alter table TPara drop column ShowXH"_s);
    tf.exec(u"update TPara set LogPass='pw', PageWidth=180"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    session.state.pageWidth = 123;
    session.state.showXH = 7;
    QVERIFY(quor::loadParameters(session.dm, session.state));
    QCOMPARE(session.state.logPass, u"pw"_s); // read before the missing column
    QCOMPARE(session.state.showXH, 7);        // the missing one and all after it keep their values
    QCOMPARE(session.state.pageWidth, 123.0);
}

void TestProgramState::readingStopsAtNonNumber()
{
    TestFolder tf;
    tf.exec(u"update TPara set PrintDays='abc', JJUnit='套', ShowFloat=0"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    session.state.showFloat = 1;
    QVERIFY(quor::loadParameters(session.dm, session.state));
    QCOMPARE(session.state.jjUnit, u"套"_s);
    QCOMPARE(session.state.showFloat, 1);
}

void TestProgramState::noDatabaseKeepsState()
{
    TestFolder tf(TestFolder::WithoutDatabase);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    session.state.showFloat = 1;
    QVERIFY(!quor::loadParameters(session.dm, session.state));
    QCOMPARE(session.state.showFloat, 1);
    QCOMPARE(session.state.topPos, 2);
}

void TestProgramState::derivedTexts()
{
    quor::ProgramState s;
    s.brand = u"岚舟"_s;
    QCOMPARE(s.windowTitle(), u"岚舟工资条制作打印软件"_s);
    s.logPass = u"746"_s;
    QVERIFY(!s.passwordInForce());
}

QTEST_GUILESS_MAIN(TestProgramState)
#include "tst_programstate.moc"
