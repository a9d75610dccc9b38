#include "data/datamodule.h"
#include "data/newdatabase.h"
#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString kNoDatabase = u"请确认您的程序是否安装正确，或者没有安装MDAC数据访问组件！"_s;
}

class TestDataModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensShippedDatabase();
    void unusableDatabase_data();
    void unusableDatabase();
    void databaseFoundInOtherCase();
    void getDataBySQL_data();
    void getDataBySQL();
    void getDataBySQLToItems();
    void caseInsensitiveNamesAndTexts_data();
    void caseInsensitiveNamesAndTexts();
    void boundTextWithQuote();
    void shippedContent();
    void createDatabaseNeverReplaces();
};

void TestDataModule::opensShippedDatabase()
{
    TestFolder tf;
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QVERIFY(session.dm.isOpen());
    QVERIFY(messages.entries.isEmpty());
    QVERIFY(session.dm.dsPara.open());
    QCOMPARE(session.dm.dsPara.field(u"logpass"_s)->toString(), u"746"_s);
}

void TestDataModule::unusableDatabase_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("not a database") << QByteArray("this is not a database file, just text\n").repeated(200);
}

void TestDataModule::unusableDatabase()
{
    QFETCH(QByteArray, content);
    TestFolder tf(TestFolder::WithoutDatabase);
    if (!content.isEmpty())
        QVERIFY(tf.write(u"DB\\ZYDB.dat"_s, content));

    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QVERIFY(!session.dm.isOpen());
    QCOMPARE(messages.messages(), QStringList{kNoDatabase});
    // Everything after runs on quietly, and no empty database appears.
    QCOMPARE(session.dm.GetDataBySQL(u"select * from TPara"_s), QString());
    QStringList items{u"kept"_s};
    session.dm.GetDataBySQLToItems(u"select GZName from TGZSet"_s, items, true);
    QCOMPARE(items, QStringList{u"kept"_s});
    QVERIFY(!session.dm.dsPara.open());
    QCOMPARE(QFileInfo::exists(tf.databasePath()), !content.isEmpty());
    QCOMPARE(messages.entries.size(), 1);
}

void TestDataModule::databaseFoundInOtherCase()
{
    TestFolder tf(TestFolder::WithoutDatabase);
    QVERIFY(quor::createDatabase(tf.folder().root() + u"db/zydb.DAT"_s));
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QVERIFY(session.dm.isOpen());
    QVERIFY(messages.entries.isEmpty());
}

void TestDataModule::getDataBySQL_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no row") << u"select GZMonth from TGZMonth"_s << QString();
    QTest::newRow("null value") << u"select CalcStr from TGZSet where GZField1='GZ1'"_s << QString();
    QTest::newRow("syntax error") << u"selec GZMonth fro TGZMonth"_s << QString();
    QTest::newRow("unknown table") << u"select * from TNothing"_s << QString();
    QTest::newRow("text") << u"select GZName from TGZSet where GZField1='GZ1' and GZMonth='BASE'"_s << u"基本工资"_s;
    QTest::newRow("whole double") << u"select GSLimit from TPara"_s << u"5000"_s;
    QTest::newRow("double with decimals") << u"select [BillHeight] from TPara"_s << u"296.78"_s;
    QTest::newRow("integer") << u"select Count(*) from TGZSet"_s << u"45"_s;
    QTest::newRow("first row of many") << u"Select Top 1 SLRate from TGSModel"_s << QString(); // Top is not SQLite
    QTest::newRow("max") << u"select Max(SLRate) from TGSModel"_s << u"45"_s;
}

void TestDataModule::getDataBySQL()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    TestFolder tf;
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QCOMPARE(session.dm.GetDataBySQL(sql), expected);
    QVERIFY(messages.entries.isEmpty()); // failures are never reported
}

void TestDataModule::getDataBySQLToItems()
{
    TestFolder tf;
    tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpName) values ('202401', '生产部', '张三'),"
            "('202401', NULL, '李四'), ('202401', '', '王五'), ('202402', '财务部', '张三')"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    const quor::TDM &dm = session.dm;

    // A failing query leaves the list as it was, even with clearing asked for.
    QStringList items{u"old"_s};
    dm.GetDataBySQLToItems(u"select nothing from nowhere"_s, items, true);
    QCOMPARE(items, QStringList{u"old"_s});

    // A query without rows clears it.
    dm.GetDataBySQLToItems(u"select EmpName from TGZ where GZMonth='209901'"_s, items, true);
    QVERIFY(items.isEmpty());

    // NULL and empty departments are skipped.
    dm.GetDataBySQLToItems(u"Select Distinct DepartName from TGZ order by DepartName"_s, items, true);
    QCOMPARE(items.size(), 2);
    QVERIFY(items.contains(u"生产部"_s) && items.contains(u"财务部"_s));

    // Duplicates stay as the query returns them; without clearing the list grows.
    items = QStringList{u"first"_s};
    dm.GetDataBySQLToItems(u"Select EmpName from TGZ where EmpName=? order by ID"_s, items, false, {u"张三"_s});
    QCOMPARE(items, (QStringList{u"first"_s, u"张三"_s, u"张三"_s}));
    QVERIFY(messages.entries.isEmpty());
}

void TestDataModule::caseInsensitiveNamesAndTexts_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SortIDx SHowStu gztype") << u"select Count(*) from TGZSet where SHowStu=0 and gztype=1 "
                                               "and SortIDx>0 and GZMonth='BASE'"_s
                                            << u"5"_s;
    QTest::newRow("table and column case") << u"select gzname from tgzset where GZFIELD1='KK5'"_s << u"个人所得税"_s;
    QTest::newRow("text equals any case") << u"select Count(*) from TGZSet where GZMonth='base' and GZField1='gz1'"_s
                                          << u"1"_s;
    QTest::newRow("like any case") << u"select Count(*) from TGZSet where GZField1 like 'kk%'"_s << u"15"_s;
    QTest::newRow("LOGTime and LogTime") << u"select Count(LogTime) + Count(LOGTime) from TGZ"_s << u"0"_s;
}

void TestDataModule::caseInsensitiveNamesAndTexts()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    TestFolder tf;
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QCOMPARE(session.dm.GetDataBySQL(sql), expected);
}

void TestDataModule::boundTextWithQuote()
{
    TestFolder tf;
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QSqlQuery insert(session.dm.ADOLocal());
    QVERIFY(insert.prepare(u"insert into TGZ (GZMonth, DepartName) values (?, ?)"_s));
    insert.addBindValue(u"2024'01"_s);
    insert.addBindValue(u"O'Neil 研发部"_s);
    QVERIFY(insert.exec());
    QCOMPARE(session.dm.GetDataBySQL(u"select DepartName from TGZ where GZMonth=?"_s, {u"2024'01"_s}),
             u"O'Neil 研发部"_s);
    QCOMPARE(session.dm.GetDataBySQL(u"select Count(*) from TGZ where DepartName like ?"_s, {u"%o'neil%"_s}),
             u"1"_s);
}

void TestDataModule::shippedContent()
{
    TestFolder tf;
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    const quor::TDM &dm = session.dm;

    QCOMPARE(dm.GetDataBySQL(u"select Count(*) from TPara"_s), u"1"_s);
    const QStringList para = {u"LogPass"_s, u"GSLimit"_s, u"PrintDays"_s, u"ShowFloat"_s, u"ShowXH"_s,
                              u"NameOnTitle"_s, u"PrintOrientation"_s, u"TopPos"_s, u"JJUnit"_s,
                              u"BillHeight"_s, u"Paragraph"_s, u"StepTitleGrid"_s, u"PageWidth"_s,
                              u"EntName"_s};
    const QStringList values = {u"746"_s, u"5000"_s, u"0"_s, u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"2"_s,
                                u"件"_s, u"296.78"_s, u"0"_s, u"0"_s, u"210"_s, QString()};
    for (qsizetype i = 0; i < para.size(); ++i)
        QCOMPARE(dm.GetDataBySQL(u"select "_s + para.at(i) + u" from TPara"_s), values.at(i));
    QCOMPARE(dm.GetDataBySQL(u"select ClientVer from TPara"_s), QStringLiteral(QUOR_VERSION));

    QStringList brackets;
    dm.GetDataBySQLToItems(u"select ClassIdx || ':' || YNSTotal || ':' || SLRate || ':' || SQKCS "
                           "from TGSModel Order by ClassIdx"_s,
                           brackets, true);
    QCOMPARE(brackets, (QStringList{u"1:3000.0:3.0:0.0"_s, u"2:12000.0:10.0:210.0"_s, u"3:25000.0:20.0:1410.0"_s,
                                    u"4:35000.0:25.0:2660.0"_s, u"5:55000.0:30.0:4410.0"_s,
                                    u"6:80000.0:35.0:7160.0"_s, u"7:999999999.0:45.0:15160.0"_s}));
    QCOMPARE(dm.GetDataBySQL(u"select Count(*) from TGSModel where YNSTotalNJ<>YNSTotal"_s), u"0"_s);

    // A complete BASE set: one row per field, SortIdx = field number, disabled rows named 工资项目.
    QCOMPARE(dm.GetDataBySQL(u"select Count(Distinct GZField1) from TGZSet where GZMonth='BASE'"_s), u"45"_s);
    QCOMPARE(dm.GetDataBySQL(u"select Count(*) from TGZSet where SortIdx <> Cast(substr(GZField1, 3) as integer)"_s),
             u"0"_s);
    QCOMPARE(dm.GetDataBySQL(u"select Count(*) from TGZSet where ShowStu=1 and GZName<>'工资项目'"_s), u"0"_s);
    QCOMPARE(dm.GetDataBySQL(u"select Count(*) from TGZSet where GZType=0 and GZField1 like 'GZ%'"_s), u"30"_s);
    QStringList enabled;
    dm.GetDataBySQLToItems(u"select GZName from TGZSet where ShowStu=0 and GZType=1 Order by SortIdx"_s, enabled,
                           true);
    QCOMPARE(enabled, (QStringList{u"养老保险"_s, u"医疗保险"_s, u"失业保险"_s, u"住房公积金"_s, u"个人所得税"_s}));
    QCOMPARE(dm.GetDataBySQL(u"select CalcStr from TGZSet where GZName='个人所得税'"_s), u"[&个税]"_s);
    QCOMPARE(dm.GetDataBySQL(u"select GZName from TGZSet where GZField1='GZ1'"_s), u"基本工资"_s);
}

void TestDataModule::createDatabaseNeverReplaces()
{
    TestFolder tf;
    tf.exec(u"insert into TGZMonth (GZMonth) values ('202401')"_s);
    QString error;
    QVERIFY(!quor::createDatabase(tf.databasePath(), &error));
    QVERIFY(!error.isEmpty());
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    QCOMPARE(session.dm.GetDataBySQL(u"select GZMonth from TGZMonth"_s), u"202401"_s);
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
