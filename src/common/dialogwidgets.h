#pragma once

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quor {

// A button known by its object name. Enter presses it only when it has the
// focus: the dialogs move on to the next field with Enter.
QPushButton *namedButton(QWidget *parent, const QString &name, const QString &text);

// A field with an input mask, wide enough for "digits" digits.
QLineEdit *maskedEdit(QWidget *parent, const QString &name, const QString &mask, int digits);

// The buttons at the bottom of a dialog, to the right.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons);

} // namespace quor
