#include "frmpassinput.h"

#include "common/dialogrunner.h"
#include "common/dialogwidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quor {

TfrmPassInput::TfrmPassInput(QWidget *parent)
    : QDialog(parent)
    , m_lblHint(new QLabel(u"请输入密码："_s, this))
    , m_editPass(new QLineEdit(this))
{
    setObjectName(u"TfrmPassInput"_s);
    setWindowTitle(u"请输入密码"_s);
    m_lblHint->setObjectName(u"lblHint"_s);
    m_editPass->setObjectName(u"EditPass"_s);
    m_editPass->setEchoMode(QLineEdit::Password);
    m_editPass->setStyleSheet(u"lineedit-password-character: 42;"_s); // shown as "*"
    m_editPass->setMinimumWidth(240);

    QPushButton *ok = namedButton(this, u"btnOK"_s, u"确认(&E)"_s);
    ok->setDefault(true);
    QPushButton *cancel = namedButton(this, u"btnCancel"_s, u"取消(&X)"_s);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QHBoxLayout *buttons = buttonRow({ok, cancel});

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblHint);
    layout->addWidget(m_editPass);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmPassInput::setPrompt(const QString &caption, const QString &hint)
{
    setWindowTitle(caption);
    m_lblHint->setText(hint);
}

QString TfrmPassInput::password() const
{
    return m_editPass->text();
}

QString passwordPrompt(QWidget *parent, const QString &caption, const QString &hint)
{
    TfrmPassInput dialog(parent);
    dialog.setPrompt(caption, hint);
    runDialog(dialog);
    return dialog.password();
}

} // namespace quor
