#pragma once

#include "taxrules.h"

#include "common/dialogwidgets.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTableView;

namespace quor {

class Messages;
struct Session;

// One bracket: class (set by the program), bound, rate and quick deduction.
class TfrmGSBaseSetEdit final : public FormDialog
{
    Q_OBJECT

public:
    explicit TfrmGSBaseSetEdit(QWidget *parent = nullptr);

    // Edit mode shows the bracket's amounts "0.00"; add mode leaves them blank.
    void setBracket(const TaxBracket &bracket, bool adding);
    // The typed amounts, read by the number-text rule; no value when one is not a number.
    std::optional<TaxBracket> bracket() const;

private:
    TaxBracket m_bracket;
    QComboBox *m_cmbClassIdx;
    QLineEdit *m_editYNSTotal;
    QLineEdit *m_editSLRate;
    QLineEdit *m_editSQKCS;
};

// The tax-free threshold and the bracket table.
class TfrmGSBaseSet final : public QDialog
{
    Q_OBJECT

public:
    TfrmGSBaseSet(TDM &dm, Messages &messages, QWidget *parent = nullptr);

    void ReadyData();

public Q_SLOTS:
    void cmdAddClick();
    void cmdEditClick();
    void cmdDeleteClick();

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // EditGSModel: the bracket dialog in add mode or on the current row.
    void EditGSModel(bool adding);
    void storeThreshold();
    void refreshGrid();

    TaxRules m_rules;
    Messages &m_messages;
    TaxBracketModel *m_model;
    QLineEdit *m_editGSLimit;
    QTableView *m_grid;
    QString m_storedThreshold;
};

// Opens the rules dialog modally.
void ShowGSBaseSet(Session &session, QWidget *parent);

} // namespace quor
