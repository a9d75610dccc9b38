#include "calc/detailrecord.h"
#include "calc/taxrules.h"

#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quor::DetailRecord;
using quor::DisplayedItems;
using quor::WageItem;

namespace {

const QString kMonth = u"202401"_s;
const QDateTime kNow(QDate(2024, 1, 31), QTime(9, 30, 5));

// Gives a month its own item set, a copy of BASE.
void copyBase(const TestFolder &tf, const QString &month)
{
    tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu) "
            "select ?, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu from TGZSet where GZMonth='BASE'"_s,
            {month});
}

// "name:field:formula" of each item, joined with "|".
QString describe(const QList<WageItem> &items)
{
    QStringList parts;
    for (const WageItem &item : items)
        parts.append(item.name + u':' + item.field + u':' + item.formula);
    return parts.join(u'|');
}

const QString kBaseEarnings =
    u"基本工资:GZ1:|岗位工资:GZ2:|绩效工资:GZ3:|加班工资:GZ4:|津贴补贴:GZ5:|奖金:GZ6:"_s;
const QString kBaseDeductions = u"养老保险:KK1:([基本工资]+[岗位工资])*0.08|医疗保险:KK2:([基本工资]+[岗位工资])*0.02|"
                                "失业保险:KK3:([基本工资]+[岗位工资])*0.005|住房公积金:KK4:([基本工资]+[岗位工资])*0.07|"
                                "个人所得税:KK5:[&个税]"_s;

// A program on a test folder.
struct Program
{
    explicit Program(const TestFolder &tf) : session(tf.folder(), messages) {}
    FakeMessages messages;
    quor::Session session;
    QString sql(const QString &query, const QVariantList &params = {}) const
    {
        return session.dm.GetDataBySQL(query, params);
    }
};

// Column values of one TGZ row, "|"-separated, NULL shown as "NULL".
QString row(const Program &p, int id, const QString &columns)
{
    QStringList parts;
    for (const QString &c : columns.split(u','))
        parts.append(u"ifnull("_s + c + u",'NULL')"_s);
    return p.sql(u"select "_s + parts.join(u" || '|' || "_s) + u" from TGZ where ID=?"_s, {id});
}

int insertRecord(const TestFolder &tf, const QString &extraColumns = {}, const QString &extraValues = {})
{
    tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpCode, EmpName, ZWName, WorkDays, HourCount, OneDayMOney, "
            "GZ1, GZ2, GZ7, KK1, YFTotal, KKTotal, GZTotal, QM, MobileCode, BankNo, EMail, LOGTime"_s
            + extraColumns
            + u") values ('202401', '生产部', 'E01', '张三', '技工', 21.5, 8, 200, 3000, 500, 55, 100, 3555, 100, "
              "3455, '备注', '13800000000', '6222', 'zs@example.com', '2023-12-01 08:00:00'"_s
            + extraValues + u')');
    return 1;
}

} // namespace

class TestDetailRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemColumn_data();
    void itemColumn();
    void displayedItems_data();
    void displayedItems();
    void displayedItemsUnreadable_data();
    void displayedItemsUnreadable();
    void loadRecord();
    void saveNewRecord();
    void saveKeepsLogTimeAndHiddenColumns();
    void recordGoneIsStoredAsNewRow_data();
    void recordGoneIsStoredAsNewRow();
    void refusedWriteChangesNothing();
    void calculatedRecordAsTheGeneratorMakesIt();
    void calculationWithNonNumber();
};

void TestDetailRecord::itemColumn_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("column");
    QTest::newRow("lower case") << u"gz7"_s << u"GZ7"_s;
    QTest::newRow("last deduction") << u"KK15"_s << u"KK15"_s;
    QTest::newRow("last earning") << u"Gz30"_s << u"GZ30"_s;
    QTest::newRow("deduction 16") << u"KK16"_s << QString();
    QTest::newRow("earning 31") << u"GZ31"_s << QString();
    QTest::newRow("zero") << u"GZ0"_s << QString();
    QTest::newRow("leading zero") << u"GZ07"_s << QString();
    QTest::newRow("sign") << u"GZ+7"_s << QString();
    QTest::newRow("blank") << u"GZ 7"_s << QString();
    QTest::newRow("SQL after it") << u"GZ1=0,GZ2"_s << QString();
    QTest::newRow("total") << u"YFTotal"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestDetailRecord::itemColumn()
{
    QFETCH(QString, field);
    QFETCH(QString, column);
    QCOMPARE(quor::itemColumn(field), column);
    DetailRecord record;
    QCOMPARE(record.setAmount(field, 1.5), !column.isEmpty());
    QCOMPARE(record.amount(field).has_value(), !column.isEmpty());
}

void TestDetailRecord::displayedItems_data()
{
    QTest::addColumn<QStringList>("setup"); // SQL run on a folder where the month has BASE's set
    QTest::addColumn<bool>("ownSet");
    QTest::addColumn<QString>("earnings");
    QTest::addColumn<QString>("deductions");

    QTest::newRow("month without item rows uses BASE") << QStringList() << false << kBaseEarnings << kBaseDeductions;
    QTest::newRow("own set, enabled only, SortIdx order")
        << QStringList{u"update TGZSet set ShowStu=1 where GZMonth='202401' and GZField1 in ('GZ2','GZ3','GZ4','GZ5')"_s,
                       u"update TGZSet set ShowStu=0, GZName='补发', CalcStr='[奖金]*2' where GZMonth='202401' "
                       "and GZField1='GZ9'"_s,
                       u"update TGZSet set SortIdx=40-SortIdx where GZMonth='202401' and GZType=0"_s,
                       u"update TGZSet set GZField1='kk1' where GZMonth='202401' and GZField1='KK1'"_s}
        << true << u"补发:GZ9:[奖金]*2|奖金:GZ6:|基本工资:GZ1:"_s << kBaseDeductions;
    QTest::newRow("no enabled deduction: deductions of BASE only")
        << QStringList{u"update TGZSet set ShowStu=1 where GZMonth='202401' and GZType=1"_s,
                       u"update TGZSet set GZName='底薪' where GZMonth='202401' and GZField1='GZ1'"_s}
        << true << QString(kBaseEarnings).replace(u"基本工资"_s, u"底薪"_s) << kBaseDeductions;
    QTest::newRow("no enabled earning: earnings of BASE only")
        << QStringList{u"update TGZSet set ShowStu=1 where GZMonth='202401' and GZType=0"_s,
                       u"update TGZSet set ShowStu=1 where GZMonth='202401' and GZField1<>'KK2'"_s}
        << true << kBaseEarnings
        << u"医疗保险:KK2:([基本工资]+[岗位工资])*0.02"_s;
    QTest::newRow("other month's set is not used")
        << QStringList{u"update TGZSet set GZMonth='202312' where GZMonth='202401'"_s,
                       u"update TGZSet set ShowStu=1 where GZMonth='202312'"_s}
        << true << kBaseEarnings << kBaseDeductions;
}

void TestDetailRecord::displayedItems()
{
    QFETCH(QStringList, setup);
    QFETCH(bool, ownSet);
    QFETCH(QString, earnings);
    QFETCH(QString, deductions);
    TestFolder tf;
    if (ownSet)
        copyBase(tf, kMonth);
    for (const QString &sql : setup)
        tf.exec(sql);
    Program p(tf);
    const std::optional<DisplayedItems> items = quor::loadDisplayedItems(p.session.dm, kMonth);
    QVERIFY(items);
    QCOMPARE(describe(items->earnings), earnings);
    QCOMPARE(describe(items->deductions), deductions);
    for (const WageItem &item : items->earnings + items->deductions)
        QVERIFY(item.value.isEmpty());
}

void TestDetailRecord::displayedItemsUnreadable_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("readable");
    QTest::newRow("item names no TGZ column") << u"update TGZSet set GZField1='GZ31' where GZField1='GZ2'"_s << false;
    QTest::newRow("item names a total column") << u"update TGZSet set GZField1='YFTotal' where GZField1='KK1'"_s
                                               << false;
    QTest::newRow("bad field of a disabled item is not read") << u"update TGZSet set GZField1='x' where GZField1='GZ9'"_s
                                                              << true;
    QTest::newRow("no item table") << u"drop table TGZSet"_s << false;
}

void TestDetailRecord::displayedItemsUnreadable()
{
    QFETCH(QString, setup);
    QFETCH(bool, readable);
    TestFolder tf;
    tf.exec(setup);
    Program p(tf);
    QCOMPARE(quor::loadDisplayedItems(p.session.dm, kMonth).has_value(), readable);
}

void TestDetailRecord::loadRecord()
{
    TestFolder tf;
    const int id = insertRecord(tf);
    Program p(tf);

    const std::optional<DetailRecord> record = quor::loadDetailRecord(p.session.dm, id);
    QVERIFY(record);
    QVERIFY(record->found);
    QCOMPARE(record->id, id);
    QCOMPARE(record->month, kMonth);
    QCOMPARE((QStringList{record->departName, record->empCode, record->empName, record->zwName, record->qm,
                          record->mobileCode, record->bankNo, record->email}),
             (QStringList{u"生产部"_s, u"E01"_s, u"张三"_s, u"技工"_s, u"备注"_s, u"13800000000"_s, u"6222"_s,
                          u"zs@example.com"_s}));
    QCOMPARE(record->workDays, 21.5);
    QCOMPARE(record->hourCount, 8.0);
    QCOMPARE(record->oneDayMoney, 200.0);
    QCOMPARE(record->amount(u"gz1"_s), 3000.0);
    QCOMPARE(record->amount(u"GZ7"_s), 55.0);
    QCOMPARE(record->amount(u"GZ3"_s), 0.0); // NULL
    QCOMPARE(record->amount(u"KK1"_s), 100.0);
    QCOMPARE(record->yfTotal, 3555.0);
    QCOMPARE(record->gzTotal, 3455.0);
    QCOMPARE(record->logTime, QDateTime(QDate(2023, 12, 1), QTime(8, 0)));

    const std::optional<DetailRecord> missing = quor::loadDetailRecord(p.session.dm, 99);
    QVERIFY(missing);
    QVERIFY(!missing->found);
    QCOMPARE(missing->id, 99);
    QVERIFY(missing->empName.isEmpty());

    tf.exec(u"drop table TGZ"_s);
    QVERIFY(!quor::loadDetailRecord(p.session.dm, id));
}

void TestDetailRecord::saveNewRecord()
{
    TestFolder tf;
    Program p(tf);
    const std::optional<DisplayedItems> items = quor::loadDisplayedItems(p.session.dm, kMonth);
    QVERIFY(items);
    std::optional<DetailRecord> record = quor::loadDetailRecord(p.session.dm, -1);
    QVERIFY(record && !record->found);
    record->month = kMonth;
    record->departName = u"财务部"_s;
    record->empName = u"O'Brien"_s; // a quote is only data
    record->workDays = 22;
    record->setAmount(u"GZ1"_s, 5000);
    record->setAmount(u"GZ6"_s, 800.5);
    record->setAmount(u"GZ9"_s, 777);  // not displayed: not written
    record->setAmount(u"KK5"_s, 12.34);
    record->yfTotal = 5800.5;
    record->kkTotal = 12.34;
    record->gzTotal = 5788.16;

    QVERIFY(quor::saveDetailRecord(p.session.dm, *record, *items, kNow));
    QVERIFY(record->id > 0);
    QVERIFY(record->found);
    QCOMPARE(record->logTime, kNow);
    QCOMPARE(row(p, record->id, u"GZMonth,DepartName,EmpName,ZWName,EmpCode,WorkDays,GZ1,GZ2,GZ6,GZ9,KK5,YFTotal,"
                                 "KKTotal,GZTotal,LOGTime"_s),
             u"202401|财务部|O'Brien| ||22.0|5000.0|0.0|800.5|NULL|12.34|5800.5|12.34|5788.16|2024-01-31 09:30:05"_s);

    // Saving the same record again changes that row; it is no longer new.
    record->empName = u"李四"_s;
    QVERIFY(quor::saveDetailRecord(p.session.dm, *record, *items, kNow.addDays(1)));
    QCOMPARE(p.sql(u"select Count(*) from TGZ"_s), u"1"_s);
    QCOMPARE(row(p, record->id, u"EmpName,LOGTime"_s), u"李四|2024-01-31 09:30:05"_s);
}

void TestDetailRecord::saveKeepsLogTimeAndHiddenColumns()
{
    TestFolder tf;
    const int id = insertRecord(tf);
    Program p(tf);
    const std::optional<DisplayedItems> items = quor::loadDisplayedItems(p.session.dm, kMonth);
    std::optional<DetailRecord> record = quor::loadDetailRecord(p.session.dm, id);
    QVERIFY(items && record);
    record->setAmount(u"GZ1"_s, 3100);
    record->setAmount(u"GZ7"_s, 0);    // GZ7 is disabled: its stored 55 stays
    record->zwName.clear();
    QVERIFY(quor::saveDetailRecord(p.session.dm, *record, *items, kNow));
    QCOMPARE(record->id, id);
    QCOMPARE(record->logTime, QDateTime(QDate(2023, 12, 1), QTime(8, 0)));
    QCOMPARE(p.sql(u"select Count(*) from TGZ"_s), u"1"_s);
    QCOMPARE(row(p, id, u"GZ1,GZ7,ZWName,LOGTime"_s), u"3100.0|55.0| |2023-12-01 08:00:00"_s);
}

void TestDetailRecord::recordGoneIsStoredAsNewRow_data()
{
    QTest::addColumn<bool>("goneBeforeLoading");
    QTest::newRow("deleted before the editor opened") << true;
    QTest::newRow("deleted while the editor was open") << false;
}

void TestDetailRecord::recordGoneIsStoredAsNewRow()
{
    QFETCH(bool, goneBeforeLoading);
    TestFolder tf;
    const int id = insertRecord(tf);
    Program p(tf);
    if (goneBeforeLoading)
        tf.exec(u"delete from TGZ"_s);
    std::optional<DetailRecord> record = quor::loadDetailRecord(p.session.dm, id);
    const std::optional<DisplayedItems> items = quor::loadDisplayedItems(p.session.dm, kMonth);
    QVERIFY(record && items);
    QCOMPARE(record->found, !goneBeforeLoading);
    if (!goneBeforeLoading)
        tf.exec(u"delete from TGZ"_s);
    record->month = kMonth;
    record->empName = u"王五"_s;
    record->setAmount(u"GZ2"_s, 600);

    QVERIFY(quor::saveDetailRecord(p.session.dm, *record, *items, kNow));
    QCOMPARE(p.sql(u"select Count(*) from TGZ"_s), u"1"_s);
    QVERIFY(record->id > 0);
    QVERIFY(record->logTime.isNull());
    QCOMPARE(row(p, record->id, u"EmpName,GZ2,LOGTime"_s), u"王五|600.0|NULL"_s);
}

void TestDetailRecord::refusedWriteChangesNothing()
{
    TestFolder tf;
    const int id = insertRecord(tf);
    tf.exec(u"create trigger refuseInsert before insert on TGZ begin select RAISE(ABORT, 'refused'); end"_s);
    tf.exec(u"create trigger refuseUpdate before update on TGZ begin select RAISE(ABORT, 'refused'); end"_s);
    Program p(tf);
    const std::optional<DisplayedItems> items = quor::loadDisplayedItems(p.session.dm, kMonth);
    QVERIFY(items);

    std::optional<DetailRecord> added = quor::loadDetailRecord(p.session.dm, -1);
    added->empName = u"新人"_s;
    QVERIFY(!quor::saveDetailRecord(p.session.dm, *added, *items, kNow));
    QCOMPARE(added->id, -1);
    QVERIFY(!added->found);
    QVERIFY(added->logTime.isNull());
    QVERIFY(added->zwName.isEmpty());

    std::optional<DetailRecord> changed = quor::loadDetailRecord(p.session.dm, id);
    changed->empName = u"改名"_s;
    QVERIFY(!quor::saveDetailRecord(p.session.dm, *changed, *items, kNow));
    QCOMPARE(p.sql(u"select Count(*) || EmpName from TGZ"_s), u"1张三"_s);
}

void TestDetailRecord::calculatedRecordAsTheGeneratorMakesIt()
{
    TestFolder tf;
    Program p(tf);
    QVERIFY(quor::loadParameters(p.session.dm, p.session.state));
    std::optional<DisplayedItems> items = quor::loadDisplayedItems(p.session.dm, kMonth);
    QVERIFY(items);
    items->earnings[0].value = u"10000"_s;
    items->earnings[1].value = u"2000"_s;

    quor::WageCalculation calc(p.messages, [&p] { return quor::loadTaxBrackets(p.session.dm); });
    calc.setSettings({p.session.state.gsLimit, p.session.state.showDecimals()});
    calc.setItems(items->earnings, items->deductions);
    QVERIFY(calc.ReCalcAll());

    DetailRecord record;
    record.month = kMonth;
    record.departName = u"生产部"_s;
    record.empName = u"赵六"_s;
    QVERIFY(!quor::takeCalculation(record, calc));
    QVERIFY(quor::saveDetailRecord(p.session.dm, record, *items, kNow));
    // (10000 + 2000) × 8 %, 2 %, 0.5 %, 7 %; tax on 12000 − 2100 − 5000 at 10 % − 210.
    QCOMPARE(row(p, record.id, u"GZ1,GZ2,GZ3,KK1,KK2,KK3,KK4,KK5,YFTotal,KKTotal,GZTotal,ZWName"_s),
             u"10000.0|2000.0|0.0|960.0|240.0|60.0|840.0|280.0|12000.0|2380.0|9620.0| "_s);
    QVERIFY(p.messages.entries.isEmpty());
}

void TestDetailRecord::calculationWithNonNumber()
{
    FakeMessages messages;
    quor::WageCalculation calc(messages, {});
    calc.setItems({{u"A"_s, u"GZ1"_s, {}, u"12"_s}, {u"B"_s, u"GZ2"_s, {}, u"1.2.3"_s}}, {});
    DetailRecord record;
    const std::optional<quor::ConversionError> error = quor::takeCalculation(record, calc);
    QVERIFY(error);
    QCOMPARE(error->item, (quor::ItemRef{quor::ItemSide::Earning, 1}));
    QCOMPARE(error->text, u"1.2.3"_s);
}

QTEST_GUILESS_MAIN(TestDetailRecord)
#include "tst_detailrecord.moc"
