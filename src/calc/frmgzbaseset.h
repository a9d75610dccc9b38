#pragma once

#include "itemset.h"

#include "common/dialogwidgets.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTableView;

namespace quor {

class Messages;
class TDM;
struct Session;

// One wage item: name, enabled state and formula.
class TfrmGZSetEdit final : public FormDialog
{
    Q_OBJECT

public:
    explicit TfrmGZSetEdit(Messages &messages, QWidget *parent = nullptr);

    void setValues(const QString &name, const QString &formula, int enabledIndex);
    QString name() const;
    QString formula() const;
    int enabledIndex() const;

public Q_SLOTS:
    // Save: refuses an empty name, otherwise closes with result true.
    void Button1Click();
    // Sets the formula to the income tax token.
    void Button3Click();
    // On leaving the name: a name that looks like income tax offers the tax formula.
    void checkTaxName();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Messages &m_messages;
    QLineEdit *m_editName;
    QComboBox *m_cmbUseStu;
    QLineEdit *m_editCalcStr;
};

// The earning and deduction items of one month (or of BASE).
class TfrmGZBaseSet final : public QDialog
{
    Q_OBJECT

public:
    TfrmGZBaseSet(TDM &dm, Messages &messages, QWidget *parent = nullptr);

    // Loads the item set of the month, falling back to BASE; says so and
    // returns false when the database cannot be read.
    bool ReadyData(const QString &month);
    // Stores the pending edits; says so and returns false on failure.
    bool SaveData();

    const ItemDefinitionSet &itemSet() const { return m_set; }

public Q_SLOTS:
    void Button1Click(); // save and close
    void Button3Click(); // edit the current earning item
    void Button4Click(); // edit the current deduction item

private:
    // Runs the item dialog on a row and puts a saved edit into the cache.
    void editRow(int gzType, int row);
    QTableView *makeGrid(const QString &name, ItemDefinitionModel &model);

    Messages &m_messages;
    ItemDefinitionSet m_set;
    QLineEdit *m_editGZMonth;
    QTableView *m_gridGZ;
    QTableView *m_gridKK;
};

// The single-item dialog: fills it from the three values and writes them back in
// any case; true when the user saved.
bool EditGZSet(Messages &messages, QString &name, QString &formula, int &enabledIndex, QWidget *parent = nullptr);

// The item list dialog for a month; true when the user saved. A set that cannot be
// read is reported and the dialog is not shown.
bool ShowGZBaseSet(Session &session, const QString &month, QWidget *parent = nullptr);

} // namespace quor
