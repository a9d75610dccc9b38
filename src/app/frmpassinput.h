#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quor {

// The password prompt: a hint, a masked field, and two buttons that both close.
class TfrmPassInput final : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmPassInput(QWidget *parent = nullptr);

    void setPrompt(const QString &caption, const QString &hint);
    QString password() const;

private:
    QLabel *m_lblHint;
    QLineEdit *m_editPass;
};

// Shows the prompt modally and returns what was typed, whichever button closed it.
QString passwordPrompt(QWidget *parent, const QString &caption, const QString &hint);

} // namespace quor
