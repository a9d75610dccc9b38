#include "dialogwidgets.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace quor {

QPushButton *namedButton(QWidget *parent, const QString &name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit *maskedEdit(QWidget *parent, const QString &name, const QString &mask, int digits)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setInputMask(mask);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(u"0"_s) * (digits + 4));
    return edit;
}

FormDialog::FormDialog(QWidget *parent)
    : QDialog(parent)
{
}

void FormDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto *button = qobject_cast<QAbstractButton *>(focusWidget()))
        button->click();
    else
        focusNextChild();
}

QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *button : buttons)
        row->addWidget(button);
    return row;
}

} // namespace quor
