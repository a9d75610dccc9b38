#pragma once

#include <QDialog>
#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quor {

// A button known by its object name. Enter presses it only when it has the
// focus: the dialogs move on to the next field with Enter.
QPushButton *namedButton(QWidget *parent, const QString &name, const QString &text);

// A field with an input mask, wide enough for "digits" digits.
QLineEdit *maskedEdit(QWidget *parent, const QString &name, const QString &mask, int digits);

// A dialog of fields in which Enter moves the focus on to the next control
// in the tab order; on a button that has the focus it presses it.
class FormDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FormDialog(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// The buttons at the bottom of a dialog, to the right.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons);

} // namespace quor
