#include "data/session.h"
#include "data/structupdate.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestStructUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completesPartialBase();
    void lowerCaseFieldCountsAsPresent();
    void monthsWithAndWithoutItems();
    void keepsExistingAndDuplicateRows();

private:
    static QString count(const quor::TDM &dm, const QString &where)
    {
        return dm.GetDataBySQL(u"select Count(*) from TGZSet where "_s + where);
    }
};

void TestStructUpdate::completesPartialBase()
{
    TestFolder tf;
    tf.exec(u"delete from TGZSet where not (GZField1 like 'GZ%' and SortIdx <= 10)"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    const quor::TDM &dm = session.dm;
    QCOMPARE(count(dm, u"GZMonth='BASE'"_s), u"10"_s);

    quor::StructUpdate(session.dm);
    QCOMPARE(count(dm, u"GZMonth='BASE'"_s), u"45"_s);
    // The new rows: named 工资项目, disabled, no formula, SortIdx = number, right type.
    QCOMPARE(count(dm, u"GZMonth='BASE' and ID > 45"_s), u"35"_s);
    QCOMPARE(count(dm, u"ID > 45 and GZName='工资项目' and ShowStu=1 and CalcStr is null"_s), u"35"_s);
    QCOMPARE(count(dm, u"ID > 45 and GZField1 like 'GZ%' and GZType=0"_s), u"20"_s);
    QCOMPARE(count(dm, u"ID > 45 and GZField1 like 'KK%' and GZType=1"_s), u"15"_s);
    QCOMPARE(count(dm, u"SortIdx <> Cast(substr(GZField1, 3) as integer)"_s), u"0"_s);
    QCOMPARE(dm.GetDataBySQL(u"select GZField1 from TGZSet where ID > 45 order by ID"_s), u"GZ11"_s);

    quor::StructUpdate(session.dm); // a second run adds nothing
    QCOMPARE(count(dm, u"1=1"_s), u"45"_s);
    QVERIFY(messages.entries.isEmpty());
}

void TestStructUpdate::lowerCaseFieldCountsAsPresent()
{
    TestFolder tf;
    tf.exec(u"update TGZSet set GZField1='gz5' where GZField1='GZ5'"_s);
    tf.exec(u"update TGZSet set GZField1='GZ 6' where GZField1='GZ6'"_s); // not a whole-value match
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    quor::StructUpdate(session.dm);
    QCOMPARE(count(session.dm, u"GZField1='GZ5'"_s), u"1"_s);
    QCOMPARE(count(session.dm, u"GZField1='GZ6'"_s), u"1"_s);
    QCOMPARE(count(session.dm, u"1=1"_s), u"46"_s);
}

void TestStructUpdate::monthsWithAndWithoutItems()
{
    TestFolder tf;
    tf.exec(u"insert into TGZMonth (GZMonth) values ('202401'), ('202402'), ('2024''03')"_s);
    tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
            "values ('202402', 'KK2', '医保', 1, 2, 0), ('2024''03', 'GZ1', '底薪', 0, 1, 0)"_s);
    // Rows of a month that is no longer in the month list are not completed.
    tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
            "values ('201901', 'GZ1', 'old', 0, 1, 0)"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    quor::StructUpdate(session.dm);

    QCOMPARE(count(session.dm, u"GZMonth='202401'"_s), u"0"_s);
    QCOMPARE(count(session.dm, u"GZMonth='202402'"_s), u"45"_s);
    QCOMPARE(count(session.dm, u"GZMonth='2024''03'"_s), u"45"_s);
    QCOMPARE(count(session.dm, u"GZMonth='201901'"_s), u"1"_s);
    QCOMPARE(session.dm.GetDataBySQL(u"select GZName from TGZSet where GZMonth='202402' and GZField1='KK2'"_s),
             u"医保"_s);
}

void TestStructUpdate::keepsExistingAndDuplicateRows()
{
    TestFolder tf;
    tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, GZType, SortIdx, ShowStu) "
            "values ('BASE', 'GZ1', '重复', 0, 1, 0)"_s);
    tf.exec(u"update TGZSet set GZName='改过', ShowStu=1, CalcStr='1+1' where GZField1='GZ2'"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    quor::StructUpdate(session.dm);
    QCOMPARE(count(session.dm, u"GZField1='GZ1'"_s), u"2"_s);
    QCOMPARE(count(session.dm, u"GZField1='GZ2' and GZName='改过' and ShowStu=1 and CalcStr='1+1'"_s), u"1"_s);
    QCOMPARE(count(session.dm, u"1=1"_s), u"46"_s);
}

QTEST_GUILESS_MAIN(TestStructUpdate)
#include "tst_structupdate.moc"
