#include "app/recordlistmodel.h"

#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quor::RecordFilters;
using quor::RecordListModel;

namespace {

// A month "202401" with three records and its own item set (a copy of BASE).
struct Fixture
{
    Fixture()
    {
        tf.exec(u"insert into TGZMonth (GZMonth) values ('202401')"_s);
        tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu) "
                "select '202401', GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu from TGZSet where GZMonth='BASE'"_s);
        tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpCode, EmpName, GZ1, GZ2, GZ3, KK1, KK2, WorkDays, SelectStu) "
                "values ('202401', '销售部', 'S01', 'Zhang San', 3000, 500, 100, 240, 60, 21.5, 1), "
                "('202401', '财务部', 'C01', '李四', 4000, 800, NULL, 384, 96, 22, 1), "
                "('202401', '财务部', 'C02', 'O''Brien 王', 3500.5, 0, 0, 0, 0, 20, 0), "
                "('202402', '财务部', 'C09', '别的月', 9999, 0, 0, 0, 0, 0, 1)"_s);
    }
    TestFolder tf;
    FakeMessages messages;
    quor::Session session{tf.folder(), messages};
    RecordListModel model;

    bool load(const RecordFilters &filters = {}, const QString &month = u"202401"_s)
    {
        return model.ReadyGrid(session.dm, month, session.state.printDays) && model.load(session.dm, month, filters);
    }
    QStringList column(int col) const
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts.append(model.index(row, col).data().toString());
        return texts;
    }
};

} // namespace

class TestRecordList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modelIsConsistent();
    void columnsAndTitles();
    void loadsInPinyinOrder();
    void formatsAndFooter_data();
    void formatsAndFooter();
    void filters_data();
    void filters();
    void disabledItemLeftOutOfTotals();
    void deductionTotalColumnFollowsItems();
    void attendanceModes_data();
    void attendanceModes();
    void monthWithoutItemsUsesBase();
    void sortsInMemory();
    void deleteRows();
    void failedWritesChangeNothing();
};

void TestRecordList::modelIsConsistent()
{
    Fixture f;
    QAbstractItemModelTester tester(&f.model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(f.load());
    f.model.sortBy(RecordListModel::ColGZ1, Qt::DescendingOrder);
    QVERIFY(f.model.deleteRows(f.session.dm, {0}));
    f.model.clear();
}

void TestRecordList::columnsAndTitles()
{
    QCOMPARE(int(RecordListModel::ColumnCount), 63);
    QCOMPARE(RecordListModel::fieldName(RecordListModel::ColYFTotal), u"YFTotal"_s);
    QCOMPARE(RecordListModel::fieldName(RecordListModel::ColKK1 + 14), u"KK15"_s);
    QCOMPARE(RecordListModel::fieldName(62), u"LOGTime"_s);
    QCOMPARE(RecordListModel::GetCol(u"gz30"_s), 39);
    QCOMPARE(RecordListModel::GetCol(u"KKTotal"_s), 56);
    QCOMPARE(RecordListModel::GetCol(u"nothing"_s), -1);

    Fixture f;
    QVERIFY(f.load());
    QCOMPARE(f.model.headerData(10, Qt::Horizontal).toString(), u"应发工资|基本工资"_s);
    QCOMPARE(f.model.headerData(40, Qt::Horizontal).toString(), u"应发工资|合计"_s);
    QCOMPARE(f.model.headerData(45, Qt::Horizontal).toString(), u"应扣/代扣工资|个人所得税"_s);
    QCOMPARE(f.model.headerData(57, Qt::Horizontal).toString(), u"实发工资"_s);
    QVERIFY(f.model.isColumnVisible(15));  // GZ6 奖金
    QVERIFY(!f.model.isColumnVisible(16)); // GZ7 disabled
    QVERIFY(!f.model.isColumnVisible(RecordListModel::ColID));
}

void TestRecordList::loadsInPinyinOrder()
{
    Fixture f;
    QVERIFY(f.load());
    // 财 (cai) before 销 (xiao), whatever their code points.
    QCOMPARE(f.column(RecordListModel::ColDepartName), (QStringList{u"财务部"_s, u"财务部"_s, u"销售部"_s}));
    QCOMPARE(f.column(RecordListModel::ColSortIdx), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
}

void TestRecordList::formatsAndFooter_data()
{
    QTest::addColumn<bool>("decimals");
    QTest::addColumn<QString>("gz1");   // of the O'Brien record
    QTest::addColumn<QString>("sum1");  // footer of GZ1
    QTest::newRow("two decimals") << true << u"3500.50"_s << u"10500.50"_s;
    QTest::newRow("whole units") << false << u"3501"_s << u"10501"_s;
}

void TestRecordList::formatsAndFooter()
{
    QFETCH(bool, decimals);
    QFETCH(QString, gz1);
    QFETCH(QString, sum1);
    Fixture f;
    f.model.setShowDecimals(decimals);
    QVERIFY(f.load());
    const int row = f.column(RecordListModel::ColEmpCode).indexOf(u"C02"_s);
    QCOMPARE(f.model.index(row, RecordListModel::ColGZ1).data().toString(), gz1);
    QCOMPARE(f.model.amount(row, RecordListModel::ColGZ1), 3500.5); // stored value unchanged
    QCOMPARE(f.model.footerText(RecordListModel::ColGZ1), sum1);
    QCOMPARE(f.model.footerText(RecordListModel::ColSortIdx), u"合计"_s);
    QCOMPARE(f.model.footerText(RecordListModel::ColEmpName), u"3条"_s);
    QCOMPARE(f.model.footerText(RecordListModel::ColWorkDays), u"63.5"_s);
    QCOMPARE(f.model.footerText(RecordListModel::ColDepartName), QString());
    const int li = f.column(RecordListModel::ColEmpName).indexOf(u"李四"_s);
    QCOMPARE(f.model.index(li, RecordListModel::ColGZ1 + 2).data().toString(), QString()); // NULL shows nothing
    QCOMPARE(f.model.index(li, RecordListModel::ColWorkDays).data().toString(), u"22.00"_s);
}

void TestRecordList::filters_data()
{
    QTest::addColumn<QString>("depart");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("no filter") << QString() << QString() << QString()
                               << QStringList{u"C01"_s, u"C02"_s, u"S01"_s};
    QTest::newRow("name part in other case") << QString() << u"zhang"_s << QString() << QStringList{u"S01"_s};
    QTest::newRow("name with quote") << QString() << u"o'brien"_s << QString() << QStringList{u"C02"_s};
    QTest::newRow("chinese department") << u"财务"_s << QString() << QString()
                                        << QStringList{u"C01"_s, u"C02"_s};
    QTest::newRow("percent is literal") << QString() << u"%"_s << QString() << QStringList();
    QTest::newRow("underscore is literal") << QString() << QString() << u"_"_s << QStringList();
    QTest::newRow("all three") << u"部"_s << u"王"_s << u"c0"_s << QStringList{u"C02"_s};
}

void TestRecordList::filters()
{
    QFETCH(QString, depart);
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(QStringList, codes);
    Fixture f;
    QVERIFY(f.load({depart, name, code}));
    QStringList loaded = f.column(RecordListModel::ColEmpCode);
    loaded.sort();
    QCOMPARE(loaded, codes);
}

void TestRecordList::disabledItemLeftOutOfTotals()
{
    Fixture f;
    f.tf.exec(u"update TGZSet set ShowStu=1 where GZMonth='202401' and GZField1='GZ3'"_s);
    QVERIFY(f.load());
    QVERIFY(!f.model.isColumnVisible(RecordListModel::ColGZ1 + 2));
    QVERIFY(f.model.ReCalcAll(f.session.dm));
    QCOMPARE(f.session.dm.GetDataBySQL(u"select YFTotal || '/' || KKTotal || '/' || GZTotal || '/' || GZ3 "
                                       "from TGZ where EmpCode='S01'"_s),
             u"3500.0/300.0/3200.0/100.0"_s); // GZ3 is still stored
    QCOMPARE(f.session.dm.GetDataBySQL(u"select YFTotal from TGZ where EmpCode='C09'"_s), QString()); // other month
    const int row = f.column(RecordListModel::ColEmpCode).indexOf(u"S01"_s);
    QCOMPARE(f.model.index(row, RecordListModel::ColGZTotal).data().toString(), u"3200"_s);
}

void TestRecordList::deductionTotalColumnFollowsItems()
{
    Fixture f;
    f.tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
              "values ('202402', 'GZ1', '工资', 0, 1, 0), ('202402', 'KK1', '扣款', 1, 1, 1)"_s);
    QVERIFY(f.load({}, u"202402"_s));
    QVERIFY(!f.model.isColumnVisible(RecordListModel::ColKKTotal));
    QVERIFY(f.load());
    QVERIFY(f.model.isColumnVisible(RecordListModel::ColKKTotal));
}

void TestRecordList::attendanceModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("visible"); // WorkDays, HourCount, OneDayMOney as 0/1
    QTest::addColumn<QString>("title");
    QTest::newRow("none") << 0 << u"000"_s << u"出勤天数"_s;
    QTest::newRow("day rate") << 1 << u"101"_s << u"出勤天数"_s;
    QTest::newRow("hour rate") << 2 << u"111"_s << u"出勤天数"_s;
    QTest::newRow("piece work") << 3 << u"101"_s << u"出勤数"_s;
    QTest::newRow("unknown") << 7 << u"000"_s << u"出勤天数"_s;
}

void TestRecordList::attendanceModes()
{
    QFETCH(int, mode);
    QFETCH(QString, visible);
    QFETCH(QString, title);
    Fixture f;
    QVERIFY(f.model.ReadyGrid(f.session.dm, u"202401"_s, mode));
    QString shown;
    for (int c : {RecordListModel::ColWorkDays, RecordListModel::ColHourCount, RecordListModel::ColOneDayMOney})
        shown += f.model.isColumnVisible(c) ? u'1' : u'0';
    QCOMPARE(shown, visible);
    QCOMPARE(f.model.columnTitle(RecordListModel::ColWorkDays), title);
}

void TestRecordList::monthWithoutItemsUsesBase()
{
    Fixture f;
    f.tf.exec(u"update TGZSet set GZName='底薪' where GZMonth='BASE' and GZField1='GZ1'"_s);
    QVERIFY(f.load({}, u"209912"_s));
    QCOMPARE(f.model.columnTitle(RecordListModel::ColGZ1), u"应发工资|底薪"_s);
    QCOMPARE(f.model.rowCount(), 0);
    QCOMPARE(f.model.footerText(RecordListModel::ColEmpName), u"0条"_s);
}

void TestRecordList::sortsInMemory()
{
    Fixture f;
    QVERIFY(f.load());
    f.tf.exec(u"delete from TGZ"_s); // sorting does not read again
    f.model.sortBy(RecordListModel::ColGZ1, Qt::AscendingOrder);
    QCOMPARE(f.column(RecordListModel::ColEmpCode), (QStringList{u"S01"_s, u"C02"_s, u"C01"_s}));
    QCOMPARE(f.column(RecordListModel::ColSortIdx), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    f.model.sortBy(RecordListModel::ColGZ1 + 2, Qt::AscendingOrder); // NULL first
    QCOMPARE(f.column(RecordListModel::ColEmpCode).first(), u"C01"_s);
    f.model.sortBy(RecordListModel::ColEmpName, Qt::DescendingOrder);
    QCOMPARE(f.column(RecordListModel::ColEmpCode), (QStringList{u"S01"_s, u"C02"_s, u"C01"_s}));
}

void TestRecordList::deleteRows()
{
    Fixture f;
    QVERIFY(f.load());
    QVERIFY(f.model.deleteRows(f.session.dm, {}));
    QCOMPARE(f.model.rowCount(), 3);
    QVERIFY(f.model.deleteRows(f.session.dm, {2, 0}));
    QCOMPARE(f.column(RecordListModel::ColEmpCode), QStringList{u"C02"_s});
    QCOMPARE(f.column(RecordListModel::ColSortIdx), QStringList{u"1"_s});
    QCOMPARE(f.session.dm.GetDataBySQL(u"select Count(*) from TGZ"_s), u"2"_s);
}

void TestRecordList::failedWritesChangeNothing()
{
    Fixture f;
    QVERIFY(f.load());
    f.tf.exec(u"create trigger refuse_delete before delete on TGZ when old.EmpCode='C02' "
              "begin select raise(abort, 'refused'); end"_s);
    f.tf.exec(u"create trigger refuse_update before update of YFTotal on TGZ when old.EmpCode='C02' "
              "begin select raise(abort, 'refused'); end"_s);
    QVERIFY(!f.model.deleteRows(f.session.dm, {0, 1, 2}));
    QCOMPARE(f.model.rowCount(), 3);
    QCOMPARE(f.session.dm.GetDataBySQL(u"select Count(*) from TGZ"_s), u"4"_s); // all or nothing
    QVERIFY(!f.model.ReCalcAll(f.session.dm));
    QCOMPARE(f.session.dm.GetDataBySQL(u"select Count(YFTotal) from TGZ"_s), u"0"_s);
    QCOMPARE(f.model.index(0, RecordListModel::ColYFTotal).data().toString(), QString());
}

QTEST_GUILESS_MAIN(TestRecordList)
#include "tst_recordlist.moc"
