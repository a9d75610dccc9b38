#include "frmmaingzt.h"

#include "branding.h"
#include "monthlistmodel.h"

#include "calc/frmgsbaseset.h"
#include "common/textfile.h"
#include "data/session.h"
#include "data/structupdate.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

const QString kFirstRunMarker = u"NotFirst.txt"_s;
const QString kHelpPage = u"Help\\VelGZ.htm"_s;
const QString kSkinFile = u"rpt\\Skin.Skn"_s;

// Commands whose work is not part of the program yet are shown but disabled;
// connecting a handler enables them.
QAction *addCommand(QMenu *menu, const QString &name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setEnabled(false);
    return action;
}

QPushButton *commandButton(QWidget *parent, const QString &name, const QString &text, QMenu *menu = nullptr)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setEnabled(false);
    button->setAutoDefault(false);
    if (menu)
        button->setMenu(menu);
    return button;
}

QMenu *newMenu(QWidget *parent, const QString &name)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(name);
    return menu;
}

bool anyEnabled(const QMenu *menu)
{
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions) {
        if (action->isSeparator())
            continue;
        if (action->menu() ? anyEnabled(action->menu()) : action->isEnabled())
            return true;
    }
    return false;
}

void clearFilterText(QComboBox *combo)
{
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

} // namespace

TfrmMainGZT::TfrmMainGZT(Session &session, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_months(new MonthListModel(this))
{
    setObjectName(u"TfrmMainGZT"_s);
    buildToolBar();

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(u"Splitter1"_s);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(buildMonthBox());
    splitter->addWidget(buildRecordBox());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 1100});
    setCentralWidget(splitter);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(u"Timer1"_s);
    m_timer1->setInterval(1000);
    m_timer1->setSingleShot(true);
    connect(m_timer1, &QTimer::timeout, this, &TfrmMainGZT::Timer1Timer);

    // The start-up sequence.
    m_session.state.topPos = 2;
    ReadyPara();
    setWindowTitle(m_session.state.windowTitle());
    QCoreApplication::setApplicationName(m_session.state.windowTitle());
    m_session.state.logPass.clear();
    StructUpdate(m_session.dm);
    LoadRegPara();
    ReadyMonth();
    applySkin();
    m_activationPending = true;
    fillFilterLists();
}

TfrmMainGZT::~TfrmMainGZT() = default;

void TfrmMainGZT::buildToolBar()
{
    m_toolBar = addToolBar(u"工具栏"_s);
    m_toolBar->setObjectName(u"ToolBar1"_s);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);

    const auto toolButton = [this](const QString &name, const QString &text, QMenu *menu = nullptr,
                                   QStyle::StandardPixmap icon = QStyle::SP_FileIcon) {
        auto *button = new QToolButton(m_toolBar);
        button->setObjectName(name);
        button->setText(text);
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumWidth(64);
        button->setEnabled(false);
        if (menu) {
            button->setMenu(menu);
            button->setPopupMode(QToolButton::InstantPopup);
            // Room on both sides of the centred caption keeps the menu arrow off it.
            button->setMinimumWidth(button->fontMetrics().horizontalAdvance(text) + 36);
        }
        m_toolBar->addWidget(button);
        return button;
    };

    QMenu *printMenu = newMenu(this, u"PopupPrint"_s);
    addCommand(printMenu, u"mnuPrintList"_s, u"打印明细表"_s);
    addCommand(printMenu, u"mnuPrintBill"_s, u"打印工资条"_s);
    addCommand(printMenu, u"mnuPosPrint"_s, u"POS工资条"_s);
    toolButton(u"tbEditPrint"_s, u"工资编辑与打印"_s, printMenu, QStyle::SP_FileDialogDetailedView);

    toolButton(u"tbStatistics"_s, u"工资统计"_s, nullptr, QStyle::SP_FileDialogContentsView);
    toolButton(u"ToolButton21"_s, u"工资项目参数设置"_s, nullptr, QStyle::SP_FileDialogListView);

    QMenu *paraMenu = newMenu(this, u"PopupPara"_s);
    addCommand(paraMenu, u"N26"_s, u"基本参数设置"_s);
    addCommand(paraMenu, u"N28"_s, u"设置登陆密码"_s);
    addCommand(paraMenu, u"N30"_s, u"职务字典"_s);
    QAction *taxRules = addCommand(paraMenu, u"mnuGSRule"_s, u"个人所得税规则"_s);
    taxRules->setEnabled(true);
    connect(taxRules, &QAction::triggered, this, &TfrmMainGZT::showTaxRules);
    toolButton(u"ToolButton1"_s, u"系统参数设置"_s, paraMenu, QStyle::SP_ComputerIcon);

    QMenu *excelMenu = newMenu(this, u"PopupExcel"_s);
    addCommand(excelMenu, u"mnuExcelFast"_s, u"发送Excel2010以下版本(快速)"_s);
    addCommand(excelMenu, u"mnuExcelStyled"_s, u"发送Excel （较慢）"_s);
    toolButton(u"tbExcel"_s, u"发送Excel"_s, excelMenu, QStyle::SP_DialogSaveButton);

    toolButton(u"tbImport"_s, u"从Excel导入"_s, nullptr, QStyle::SP_DialogOpenButton);

    QMenu *dbMenu = newMenu(this, u"PopupDatabase"_s);
    addCommand(dbMenu, u"MenuItem1"_s, u"数据库备份"_s);
    addCommand(dbMenu, u"MenuItem2"_s, u"数据库还原"_s);
    addCommand(dbMenu, u"N2"_s, u"数据清除"_s);
    toolButton(u"TBDatabase"_s, u"数据库维护"_s, dbMenu, QStyle::SP_DriveHDIcon);

    toolButton(u"ToolButton11"_s, u"在线升级"_s, nullptr, QStyle::SP_BrowserReload);

    QMenu *helpMenu = newMenu(this, u"PopupHelp"_s);
    QAction *help = addCommand(helpMenu, u"N13"_s, u"动画教程"_s);
    connect(help, &QAction::triggered, this, &TfrmMainGZT::showHelp);
    help->setEnabled(true);
    QMenu *skinMenu = helpMenu->addMenu(u"界面风格"_s);
    skinMenu->setObjectName(u"mnuSkin"_s);
    const QStringList skins = {u"沙漠"_s, u"夜色"_s, u"蓝天"_s, u"绿草"_s, u"柔和旧苹果界面"_s};
    for (int n = 1; n <= skins.size(); ++n)
        addCommand(skinMenu, u"N32_"_s + QString::number(n), skins.at(n - 1))->setData(n);
    skinMenu->menuAction()->setEnabled(false);
    addCommand(helpMenu, u"N15"_s, u"关于.."_s);
    toolButton(u"TBHelp"_s, u"帮助"_s, helpMenu, QStyle::SP_DialogHelpButton);

    QToolButton *closeButton = toolButton(u"ToolButton2"_s, u"关闭"_s, nullptr, QStyle::SP_DialogCloseButton);
    closeButton->setEnabled(true);
    connect(closeButton, &QToolButton::clicked, this, &TfrmMainGZT::closeCommand);

    // A menu button is usable as soon as one of its entries is.
    const QList<QToolButton *> buttons = m_toolBar->findChildren<QToolButton *>();
    for (QToolButton *button : buttons) {
        if (button->menu())
            button->setEnabled(anyEnabled(button->menu()));
    }
}

QWidget *TfrmMainGZT::buildMonthBox()
{
    m_monthBox = new QGroupBox(u"工资发放月度"_s);
    m_monthBox->setObjectName(u"gbMonth"_s);

    m_monthGrid = new QTableView(m_monthBox);
    m_monthGrid->setObjectName(u"DBGridEh1"_s);
    m_monthGrid->setModel(m_months);
    m_monthGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_monthGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_monthGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_monthGrid->verticalHeader()->hide();
    m_monthGrid->horizontalHeader()->setStretchLastSection(true);
    m_monthGrid->setColumnWidth(MonthListModel::NumberColumn, 48);
    m_monthGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_monthGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfrmMainGZT::dsGZMonthAfterScroll);

    QMenu *popup = newMenu(this, u"PopupMonth"_s);
    addCommand(popup, u"mnuAddMonth"_s, u"增加月度"_s);
    addCommand(popup, u"mnuEditMonth"_s, u"修改月度"_s);
    addCommand(popup, u"mnuDeleteMonth"_s, u"删除月度"_s);
    connect(m_monthGrid, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &pos) { popup->popup(m_monthGrid->viewport()->mapToGlobal(pos)); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(commandButton(m_monthBox, u"Button1"_s, u"增加月度"_s));
    buttons->addWidget(commandButton(m_monthBox, u"Button2"_s, u"修改"_s));
    buttons->addWidget(commandButton(m_monthBox, u"Button3"_s, u"删除"_s));

    auto *layout = new QVBoxLayout(m_monthBox);
    layout->addWidget(m_monthGrid, 1);
    layout->addLayout(buttons);
    m_monthBox->setMinimumWidth(200);
    return m_monthBox;
}

QWidget *TfrmMainGZT::buildRecordBox()
{
    m_recordBox = new QGroupBox(u"月度[XXXX]工资发放明细表"_s);
    m_recordBox->setObjectName(u"gbDetail"_s);

    const auto filterCombo = [this](const QString &name) {
        auto *combo = new QComboBox(m_recordBox);
        combo->setObjectName(name);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMinimumContentsLength(10);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return combo;
    };
    m_cmbDepart = filterCombo(u"cmbDepart"_s);
    m_cmbEmpName = filterCombo(u"cmbEmpName"_s);
    m_cmbEmpCode = filterCombo(u"cmbEmpCode"_s);

    auto *filterBar = new QHBoxLayout;
    filterBar->addWidget(new QLabel(u"部门："_s, m_recordBox));
    filterBar->addWidget(m_cmbDepart);
    filterBar->addSpacing(8);
    filterBar->addWidget(new QLabel(u"姓名："_s, m_recordBox));
    filterBar->addWidget(m_cmbEmpName);
    filterBar->addSpacing(8);
    filterBar->addWidget(new QLabel(u"职员编码："_s, m_recordBox));
    filterBar->addWidget(m_cmbEmpCode);
    filterBar->addSpacing(8);
    filterBar->addWidget(commandButton(m_recordBox, u"Button15"_s, u"清除条件"_s));
    filterBar->addStretch();

    m_recordGrid = new QTableView(m_recordBox);
    m_recordGrid->setObjectName(u"DBGridEh2"_s);
    m_recordGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_recordGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_recordGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_recordGrid->setContextMenuPolicy(Qt::CustomContextMenu);

    QMenu *popup = newMenu(this, u"PopupDetail"_s);
    addCommand(popup, u"mnuAddDetail"_s, u"增加明细"_s);
    addCommand(popup, u"mnuEditDetail"_s, u"修改明细"_s);
    addCommand(popup, u"mnuDeleteDetail"_s, u"删除明细"_s);
    popup->addSeparator();
    addCommand(popup, u"mnuSendExcel"_s, u"发送到&Excel"_s);
    addCommand(popup, u"mnuSendExcelTmp"_s, u"发送到Exce&l（临时文件方式）"_s);
    popup->addSeparator();
    addCommand(popup, u"N4"_s, u"批量删除-先鼠标拖选"_s);
    addCommand(popup, u"mnuPrintSelected"_s, u"列表打印-打印选定行"_s);
    connect(m_recordGrid, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &pos) { popup->popup(m_recordGrid->viewport()->mapToGlobal(pos)); });

    QMenu *billMenu = newMenu(this, u"PopupBill"_s);
    addCommand(billMenu, u"mnuSheetAll"_s, u"工资单-全部打印"_s);
    addCommand(billMenu, u"mnuSheetSelected"_s, u"工资单-打印选定行"_s);
    addCommand(billMenu, u"mnuSlipAll"_s, u"工资条-全部打印"_s);
    addCommand(billMenu, u"mnuSlipSelected"_s, u"工资条-打印选定行"_s);
    QMenu *posMenu = newMenu(this, u"PopupPos"_s);
    addCommand(posMenu, u"mnuPosAll"_s, u"全部打印"_s);
    addCommand(posMenu, u"mnuPosSelected"_s, u"打印选定行"_s);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(commandButton(m_recordBox, u"Button4"_s, u"增加明细"_s));
    buttons->addWidget(commandButton(m_recordBox, u"Button5"_s, u"修改明细"_s));
    buttons->addWidget(commandButton(m_recordBox, u"Button6"_s, u"删除明细"_s));
    buttons->addSpacing(12);
    buttons->addWidget(commandButton(m_recordBox, u"btnPrintList"_s, u"打印明细表"_s));
    buttons->addWidget(commandButton(m_recordBox, u"btnPrintBill"_s, u"打印工资条"_s, billMenu));
    buttons->addWidget(commandButton(m_recordBox, u"btnPosBill"_s, u"POS工资条"_s, posMenu));
    buttons->addSpacing(12);
    buttons->addWidget(commandButton(m_recordBox, u"Button9"_s, u"月度数据复制"_s));
    buttons->addWidget(commandButton(m_recordBox, u"Button10"_s, u"职员数据复制"_s));
    buttons->addSpacing(12);
    buttons->addWidget(commandButton(m_recordBox, u"btnEMail"_s, u"生成电子工资条并EMail"_s));
    buttons->addStretch();

    auto *layout = new QVBoxLayout(m_recordBox);
    layout->addLayout(filterBar);
    layout->addWidget(m_recordGrid, 1);
    layout->addLayout(buttons);
    return m_recordBox;
}

void TfrmMainGZT::ReadyPara()
{
    readBranding(m_session.folder, m_session.state);
}

void TfrmMainGZT::LoadRegPara()
{
    if (loadParameters(m_session.dm, m_session.state))
        SetFloatFormat();
}

void TfrmMainGZT::SetFloatFormat()
{
    m_floatFormat = m_session.state.amountFormat();
}

void TfrmMainGZT::ReadyMonth()
{
    m_months->load(m_session.dm);
    if (m_months->rowCount() > 0)
        m_monthGrid->setCurrentIndex(m_months->index(0, MonthListModel::MonthColumn));
}

QString TfrmMainGZT::selectedMonth() const
{
    const QModelIndex current = m_monthGrid->currentIndex();
    if (!current.isValid() || current.row() >= m_months->rowCount())
        return {};
    return m_months->month(current.row()).key;
}

bool TfrmMainGZT::hasMonth() const
{
    return m_months->rowCount() > 0;
}

void TfrmMainGZT::dsGZMonthAfterScroll()
{
    const QString month = selectedMonth();
    ReadyGZList(month);
    QStringList names;
    m_session.dm.GetDataBySQLToItems(u"Select Distinct EmpName from TGZ where GZMonth=? order by EmpName"_s,
                                     names, true, {month});
    m_cmbEmpName->clear();
    m_cmbEmpName->addItems(names);
}

bool TfrmMainGZT::ReadyGZList(const QString &month)
{
    if (!m_session.dm.isOpen())
        return false;
    m_recordBox->setTitle(u"月度["_s + month + u"]工资发放明细表"_s);
    return true;
}

void TfrmMainGZT::fillFilterLists()
{
    QStringList departments;
    m_session.dm.GetDataBySQLToItems(u"Select Distinct DepartName from TGZ order by DepartName"_s, departments, true);
    m_cmbDepart->clear();
    m_cmbDepart->addItems(departments);

    QStringList names;
    m_session.dm.GetDataBySQLToItems(u"Select Distinct EmpName from TGZ order by EmpName"_s, names, true);
    m_cmbEmpName->clear();
    m_cmbEmpName->addItems(names);

    clearFilterText(m_cmbDepart);
    clearFilterText(m_cmbEmpName);
}

void TfrmMainGZT::applySkin()
{
    // The skin is a style sheet; a missing or unreadable file keeps the default look.
    const std::optional<QString> sheet = readTextFile(m_session.folder.path(kSkinFile));
    if (sheet && qApp)
        qApp->setStyleSheet(*sheet);
}

bool TfrmMainGZT::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        queueFirstActivation();
    return QMainWindow::event(event);
}

void TfrmMainGZT::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Without a window manager a window may never be activated; the login must
    // still come before any data is shown.
    queueFirstActivation();
}

void TfrmMainGZT::queueFirstActivation()
{
    if (!m_activationPending || m_activationQueued)
        return;
    m_activationQueued = true;
    QTimer::singleShot(0, this, &TfrmMainGZT::FormActivate);
}

void TfrmMainGZT::FormActivate()
{
    if (!m_activationPending)
        return;
    m_activationPending = false;
    m_recordsOpen = false;

    ProgramState &state = m_session.state;
    if (!state.logPass.isEmpty()) {
        const QString typed = m_session.messages.inputPassword(u"请输入登陆密码："_s, u"请输入登陆密码："_s);
        if (typed != state.logPass) {
            m_session.messages.showMessage(u"密码错误！"_s, MessageIcon::Error);
            endProgram();
            return;
        }
    }
    m_recordsOpen = true;

    if (!m_session.folder.exists(kFirstRunMarker)) {
        m_session.messages.showMessage(u"您是首次运行本软件，点击确认按钮然后查看软件使用动画说明！"_s);
        showHelp();
        // The marker's content does not matter; it keeps the month list's column widths.
        writeLines(m_session.folder.path(kFirstRunMarker),
                   {u"[DBGridEh1]"_s,
                    u"编号="_s + QString::number(m_monthGrid->columnWidth(MonthListModel::NumberColumn)),
                    u"发放月度="_s + QString::number(m_monthGrid->columnWidth(MonthListModel::MonthColumn))});
        return;
    }
    m_timer1->start();
}

void TfrmMainGZT::Timer1Timer()
{
    m_timer1->stop();
}

void TfrmMainGZT::showHelp()
{
    m_session.messages.openExternal(m_session.folder.path(kHelpPage));
}

void TfrmMainGZT::showTaxRules()
{
    ShowGSBaseSet(m_session, this);
    LoadRegPara();
}

void TfrmMainGZT::closeCommand()
{
    close();
}

void TfrmMainGZT::endProgram()
{
    qApp->setStyleSheet(QString());
    m_session.dm.close();
    close();
    Q_EMIT programEnded();
}

} // namespace quor
