#include "frmmaingzt.h"

#include "branding.h"
#include "frmselecthismonth.h"
#include "monthlistmodel.h"
#include "monthops.h"
#include "recordgrid.h"
#include "recordlistmodel.h"

#include "calc/frmgsbaseset.h"
#include "calc/frmgzbaseset.h"
#include "calc/frmgzdetailedit.h"
#include "common/dialogwidgets.h"
#include "common/textfile.h"
#include "data/session.h"
#include "data/structupdate.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
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
    QPushButton *button = namedButton(parent, name, text);
    button->setEnabled(false);
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

// A command that works: enabled and connected.
template<typename Slot>
void wire(QAction *action, TfrmMainGZT *window, Slot slot)
{
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, window, slot);
}

template<typename Slot>
void wire(QAbstractButton *button, TfrmMainGZT *window, Slot slot)
{
    button->setEnabled(true);
    QObject::connect(button, &QAbstractButton::clicked, window, slot);
}

void clearFilterText(QComboBox *combo)
{
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

// New items for a filter list that keep what the user has typed.
using Slot = void (TfrmMainGZT::*)();
struct CommandButton
{
    QString name;
    QString text;
    Slot slot;
};

// Working command buttons, in a row.
void addCommandButtons(QHBoxLayout *row, QWidget *parent, TfrmMainGZT *window,
                       std::initializer_list<CommandButton> buttons)
{
    for (const CommandButton &b : buttons) {
        QPushButton *button = commandButton(parent, b.name, b.text);
        wire(button, window, b.slot);
        row->addWidget(button);
    }
}

void setFilterItems(QComboBox *combo, const QStringList &items)
{
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

} // namespace

TfrmMainGZT::TfrmMainGZT(Session &session, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_months(new MonthListModel(this))
    , m_records(new RecordListModel(this))
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
    splitter->setSizes({210, 1100});
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
    if (!hasMonth() && m_session.dm.isOpen())
        m_records->ReadyGrid(m_session.dm, u"BASE"_s, m_session.state.printDays);
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
    wire(toolButton(u"ToolButton21"_s, u"工资项目参数设置"_s, nullptr, QStyle::SP_FileDialogListView), this,
         &TfrmMainGZT::itemSetUp);

    QMenu *paraMenu = newMenu(this, u"PopupPara"_s);
    addCommand(paraMenu, u"N26"_s, u"基本参数设置"_s);
    addCommand(paraMenu, u"N28"_s, u"设置登陆密码"_s);
    addCommand(paraMenu, u"N30"_s, u"职务字典"_s);
    wire(addCommand(paraMenu, u"mnuGSRule"_s, u"个人所得税规则"_s), this, &TfrmMainGZT::showTaxRules);
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
    wire(addCommand(helpMenu, u"N13"_s, u"动画教程"_s), this, &TfrmMainGZT::showHelp);
    QMenu *skinMenu = helpMenu->addMenu(u"界面风格"_s);
    skinMenu->setObjectName(u"mnuSkin"_s);
    const QStringList skins = {u"沙漠"_s, u"夜色"_s, u"蓝天"_s, u"绿草"_s, u"柔和旧苹果界面"_s};
    for (int n = 1; n <= skins.size(); ++n)
        addCommand(skinMenu, u"N32_"_s + QString::number(n), skins.at(n - 1))->setData(n);
    skinMenu->menuAction()->setEnabled(false);
    addCommand(helpMenu, u"N15"_s, u"关于.."_s);
    toolButton(u"TBHelp"_s, u"帮助"_s, helpMenu, QStyle::SP_DialogHelpButton);

    wire(toolButton(u"ToolButton2"_s, u"关闭"_s, nullptr, QStyle::SP_DialogCloseButton), this,
         &TfrmMainGZT::closeCommand);

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
    m_monthGrid->viewport()->installEventFilter(this);
    connect(m_monthGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfrmMainGZT::dsGZMonthAfterScroll);

    QMenu *popup = newMenu(this, u"PopupMonth"_s);
    wire(addCommand(popup, u"mnuAddMonth"_s, u"增加月度"_s), this, &TfrmMainGZT::addMonth);
    wire(addCommand(popup, u"mnuEditMonth"_s, u"修改月度"_s), this, &TfrmMainGZT::renameMonth);
    wire(addCommand(popup, u"mnuDeleteMonth"_s, u"删除月度"_s), this, &TfrmMainGZT::deleteMonth);
    connect(m_monthGrid, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &pos) { popup->popup(m_monthGrid->viewport()->mapToGlobal(pos)); });

    auto *buttons = new QHBoxLayout;
    addCommandButtons(buttons, m_monthBox, this,
                      {{u"Button1"_s, u"增加月度"_s, &TfrmMainGZT::addMonth},
                       {u"Button2"_s, u"修改"_s, &TfrmMainGZT::renameMonth},
                       {u"Button3"_s, u"删除"_s, &TfrmMainGZT::deleteMonth}});

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
        connect(combo, &QComboBox::activated, this, &TfrmMainGZT::applyFilters);
        connect(combo->lineEdit(), &QLineEdit::returnPressed, this, &TfrmMainGZT::applyFilters);
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
    QPushButton *clear = commandButton(m_recordBox, u"Button15"_s, u"清除条件"_s);
    wire(clear, this, &TfrmMainGZT::clearFilters);
    filterBar->addWidget(clear);
    filterBar->addStretch();

    m_grid = new RecordGrid(m_records, m_recordBox);
    QTableView *view = m_grid->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->installEventFilter(this);
    connect(view, &QTableView::doubleClicked, this, &TfrmMainGZT::editRecord);
    connect(m_grid->header(), &QHeaderView::sectionClicked, this, &TfrmMainGZT::sortByTitle);

    QMenu *popup = newMenu(this, u"PopupDetail"_s);
    wire(addCommand(popup, u"mnuAddDetail"_s, u"增加明细"_s), this, &TfrmMainGZT::addRecord);
    wire(addCommand(popup, u"mnuEditDetail"_s, u"修改明细"_s), this, &TfrmMainGZT::editRecord);
    wire(addCommand(popup, u"mnuDeleteDetail"_s, u"删除明细"_s), this, &TfrmMainGZT::deleteRecord);
    popup->addSeparator();
    addCommand(popup, u"mnuSendExcel"_s, u"发送到&Excel"_s);
    addCommand(popup, u"mnuSendExcelTmp"_s, u"发送到Exce&l（临时文件方式）"_s);
    popup->addSeparator();
    wire(addCommand(popup, u"N4"_s, u"批量删除-先鼠标拖选"_s), this, &TfrmMainGZT::deleteSelectedRecords);
    addCommand(popup, u"mnuPrintSelected"_s, u"列表打印-打印选定行"_s);
    connect(view, &QWidget::customContextMenuRequested, this,
            [view, popup](const QPoint &pos) { popup->popup(view->viewport()->mapToGlobal(pos)); });

    QMenu *billMenu = newMenu(this, u"PopupBill"_s);
    addCommand(billMenu, u"mnuSheetAll"_s, u"工资单-全部打印"_s);
    addCommand(billMenu, u"mnuSheetSelected"_s, u"工资单-打印选定行"_s);
    addCommand(billMenu, u"mnuSlipAll"_s, u"工资条-全部打印"_s);
    addCommand(billMenu, u"mnuSlipSelected"_s, u"工资条-打印选定行"_s);
    QMenu *posMenu = newMenu(this, u"PopupPos"_s);
    addCommand(posMenu, u"mnuPosAll"_s, u"全部打印"_s);
    addCommand(posMenu, u"mnuPosSelected"_s, u"打印选定行"_s);

    auto *buttons = new QHBoxLayout;
    addCommandButtons(buttons, m_recordBox, this,
                      {{u"Button4"_s, u"增加明细"_s, &TfrmMainGZT::addRecord},
                       {u"Button5"_s, u"修改明细"_s, &TfrmMainGZT::editRecord},
                       {u"Button6"_s, u"删除明细"_s, &TfrmMainGZT::deleteRecord}});
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
    layout->addWidget(m_grid, 1);
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
    m_records->setShowDecimals(m_session.state.showDecimals());
}

void TfrmMainGZT::ReadyMonth()
{
    m_months->load(m_session.dm);
    if (m_months->rowCount() > 0)
        selectMonthRow(0);
}

void TfrmMainGZT::selectMonthRow(int row)
{
    const QModelIndex index = m_months->index(row, MonthListModel::MonthColumn);
    if (m_monthGrid->currentIndex() == index)
        dsGZMonthAfterScroll(); // same row: load it again, as a move to it would
    else
        m_monthGrid->setCurrentIndex(index);
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
    refillNameFilter(month);
}

void TfrmMainGZT::refillNameFilter(const QString &month)
{
    QStringList names;
    m_session.dm.GetDataBySQLToItems(u"Select Distinct EmpName from TGZ where GZMonth=? order by EmpName"_s, names,
                                     true, {month});
    setFilterItems(m_cmbEmpName, names);
}

bool TfrmMainGZT::ReadyGZList(const QString &month)
{
    if (!m_records->ReadyGrid(m_session.dm, month, m_session.state.printDays))
        m_session.messages.showMessage(u"读取数据库发生错误！"_s, MessageIcon::Error);
    if (!m_recordsOpen)
        return false; // nothing is shown before the login
    const RecordFilters filters{m_cmbDepart->currentText(), m_cmbEmpName->currentText(), m_cmbEmpCode->currentText()};
    // Print marks start cleared. A database that refuses the write (read-only)
    // still shows its records; the loaded marks are cleared all the same.
    m_session.dm.ExecSQL(u"Update TGZ Set SelectStu=0 where GZMonth=?"_s, {month});
    if (!m_records->load(m_session.dm, month, filters))
        return false;
    m_records->clearSelectMarks();
    m_grid->header()->setSortIndicatorShown(false); // loaded in department and name order
    m_recordBox->setTitle(u"月度["_s + month + u"]工资发放明细表"_s);
    return true;
}

void TfrmMainGZT::ReCalcAll()
{
    m_records->ReCalcAll(m_session.dm); // a failed write is not reported
}

void TfrmMainGZT::fillFilterLists()
{
    QStringList departments;
    m_session.dm.GetDataBySQLToItems(u"Select Distinct DepartName from TGZ order by DepartName"_s, departments, true);
    setFilterItems(m_cmbDepart, departments);

    QStringList names;
    m_session.dm.GetDataBySQLToItems(u"Select Distinct EmpName from TGZ order by EmpName"_s, names, true);
    setFilterItems(m_cmbEmpName, names);

    clearFilterText(m_cmbDepart);
    clearFilterText(m_cmbEmpName);
}

void TfrmMainGZT::addMonth()
{
    const QString proposed = QDate::currentDate().toString(u"yyyyMM"_s);
    const QString key = m_session.messages.inputText(u"请输入新的工资发放月度"_s, u"请输入新的工资发放月度："_s, proposed)
                            .value_or(proposed);
    if (key.isEmpty())
        return;
    const int existing = m_months->rowOf(key);
    if (existing >= 0) {
        selectMonthRow(existing);
        m_session.messages.showMessage(u"名称为["_s + key + u"]的月度已经存在！"_s, MessageIcon::Warning);
        return;
    }
    const std::optional<int> id = insertMonth(m_session.dm, key);
    if (!id) {
        m_session.messages.showMessage(u"保存数据发生错误！"_s, MessageIcon::Error);
        return;
    }
    m_months->appendMonth({*id, key});

    m_session.messages.showMessage(u"注意，需要选择复制哪个月度的工资结构，如果不选择，则采用系统默认工资结构！"_s);
    const QString source = SelectHisMonth(m_session, this).value_or(u"BASE"_s);
    if (!AddBaseGZSet(m_session.dm, key, source))
        m_session.messages.showMessage(u"增加新月度的工资项目模板失败！"_s, MessageIcon::Error);
    selectMonthRow(m_months->rowCount() - 1);
}

void TfrmMainGZT::renameMonth()
{
    const QModelIndex current = m_monthGrid->currentIndex();
    if (!current.isValid())
        return;
    const MonthListModel::Month month = m_months->month(current.row());
    const QString newKey =
        m_session.messages.inputText(u"请输入新的工资发放月度名称"_s, u"请输入新的工资发放月度名称："_s, month.key)
            .value_or(month.key);
    if (newKey.isEmpty())
        return;
    if (monthKeyTaken(m_session.dm, newKey, month.id)) {
        m_session.messages.showMessage(u"名称为："_s + newKey + u"的月度已经存在！"_s, MessageIcon::Warning);
        return;
    }
    if (!quor::renameMonth(m_session.dm, month.id, month.key, newKey)) {
        m_session.messages.showMessage(u"保存数据发生错误！"_s, MessageIcon::Error);
        return;
    }
    m_months->renameMonth(current.row(), newKey);
    dsGZMonthAfterScroll();
}

void TfrmMainGZT::deleteMonth()
{
    const QModelIndex current = m_monthGrid->currentIndex();
    if (!hasMonth() || !current.isValid())
        return;
    if (!m_session.messages.askYesNo(u"您确认删除选定月度的数据吗？相应的工资发放明细也将一并删除！"_s))
        return;
    const MonthListModel::Month month = m_months->month(current.row());
    if (!quor::deleteMonth(m_session.dm, month.id, month.key)) {
        m_session.messages.showMessage(u"删除数据发生错误！"_s, MessageIcon::Error);
        return;
    }
    const int row = current.row();
    {
        // The month that becomes current is loaded once, below.
        const QSignalBlocker blocker(m_monthGrid->selectionModel());
        m_months->removeMonth(row);
        m_monthGrid->setCurrentIndex({});
    }
    if (hasMonth()) {
        selectMonthRow(std::min(row, m_months->rowCount() - 1));
    } else {
        // No month left: no records, under the BASE titles.
        ReadyGZList(QString());
        refillNameFilter(QString());
    }
}

void TfrmMainGZT::itemSetUp()
{
    const bool month = hasMonth();
    ShowGZBaseSet(m_session, month ? selectedMonth() : u"BASE"_s, this);
    clearFilterText(m_cmbDepart);
    clearFilterText(m_cmbEmpName);
    if (month)
        dsGZMonthAfterScroll();
    else if (!m_records->ReadyGrid(m_session.dm, u"BASE"_s, m_session.state.printDays))
        m_session.messages.showMessage(u"读取数据库发生错误！"_s, MessageIcon::Error);
    ReCalcAll();
}

void TfrmMainGZT::applyFilters()
{
    if (hasMonth())
        dsGZMonthAfterScroll();
}

void TfrmMainGZT::clearFilters()
{
    clearFilterText(m_cmbDepart);
    clearFilterText(m_cmbEmpName);
    clearFilterText(m_cmbEmpCode);
    applyFilters();
}

bool TfrmMainGZT::ensureMonth()
{
    if (hasMonth())
        return true;
    m_session.messages.showMessage(u"请首先增加月度！"_s, MessageIcon::Warning);
    return false;
}

int TfrmMainGZT::currentRecordRow() const
{
    const QModelIndex current = m_grid->view()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TfrmMainGZT::selectRecordRow(int row)
{
    if (row < 0 || row >= m_records->rowCount())
        return;
    QTableView *view = m_grid->view();
    view->setCurrentIndex(m_records->index(row, RecordListModel::ColEmpName));
    view->scrollTo(view->currentIndex());
}

void TfrmMainGZT::addRecord()
{
    if (!ensureMonth())
        return;
    if (EditGZDetail(m_session, -1, selectedMonth(), this))
        dsGZMonthAfterScroll();
}

void TfrmMainGZT::editRecord()
{
    if (!ensureMonth())
        return;
    const int row = currentRecordRow();
    const int id = row >= 0 ? m_records->record(row).id : 0;
    if (!EditGZDetail(m_session, id, selectedMonth(), this))
        return;
    dsGZMonthAfterScroll();
    if (!m_sortText.isEmpty()) {
        const qsizetype blank = m_sortText.lastIndexOf(u' ');
        const int column = RecordListModel::GetCol(m_sortText.left(blank));
        const Qt::SortOrder order = m_sortText.endsWith(u"DESC"_s) ? Qt::DescendingOrder : Qt::AscendingOrder;
        m_records->sortBy(column, order);
        m_grid->header()->setSortIndicator(column, order);
        m_grid->header()->setSortIndicatorShown(true);
    }
    selectRecordRow(m_records->rowOfId(id));
}

void TfrmMainGZT::deleteRecord()
{
    const int row = currentRecordRow();
    if (m_records->rowCount() == 0 || row < 0)
        return;
    if (!m_session.messages.askYesNo(u"您确认删除选定的工资记录吗？"_s))
        return;
    if (!m_records->deleteRows(m_session.dm, {row}))
        m_session.messages.showMessage(u"删除数据发生错误！"_s, MessageIcon::Error);
}

void TfrmMainGZT::deleteSelectedRecords()
{
    if (!m_session.messages.askYesNo(u"您确认删除选定的工资记录吗？\r批量删除一般用于期初批量导入数据出错的情况！"_s))
        return;
    QList<int> rows;
    const QModelIndexList selected = m_grid->view()->selectionModel()->selectedRows();
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    if (!m_records->deleteRows(m_session.dm, rows))
        m_session.messages.showMessage(u"删除数据过程中出现错误！"_s, MessageIcon::Error);
}

void TfrmMainGZT::sortByTitle(int column)
{
    ProgramState &state = m_session.state;
    state.sortAscending = !state.sortAscending;
    const Qt::SortOrder order = state.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_grid->header()->setSortIndicatorShown(true);
    m_grid->header()->setSortIndicator(column, order);
    m_records->sortBy(column, order);
    m_sortText = RecordListModel::fieldName(column) + (state.sortAscending ? u" ASC"_s : u" DESC"_s);
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

bool TfrmMainGZT::eventFilter(QObject *watched, QEvent *event)
{
    // A mouse press in the month list forgets the remembered sort.
    if (m_monthGrid && watched == m_monthGrid->viewport() && event->type() == QEvent::MouseButtonPress)
        m_sortText.clear();
    // Enter in the record list edits the current record.
    if (m_grid && watched == m_grid->view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            editRecord();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
    m_records->clear();

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
    if (hasMonth())
        ReadyGZList(selectedMonth());

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
