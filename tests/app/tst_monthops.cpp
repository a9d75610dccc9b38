#include "app/monthops.h"

#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Fixture
{
    TestFolder tf;
    FakeMessages messages;
    quor::Session session{tf.folder(), messages};
    QString sql(const QString &query, const QVariantList &params = {}) const
    {
        return session.dm.GetDataBySQL(query, params);
    }
};
} // namespace

class TestMonthOps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copiesItemSet();
    void missingSourceFallsBackToBase();
    void replacesTargetRows();
    void failedCopyKeepsTarget();
    void renameMovesRecordsNotItems();
    void keyTakenInAnyCase();
    void deleteRemovesEverything();
    void historyMonths();
};

void TestMonthOps::copiesItemSet()
{
    Fixture f;
    f.tf.exec(u"update TGZSet set CalcStr='' where GZField1='GZ2'"_s);
    QVERIFY(quor::AddBaseGZSet(f.session.dm, u"202401"_s, u"BASE"_s));
    QCOMPARE(f.sql(u"select Count(*) from TGZSet where GZMonth='202401'"_s), u"45"_s);
    // Empty and NULL formulas arrive as one blank; others as they were.
    QCOMPARE(f.sql(u"select Count(*) from TGZSet where GZMonth='202401' and CalcStr=' '"_s), u"40"_s);
    QCOMPARE(f.sql(u"select CalcStr from TGZSet where GZMonth='202401' and GZField1='KK5'"_s), u"[&个税]"_s);
    QCOMPARE(f.sql(u"select Count(*) from TGZSet a join TGZSet b on a.GZField1=b.GZField1 and a.GZName=b.GZName "
                   "and a.GZType=b.GZType and a.SortIdx=b.SortIdx and a.ShowStu=b.ShowStu "
                   "where a.GZMonth='202401' and b.GZMonth='BASE'"_s),
             u"45"_s);
}

void TestMonthOps::missingSourceFallsBackToBase()
{
    Fixture f;
    QVERIFY(quor::AddBaseGZSet(f.session.dm, u"202402"_s, u"201001"_s));
    QCOMPARE(f.sql(u"select GZName from TGZSet where GZMonth='202402' and GZField1='GZ1'"_s), u"基本工资"_s);
}

void TestMonthOps::replacesTargetRows()
{
    Fixture f;
    f.tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
              "values ('2024''01', 'GZ1', '旧项目', 0, 1, 0), ('src', 'GZ1', '来源', 0, 1, 0)"_s);
    QVERIFY(quor::AddBaseGZSet(f.session.dm, u"2024'01"_s, u"src"_s));
    QCOMPARE(f.sql(u"select group_concat(GZName) from TGZSet where GZMonth=?"_s, {u"2024'01"_s}), u"来源"_s);
}

void TestMonthOps::failedCopyKeepsTarget()
{
    Fixture f;
    f.tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
              "values ('202401', 'GZ1', '旧项目', 0, 1, 0)"_s);
    f.tf.exec(u"create trigger refuse before insert on TGZSet when new.GZField1='KK3' "
              "begin select raise(abort, 'refused'); end"_s);
    QVERIFY(!quor::AddBaseGZSet(f.session.dm, u"202401"_s, u"BASE"_s));
    QCOMPARE(f.sql(u"select group_concat(GZName) from TGZSet where GZMonth='202401'"_s), u"旧项目"_s);
}

void TestMonthOps::renameMovesRecordsNotItems()
{
    Fixture f;
    const std::optional<int> id = quor::insertMonth(f.session.dm, u"202401"_s);
    QVERIFY(id);
    QVERIFY(quor::AddBaseGZSet(f.session.dm, u"202401"_s, u"BASE"_s));
    f.tf.exec(u"insert into TGZ (GZMonth, EmpName) values ('202401', '甲'), ('202401', '乙'), ('202312', '丙')"_s);

    QVERIFY(quor::renameMonth(f.session.dm, *id, u"202401"_s, u"202401"_s)); // to itself: nothing changes
    QVERIFY(quor::renameMonth(f.session.dm, *id, u"202401"_s, u"2024年1月"_s));
    QCOMPARE(f.sql(u"select GZMonth from TGZMonth where ID=?"_s, {*id}), u"2024年1月"_s);
    QCOMPARE(f.sql(u"select Count(*) from TGZ where GZMonth='2024年1月'"_s), u"2"_s);
    QCOMPARE(f.sql(u"select Count(*) from TGZSet where GZMonth='202401'"_s), u"45"_s);
    QCOMPARE(f.sql(u"select Count(*) from TGZSet where GZMonth='2024年1月'"_s), u"0"_s);
}

void TestMonthOps::keyTakenInAnyCase()
{
    Fixture f;
    const std::optional<int> id = quor::insertMonth(f.session.dm, u"Jan2024"_s);
    QVERIFY(id);
    QVERIFY(quor::monthKeyTaken(f.session.dm, u"JAN2024"_s, *id + 1));
    QVERIFY(!quor::monthKeyTaken(f.session.dm, u"jan2024"_s, *id)); // its own name
    QVERIFY(!quor::insertMonth(f.session.dm, u"jan2024"_s));       // the store refuses a duplicate too
}

void TestMonthOps::deleteRemovesEverything()
{
    Fixture f;
    const std::optional<int> id = quor::insertMonth(f.session.dm, u"202401"_s);
    QVERIFY(quor::AddBaseGZSet(f.session.dm, u"202401"_s, u"BASE"_s));
    f.tf.exec(u"insert into TGZ (GZMonth, EmpName) values ('202401', '甲'), ('202402', '乙')"_s);
    QVERIFY(quor::deleteMonth(f.session.dm, *id, u"202401"_s));
    QCOMPARE(f.sql(u"select Count(*) from TGZMonth"_s), u"0"_s);
    QCOMPARE(f.sql(u"select Count(*) from TGZSet where GZMonth='202401'"_s), u"0"_s);
    QCOMPARE(f.sql(u"select group_concat(EmpName) from TGZ"_s), u"乙"_s);
}

void TestMonthOps::historyMonths()
{
    Fixture f;
    QCOMPARE(quor::monthsWithRecords(f.session.dm), QStringList());
    f.tf.exec(u"insert into TGZ (GZMonth, EmpName) values ('202401', '甲'), ('202403', '乙'), ('202401', '丙')"_s);
    QCOMPARE(quor::monthsWithRecords(f.session.dm), (QStringList{u"202403"_s, u"202401"_s}));
}

QTEST_GUILESS_MAIN(TestMonthOps)
#include "tst_monthops.moc"
