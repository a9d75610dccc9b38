#include "frmgsbaseset.h"

#include "common/dialogrunner.h"
#include "common/dialogwidgets.h"
#include "common/messages.h"
#include "common/numtext.h"
#include "data/session.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

// Masks of the amounts: optional digits, a point, two decimals; blanks shown as "_".
const QString kAmountMask = u"999999999.99;_"_s;
const QString kRateMask = u"99.99;_"_s;
const QString kThresholdMask = u"9999999.99;_"_s;

} // namespace

TfrmGSBaseSetEdit::TfrmGSBaseSetEdit(QWidget *parent)
    : FormDialog(parent)
    , m_cmbClassIdx(new QComboBox(this))
    , m_editYNSTotal(maskedEdit(this, u"EditYNSTotal"_s, kAmountMask, 12))
    , m_editSLRate(maskedEdit(this, u"EditSLRate"_s, kRateMask, 12))
    , m_editSQKCS(maskedEdit(this, u"EditSQKCS"_s, kAmountMask, 12))
{
    setObjectName(u"TfrmGSBaseSetEdit"_s);
    setWindowTitle(u"新增/修改个税设置"_s);
    m_cmbClassIdx->setObjectName(u"cmbClassIdx"_s);
    for (int i = 1; i <= kMaxTaxBrackets; ++i)
        m_cmbClassIdx->addItem(QString::number(i));
    m_cmbClassIdx->setEnabled(false);

    auto *form = new QFormLayout;
    form->addRow(u"等级"_s, m_cmbClassIdx);
    form->addRow(u"全月应纳税所得额<="_s, m_editYNSTotal);
    form->addRow(u"税率(%)"_s, m_editSLRate);
    form->addRow(u"速算扣除数"_s, m_editSQKCS);

    QPushButton *ok = namedButton(this, u"Button1"_s, u"确认(&E)"_s);
    QPushButton *cancel = namedButton(this, u"Button2"_s, u"取消(&X)"_s);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QHBoxLayout *buttons = buttonRow({ok, cancel});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_editYNSTotal->setFocus();
}

void TfrmGSBaseSetEdit::setBracket(const TaxBracket &bracket, bool adding)
{
    m_bracket = bracket;
    m_cmbClassIdx->setCurrentIndex(bracket.classIdx - 1);
    if (adding) {
        m_editYNSTotal->clear();
        m_editSLRate->clear();
        m_editSQKCS->clear();
    } else {
        m_editYNSTotal->setText(formatFixed(bracket.ynsTotal, 2));
        m_editSLRate->setText(formatFixed(bracket.slRate, 2));
        m_editSQKCS->setText(formatFixed(bracket.sqkcs, 2));
    }
}

std::optional<TaxBracket> TfrmGSBaseSetEdit::bracket() const
{
    const std::optional<double> total = readNumberText(m_editYNSTotal->text());
    const std::optional<double> rate = readNumberText(m_editSLRate->text());
    const std::optional<double> deduction = readNumberText(m_editSQKCS->text());
    if (!total || !rate || !deduction)
        return std::nullopt;
    TaxBracket result = m_bracket;
    result.classIdx = m_cmbClassIdx->currentIndex() + 1;
    result.ynsTotal = *total;
    result.slRate = *rate;
    result.sqkcs = *deduction;
    return result;
}

TfrmGSBaseSet::TfrmGSBaseSet(TDM &dm, Messages &messages, QWidget *parent)
    : QDialog(parent)
    , m_rules(dm)
    , m_messages(messages)
    , m_model(new TaxBracketModel(this))
    , m_editGSLimit(maskedEdit(this, u"EditGSLimit"_s, kThresholdMask, 12))
    , m_grid(new QTableView(this))
{
    setObjectName(u"TfrmGSBaseSet"_s);
    setWindowTitle(u"个税计算规则设置"_s);
    setSizeGripEnabled(true);
    // Leaving the field stores it; editingFinished is not enough, as Qt holds a
    // mask with blanks between digits for incomplete input.
    m_editGSLimit->installEventFilter(this);

    m_grid->setObjectName(u"DBGridEh1"_s);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(m_grid, &QTableView::doubleClicked, this, &TfrmGSBaseSet::cmdEditClick);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(u"个税不征收上限"_s, this));
    top->addWidget(m_editGSLimit);
    top->addStretch();

    QPushButton *add = namedButton(this, u"cmdAdd"_s, u"新增(&A)"_s);
    QPushButton *edit = namedButton(this, u"cmdEdit"_s, u"修改(&E)"_s);
    QPushButton *remove = namedButton(this, u"cmdDelete"_s, u"删除(&D)"_s);
    QPushButton *print = namedButton(this, u"Button7"_s, u"打印明细表"_s);
    QPushButton *excel = namedButton(this, u"Button1"_s, u"发送Excel"_s);
    QPushButton *close = namedButton(this, u"Button2"_s, u"关闭(&X)"_s);
    print->setEnabled(false);
    excel->setEnabled(false);
    connect(add, &QPushButton::clicked, this, &TfrmGSBaseSet::cmdAddClick);
    connect(edit, &QPushButton::clicked, this, &TfrmGSBaseSet::cmdEditClick);
    connect(remove, &QPushButton::clicked, this, &TfrmGSBaseSet::cmdDeleteClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add, edit, remove})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton *b : {print, excel, close})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(640, 400);
}

void TfrmGSBaseSet::ReadyData()
{
    m_rules.reload();
    refreshGrid();
    m_storedThreshold = m_rules.thresholdText();
    m_editGSLimit->setText(m_storedThreshold);
}

void TfrmGSBaseSet::refreshGrid()
{
    m_model->setBrackets(m_rules.brackets());
}

void TfrmGSBaseSet::storeThreshold()
{
    const QString text = m_editGSLimit->text();
    if (text == m_storedThreshold)
        return;
    m_rules.storeThreshold(text);
    m_storedThreshold = text;
}

bool TfrmGSBaseSet::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editGSLimit && event->type() == QEvent::FocusOut)
        storeThreshold();
    return QDialog::eventFilter(watched, event);
}

void TfrmGSBaseSet::done(int result)
{
    // A threshold typed just before closing is stored too, not only on leaving the field.
    storeThreshold();
    QDialog::done(result);
}

void TfrmGSBaseSet::cmdAddClick()
{
    EditGSModel(true);
}

void TfrmGSBaseSet::cmdEditClick()
{
    if (!m_grid->currentIndex().isValid())
        return;
    EditGSModel(false);
}

void TfrmGSBaseSet::EditGSModel(bool adding)
{
    TaxBracket current;
    if (adding) {
        current.classIdx = m_rules.nextClassIdx();
        if (current.classIdx == 0) {
            m_messages.showMessage(u"个税规则最多设置9个等级，不能再增加！"_s, MessageIcon::Warning);
            return;
        }
    } else {
        const int row = m_grid->currentIndex().row();
        if (row < 0 || row >= m_rules.brackets().size())
            return;
        current = m_rules.brackets().at(row);
    }

    TfrmGSBaseSetEdit dialog(this);
    dialog.setBracket(current, adding);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    const std::optional<TaxBracket> bracket = dialog.bracket();
    const bool stored = bracket && (adding ? m_rules.add(*bracket) : m_rules.update(*bracket));
    if (!stored)
        m_messages.showMessage(u"存储数据发生错误！"_s, MessageIcon::Error);
    refreshGrid();
    const int row = adding ? int(m_rules.brackets().size()) - 1 : m_grid->currentIndex().row();
    m_grid->setCurrentIndex(m_model->index(std::max(row, 0), 0));
}

void TfrmGSBaseSet::cmdDeleteClick()
{
    if (m_rules.brackets().isEmpty()) {
        m_messages.showMessage(u"没有可删除记录！"_s);
        return;
    }
    m_grid->setCurrentIndex(m_model->index(int(m_rules.brackets().size()) - 1, 0));
    if (!m_messages.askYesNo(u"将删除最后1条，是否继续？"_s))
        return;
    m_rules.deleteLast();
    refreshGrid();
}

void ShowGSBaseSet(Session &session, QWidget *parent)
{
    TfrmGSBaseSet dialog(session.dm, session.messages, parent);
    dialog.ReadyData();
    runDialog(dialog);
}

} // namespace quor
