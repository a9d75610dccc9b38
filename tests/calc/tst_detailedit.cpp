#include "calc/frmbmycalcedit.h"
#include "calc/frmgzdetailedit.h"

#include "common/dialogrunner.h"
#include "common/gbk.h"
#include "common/numtext.h"
#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;
using quor::ItemSide;
using quor::MessageIcon;
using quor::TfrmGZDetailEdit;

namespace {

const QString kMonth = u"202401"_s;

// Gives the month its own item set: the named items enabled in this order
// ("name" or "name=formula"), every other item disabled.
void defineItems(const TestFolder &tf, const QStringList &earnings, const QStringList &deductions,
                 const QString &month = kMonth)
{
    tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu) "
            "select ?, GZField1, GZName, CalcStr, GZType, SortIdx, 1 from TGZSet where GZMonth='BASE'"_s,
            {month});
    for (const auto &[prefix, items] : {std::pair{u"GZ"_s, earnings}, std::pair{u"KK"_s, deductions}}) {
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString name = items.at(i).section(u'=', 0, 0);
            const QString formula = items.at(i).section(u'=', 1);
            tf.exec(u"update TGZSet set GZName=?, CalcStr=?, ShowStu=0 where GZMonth=? and GZField1=?"_s,
                    {name, formula, month, QString(prefix + QString::number(i + 1))});
        }
    }
}

QStringList numbered(const QString &stem, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(stem + QString::number(i));
    return names;
}

// A stored record of the month: 张三 with a few amounts; GZ7 holds 55 while
// it is disabled in the BASE set.
int insertRecord(const TestFolder &tf, const QString &month = kMonth)
{
    tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpCode, EmpName, ZWName, WorkDays, HourCount, OneDayMOney, "
            "GZ1, GZ2, GZ7, KK1, KK5, YFTotal, KKTotal, GZTotal, QM, MobileCode, BankNo, EMail, LOGTime) values "
            "(?, '生产部', 'E01', '张三', '技工', 21.5, 8, 200, 3000, 500.5, 55, 100, 12.345, 1, 2, 3, '备注', "
            "'13800000000', '6222', 'zs@example.com', '2023-12-01 08:00:00')"_s,
            {month});
    return 1;
}

QLineEdit *lineEditOf(QWidget *w)
{
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(w);
}

// Replaces a field's text key by key, as the user (or an input method) would.
void typeInto(QWidget *w, const QString &text)
{
    QLineEdit *edit = lineEditOf(w);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->home(false);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The editor on a test folder with the parameters of its TPara row.
struct Editor
{
    explicit Editor(const TestFolder &tf)
        : session(tf.folder(), messages)
    {
        quor::loadParameters(session.dm, session.state);
    }

    // Loads and shows the dialog, active so that focus changes are real.
    bool open(int id = -1, const QString &month = kMonth)
    {
        dialog = std::make_unique<TfrmGZDetailEdit>(session);
        if (!dialog->ReadyData(id, month))
            return false;
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }

    template<typename T = QWidget>
    T *find(const QString &name) const
    {
        T *w = dialog->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QString text(const QString &name) const { return lineEditOf(find(name))->text(); }
    void click(const QString &name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    QString sql(const QString &query, const QVariantList &params = {}) const
    {
        return session.dm.GetDataBySQL(query, params);
    }

    FakeMessages messages;
    quor::Session session;
    std::unique_ptr<TfrmGZDetailEdit> dialog;
};

// Column values of one TGZ row, "|"-separated, NULL shown as "NULL".
QString row(const Editor &e, const QString &columns, const QString &where = u"1=1"_s)
{
    QStringList parts;
    for (const QString &c : columns.split(u','))
        parts.append(u"ifnull("_s + c + u",'NULL')"_s);
    return e.sql(u"select "_s + parts.join(u" || '|' || "_s) + u" from TGZ where "_s + where + u" order by ID desc"_s);
}

} // namespace

class TestDetailEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void loadShowsStoredValues();
    void positionsFollowTheTable();
    void attendanceModes_data();
    void attendanceModes();
    void dropDownLists();
    void unreadableDatabaseShowsNoDialog();
    void wholeUnitsRoundAndStore();
    void requiredFields_data();
    void requiredFields();
    void newRecordThroughTheOpener();
    void editKeepsLogTimeAndDisabledItems();
    void recordDeletedMeanwhile();
    void notANumberKeepsTheDialog_data();
    void notANumberKeepsTheDialog();
    void refusedWriteKeepsTheDialog();
    void typedCharactersFiltered();
    void leavingAFieldRecalculates();
    void incomeTaxExample();
    void proRata();
    void proRataChecks_data();
    void proRataChecks();
    void rateTimesTime_data();
    void rateTimesTime();
    void enterFollowsTheTabOrder();
    void enterPressesButtons();
    void largerFontScalesTheLayout();
    void calculatorStartsTheFirstFound();
};

void TestDetailEdit::init()
{
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
}

void TestDetailEdit::loadShowsStoredValues()
{
    TestFolder tf;
    const int id = insertRecord(tf);
    Editor e(tf);
    QVERIFY(e.open(id));
    TfrmGZDetailEdit &d = *e.dialog;

    QCOMPARE(d.windowTitle(), u"新增/修改工资明细"_s);
    QCOMPARE(d.size(), QSize(563, 642));
    QCOMPARE(e.text(u"EditMonth"_s), kMonth);
    QVERIFY(e.edit(u"EditMonth"_s)->isReadOnly());
    QCOMPARE(e.text(u"cmbDepart"_s), u"生产部"_s);
    QCOMPARE(e.text(u"EditBM"_s), u"E01"_s);
    QCOMPARE(e.text(u"cmbEmpName"_s), u"张三"_s);
    QCOMPARE(e.text(u"cmbZWName"_s), u"技工"_s);
    QCOMPARE(e.text(u"EditWorkDays"_s), u"21.50"_s);
    QCOMPARE(e.text(u"EditWorkHours"_s), u"8.0"_s);
    QCOMPARE(e.text(u"EditOneDayMOney"_s), u"200.00"_s);
    QCOMPARE(e.text(u"EditQM"_s), u"备注"_s);
    QCOMPARE(e.text(u"EditMobileCode"_s), u"13800000000"_s);
    QCOMPARE(e.text(u"EditBankNo"_s), u"6222"_s);
    QCOMPARE(e.text(u"EditEMail"_s), u"zs@example.com"_s);
    QCOMPARE(QApplication::focusWidget(), e.find(u"cmbDepart"_s));

    // The month has no item rows: the six earnings and five deductions of BASE.
    QCOMPARE(e.find<QLabel>(u"Label1"_s)->text(), u"基本工资"_s);
    QCOMPARE(e.find<QLabel>(u"Label6"_s)->text(), u"奖金"_s);
    QCOMPARE(e.find<QLabel>(u"Label15"_s)->text(), u"个人所得税"_s);
    QCOMPARE(e.text(u"MaskEdit1"_s), u"3000.00"_s);
    QCOMPARE(e.text(u"MaskEdit2"_s), u"500.50"_s);
    QCOMPARE(e.text(u"MaskEdit3"_s), u"0.00"_s);
    // Stored values as stored: the formulas of KK1 and the tax are not run.
    QCOMPARE(e.text(u"MaskEdit11"_s), u"100.00"_s);
    QCOMPARE(e.text(u"MaskEdit15"_s), u"12.35"_s);
    QVERIFY(!e.find(u"MaskEdit7"_s)->isVisible());
    QVERIFY(!e.find(u"Label7"_s)->isVisible());
    QVERIFY(!e.find(u"MaskEdit41"_s)->isVisible());
    // The totals are those of the fields, not the stored ones.
    QCOMPARE(e.text(u"EditYF"_s), u"3500.50"_s);
    QCOMPARE(e.text(u"EditKK"_s), u"112.35"_s);
    QCOMPARE(e.text(u"EditSF"_s), u"3388.15"_s);
    QVERIFY(e.messages.entries.isEmpty());
}

void TestDetailEdit::positionsFollowTheTable()
{
    TestFolder tf;
    defineItems(tf, numbered(u"应发"_s, 22), numbered(u"扣"_s, 3));
    Editor e(tf);
    QVERIFY(e.open());
    TfrmGZDetailEdit &d = *e.dialog;

    for (int p = 1; p <= 30; ++p) {
        const int n = TfrmGZDetailEdit::controlNumber(ItemSide::Earning, p);
        QCOMPARE(n, p <= 10 ? p : p <= 20 ? p + 20 : p + 30);
        QCOMPARE(d.itemEdit(ItemSide::Earning, p), e.find(u"MaskEdit"_s + QString::number(n)));
        QCOMPARE(d.itemLabel(ItemSide::Earning, p), e.find(u"Label"_s + QString::number(n)));
        QCOMPARE(d.itemEdit(ItemSide::Earning, p)->isVisible(), p <= 22);
        QCOMPARE(d.itemLabel(ItemSide::Earning, p)->isVisible(), p <= 22);
        QCOMPARE(d.itemEdit(ItemSide::Earning, p)->parentWidget(), e.find(u"GroupBox1"_s));
        if (p <= 22)
            QCOMPARE(d.itemLabel(ItemSide::Earning, p)->text(), u"应发"_s + QString::number(p));
    }
    for (int p = 1; p <= 15; ++p) {
        const int n = TfrmGZDetailEdit::controlNumber(ItemSide::Deduction, p);
        QCOMPARE(n, p <= 5 ? p + 10 : p <= 10 ? p + 35 : p + 60);
        QCOMPARE(d.itemEdit(ItemSide::Deduction, p), e.find(u"MaskEdit"_s + QString::number(n)));
        QCOMPARE(d.itemEdit(ItemSide::Deduction, p)->isVisible(), p <= 3);
        QCOMPARE(d.itemLabel(ItemSide::Deduction, p)->isVisible(), p <= 3);
    }

    // Rows of five at the design's columns and rows, 70 × 20.
    const QRect first = e.find(u"MaskEdit1"_s)->geometry();
    QCOMPARE(first.size(), QSize(70, 20));
    QCOMPARE(first.x(), 16);
    QCOMPARE(e.find(u"MaskEdit5"_s)->x(), 320);
    QCOMPARE(e.find(u"MaskEdit6"_s)->y() - first.y(), 73 - 32);
    QCOMPARE(e.find(u"MaskEdit51"_s)->geometry().topLeft() - first.topLeft(), QPoint(0, 195 - 32));
    QCOMPARE(e.find(u"MaskEdit60"_s)->geometry().topLeft() - first.topLeft(), QPoint(320 - 16, 235 - 32));
    QCOMPARE(e.find(u"MaskEdit12"_s)->y() - e.find(u"Label12"_s)->y(), 29 - 13);
    QCOMPARE(e.find(u"GroupBox1"_s)->geometry(), QRect(8, 72, 401, 265));
    QCOMPARE(e.find(u"GroupBox2"_s)->geometry(), QRect(8, 344, 401, 137));
    // Every field lies inside its box, below the box's caption.
    for (QGroupBox *box : d.findChildren<QGroupBox *>()) {
        for (QWidget *w : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY(box->rect().contains(w->geometry()));
    }
}

void TestDetailEdit::attendanceModes_data()
{
    QTest::addColumn<int>("printDays");
    QTest::addColumn<QString>("rateLabel");
    QTest::addColumn<QString>("daysLabel");
    QTest::addColumn<bool>("hoursEnabled");
    QTest::addColumn<QString>("daysTaken"); // of "12345.678" typed
    QTest::newRow("0 none") << 0 << u"工资/天"_s << u"出勤天数"_s << true << u"123.67"_s;
    QTest::newRow("1 day rate") << 1 << u"工资/天"_s << u"出勤天数"_s << false << u"123.67"_s;
    QTest::newRow("2 hour rate") << 2 << u"工资/小时"_s << u"出勤天数"_s << true << u"123.67"_s;
    QTest::newRow("3 pieces") << 3 << u"工资/套"_s << u"完工件数"_s << false << u"1234.6"_s;
    QTest::newRow("other value") << 7 << u"工资/天"_s << u"出勤天数"_s << true << u"123.67"_s;
}

void TestDetailEdit::attendanceModes()
{
    QFETCH(int, printDays);
    QFETCH(QString, rateLabel);
    QFETCH(QString, daysLabel);
    QFETCH(bool, hoursEnabled);
    QFETCH(QString, daysTaken);
    TestFolder tf;
    tf.exec(u"update TPara set PrintDays=?, JJUnit='套'"_s, {printDays});
    Editor e(tf);
    QVERIFY(e.open());
    QCOMPARE(e.find<QLabel>(u"lblOneDayMOney"_s)->text(), rateLabel);
    QCOMPARE(e.find<QLabel>(u"lblWorkDays"_s)->text(), daysLabel);
    QCOMPARE(e.edit(u"EditWorkHours"_s)->isEnabled(), hoursEnabled);
    QVERIFY(e.edit(u"EditOneDayMOney"_s)->inputMask().isEmpty());
    QVERIFY(e.edit(u"MaskEdit1"_s)->inputMask().isEmpty());

    // The attendance fields take what fits: digits before and after the point.
    QLineEdit *days = e.edit(u"EditWorkDays"_s);
    typeInto(days, u"12345.678"_s);
    QCOMPARE(days->text(), daysTaken);
    typeInto(days, u"21.5"_s);
    QCOMPARE(days->text(), u"21.5"_s);
    QLineEdit *hours = e.edit(u"EditWorkHours"_s);
    if (hours->isEnabled()) {
        typeInto(hours, u"12345.67"_s);
        QCOMPARE(hours->text(), u"1234.6"_s);
    }
}

void TestDetailEdit::dropDownLists()
{
    TestFolder tf;
    tf.exec(u"insert into TGZMonth (GZMonth) values ('202311'), ('202401'), ('202312')"_s);
    tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpName, ZWName) values "
            "('202312', '销售部', '王五', '经理'), ('202312', '生产部', '李四', ''), ('202312', '生产部', '张三', '技工'), "
            "('202312', '', '赵六', '技工'), ('202311', '旧部门', '旧人', '旧职务'), ('202401', '本月部门', '本月人', '本月职务')"_s);
    {
        Editor e(tf);
        QVERIFY(e.open());
        const auto items = [&e](const QString &name) {
            QStringList list;
            auto *combo = e.find<QComboBox>(name);
            for (int i = 0; i < combo->count(); ++i)
                list.append(combo->itemText(i));
            return list;
        };
        // The lists of the most recently created other month, without empty entries.
        QCOMPARE(items(u"cmbDepart"_s), (QStringList{u"生产部"_s, u"销售部"_s}));
        QCOMPARE(items(u"cmbEmpName"_s), (QStringList{u"张三"_s, u"李四"_s, u"王五"_s, u"赵六"_s}));
        QCOMPARE(items(u"cmbZWName"_s), (QStringList{u"技工"_s, u"经理"_s}));
        QVERIFY(e.text(u"cmbDepart"_s).isEmpty());
    }
    {
        // The job-title dictionary replaces the titles, in GBK and under any letter case.
        QVERIFY(tf.write(u"zw.TXT"_s, quor::encodeGbk(u"班组长\r\n\r\n技术员\r\n"_s)));
        Editor e(tf);
        QVERIFY(e.open(-1, u"202312"_s));
        auto *titles = e.find<QComboBox>(u"cmbZWName"_s);
        QCOMPARE(titles->count(), 2);
        QCOMPARE(titles->itemText(0), u"班组长"_s);
        QCOMPARE(titles->itemText(1), u"技术员"_s);
        QCOMPARE(e.find<QComboBox>(u"cmbDepart"_s)->itemText(0), u"本月部门"_s); // 202401 is the newest other month
    }
}

void TestDetailEdit::unreadableDatabaseShowsNoDialog()
{
    TestFolder tf;
    tf.exec(u"drop table TGZSet"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    int shown = 0;
    quor::ScopedDialogRunner runner([&shown](QDialog &) {
        ++shown;
        return int(QDialog::Rejected);
    });
    QVERIFY(!quor::EditGZDetail(session, -1, kMonth, nullptr));
    QCOMPARE(shown, 0);
    QCOMPARE(messages.messages(), QStringList{u"读取数据库发生错误！"_s});
}

void TestDetailEdit::wholeUnitsRoundAndStore()
{
    TestFolder tf;
    tf.exec(u"update TPara set ShowFloat=0"_s);
    tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpName, OneDayMOney, GZ1, GZ2, GZ3, KK1) values "
            "('202401', '生产部', '张三', 12.5, 12.56, 0, 2.4, 0.5)"_s);
    Editor e(tf);
    QVERIFY(e.open(1));
    QCOMPARE(e.text(u"MaskEdit1"_s), u"13"_s);
    QCOMPARE(e.text(u"MaskEdit2"_s), QString()); // a zero amount shows empty
    QCOMPARE(e.text(u"MaskEdit3"_s), u"2"_s);
    QCOMPARE(e.text(u"MaskEdit11"_s), u"1"_s);
    QCOMPARE(e.text(u"EditOneDayMOney"_s), u"13"_s);
    QCOMPARE(e.text(u"EditYF"_s), u"15"_s);
    QCOMPARE(e.text(u"EditSF"_s), u"14"_s);

    e.click(u"Button1"_s);
    QVERIFY(e.dialog->saved());
    QCOMPARE(row(e, u"GZ1,GZ2,GZ3,KK1,OneDayMOney,YFTotal,KKTotal,GZTotal"_s),
             u"13.0|0.0|2.0|1.0|13.0|15.0|1.0|14.0"_s);
}

void TestDetailEdit::requiredFields_data()
{
    QTest::addColumn<QString>("depart");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("no department") << QString() << u"张三"_s << u"请选择或输入部门！"_s;
    QTest::newRow("blank department") << u"  "_s << u"张三"_s << u"请选择或输入部门！"_s;
    QTest::newRow("no name") << u"生产部"_s << QString() << u"请选择或输入姓名！"_s;
    QTest::newRow("neither") << QString() << QString() << u"请选择或输入部门！"_s;
}

void TestDetailEdit::requiredFields()
{
    QFETCH(QString, depart);
    QFETCH(QString, name);
    QFETCH(QString, message);
    TestFolder tf;
    Editor e(tf);
    QVERIFY(e.open());
    typeInto(e.find(u"cmbDepart"_s), depart);
    typeInto(e.find(u"cmbEmpName"_s), name);
    e.click(u"Button1"_s);
    QCOMPARE(e.messages.messages(), QStringList{message});
    QVERIFY(e.dialog->isVisible());
    QVERIFY(!e.dialog->saved());
    QCOMPARE(e.sql(u"select Count(*) from TGZ"_s), u"0"_s);
}

void TestDetailEdit::newRecordThroughTheOpener()
{
    TestFolder tf;
    tf.exec(u"insert into TGZMonth (GZMonth) values ('202401')"_s);
    FakeMessages messages;
    quor::Session session(tf.folder(), messages);
    quor::loadParameters(session.dm, session.state);

    QString button = u"Button1"_s;
    quor::ScopedDialogRunner runner([&button](QDialog &dialog) {
        dialog.show();
        typeInto(dialog.findChild<QWidget *>(u"cmbDepart"_s), u"财务部"_s);
        typeInto(dialog.findChild<QWidget *>(u"cmbEmpName"_s), u"O'Brien"_s);
        typeInto(dialog.findChild<QWidget *>(u"MaskEdit1"_s), u"5000"_s);
        typeInto(dialog.findChild<QWidget *>(u"EditOneDayMOney"_s), u"227.27"_s);
        QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
        return dialog.result();
    });

    button = u"Button2"_s;
    QVERIFY(!quor::EditGZDetail(session, -1, kMonth, nullptr));
    QCOMPARE(session.dm.GetDataBySQL(u"select Count(*) from TGZ"_s), u"0"_s);

    button = u"Button1"_s;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(quor::EditGZDetail(session, -1, kMonth, nullptr));
    QCOMPARE(session.dm.GetDataBySQL(u"select GZMonth || '|' || DepartName || '|' || EmpName || '|' || ZWName || '|' "
                                     "|| GZ1 || '|' || OneDayMOney || '|' || YFTotal || '|' || GZTotal from TGZ"_s),
             u"202401|财务部|O'Brien| |5000.0|227.27|5000.0|5000.0"_s);
    const QDateTime logged = quor::readStoredDateTime(session.dm.GetDataBySQL(u"select LOGTime from TGZ"_s));
    QVERIFY(logged >= before && logged <= QDateTime::currentDateTime());
    QVERIFY(messages.entries.isEmpty());
}

void TestDetailEdit::editKeepsLogTimeAndDisabledItems()
{
    TestFolder tf;
    const int id = insertRecord(tf);
    Editor e(tf);
    QVERIFY(e.open(id));
    typeInto(e.find(u"cmbEmpName"_s), u"张三丰"_s);
    typeInto(e.find(u"cmbZWName"_s), QString());
    typeInto(e.find(u"MaskEdit2"_s), u"600"_s);
    e.click(u"Button1"_s); // leaving the field recalculates the deductions of BASE first
    QVERIFY(e.dialog->saved());
    QVERIFY(!e.dialog->isVisible());
    QCOMPARE(e.sql(u"select Count(*) from TGZ"_s), u"1"_s);
    // GZ7 is not displayed: its 55 stays.
    QCOMPARE(row(e, u"EmpName,ZWName,GZ1,GZ2,GZ7,KK1,KK4,KK5,YFTotal,KKTotal,GZTotal,LOGTime"_s),
             u"张三丰| |3000.0|600.0|55.0|288.0|252.0|0.0|3600.0|630.0|2970.0|2023-12-01 08:00:00"_s);
}

void TestDetailEdit::recordDeletedMeanwhile()
{
    TestFolder tf;
    insertRecord(tf);
    tf.exec(u"delete from TGZ"_s);
    Editor e(tf);
    QVERIFY(e.open(1));
    typeInto(e.find(u"cmbDepart"_s), u"生产部"_s);
    typeInto(e.find(u"cmbEmpName"_s), u"张三"_s);
    e.click(u"Button1"_s);
    QVERIFY(e.dialog->saved());
    QCOMPARE(row(e, u"Count(*),EmpName,LOGTime"_s), u"1|张三|NULL"_s);
}

void TestDetailEdit::notANumberKeepsTheDialog_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("minus alone in an earning") << u"MaskEdit2"_s << u"-"_s << u"工资项目[岗位工资]的“-”不是有效的数值！"_s;
    QTest::newRow("two points in a deduction")
        << u"MaskEdit13"_s << u"1.2.3"_s << u"工资项目[失业保险]的“1.2.3”不是有效的数值！"_s;
    QTest::newRow("rate") << u"EditOneDayMOney"_s << u"1.2.3"_s << u"工资/天：“1.2.3”不是有效的数值！"_s;
    QTest::newRow("minus in the middle") << u"MaskEdit1"_s << u"12-3"_s << u"工资项目[基本工资]的“12-3”不是有效的数值！"_s;
}

void TestDetailEdit::notANumberKeepsTheDialog()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TestFolder tf;
    defineItems(tf, {u"基本工资"_s, u"岗位工资"_s}, {u"养老保险"_s, u"医疗保险"_s, u"失业保险"_s});
    const int id = insertRecord(tf);
    Editor e(tf);
    QVERIFY(e.open(id));
    typeInto(e.find(u"cmbEmpName"_s), u"改名"_s);
    typeInto(e.find(field), typed);
    e.click(u"Button1"_s); // leaves the field first, like a user would
    QCOMPARE(e.messages.messages(), QStringList{message});
    QVERIFY(e.dialog->isVisible());
    QVERIFY(!e.dialog->saved());
    QCOMPARE(e.text(field), typed);
    QCOMPARE(e.text(u"cmbEmpName"_s), u"改名"_s);
    QCOMPARE(QApplication::focusWidget(), e.find(field));
    QCOMPARE(row(e, u"EmpName,GZ1,GZ2"_s), u"张三|3000.0|500.5"_s);
}

void TestDetailEdit::refusedWriteKeepsTheDialog()
{
    TestFolder tf;
    const int id = insertRecord(tf);
    tf.exec(u"create trigger refuse before update on TGZ begin select RAISE(ABORT, 'refused'); end"_s);
    Editor e(tf);
    QVERIFY(e.open(id));
    typeInto(e.find(u"MaskEdit1"_s), u"3100"_s);
    typeInto(e.find(u"EditQM"_s), u"涨薪"_s);
    e.click(u"Button1"_s);
    QCOMPARE(e.messages.messages(), QStringList{u"存储数据库发生错误！"_s});
    QVERIFY(e.dialog->isVisible());
    QVERIFY(!e.dialog->saved());
    QCOMPARE(e.text(u"MaskEdit1"_s), u"3100"_s);
    QCOMPARE(e.text(u"EditQM"_s), u"涨薪"_s);
    QCOMPARE(row(e, u"GZ1,QM"_s), u"3000.0|备注"_s);

    // Once the database takes it again, the same dialog stores what was typed.
    tf.exec(u"drop trigger refuse"_s);
    e.click(u"Button1"_s);
    QVERIFY(e.dialog->saved());
    QCOMPARE(row(e, u"GZ1,QM"_s), u"3100.0|涨薪"_s);
}

void TestDetailEdit::typedCharactersFiltered()
{
    TestFolder tf;
    defineItems(tf, {u"A"_s}, {u"B"_s});
    Editor e(tf);
    QVERIFY(e.open());
    for (const QString &name : {u"MaskEdit1"_s, u"MaskEdit11"_s, u"EditOneDayMOney"_s}) {
        QLineEdit *edit = e.edit(name);
        typeInto(edit, u"1a2 b,-3.4+x"_s);
        QCOMPARE(edit->text(), u"12-3.4"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), u"2-3."_s);
        // Pasting is not filtered.
        QApplication::clipboard()->setText(u"abc"_s);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), u"abc2-3."_s);
    }
    // Text fields take anything.
    typeInto(e.find(u"EditBM"_s), u"A-01 x"_s);
    QCOMPARE(e.text(u"EditBM"_s), u"A-01 x"_s);
}

void TestDetailEdit::leavingAFieldRecalculates()
{
    TestFolder tf;
    defineItems(tf, {u"A"_s, u"B=[A]*0.1"_s}, {u"C=[B]+[A ]"_s});
    Editor e(tf);
    QVERIFY(e.open());
    TfrmGZDetailEdit &d = *e.dialog;
    QCOMPARE(d.FindEditCtrlByName(u"B"_s), e.find(u"MaskEdit2"_s));
    QCOMPARE(d.FindEditCtrlByName(u"X"_s), nullptr);
    QCOMPARE(d.FindLableByEditCtrl(e.find(u"MaskEdit11"_s)), e.find(u"Label11"_s));
    QCOMPARE(d.FindLableByEditCtrl(e.find(u"EditYF"_s)), nullptr);

    QLineEdit *a = e.edit(u"MaskEdit1"_s);
    typeInto(a, u"800.00"_s);
    // Typing recomputes the totals only.
    QCOMPARE(e.text(u"MaskEdit2"_s), u"0.00"_s);
    QCOMPARE(e.text(u"EditYF"_s), u"800.00"_s);
    QTest::keyClick(a, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), e.find(u"MaskEdit2"_s));
    QCOMPARE(e.text(u"MaskEdit2"_s), u"80.00"_s);
    QCOMPARE(e.text(u"MaskEdit11"_s), u"80.00"_s); // "[A ]" names no item
    QCOMPARE(e.text(u"EditYF"_s), u"880.00"_s);
    QCOMPARE(e.text(u"EditKK"_s), u"80.00"_s);
    QCOMPARE(e.text(u"EditSF"_s), u"800.00"_s);

    // A formula item typed over is overwritten when any item field is left.
    typeInto(e.find(u"MaskEdit2"_s), u"5"_s);
    QCOMPARE(e.text(u"EditYF"_s), u"805.00"_s);
    e.edit(u"MaskEdit11"_s)->setFocus();
    QCOMPARE(e.text(u"MaskEdit2"_s), u"80.00"_s);
    QVERIFY(e.messages.entries.isEmpty());

    // A field that is no number stops the pass with a message naming it.
    typeInto(a, u"8-"_s);
    e.edit(u"EditQM"_s)->setFocus();
    QCOMPARE(e.messages.messages(), QStringList{u"工资项目[A]的“8-”不是有效的数值！"_s});
    QCOMPARE(e.text(u"EditYF"_s), u"88.00"_s); // as for "8", the last text that was a number
}

void TestDetailEdit::incomeTaxExample()
{
    TestFolder tf;
    tf.exec(u"update TPara set GSLimit=3500"_s);
    tf.exec(u"delete from TGSModel"_s);
    tf.exec(u"insert into TGSModel (ClassIdx, YNSTotal, YNSTotalNJ, SLRate, SQKCS) values "
            "(1, 1500, 1500, 3, 0), (2, 4500, 4500, 10, 105), (3, 9000, 9000, 20, 555)"_s);
    defineItems(tf, {u"基本工资"_s}, {u"社保"_s, u"个人所得税=[&个税]"_s});
    Editor e(tf);
    QVERIFY(e.open());
    typeInto(e.find(u"MaskEdit1"_s), u"9000"_s);
    typeInto(e.find(u"MaskEdit11"_s), u"1000"_s);
    e.edit(u"MaskEdit12"_s)->setText(u"777"_s); // an old tax does not lower the new one
    QTest::keyClick(e.find(u"MaskEdit11"_s), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), e.find(u"MaskEdit12"_s));
    QCOMPARE(e.text(u"MaskEdit12"_s), u"345.00"_s);
    QCOMPARE(e.text(u"EditYF"_s), u"9000.00"_s);
    QCOMPARE(e.text(u"EditKK"_s), u"1345.00"_s);
    QCOMPARE(e.text(u"EditSF"_s), u"7655.00"_s);

    // Income equal to the threshold pays nothing.
    typeInto(e.find(u"MaskEdit1"_s), u"4500"_s);
    QTest::keyClick(e.find(u"MaskEdit1"_s), Qt::Key_Tab);
    QCOMPARE(e.text(u"MaskEdit12"_s), u"0.00"_s);
    QVERIFY(e.messages.entries.isEmpty());
}

void TestDetailEdit::proRata()
{
    TestFolder tf;
    defineItems(tf, {u"基本工资"_s, u"岗位工资"_s}, {u"社保"_s});
    Editor e(tf);
    QVERIFY(e.open());
    typeInto(e.find(u"EditWorkDays"_s), u"11"_s);
    const QString days = e.text(u"EditWorkDays"_s);
    typeInto(e.find(u"MaskEdit1"_s), u"3000"_s);
    typeInto(e.find(u"MaskEdit2"_s), u"801"_s);
    typeInto(e.find(u"MaskEdit11"_s), u"100"_s);

    QStringList shown;
    quor::ScopedDialogRunner runner([&shown](QDialog &dialog) {
        dialog.show();
        auto *due = dialog.findChild<QLineEdit *>(u"EditTotalDay"_s);
        auto *actual = dialog.findChild<QLineEdit *>(u"EditTrueDay"_s);
        shown = {dialog.windowTitle(), due->text(), actual->text(),
                 dialog.findChild<QPushButton *>(u"Button1"_s)->text(),
                 dialog.findChild<QPushButton *>(u"Button2"_s)->text()};
        QTest::mouseClick(dialog.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        return dialog.result();
    });
    e.click(u"Button3"_s);
    QCOMPARE(shown, (QStringList{u"应发工资不满1月自动计算参数"_s, u"22"_s, u"11.00"_s, u"确认(&E)"_s, u"取消(&X)"_s}));
    QCOMPARE(e.text(u"MaskEdit1"_s), u"1500.00"_s);
    QCOMPARE(e.text(u"MaskEdit2"_s), u"400.50"_s);
    QCOMPARE(e.text(u"MaskEdit11"_s), u"100"_s);
    QCOMPARE(e.text(u"EditWorkDays"_s), days);
    QCOMPARE(e.text(u"EditYF"_s), u"1900.50"_s);
    QCOMPARE(e.text(u"EditSF"_s), u"1800.50"_s);
    QVERIFY(e.messages.entries.isEmpty());
}

void TestDetailEdit::proRataChecks_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("message");
    QTest::newRow("due 0") << u"0"_s << u"11"_s << u"本月应上班天数不能为0"_s;
    QTest::newRow("due empty") << QString() << u"11"_s << u"本月应上班天数不能为0"_s;
    QTest::newRow("due 32") << u"32"_s << u"11"_s << u"本月应上班天数不能大于31"_s;
    QTest::newRow("actual 31.5") << u"31"_s << u"31.5"_s << u"本月实际上班天数不能大于31"_s;
    QTest::newRow("due 0 comes first") << u"0"_s << u"45"_s << u"本月应上班天数不能为0"_s;
}

void TestDetailEdit::proRataChecks()
{
    QFETCH(QString, due);
    QFETCH(QString, actual);
    QFETCH(QString, message);
    TestFolder tf;
    Editor e(tf);
    QVERIFY(e.open());
    typeInto(e.find(u"MaskEdit1"_s), u"3000"_s);

    bool stayedOpen = false;
    quor::ScopedDialogRunner runner([&](QDialog &dialog) {
        dialog.show();
        typeInto(dialog.findChild<QWidget *>(u"EditTotalDay"_s), due);
        typeInto(dialog.findChild<QWidget *>(u"EditTrueDay"_s), actual);
        QTest::mouseClick(dialog.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
        stayedOpen = dialog.isVisible();
        QTest::mouseClick(dialog.findChild<QPushButton *>(u"Button2"_s), Qt::LeftButton);
        return dialog.result();
    });
    e.click(u"Button3"_s);
    QVERIFY(stayedOpen);
    QCOMPARE(e.messages.messages(), QStringList{message});
    QCOMPARE(e.text(u"MaskEdit1"_s), u"3000"_s);
}

void TestDetailEdit::rateTimesTime_data()
{
    QTest::addColumn<int>("printDays");
    QTest::addColumn<QString>("first");
    QTest::newRow("days × day rate") << 1 << u"4300.00"_s;
    QTest::newRow("hours × hour rate") << 2 << u"34400.00"_s;
    QTest::newRow("pieces × piece rate") << 3 << u"4300.00"_s;
}

void TestDetailEdit::rateTimesTime()
{
    QFETCH(int, printDays);
    QFETCH(QString, first);
    TestFolder tf;
    tf.exec(u"update TPara set PrintDays=?"_s, {printDays});
    defineItems(tf, {u"计时工资"_s, u"加班=[计时工资]*0.1"_s}, {});
    Editor e(tf);
    QVERIFY(e.open());
    typeInto(e.find(u"EditWorkDays"_s), u"21.5"_s);
    e.edit(u"EditWorkHours"_s)->setText(u"172"_s);
    typeInto(e.find(u"EditOneDayMOney"_s), u"200"_s);
    e.click(u"Button5"_s);
    QCOMPARE(e.text(u"MaskEdit1"_s), first);
    QCOMPARE(e.text(u"MaskEdit2"_s), quor::formatFixed(e.text(u"MaskEdit1"_s).toDouble() * 0.1, 2));
    QCOMPARE(e.text(u"EditYF"_s), quor::formatFixed(e.text(u"MaskEdit1"_s).toDouble() * 1.1, 2));
    QVERIFY(e.messages.entries.isEmpty());
}

void TestDetailEdit::enterFollowsTheTabOrder()
{
    TestFolder tf;
    defineItems(tf, numbered(u"E"_s, 30), numbered(u"D"_s, 15));
    Editor e(tf);
    QVERIFY(e.open());
    const auto edits = [](const QList<int> &numbers) {
        QStringList names;
        for (int n : numbers)
            names.append(u"MaskEdit"_s + QString::number(n));
        return names;
    };
    // Positions 21–25 (controls 51–55) and 6–10 (controls 41–45) run right to left.
    const QStringList expected =
        QStringList{u"cmbDepart"_s, u"EditBM"_s, u"cmbEmpName"_s, u"cmbZWName"_s}
        + edits({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 55, 54, 53, 52, 51, 56, 57,
                 58, 59, 60, 11, 12, 13, 14, 15, 45, 44, 43, 42, 41, 71, 72, 73, 74, 75})
        + QStringList{u"EditYF"_s, u"EditKK"_s, u"EditSF"_s, u"Button1"_s};
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);

    // After the buttons: attendance, the rate, then the contact rows, wrapping round.
    const auto walk = [](QWidget *from, int steps) {
        from->setFocus();
        QStringList names{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
            names.append(QApplication::focusWidget()->objectName());
        }
        return names;
    };
    QCOMPARE(walk(e.find(u"EditWorkDays"_s), 3),
             (QStringList{u"EditWorkDays"_s, u"EditWorkHours"_s, u"EditOneDayMOney"_s, u"Button5"_s}));
    QCOMPARE(walk(e.find(u"EditMobileCode"_s), 5), (QStringList{u"EditMobileCode"_s, u"EditBankNo"_s, u"EditQM"_s,
                                                                 u"EditEMail"_s, u"EditMonth"_s, u"cmbDepart"_s}));
    QVERIFY(e.messages.entries.isEmpty());
}

void TestDetailEdit::enterPressesButtons()
{
    TestFolder tf;
    Editor e(tf);
    QVERIFY(e.open());
    int opened = 0;
    quor::ScopedDialogRunner runner([&opened](QDialog &dialog) {
        ++opened;
        dialog.reject();
        return dialog.result();
    });
    e.find(u"Button3"_s)->setFocus();
    QTest::keyClick(e.find(u"Button3"_s), Qt::Key_Return);
    QCOMPARE(opened, 1);
    e.find(u"Button2"_s)->setFocus();
    QTest::keyClick(e.find(u"Button2"_s), Qt::Key_Return);
    QVERIFY(!e.dialog->isVisible());
    QCOMPARE(e.dialog->result(), int(QDialog::Rejected));
}

void TestDetailEdit::largerFontScalesTheLayout()
{
    TestFolder tf;
    QFont font = QApplication::font();
    font.setPointSize(18);
    QApplication::setFont(font);
    Editor e(tf);
    QVERIFY(e.open());
    const double scale = e.dialog->layoutScale();
    QVERIFY2(scale > 1.8 && scale < 2.3, qPrintable(QString::number(scale)));
    QCOMPARE(e.dialog->size(), QSize(qRound(563 * scale), qRound(642 * scale)));
    QCOMPARE(e.find(u"GroupBox1"_s)->geometry(),
             QRect(qRound(8 * scale), qRound(72 * scale), qRound(409 * scale) - qRound(8 * scale),
                   qRound(337 * scale) - qRound(72 * scale)));
    // Every caption still fits its label at the larger font.
    for (QLabel *label : e.dialog->findChildren<QLabel *>()) {
        if (label->isVisible())
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
    }
    QVERIFY(e.find(u"MaskEdit1"_s)->height() >= e.find(u"MaskEdit1"_s)->fontMetrics().height());
}

void TestDetailEdit::calculatorStartsTheFirstFound()
{
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const auto program = [&bin](const QString &name) {
        QFile f(bin.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho " + name.toUtf8() + " > '" + bin.filePath(u"started"_s).toUtf8() + "'\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());

    TestFolder tf;
    Editor e(tf);
    QVERIFY(e.open());
    e.click(u"Button4"_s); // none there: nothing happens
    QTest::qWait(100);
    QVERIFY(!QFile::exists(bin.filePath(u"started"_s)));

    program(u"xcalc"_s);
    program(u"galculator"_s);
    e.click(u"Button4"_s);
    const auto started = [&bin] {
        QFile f(bin.filePath(u"started"_s));
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
    };
    QTRY_COMPARE(started(), QByteArray("galculator"));
    qputenv("PATH", path);
    QVERIFY(e.messages.entries.isEmpty());
}

QTEST_MAIN(TestDetailEdit)
#include "tst_detailedit.moc"
