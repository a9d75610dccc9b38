#include "common/programfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestProgramFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void resolves_data();
    void resolves();
    void rootEndsWithSlash();

private:
    QTemporaryDir m_dir;
};

void TestProgramFolder::initTestCase()
{
    QDir root(m_dir.path());
    QVERIFY(root.mkpath(u"DB"_s));
    QVERIFY(root.mkpath(u"RPT"_s));
    for (const QString &name : {u"DB/ZYDB.dat"_s, u"RPT/Skin.Skn"_s, u"ZW.Txt"_s}) {
        QFile f(root.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
}

void TestProgramFolder::resolves_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected"); // relative to the folder
    QTest::newRow("exact") << u"DB\\ZYDB.dat"_s << u"DB/ZYDB.dat"_s;
    QTest::newRow("other case everywhere") << u"db\\zydb.DAT"_s << u"DB/ZYDB.dat"_s;
    QTest::newRow("folder in other case") << u"rpt\\Skin.Skn"_s << u"RPT/Skin.Skn"_s;
    QTest::newRow("file on disk in other case") << u"ZW.txt"_s << u"ZW.Txt"_s;
    QTest::newRow("forward slashes") << u"rpt/skin.skn"_s << u"RPT/Skin.Skn"_s;
    QTest::newRow("new file keeps its name") << u"NotFirst.txt"_s << u"NotFirst.txt"_s;
    QTest::newRow("new file in existing folder") << u"db\\New.GZBK"_s << u"DB/New.GZBK"_s;
    QTest::newRow("new folder keeps its name") << u"Bak\\20261211.GZBK"_s << u"Bak/20261211.GZBK"_s;
}

void TestProgramFolder::resolves()
{
    QFETCH(QString, relative);
    QFETCH(QString, expected);
    const quor::ProgramFolder folder(m_dir.path());
    QCOMPARE(folder.path(relative), QDir(m_dir.path()).filePath(expected));
}

void TestProgramFolder::rootEndsWithSlash()
{
    const quor::ProgramFolder folder(m_dir.path());
    QVERIFY(folder.root().endsWith(u'/'));
    QVERIFY(folder.exists(u"zw.txt"_s));
    QVERIFY(!folder.exists(u"IIS.INI"_s));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
