#include "app/frmmaingzt.h"
#include "app/recordlistmodel.h"

#include "common/gbk.h"
#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kFirstRunText = u"您是首次运行本软件，点击确认按钮然后查看软件使用动画说明！"_s;

// A program started on a test folder: session and main window.
struct Program
{
    explicit Program(const TestFolder &tf)
        : session(tf.folder(), messages)
        , window(std::make_unique<quor::TfrmMainGZT>(session))
    {
    }
    FakeMessages messages;
    quor::Session session;
    std::unique_ptr<quor::TfrmMainGZT> window;

    template<typename T>
    T *find(const QString &name) const { return window->findChild<T *>(name); }
    QStringList comboItems(const QString &name) const
    {
        QStringList items;
        auto *combo = find<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titleWithoutIisIni();
    void brandingFromGbkIni();
    void login_data();
    void login();
    void firstAndSecondRun();
    void monthListNewestFirst();
    void emptyMonthList();
    void filterListsCoverAllMonths();
    void startsWithoutDatabase();
    void parametersWithNulls_data();
    void parametersWithNulls();
    void completesItemSetsAtStart();
    void toolbarCommands();
    void recordBoxCommands();
    void helpCommandOpensGuide();
    void closeCommandClosesWindow();
};

void TestMainWindow::titleWithoutIisIni()
{
    TestFolder tf;
    Program p(tf);
    QCOMPARE(p.window->windowTitle(), u"岚舟工资条制作打印软件"_s);
    QCOMPARE(p.session.state.brand, u"岚舟"_s);
    QVERIFY(!p.session.state.homePage.isEmpty());
    QVERIFY(!p.session.state.brandEntName.isEmpty());
    QVERIFY(p.messages.entries.isEmpty());
}

void TestMainWindow::brandingFromGbkIni()
{
    TestFolder tf;
    QVERIFY(tf.write(u"iis.ini"_s, quor::encodeGbk(u"[Last]\r\nEntName=云帆科技\r\nHomePage=http://yf.example.com\r\n"
                                                    "Brand=云帆\r\n"_s)));
    Program p(tf);
    QCOMPARE(p.window->windowTitle(), u"云帆工资条制作打印软件"_s);
    QCOMPARE(p.session.state.brandEntName, u"云帆科技"_s);
    QCOMPARE(p.session.state.homePage, u"http://yf.example.com"_s);
}

void TestMainWindow::login_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("prompted");
    QTest::addColumn<bool>("ends");

    QTest::newRow("initial 746 asks nothing") << u"746"_s << QString() << false << false;
    QTest::newRow("empty asks nothing") << QString() << QString() << false << false;
    QTest::newRow("right password") << u"Secret"_s << u"Secret"_s << true << false;
    QTest::newRow("other letter case fails") << u"Secret"_s << u"secret"_s << true << true;
    QTest::newRow("cancelled prompt fails") << u"Secret"_s << QString() << true << true;
    QTest::newRow("trailing blank counts") << u"Secret"_s << u"Secret "_s << true << true;
}

void TestMainWindow::login()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, prompted);
    QFETCH(bool, ends);

    TestFolder tf;
    tf.exec(u"update TPara set LogPass=?"_s, {stored});
    tf.exec(u"insert into TGZMonth (GZMonth) values ('202401')"_s);
    QVERIFY(tf.write(u"NotFirst.txt"_s, {}));
    Program p(tf);
    p.messages.passwords = {typed};
    QSignalSpy ended(p.window.get(), &quor::TfrmMainGZT::programEnded);
    p.window->show();
    QVERIFY(p.window->firstActivationPending());

    p.window->FormActivate();
    p.window->FormActivate(); // only the first activation counts
    QVERIFY(!p.window->firstActivationPending());

    QStringList expected;
    if (prompted)
        expected << u"请输入登陆密码："_s;
    if (ends)
        expected << u"密码错误！"_s;
    QCOMPARE(p.messages.texts(), expected);
    if (prompted)
        QCOMPARE(p.messages.entries.first().caption, u"请输入登陆密码："_s);
    QCOMPARE(ended.count(), ends ? 1 : 0);
    QCOMPARE(p.session.dm.isOpen(), !ends);
    QCOMPARE(p.window->isVisible(), !ends);
    QCOMPARE(p.window->recordsOpen(), !ends);
    QCOMPARE(p.window->backupTimer()->isActive(), !ends);
}

void TestMainWindow::firstAndSecondRun()
{
    TestFolder tf;
    {
        Program first(tf);
        first.window->FormActivate();
        QCOMPARE(first.messages.texts(), (QStringList{kFirstRunText, tf.path(u"Help\\VelGZ.htm"_s)}));
        QVERIFY(first.messages.opened().first().endsWith(u"/Help/VelGZ.htm"_s));
        QVERIFY(QFileInfo::exists(tf.path(u"NotFirst.txt"_s)));
        QVERIFY(!first.window->backupTimer()->isActive()); // no backup check on the very first run
    }
    {
        Program second(tf);
        second.window->FormActivate();
        QVERIFY(second.messages.entries.isEmpty());
        QTimer *timer = second.window->backupTimer();
        QVERIFY(timer->isActive());
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 3000); // fires once
    }
}

void TestMainWindow::monthListNewestFirst()
{
    TestFolder tf;
    tf.exec(u"insert into TGZMonth (GZMonth) values ('202410'), ('202412'), ('202411')"_s);
    tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpName) values ('202411', '生产部', '张三'), "
            "('202410', '财务部', '李四')"_s);
    QVERIFY(tf.write(u"NotFirst.txt"_s, {}));
    Program p(tf);
    QCOMPARE(p.find<QGroupBox>(u"gbDetail"_s)->title(), u"月度[XXXX]工资发放明细表"_s); // nothing before the login
    p.window->FormActivate();
    auto *grid = p.find<QTableView>(u"DBGridEh1"_s);
    QAbstractItemModel *model = grid->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), u"编号"_s);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), u"发放月度"_s);
    const QStringList keys = {u"202411"_s, u"202412"_s, u"202410"_s}; // creation order, newest first
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(model->index(row, 0).data().toInt(), row + 1);
        QCOMPARE(model->index(row, 1).data().toString(), keys.at(row));
    }
    QCOMPARE(p.window->selectedMonth(), u"202411"_s);
    QCOMPARE(p.find<QGroupBox>(u"gbDetail"_s)->title(), u"月度[202411]工资发放明细表"_s);

    // Choosing another month shows its key.
    grid->setCurrentIndex(model->index(2, 1));
    QCOMPARE(p.window->selectedMonth(), u"202410"_s);
    QCOMPARE(p.find<QGroupBox>(u"gbDetail"_s)->title(), u"月度[202410]工资发放明细表"_s);
    QCOMPARE(p.comboItems(u"cmbEmpName"_s), QStringList{u"李四"_s});
}

void TestMainWindow::emptyMonthList()
{
    TestFolder tf;
    Program p(tf);
    QVERIFY(!p.window->hasMonth());
    QCOMPARE(p.window->selectedMonth(), QString());
    QCOMPARE(p.find<QGroupBox>(u"gbDetail"_s)->title(), u"月度[XXXX]工资发放明细表"_s);
}

void TestMainWindow::filterListsCoverAllMonths()
{
    TestFolder tf;
    tf.exec(u"insert into TGZMonth (GZMonth) values ('202401'), ('202402')"_s);
    tf.exec(u"insert into TGZ (GZMonth, DepartName, EmpName) values ('202401', 'B部', '乙'), "
            "('202401', 'A部', '甲'), ('202402', 'B部', '丙'), ('202402', '', '丁'), ('202402', NULL, '甲')"_s);
    Program p(tf);
    QCOMPARE(p.window->selectedMonth(), u"202402"_s);
    QCOMPARE(p.comboItems(u"cmbDepart"_s), (QStringList{u"A部"_s, u"B部"_s}));
    // Filled over all months after the newest month was loaded.
    QCOMPARE(p.comboItems(u"cmbEmpName"_s).size(), 4);
    QCOMPARE(p.comboItems(u"cmbEmpCode"_s), QStringList());
    for (const QString &name : {u"cmbDepart"_s, u"cmbEmpName"_s, u"cmbEmpCode"_s})
        QCOMPARE(p.find<QComboBox>(name)->currentText(), QString());
}

void TestMainWindow::startsWithoutDatabase()
{
    TestFolder tf(TestFolder::WithoutDatabase);
    QVERIFY(tf.write(u"NotFirst.txt"_s, {}));
    Program p(tf);
    QCOMPARE(p.messages.texts(),
             QStringList{u"请确认您的程序是否安装正确，或者没有安装MDAC数据访问组件！"_s});
    QCOMPARE(p.window->windowTitle(), u"岚舟工资条制作打印软件"_s);
    QVERIFY(!p.window->hasMonth());
    QVERIFY(!p.window->records()->showDecimals());
    p.window->FormActivate();
    QCOMPARE(p.messages.entries.size(), 1);
    QVERIFY(!QFileInfo::exists(tf.databasePath()));
}

void TestMainWindow::parametersWithNulls_data()
{
    QTest::addColumn<QString>("update");
    QTest::addColumn<QString>("format");
    QTest::newRow("all null") << u"update TPara set EntName=NULL, LogPass=NULL, GSLimit=NULL, PrintDays=NULL, "
                                 "ShowFloat=NULL, ShowXH=NULL, TopPos=NULL, JJUnit=NULL, PageWidth=NULL"_s
                              << u"0"_s;
    QTest::newRow("decimals") << u"update TPara set ShowFloat=1"_s << u"0.00"_s;
    QTest::newRow("whole units") << u"update TPara set ShowFloat=0"_s << u"0"_s;
}

void TestMainWindow::parametersWithNulls()
{
    QFETCH(QString, update);
    QFETCH(QString, format);
    TestFolder tf;
    tf.exec(update);
    Program p(tf);
    QCOMPARE(p.window->records()->showDecimals(), format == u"0.00"_s);
    QVERIFY(p.messages.entries.isEmpty());
}

void TestMainWindow::completesItemSetsAtStart()
{
    TestFolder tf;
    tf.exec(u"delete from TGZSet where GZField1 in ('KK15', 'GZ30')"_s);
    Program p(tf);
    QCOMPARE(p.session.dm.GetDataBySQL(u"select Count(*) from TGZSet where GZMonth='BASE'"_s), u"45"_s);
}

void TestMainWindow::toolbarCommands()
{
    TestFolder tf;
    Program p(tf);
    auto *toolBar = p.find<QToolBar>(u"ToolBar1"_s);
    QStringList captions;
    for (QAction *action : toolBar->actions()) {
        if (auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(action)))
            captions.append(button->text());
    }
    QCOMPARE(captions, (QStringList{u"工资编辑与打印"_s, u"工资统计"_s, u"工资项目参数设置"_s, u"系统参数设置"_s,
                                    u"发送Excel"_s, u"从Excel导入"_s, u"数据库维护"_s, u"在线升级"_s, u"帮助"_s,
                                    u"关闭"_s}));

    const auto menuTexts = [&](const QString &button) {
        QStringList texts;
        for (QAction *a : p.find<QToolButton>(button)->menu()->actions())
            texts.append(a->text());
        return texts;
    };
    QCOMPARE(menuTexts(u"tbEditPrint"_s), (QStringList{u"打印明细表"_s, u"打印工资条"_s, u"POS工资条"_s}));
    QCOMPARE(menuTexts(u"ToolButton1"_s),
             (QStringList{u"基本参数设置"_s, u"设置登陆密码"_s, u"职务字典"_s, u"个人所得税规则"_s}));
    QCOMPARE(menuTexts(u"tbExcel"_s), (QStringList{u"发送Excel2010以下版本(快速)"_s, u"发送Excel （较慢）"_s}));
    QCOMPARE(menuTexts(u"TBDatabase"_s), (QStringList{u"数据库备份"_s, u"数据库还原"_s, u"数据清除"_s}));
    QCOMPARE(menuTexts(u"TBHelp"_s), (QStringList{u"动画教程"_s, u"界面风格"_s, u"关于.."_s}));
    QStringList skins;
    for (QAction *a : p.find<QMenu>(u"mnuSkin"_s)->actions())
        skins.append(a->text());
    QCOMPARE(skins, (QStringList{u"沙漠"_s, u"夜色"_s, u"蓝天"_s, u"绿草"_s, u"柔和旧苹果界面"_s}));

    // What works is enabled; the rest is shown but disabled.
    QVERIFY(p.find<QToolButton>(u"ToolButton2"_s)->isEnabled());
    QVERIFY(p.find<QToolButton>(u"TBHelp"_s)->isEnabled());
    QVERIFY(p.find<QAction>(u"N13"_s)->isEnabled());
    QVERIFY(!p.find<QAction>(u"N15"_s)->isEnabled());
    QVERIFY(!p.find<QToolButton>(u"TBDatabase"_s)->isEnabled());
    QVERIFY(!p.find<QToolButton>(u"tbStatistics"_s)->isEnabled());
}

void TestMainWindow::recordBoxCommands()
{
    TestFolder tf;
    Program p(tf);
    QCOMPARE(p.find<QGroupBox>(u"gbMonth"_s)->title(), u"工资发放月度"_s);
    const QList<std::pair<QString, QString>> buttons = {
        {u"Button1"_s, u"增加月度"_s}, {u"Button2"_s, u"修改"_s}, {u"Button3"_s, u"删除"_s},
        {u"Button15"_s, u"清除条件"_s}, {u"Button4"_s, u"增加明细"_s}, {u"Button5"_s, u"修改明细"_s},
        {u"Button6"_s, u"删除明细"_s}, {u"btnPrintList"_s, u"打印明细表"_s}, {u"btnPrintBill"_s, u"打印工资条"_s},
        {u"btnPosBill"_s, u"POS工资条"_s}, {u"Button9"_s, u"月度数据复制"_s}, {u"Button10"_s, u"职员数据复制"_s},
        {u"btnEMail"_s, u"生成电子工资条并EMail"_s}};
    for (const auto &[name, text] : buttons) {
        auto *button = p.find<QPushButton>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->text(), text);
    }
    QStringList bill;
    for (QAction *a : p.find<QPushButton>(u"btnPrintBill"_s)->menu()->actions())
        bill.append(a->text());
    QCOMPARE(bill, (QStringList{u"工资单-全部打印"_s, u"工资单-打印选定行"_s, u"工资条-全部打印"_s,
                                u"工资条-打印选定行"_s}));
    QStringList popup;
    for (QAction *a : p.find<QMenu>(u"PopupDetail"_s)->actions()) {
        if (!a->isSeparator())
            popup.append(a->text());
    }
    QCOMPARE(popup, (QStringList{u"增加明细"_s, u"修改明细"_s, u"删除明细"_s, u"发送到&Excel"_s,
                                 u"发送到Exce&l（临时文件方式）"_s, u"批量删除-先鼠标拖选"_s,
                                 u"列表打印-打印选定行"_s}));
}

void TestMainWindow::helpCommandOpensGuide()
{
    TestFolder tf;
    Program p(tf);
    p.find<QAction>(u"N13"_s)->trigger();
    QCOMPARE(p.messages.opened(), QStringList{tf.path(u"Help\\VelGZ.htm"_s)});
}

void TestMainWindow::closeCommandClosesWindow()
{
    TestFolder tf;
    QVERIFY(tf.write(u"NotFirst.txt"_s, {}));
    Program p(tf);
    p.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
    QTest::mouseClick(p.find<QToolButton>(u"ToolButton2"_s), Qt::LeftButton);
    QVERIFY(!p.window->isVisible());
    QVERIFY(p.messages.unscripted == 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
