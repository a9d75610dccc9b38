#include "frmbmycalcedit.h"

#include "common/dialogrunner.h"
#include "common/dialogwidgets.h"
#include "common/messages.h"
#include "common/numtext.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

} // namespace

TfrmBMYCalcEdit::TfrmBMYCalcEdit(Messages &messages, QWidget *parent)
    : FormDialog(parent)
    , m_messages(messages)
    , m_editTotalDay(maskedEdit(this, u"EditTotalDay"_s, u"00;_"_s, 6))
    , m_editTrueDay(maskedEdit(this, u"EditTrueDay"_s, u"00.00;_"_s, 6))
{
    setObjectName(u"TfrmBMYCalcEdit"_s);
    setWindowTitle(u"应发工资不满1月自动计算参数"_s);
    m_editTotalDay->setText(u"22"_s);

    auto *form = new QFormLayout;
    form->addRow(u"本月应上班天数"_s, m_editTotalDay);
    form->addRow(u"本月实际上班天数"_s, m_editTrueDay);

    QPushButton *ok = namedButton(this, u"Button1"_s, u"确认(&E)"_s);
    QPushButton *cancel = namedButton(this, u"Button2"_s, u"取消(&X)"_s);
    connect(ok, &QPushButton::clicked, this, &TfrmBMYCalcEdit::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QHBoxLayout *buttons = buttonRow({ok, cancel});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // Wide enough for the caption next to the title bar's buttons.
    const int titleWidth = fontMetrics().horizontalAdvance(windowTitle()) + 8 * fontMetrics().height();
    const int width = std::max(sizeHint().width(), titleWidth);
    setFixedSize(width, sizeHint().height());
    m_editTotalDay->setFocus();
}

void TfrmBMYCalcEdit::setDays(double actualDays, double dueDays)
{
    m_editTrueDay->setText(formatFixed(actualDays, 2));
    m_editTotalDay->setText(formatFixed(dueDays, 0));
}

double TfrmBMYCalcEdit::actualDays() const
{
    return readNumberText(m_editTrueDay->text()).value_or(0);
}

double TfrmBMYCalcEdit::dueDays() const
{
    return readNumberText(m_editTotalDay->text()).value_or(0);
}

void TfrmBMYCalcEdit::Button1Click()
{
    // An empty due field counts as 0 rather than failing the conversion.
    const double due = std::trunc(dueDays());
    if (due == 0) {
        m_messages.showMessage(u"本月应上班天数不能为0"_s, MessageIcon::Warning);
        m_editTotalDay->setFocus();
        return;
    }
    if (due >= 32) {
        m_messages.showMessage(u"本月应上班天数不能大于31"_s, MessageIcon::Warning);
        m_editTotalDay->setFocus();
        return;
    }
    if (actualDays() > 31) {
        m_messages.showMessage(u"本月实际上班天数不能大于31"_s, MessageIcon::Warning);
        m_editTrueDay->setFocus();
        return;
    }
    accept();
}

bool EditBMYCalc(Messages &messages, double &actualDays, double &dueDays, QWidget *parent)
{
    TfrmBMYCalcEdit dialog(messages, parent);
    dialog.setDays(actualDays, dueDays);
    const bool confirmed = runDialog(dialog) == QDialog::Accepted;
    actualDays = dialog.actualDays();
    dueDays = dialog.dueDays();
    return confirmed;
}

} // namespace quor
