#include "frmgzdetailedit.h"

#include "frmbmycalcedit.h"
#include "taxrules.h"

#include "common/dialogrunner.h"
#include "common/dialogwidgets.h"
#include "common/messages.h"
#include "common/numtext.h"
#include "common/textfile.h"
#include "data/session.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

constexpr double kDesignPointSize = 9;
constexpr double kDesignDpi = 96;

// Item positions: five columns per row; label and field y of each row.
constexpr std::array<int, 5> kColumnX = {16, 92, 168, 244, 320};
constexpr int kItemWidth = 70;
constexpr int kItemHeight = 20;
constexpr int kLabelPitch = 76; // a name may use the gap to the next column
struct RowY
{
    int label;
    int field;
};
constexpr std::array<RowY, 6> kEarningRows = {{{16, 32}, {56, 73}, {97, 114}, {138, 155}, {178, 195}, {218, 235}}};
constexpr std::array<RowY, 3> kDeductionRows = {{{13, 29}, {53, 69}, {93, 109}}};
constexpr int kDesignCaptionBottom = 13;
constexpr int kBoxRoom = 8; // below the last field of the deduction box

// The attendance figures take this many digits before and after the point.
// A validator rather than an input mask: the value reads as a number, right-aligned.
struct NumberShape
{
    int whole;
    int decimals;
};
constexpr NumberShape kDaysShape{3, 2};
constexpr NumberShape kHoursShape{4, 1};
constexpr NumberShape kPiecesShape{4, 1};

void setNumberShape(QLineEdit *edit, NumberShape shape)
{
    const QString pattern = u"^ *\\d{0,"_s + QString::number(shape.whole) + u"}(\\.\\d{0,"_s
        + QString::number(shape.decimals) + u"})? *$"_s;
    delete edit->validator();
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    edit->setProperty("decimals", shape.decimals);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// A value for an attendance field, rounded to the decimals it takes.
QString shapedNumber(double value, const QLineEdit *edit)
{
    return formatFixed(value, edit->property("decimals").toInt());
}

// Column widths of TGZ.
constexpr int kDepartLength = 50;
constexpr int kCodeLength = 20;
constexpr int kNameLength = 50;
constexpr int kTitleLength = 20;
constexpr int kQMLength = 50;
constexpr int kMobileLength = 30;
constexpr int kBankLength = 30;
constexpr int kEMailLength = 50;

bool isNumberKey(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
}

// A name wider than its place gets a smaller font, and only when even that
// does not do, an ellipsis; the full name stays in the tool tip.
void fitLabel(QLabel *label, const QString &text)
{
    QFont font = label->parentWidget()->font();
    const double minimum = std::min(font.pointSizeF(), 7.0);
    const int room = label->width() - 1;
    while (font.pointSizeF() > minimum && QFontMetricsF(font).horizontalAdvance(text) > room)
        font.setPointSizeF(std::max(minimum, font.pointSizeF() - 0.5));
    label->setFont(font);
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, room);
    label->setText(shown);
    label->setToolTip(shown == text && font == label->parentWidget()->font() ? QString() : text);
}

// The bottom of a group box's caption in its own coordinates.
int captionBottom(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box).bottom() + 1;
}

} // namespace

TfrmGZDetailEdit::TfrmGZDetailEdit(Session &session, QWidget *parent)
    : FormDialog(parent)
    , m_session(session)
    , m_calc(session.messages, [&dm = session.dm] { return loadTaxBrackets(dm); })
{
    setObjectName(u"TfrmGZDetailEdit"_s);
    setWindowTitle(u"新增/修改工资明细"_s);

    // A desktop font larger than the design's grows the whole layout with it.
    QFont design = font();
    design.setPointSizeF(kDesignPointSize);
    const double ratio = QFontMetricsF(font()).height() / QFontMetricsF(design).height() * logicalDpiY() / kDesignDpi;
    m_scale = std::max(1.0, ratio);

    buildLayout();
    arrangeTabOrder();

    connect(&m_calc, &WageCalculation::valueChanged, this, [this](ItemRef item, const QString &text) {
        QLineEdit *edit = position(item.side, item.index).edit;
        if (edit->text() != text)
            edit->setText(text);
    });
    connect(&m_calc, &WageCalculation::totalsChanged, this, &TfrmGZDetailEdit::showTotals);
    m_cmbDepart->setFocus();
}

TfrmGZDetailEdit::~TfrmGZDetailEdit() = default;

QRect TfrmGZDetailEdit::scaled(int x, int y, int width, int height) const
{
    const auto s = [this](int v) { return int(std::lround(v * m_scale)); };
    return QRect(s(x), s(y), s(x + width) - s(x), s(y + height) - s(y));
}

QLabel *TfrmGZDetailEdit::label(const QString &name, const QString &text, int x, int y, int width, int height,
                                QWidget *parent)
{
    auto *l = new QLabel(text, parent ? parent : this);
    l->setObjectName(name);
    l->setGeometry(scaled(x, y, width, height));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

QLineEdit *TfrmGZDetailEdit::edit(const QString &name, int x, int y, int width, QWidget *parent)
{
    auto *e = new QLineEdit(parent ? parent : this);
    e->setObjectName(name);
    e->setGeometry(scaled(x, y, width, kItemHeight));
    return e;
}

QComboBox *TfrmGZDetailEdit::combo(const QString &name, int x, int y, int width, int maxLength)
{
    auto *c = new QComboBox(this);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setMaxLength(maxLength);
    c->setGeometry(scaled(x, y, width, kItemHeight));
    return c;
}

QPushButton *TfrmGZDetailEdit::button(const QString &name, const QString &text, int x, int y, int width, int height)
{
    QPushButton *b = namedButton(this, name, text); // Enter is handled by the dialog
    b->setGeometry(scaled(x, y, width, height));
    return b;
}

void TfrmGZDetailEdit::buildLayout()
{
    setFixedSize(scaled(0, 0, kDesignWidth, kDesignHeight).size());

    // Header row.
    label(u"lblMonth"_s, u"月度"_s, 8, 13, 26);
    m_editMonth = edit(u"EditMonth"_s, 36, 13, 62);
    m_editMonth->setReadOnly(true);
    label(u"lblDepart"_s, u"部门"_s, 104, 13, 26);
    m_cmbDepart = combo(u"cmbDepart"_s, 132, 13, 100, kDepartLength);
    label(u"lblBM"_s, u"编码"_s, 238, 13, 26);
    m_editBM = edit(u"EditBM"_s, 266, 13, 62);
    m_editBM->setMaxLength(kCodeLength);
    label(u"lblEmpName"_s, u"姓名"_s, 334, 13, 26);
    m_cmbEmpName = combo(u"cmbEmpName"_s, 362, 13, 84, kNameLength);
    label(u"lblZWName"_s, u"职务"_s, 452, 13, 26);
    m_cmbZWName = combo(u"cmbZWName"_s, 480, 13, 75, kTitleLength);

    // Attendance row.
    m_lblWorkDays = label(u"lblWorkDays"_s, u"出勤天数"_s, 8, 40, 52);
    m_editWorkDays = edit(u"EditWorkDays"_s, 60, 40, 54);
    m_lblWorkHours = label(u"lblWorkHours"_s, u"出勤小时"_s, 120, 40, 52);
    m_editWorkHours = edit(u"EditWorkHours"_s, 172, 40, 54);
    m_lblOneDayMOney = label(u"lblOneDayMOney"_s, u"工资/天"_s, 232, 40, 64);
    m_editOneDayMOney = edit(u"EditOneDayMOney"_s, 296, 40, 70);
    m_button5 = button(u"Button5"_s, u"第一应发项目=出勤时间X单价"_s, 372, 38, 187);

    // Item boxes.
    m_boxEarnings = new QGroupBox(u"应发工资项目"_s, this);
    m_boxEarnings->setObjectName(u"GroupBox1"_s);
    m_boxEarnings->setGeometry(scaled(8, 72, 401, 265));
    m_boxDeductions = new QGroupBox(u"应扣代扣工资项目"_s, this);
    m_boxDeductions->setObjectName(u"GroupBox2"_s);
    m_boxDeductions->setGeometry(scaled(8, 344, 401, 137));
    // The design's caption ended above y = 13; a taller caption font moves the
    // items down, within the room the boxes leave below their last row.
    const int titleBottom = std::max(captionBottom(m_boxEarnings), captionBottom(m_boxDeductions));
    const int shift = std::clamp(titleBottom - scaled(0, 0, 0, kDesignCaptionBottom).height(), 0,
                                 scaled(0, 0, 0, kBoxRoom).height());
    for (ItemSide side : {ItemSide::Earning, ItemSide::Deduction}) {
        const bool earning = side == ItemSide::Earning;
        QGroupBox *box = earning ? m_boxEarnings : m_boxDeductions;
        const int count = earning ? kMaxEarningItems : kMaxDeductionItems;
        for (int index = 0; index < count; ++index) {
            const int n = controlNumber(side, index + 1);
            const RowY row = earning ? kEarningRows.at(index / 5) : kDeductionRows.at(index / 5);
            const int x = kColumnX.at(index % 5);
            Position &p = position(side, index);
            p.label = label(u"Label"_s + QString::number(n), QString(), x, row.label, kLabelPitch - 2,
                            row.field - row.label, box);
            p.edit = edit(u"MaskEdit"_s + QString::number(n), x, row.field, kItemWidth, box);
            p.label->move(p.label->pos() + QPoint(0, shift));
            p.edit->move(p.edit->pos() + QPoint(0, shift));
            p.edit->installEventFilter(this);
            m_numericEdits.insert(p.edit);
            connect(p.edit, &QLineEdit::textChanged, this, [this, side, index](const QString &text) {
                if (index < m_calc.items(side).size())
                    m_calc.setValue({side, index}, text);
            });
            p.label->hide();
            p.edit->hide();
        }
    }
    m_button3 = button(u"Button3"_s, u"应发工资不满1月自动计算"_s, 413, 80, 146);
    m_button4 = button(u"Button4"_s, u"调用系统计算器"_s, 413, 352, 146);

    // Totals.
    label(u"lblYF"_s, u"应发合计"_s, 8, 490, 52);
    m_editYF = edit(u"EditYF"_s, 60, 490, 84);
    label(u"lblKK"_s, u"应扣合计"_s, 154, 490, 52);
    m_editKK = edit(u"EditKK"_s, 206, 490, 84);
    label(u"lblSF"_s, u"实发工资"_s, 300, 490, 52);
    m_editSF = edit(u"EditSF"_s, 352, 490, 84);
    for (QLineEdit *e : {m_editYF, m_editKK, m_editSF})
        e->setReadOnly(true);

    // Contact rows.
    label(u"lblMobileCode"_s, u"手机号码"_s, 8, 519, 52);
    m_editMobileCode = edit(u"EditMobileCode"_s, 60, 519, 150);
    m_editMobileCode->setMaxLength(kMobileLength);
    label(u"lblBankNo"_s, u"银行帐号"_s, 220, 519, 52);
    m_editBankNo = edit(u"EditBankNo"_s, 272, 519, 283);
    m_editBankNo->setMaxLength(kBankLength);
    label(u"lblQM"_s, u"备注信息"_s, 8, 547, 52);
    m_editQM = edit(u"EditQM"_s, 60, 547, 495);
    m_editQM->setMaxLength(kQMLength);
    label(u"lblEMail"_s, u"电子邮件"_s, 8, 575, 52);
    m_editEMail = edit(u"EditEMail"_s, 60, 575, 220);
    m_editEMail->setMaxLength(kEMailLength);
    label(u"lblEMailHint"_s, u"需要自动发送电子工资条时设定"_s, 288, 575, 267);

    // Bottom strip.
    auto *strip = new QFrame(this);
    strip->setObjectName(u"Panel1"_s);
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setGeometry(scaled(0, kDesignHeight - 41, kDesignWidth, 41));
    strip->lower();
    m_button1 = button(u"Button1"_s, u"保存(&S)"_s, 379, kDesignHeight - 33, 80);
    m_button2 = button(u"Button2"_s, u"取消(&X)"_s, 469, kDesignHeight - 33, 80);

    // The rate and the item values take only what a number is typed with.
    m_numericEdits.insert(m_editOneDayMOney);
    m_editOneDayMOney->installEventFilter(this);
    for (QObject *o : std::as_const(m_numericEdits))
        static_cast<QWidget *>(o)->setAttribute(Qt::WA_InputMethodEnabled, false);

    connect(m_button1, &QPushButton::clicked, this, &TfrmGZDetailEdit::SaveData);
    connect(m_button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_button3, &QPushButton::clicked, this, &TfrmGZDetailEdit::Button3Click);
    connect(m_button4, &QPushButton::clicked, this, &TfrmGZDetailEdit::Button4Click);
    connect(m_button5, &QPushButton::clicked, this, &TfrmGZDetailEdit::Button5Click);
}

void TfrmGZDetailEdit::arrangeTabOrder()
{
    QList<QWidget *> order = {m_editMonth, m_cmbDepart, m_editBM, m_cmbEmpName, m_cmbZWName};
    // The fifth earning row and the second deduction row run right to left.
    for (int p = 1; p <= kMaxEarningItems; ++p)
        order.append(itemEdit(ItemSide::Earning, p >= 21 && p <= 25 ? 46 - p : p));
    for (int p = 1; p <= kMaxDeductionItems; ++p)
        order.append(itemEdit(ItemSide::Deduction, p >= 6 && p <= 10 ? 16 - p : p));
    order << m_editYF << m_editKK << m_editSF << m_button1 << m_button2 << m_button3 << m_button4
          << m_editWorkDays << m_editWorkHours << m_editOneDayMOney << m_button5 << m_editMobileCode
          << m_editBankNo << m_editQM << m_editEMail;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

int TfrmGZDetailEdit::controlNumber(ItemSide side, int position)
{
    if (side == ItemSide::Earning) {
        if (position <= 10)
            return position;
        return position <= 20 ? position + 20 : position + 30;
    }
    if (position <= 5)
        return position + 10;
    return position <= 10 ? position + 35 : position + 60;
}

TfrmGZDetailEdit::Position &TfrmGZDetailEdit::position(ItemSide side, int index)
{
    return side == ItemSide::Earning ? m_earnings.at(index) : m_deductions.at(index);
}

const TfrmGZDetailEdit::Position &TfrmGZDetailEdit::position(ItemSide side, int index) const
{
    return side == ItemSide::Earning ? m_earnings.at(index) : m_deductions.at(index);
}

QLineEdit *TfrmGZDetailEdit::itemEdit(ItemSide side, int position) const
{
    return this->position(side, position - 1).edit;
}

QLabel *TfrmGZDetailEdit::itemLabel(ItemSide side, int position) const
{
    return this->position(side, position - 1).label;
}

QLineEdit *TfrmGZDetailEdit::FindEditCtrlByName(const QString &name) const
{
    const std::optional<ItemRef> item = m_calc.FindEditCtrlByName(name);
    return item ? position(item->side, item->index).edit : nullptr;
}

QLabel *TfrmGZDetailEdit::FindLableByEditCtrl(const QWidget *edit) const
{
    for (const Position &p : m_earnings) {
        if (p.edit == edit)
            return p.label;
    }
    for (const Position &p : m_deductions) {
        if (p.edit == edit)
            return p.label;
    }
    return nullptr;
}

void TfrmGZDetailEdit::applyAttendanceMode()
{
    const ProgramState &state = m_session.state;
    QString rate = u"工资/天"_s;
    QString days = u"出勤天数"_s;
    NumberShape daysShape = kDaysShape;
    bool hours = true;
    switch (state.printDays) {
    case 1:
        hours = false;
        break;
    case 2:
        rate = u"工资/小时"_s;
        break;
    case 3:
        rate = u"工资/"_s + state.jjUnit;
        days = u"完工件数"_s;
        daysShape = kPiecesShape;
        hours = false;
        break;
    default:
        break;
    }
    m_lblOneDayMOney->setText(rate);
    m_lblWorkDays->setText(days);
    setNumberShape(m_editWorkDays, daysShape);
    setNumberShape(m_editWorkHours, kHoursShape);
    m_editWorkHours->setEnabled(hours);
    // The rate and the items take any text; only their keys are filtered.
    m_editOneDayMOney->setInputMask(QString());
    for (ItemSide side : {ItemSide::Earning, ItemSide::Deduction}) {
        const int count = side == ItemSide::Earning ? kMaxEarningItems : kMaxDeductionItems;
        for (int p = 1; p <= count; ++p)
            itemEdit(side, p)->setInputMask(QString());
    }
}

void TfrmGZDetailEdit::fillLists(const QString &month)
{
    const TDM &dm = m_session.dm;
    // The lists come from the most recently created other month.
    QString reference = dm.GetDataBySQL(u"Select GZMonth from TGZMonth where GZMonth<>? Order by ID desc LIMIT 1"_s,
                                        {month});
    if (reference.isEmpty())
        reference = month;

    const auto fill = [](QComboBox *combo, const QStringList &items) {
        const QString text = combo->currentText();
        combo->clear();
        combo->addItems(items);
        combo->setCurrentText(text);
    };
    QStringList departs;
    dm.GetDataBySQLToItems(u"Select Distinct DepartName from TGZ where GZMonth=? order by DepartName"_s, departs,
                           true, {reference});
    fill(m_cmbDepart, departs);
    QStringList names;
    dm.GetDataBySQLToItems(u"Select Distinct EmpName from TGZ where GZMonth=? order by EmpName"_s, names, true,
                           {reference});
    fill(m_cmbEmpName, names);

    QStringList titles;
    std::optional<QString> dictionary;
    if (m_session.folder.exists(u"ZW.txt"_s))
        dictionary = readTextFile(m_session.folder.path(u"ZW.txt"_s));
    if (dictionary) {
        for (const QString &line : splitLines(*dictionary)) {
            if (!line.trimmed().isEmpty())
                titles.append(line);
        }
    } else {
        dm.GetDataBySQLToItems(u"Select Distinct ZWName from TGZ where GZMonth=? order by ZWName"_s, titles, true,
                               {reference});
    }
    fill(m_cmbZWName, titles);
}

bool TfrmGZDetailEdit::ReadyData(int id, const QString &month)
{
    applyAttendanceMode();
    m_editMonth->setText(month);
    fillLists(month);

    std::optional<DetailRecord> record = loadDetailRecord(m_session.dm, id);
    std::optional<DisplayedItems> items = record ? loadDisplayedItems(m_session.dm, month) : std::nullopt;
    if (!record || !items) {
        m_session.messages.showMessage(u"读取数据库发生错误！"_s, MessageIcon::Error);
        return false;
    }
    m_record = *record;
    m_items = *items;

    m_cmbDepart->setCurrentText(m_record.departName);
    m_cmbEmpName->setCurrentText(m_record.empName);
    m_editBM->setText(m_record.empCode);
    m_cmbZWName->setCurrentText(m_record.zwName);
    m_editEMail->setText(m_record.email);
    m_editQM->setText(m_record.qm);
    m_editMobileCode->setText(m_record.mobileCode);
    m_editBankNo->setText(m_record.bankNo);
    const bool decimals = m_session.state.showDecimals();
    m_editOneDayMOney->setText(formatAmount(m_record.oneDayMoney, decimals));
    m_editWorkHours->setText(shapedNumber(m_record.hourCount, m_editWorkHours));
    m_editWorkDays->setText(shapedNumber(m_record.workDays, m_editWorkDays));

    m_calc.setSettings({m_session.state.gsLimit, decimals});
    QList<WageItem> earnings = m_items.earnings;
    QList<WageItem> deductions = m_items.deductions;
    for (QList<WageItem> *list : {&earnings, &deductions}) {
        for (WageItem &item : *list) {
            item.value = formatAmount(m_record.amount(item.field).value_or(0), decimals);
            // A zero amount in whole units shows as an empty field.
            if (item.value == "0"_L1)
                item.value.clear();
        }
    }
    // The stored values as they are: no formula runs before an item field is left.
    m_calc.setItems(earnings, deductions);
    showItems(ItemSide::Earning, earnings);
    showItems(ItemSide::Deduction, deductions);
    showTotals();
    return true;
}

void TfrmGZDetailEdit::showItems(ItemSide side, const QList<WageItem> &items)
{
    const int count = side == ItemSide::Earning ? kMaxEarningItems : kMaxDeductionItems;
    for (int index = 0; index < count; ++index) {
        const Position &p = position(side, index);
        const bool used = index < items.size();
        if (used) {
            fitLabel(p.label, items.at(index).name);
            p.edit->setText(items.at(index).value);
        } else {
            p.label->clear();
            p.edit->clear();
        }
        p.label->setVisible(used);
        p.edit->setVisible(used);
    }
}

void TfrmGZDetailEdit::showTotals()
{
    m_editYF->setText(m_calc.yfText());
    m_editKK->setText(m_calc.kkText());
    m_editSF->setText(m_calc.sfText());
}

bool TfrmGZDetailEdit::ReCalcAll()
{
    if (m_recalculating)
        return false;
    m_recalculating = true;
    const bool ok = m_calc.ReCalcAll();
    m_recalculating = false;
    return ok;
}

std::optional<double> TfrmGZDetailEdit::numberOf(QLineEdit *edit, const QString &caption)
{
    const std::optional<double> value = readNumberText(edit->text());
    if (!value) {
        m_session.messages.showMessage(caption + u"："_s + WageCalculation::conversionMessage(edit->text()),
                                       MessageIcon::Error);
        edit->setFocus();
        edit->selectAll();
    }
    return value;
}

bool TfrmGZDetailEdit::SaveData()
{
    Messages &messages = m_session.messages;
    if (m_cmbDepart->currentText().trimmed().isEmpty()) {
        messages.showMessage(u"请选择或输入部门！"_s, MessageIcon::Warning);
        m_cmbDepart->setFocus();
        return false;
    }
    if (m_cmbEmpName->currentText().trimmed().isEmpty()) {
        messages.showMessage(u"请选择或输入姓名！"_s, MessageIcon::Warning);
        m_cmbEmpName->setFocus();
        return false;
    }
    if (m_cmbZWName->currentText().trimmed().isEmpty())
        m_cmbZWName->setCurrentText(u" "_s);

    // Every number is read before anything is written: a field that holds none
    // is named, and nothing is stored.
    const std::optional<double> rate = numberOf(m_editOneDayMOney, m_lblOneDayMOney->text());
    if (!rate)
        return false;
    const std::optional<double> days = numberOf(m_editWorkDays, m_lblWorkDays->text());
    if (!days)
        return false;
    const std::optional<double> hours = numberOf(m_editWorkHours, m_lblWorkHours->text());
    if (!hours)
        return false;

    DetailRecord record = m_record;
    record.month = m_editMonth->text();
    record.departName = m_cmbDepart->currentText();
    record.empCode = m_editBM->text();
    record.email = m_editEMail->text();
    record.empName = m_cmbEmpName->currentText();
    record.zwName = m_cmbZWName->currentText();
    record.qm = m_editQM->text();
    record.mobileCode = m_editMobileCode->text();
    record.bankNo = m_editBankNo->text();
    record.oneDayMoney = *rate;
    record.workDays = *days;
    record.hourCount = *hours;
    if (const std::optional<ConversionError> error = takeCalculation(record, m_calc)) {
        const WageItem &item = m_calc.items(error->item.side).at(error->item.index);
        messages.showMessage(u"工资项目["_s + item.name + u"]的"_s + WageCalculation::conversionMessage(error->text),
                             MessageIcon::Error);
        QLineEdit *edit = position(error->item.side, error->item.index).edit;
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    m_calc.AutoCalc();

    if (!saveDetailRecord(m_session.dm, record, m_items)) {
        messages.showMessage(u"存储数据库发生错误！"_s, MessageIcon::Error);
        return false;
    }
    m_record = record;
    m_saved = true;
    accept();
    return true;
}

void TfrmGZDetailEdit::Button3Click()
{
    double actual = readNumberText(m_editWorkDays->text()).value_or(0);
    double due = 22;
    if (!EditBMYCalc(m_session.messages, actual, due, this) || due == 0)
        return;
    m_calc.scaleEarnings(actual, due);
}

QStringList calculatorPrograms()
{
    return {u"gnome-calculator"_s, u"kcalc"_s, u"galculator"_s, u"mate-calc"_s, u"xcalc"_s};
}

void TfrmGZDetailEdit::Button4Click()
{
    for (const QString &program : calculatorPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) {
            QProcess::startDetached(path, {});
            return;
        }
    }
}

void TfrmGZDetailEdit::Button5Click()
{
    // Hours in the hourly mode, otherwise days or pieces.
    QLineEdit *time = m_session.state.printDays == 2 ? m_editWorkHours : m_editWorkDays;
    m_recalculating = true;
    m_calc.setFirstEarning(time->text(), m_editOneDayMOney->text());
    m_recalculating = false;
}

bool TfrmGZDetailEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_numericEdits.contains(watched)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        // Typed characters other than digits, "-" and "." are dropped; editing keys and paste pass.
        if (!command && !text.isEmpty() && text.at(0).isPrint() && !(text.size() == 1 && isNumberKey(text.at(0))))
            return true;
    } else if (event->type() == QEvent::FocusOut && m_numericEdits.contains(watched)
               && watched != m_editOneDayMOney) {
        // Only a move to another control counts as leaving the field, not a
        // message box or another window taking the focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ReCalcAll();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmGZDetailEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (const QScreen *s = screen()) {
        const QRect area = s->availableGeometry();
        const QSize frame = frameGeometry().size();
        move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
    }
    m_cmbDepart->setFocus();
}

bool EditGZDetail(Session &session, int id, const QString &month, QWidget *parent)
{
    TfrmGZDetailEdit dialog(session, parent);
    if (!dialog.ReadyData(id, month))
        return false;
    runDialog(dialog);
    return dialog.saved();
}

} // namespace quor
