#pragma once

#include "common/dialogwidgets.h"

#include <QDialog>

class QLineEdit;

namespace quor {

class Messages;

// The days of an incomplete month: days due (EditTotalDay) and days worked
// (EditTrueDay). The confirm button checks them before closing.
class TfrmBMYCalcEdit final : public FormDialog
{
    Q_OBJECT

public:
    explicit TfrmBMYCalcEdit(Messages &messages, QWidget *parent = nullptr);

    void setDays(double actualDays, double dueDays);
    // The typed days by the number-text rule; 0 when a text is not a number.
    double actualDays() const;
    double dueDays() const;

public Q_SLOTS:
    // "确认(&E)": closes as confirmed when the days pass the checks.
    void Button1Click();

private:
    Messages &m_messages;
    QLineEdit *m_editTotalDay;
    QLineEdit *m_editTrueDay;
};

// EditBMYCalc: shows the days, returns whether the user confirmed. The days
// typed are handed back either way.
bool EditBMYCalc(Messages &messages, double &actualDays, double &dueDays, QWidget *parent);

} // namespace quor
