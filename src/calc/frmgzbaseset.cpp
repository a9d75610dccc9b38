#include "frmgzbaseset.h"

#include "common/dialogrunner.h"
#include "common/dialogwidgets.h"
#include "common/messages.h"
#include "data/session.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

const QString kTaxFormula = u"[&个税]"_s;

// Column widths of TGZSet as the database declares them.
constexpr int kNameLength = 50;
constexpr int kFormulaLength = 255;

// Rows each item grid shows without scrolling: all 15 deductions.
constexpr int kVisibleGridRows = 15;

// Both dialogs open in the middle of the screen, not over the caller.
void centreOnScreen(QWidget *window)
{
    const QWidget *anchor = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    QScreen *screen = anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace

// ---------------------------------------------------------------------------
// TfrmGZSetEdit

TfrmGZSetEdit::TfrmGZSetEdit(Messages &messages, QWidget *parent)
    : FormDialog(parent)
    , m_messages(messages)
    , m_editName(new QLineEdit(this))
    , m_cmbUseStu(new QComboBox(this))
    , m_editCalcStr(new QLineEdit(this))
{
    setObjectName(u"TfrmGZSetEdit"_s);
    setWindowTitle(u"修改工资设置"_s);

    m_editName->setObjectName(u"EditName"_s);
    m_editName->setMaxLength(kNameLength);
    m_editName->installEventFilter(this);
    m_cmbUseStu->setObjectName(u"cmbUseStu"_s);
    m_cmbUseStu->addItems({u"启用"_s, u"禁用"_s});
    m_editCalcStr->setObjectName(u"EditCalcStr"_s);
    m_editCalcStr->setMaxLength(kFormulaLength);
    const int charWidth = fontMetrics().horizontalAdvance(u"工"_s);
    m_editCalcStr->setMinimumWidth(charWidth * 24);

    QPushButton *tax = namedButton(this, u"Button3"_s, u"个税"_s);
    QPushButton *save = namedButton(this, u"Button1"_s, u"保存(&S)"_s);
    QPushButton *cancel = namedButton(this, u"Button2"_s, u"取消(&X)"_s);
    connect(tax, &QPushButton::clicked, this, &TfrmGZSetEdit::Button3Click);
    connect(save, &QPushButton::clicked, this, &TfrmGZSetEdit::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *hint = new QLabel(u"如：   ([基本工资]+[岗位工资])*0.15"_s, this);
    hint->setObjectName(u"lblHint"_s);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(u"工资项目名称"_s, this), 0, 0);
    grid->addWidget(m_editName, 0, 1);
    grid->addWidget(new QLabel(u"是否启用"_s, this), 1, 0);
    grid->addWidget(m_cmbUseStu, 1, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(u"计算公式"_s, this), 2, 0);
    grid->addWidget(m_editCalcStr, 2, 1);
    grid->addWidget(tax, 2, 2);
    grid->addWidget(hint, 3, 1);

    QHBoxLayout *buttons = buttonRow({save, cancel});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_editName, m_cmbUseStu);
    setTabOrder(m_cmbUseStu, m_editCalcStr);
    setTabOrder(m_editCalcStr, tax);
    setTabOrder(tax, save);
    setTabOrder(save, cancel);
    m_editName->setFocus();
}

void TfrmGZSetEdit::setValues(const QString &name, const QString &formula, int enabledIndex)
{
    m_editName->setText(name);
    m_editCalcStr->setText(formula);
    m_cmbUseStu->setCurrentIndex(enabledIndex == 0 ? 0 : 1);
}

QString TfrmGZSetEdit::name() const
{
    return m_editName->text();
}

QString TfrmGZSetEdit::formula() const
{
    return m_editCalcStr->text();
}

int TfrmGZSetEdit::enabledIndex() const
{
    return m_cmbUseStu->currentIndex();
}

void TfrmGZSetEdit::Button1Click()
{
    // A name of blanks would give an item without a visible title.
    if (m_editName->text().trimmed().isEmpty()) {
        m_messages.showMessage(u"请务必输入工资项目名称！"_s, MessageIcon::Warning);
        m_editName->setFocus();
        return;
    }
    accept();
}

void TfrmGZSetEdit::Button3Click()
{
    m_editCalcStr->setText(kTaxFormula);
}

void TfrmGZSetEdit::checkTaxName()
{
    const QString name = m_editName->text();
    if (!name.contains(u'个') || !name.contains(u'税'))
        return;
    if (!m_messages.askYesNo(u"当前输入的项目可能是个人所得税。"_s + u"\r"_s
                                 + u"本软件支持自动计算个人所得税，是否设置为自动计算？"_s,
                             MessageIcon::Information))
        return;
    m_editCalcStr->setText(kTaxFormula);
    m_messages.showMessage(u"请打开功能 [系统参数设置]\\[个人所得税规则设置] 设置缴税规则和不纳税上限。"_s,
                           MessageIcon::Information);
}

bool TfrmGZSetEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editName && event->type() == QEvent::FocusOut) {
        // Only moving to another control of the dialog counts as leaving the
        // field; switching windows or opening its context menu does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
            checkTaxName();
    }
    return QDialog::eventFilter(watched, event);
}

bool EditGZSet(Messages &messages, QString &name, QString &formula, int &enabledIndex, QWidget *parent)
{
    TfrmGZSetEdit dialog(messages, parent);
    dialog.setValues(name, formula, enabledIndex);
    dialog.adjustSize();
    centreOnScreen(&dialog);
    const bool saved = runDialog(dialog) == QDialog::Accepted;
    name = dialog.name();
    formula = dialog.formula();
    enabledIndex = dialog.enabledIndex();
    return saved;
}

// ---------------------------------------------------------------------------
// TfrmGZBaseSet

TfrmGZBaseSet::TfrmGZBaseSet(TDM &dm, Messages &messages, QWidget *parent)
    : QDialog(parent)
    , m_messages(messages)
    , m_set(dm)
    , m_editGZMonth(new QLineEdit(this))
{
    setObjectName(u"TfrmGZBaseSet"_s);
    setWindowTitle(u"基本工资项目设置"_s);

    m_editGZMonth->setObjectName(u"EditGZMonth"_s);
    m_editGZMonth->setReadOnly(true);
    m_editGZMonth->setFocusPolicy(Qt::ClickFocus);
    m_editGZMonth->setFixedWidth(fontMetrics().horizontalAdvance(u"0"_s) * 20);

    auto *hint = new QLabel(u"BASE为基本的工资项，新增月度后，则可为指定月度设置与基本项不同的工资项。"_s, this);
    hint->setObjectName(u"lblHint"_s);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(u"所属月度"_s, this));
    top->addWidget(m_editGZMonth);
    top->addSpacing(16);
    top->addWidget(hint);
    top->addStretch();

    m_gridGZ = makeGrid(u"DBGridEh1"_s, m_set.earnings());
    m_gridKK = makeGrid(u"DBGridEh2"_s, m_set.deductions());
    connect(m_gridGZ, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { editRow(ItemDefinition::Earning, index.row()); });
    connect(m_gridKK, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { editRow(ItemDefinition::Deduction, index.row()); });

    QPushButton *editGZ = namedButton(this, u"Button3"_s, u"修改(&E)"_s);
    QPushButton *editKK = namedButton(this, u"Button4"_s, u"修改(&E)"_s);
    QPushButton *save = namedButton(this, u"Button1"_s, u"保存(&S)"_s);
    QPushButton *cancel = namedButton(this, u"Button2"_s, u"取消(&X)"_s);
    connect(editGZ, &QPushButton::clicked, this, &TfrmGZBaseSet::Button3Click);
    connect(editKK, &QPushButton::clicked, this, &TfrmGZBaseSet::Button4Click);
    connect(save, &QPushButton::clicked, this, &TfrmGZBaseSet::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto group = [this](const QString &name, const QString &title, QTableView *grid, QPushButton *edit) {
        auto *box = new QGroupBox(title, this);
        box->setObjectName(name);
        auto *side = new QVBoxLayout;
        side->addWidget(edit);
        side->addStretch();
        auto *layout = new QHBoxLayout(box);
        layout->addWidget(grid);
        layout->addLayout(side);
        return box;
    };

    auto *groups = new QHBoxLayout;
    groups->addWidget(group(u"GroupBox1"_s, u"应发工资项目(最多30项)"_s, m_gridGZ, editGZ));
    groups->addWidget(group(u"GroupBox2"_s, u"应扣(代扣)工资项目(最多15项)"_s, m_gridKK, editKK));

    QHBoxLayout *buttons = buttonRow({save, cancel});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    m_gridGZ->setFocus();
}

QTableView *TfrmGZBaseSet::makeGrid(const QString &name, ItemDefinitionModel &model)
{
    auto *grid = new QTableView(this);
    grid->setObjectName(name);
    grid->setModel(&model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideRight);
    grid->verticalHeader()->hide();
    for (int column = ItemDefinitionModel::VisibleColumns; column < ItemDefinitionModel::ColumnCount; ++column)
        grid->setColumnHidden(column, true);

    // Sizes follow the font, so the Chinese captions and names are never cut.
    const QFontMetrics metrics = grid->fontMetrics();
    const int pad = metrics.horizontalAdvance(u"00"_s) + 8;
    const int headerPad = grid->horizontalHeader()->fontMetrics().horizontalAdvance(u"00"_s) + 8;
    auto header = [&](const QString &text) {
        return grid->horizontalHeader()->fontMetrics().horizontalAdvance(text) + headerPad;
    };
    const int widths[] = {
        std::max(header(u"序号"_s), metrics.horizontalAdvance(u"30"_s) + pad),
        std::max(header(u"工资项目名称"_s), metrics.horizontalAdvance(u"工资项目名称工资"_s) + pad),
        std::max(header(u"是否启用"_s), metrics.horizontalAdvance(u"禁用"_s) + pad),
        std::max(header(u"计算公式"_s), metrics.horizontalAdvance(u"([基本工资]+[岗位工资])*0.005"_s) + pad),
    };
    int total = 0;
    for (int column = 0; column < ItemDefinitionModel::VisibleColumns; ++column) {
        grid->setColumnWidth(column, widths[column]);
        total += widths[column];
    }
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setDefaultSectionSize(metrics.height() + 10);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const int frame = 2 * grid->frameWidth();
    grid->setFixedWidth(total + grid->verticalScrollBar()->sizeHint().width() + frame);
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height()
                         + kVisibleGridRows * grid->verticalHeader()->defaultSectionSize() + frame);
    return grid;
}

bool TfrmGZBaseSet::ReadyData(const QString &month)
{
    const bool ok = m_set.load(month);
    m_editGZMonth->setText(m_set.month());
    for (QTableView *grid : {m_gridGZ, m_gridKK}) {
        if (grid->model()->rowCount() > 0)
            grid->setCurrentIndex(grid->model()->index(0, 0));
    }
    if (!ok)
        m_messages.showMessage(u"读取数据库发生错误！"_s, MessageIcon::Error);
    return ok;
}

bool TfrmGZBaseSet::SaveData()
{
    if (m_set.save())
        return true;
    m_messages.showMessage(u"存储数据发生错误！"_s, MessageIcon::Error);
    return false;
}

void TfrmGZBaseSet::Button1Click()
{
    if (SaveData())
        accept();
}

void TfrmGZBaseSet::Button3Click()
{
    if (m_gridGZ->currentIndex().isValid())
        editRow(ItemDefinition::Earning, m_gridGZ->currentIndex().row());
}

void TfrmGZBaseSet::Button4Click()
{
    if (m_gridKK->currentIndex().isValid())
        editRow(ItemDefinition::Deduction, m_gridKK->currentIndex().row());
}

void TfrmGZBaseSet::editRow(int gzType, int row)
{
    ItemDefinitionModel &model = m_set.model(gzType);
    if (row < 0 || row >= model.rowCount())
        return;
    const ItemDefinition &item = model.item(row);
    QString name = item.gzName;
    QString formula = item.calcStr;
    int enabledIndex = item.enabledIndex();
    if (EditGZSet(m_messages, name, formula, enabledIndex, this))
        model.setItem(row, name, formula, enabledIndex);
}

bool ShowGZBaseSet(Session &session, const QString &month, QWidget *parent)
{
    TfrmGZBaseSet dialog(session.dm, session.messages, parent);
    if (!dialog.ReadyData(month))
        return false;
    centreOnScreen(&dialog);
    return runDialog(dialog) == QDialog::Accepted;
}

} // namespace quor
