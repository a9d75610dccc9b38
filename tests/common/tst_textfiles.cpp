#include "common/gbk.h"
#include "common/inifile.h"
#include "common/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTextFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gbkRoundTrip_data();
    void gbkRoundTrip();
    void gbkByteLength_data();
    void gbkByteLength();
    void decodeText_data();
    void decodeText();
    void splitLines_data();
    void splitLines();
    void iniReadsWindowsFile();
    void iniWriteKeepsOtherLines();
    void iniMissingFileGivesDefaults();

private:
    QTemporaryDir m_dir;
};

void TestTextFiles::gbkRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("gbk");
    QTest::newRow("ascii") << u"Brand=QUOR"_s << QByteArray("Brand=QUOR");
    QTest::newRow("chinese") << u"岚舟工资"_s << QByteArray::fromHex("e1b0d6dbb9a4d7ca");
    QTest::newRow("mixed") << u"A部门"_s << QByteArray::fromHex("41b2bfc3c5");
}

void TestTextFiles::gbkRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, gbk);
    QCOMPARE(quor::encodeGbk(text), gbk);
    QCOMPARE(quor::decodeGbk(gbk), text);
}

void TestTextFiles::gbkByteLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("ascii") << u"abc 123"_s << 7;
    QTest::newRow("chinese") << u"实发工资"_s << 8;
    QTest::newRow("mixed") << u"工资:12.50"_s << 10;
    QTest::newRow("full-width colon") << u"："_s << 2;
}

void TestTextFiles::gbkByteLength()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QCOMPARE(quor::gbkByteLength(text), length);
}

void TestTextFiles::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf8") << u"经理\r\n会计"_s.toUtf8() << u"经理\r\n会计"_s;
    QTest::newRow("utf8 with bom") << QByteArray("\xEF\xBB\xBF") + u"出纳"_s.toUtf8() << u"出纳"_s;
    QTest::newRow("gbk") << quor::encodeGbk(u"经理\r\n会计"_s) << u"经理\r\n会计"_s;
    QTest::newRow("plain ascii") << QByteArray("[Last]") << u"[Last]"_s;
}

void TestTextFiles::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(quor::decodeText(bytes), text);
}

void TestTextFiles::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lf without final break") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("cr") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("inner empty line kept") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty") << QString() << QStringList();
}

void TestTextFiles::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(quor::splitLines(text), lines);
}

void TestTextFiles::iniReadsWindowsFile()
{
    const QString path = m_dir.filePath(u"gbk.ini"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(quor::encodeGbk(u"; 品牌\r\n[other]\r\nBrand=别的\r\n[ LAST ]\r\n brand = 云帆 \r\n"
                               "EntName=\"云帆科技\"\r\nHomePage=\r\n"_s));
    file.close();

    const quor::IniFile ini(path);
    QCOMPARE(ini.value(u"Last"_s, u"Brand"_s, u"x"_s), u"云帆"_s);
    QCOMPARE(ini.value(u"last"_s, u"EntName"_s), u"云帆科技"_s);
    QVERIFY(ini.hasKey(u"Last"_s, u"HomePage"_s));
    QCOMPARE(ini.value(u"Last"_s, u"HomePage"_s, u"default"_s), QString()); // present but empty
    QCOMPARE(ini.value(u"Last"_s, u"Missing"_s, u"default"_s), u"default"_s);
    QCOMPARE(ini.value(u"Nowhere"_s, u"Brand"_s, u"default"_s), u"default"_s);
}

void TestTextFiles::iniWriteKeepsOtherLines()
{
    const QString path = m_dir.filePath(u"comm.ini"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; settings\r\n[comm]\r\nHost=smtp.example.com\r\n\r\n[other]\r\nKey=1\r\n");
    file.close();

    quor::IniFile ini(path);
    ini.setValue(u"comm"_s, u"HOST"_s, u"mail.example.com"_s);
    ini.setValue(u"comm"_s, u"Port"_s, u"25"_s);
    ini.setValue(u"new"_s, u"名称"_s, u"值"_s);
    QVERIFY(ini.save());

    QCOMPARE(quor::splitLines(*quor::readTextFile(path)),
             (QStringList{u"; settings"_s, u"[comm]"_s, u"HOST=mail.example.com"_s, u"Port=25"_s, QString(),
                          u"[other]"_s, u"Key=1"_s, QString(), u"[new]"_s, u"名称=值"_s}));
    const quor::IniFile reread(path);
    QCOMPARE(reread.value(u"new"_s, u"名称"_s), u"值"_s);
}

void TestTextFiles::iniMissingFileGivesDefaults()
{
    quor::IniFile ini(m_dir.filePath(u"none.ini"_s));
    QCOMPARE(ini.value(u"Last"_s, u"Brand"_s, u"岚舟"_s), u"岚舟"_s);
}

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_textfiles.moc"
