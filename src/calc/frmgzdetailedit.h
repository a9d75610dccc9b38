#pragma once

#include "detailrecord.h"
#include "wagecalc.h"

#include "common/dialogwidgets.h"

#include <QDialog>
#include <QSet>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quor {

struct Session;

// 新增/修改工资明细: one wage record with a value field for each displayed item.
// The fields are bound to a WageCalculation: typing recomputes the totals,
// leaving an item field recomputes the formula items.
class TfrmGZDetailEdit final : public FormDialog
{
    Q_OBJECT

public:
    // The layout was drawn for the 9-point default font on a 96 dpi screen.
    static constexpr int kDesignWidth = 563;
    static constexpr int kDesignHeight = 642;

    explicit TfrmGZDetailEdit(Session &session, QWidget *parent = nullptr);
    ~TfrmGZDetailEdit() override;

    // Loads the record (ID below 1 or not found: a new one) and the items of
    // the month. False, after saying so, when the database could not be read.
    bool ReadyData(int id, const QString &month);

    // A save succeeded; the dialog starts unsaved.
    bool saved() const { return m_saved; }
    // The factor the design coordinates were multiplied with (1 at 9 points).
    double layoutScale() const { return m_scale; }

    // The control number of an item position (1-based): Label n / MaskEdit n.
    static int controlNumber(ItemSide side, int position);
    QLineEdit *itemEdit(ItemSide side, int position) const;
    QLabel *itemLabel(ItemSide side, int position) const;

    WageCalculation &calculation() { return m_calc; }
    const DisplayedItems &displayedItems() const { return m_items; }
    const DetailRecord &record() const { return m_record; }

    long double GetCalcValue(const QString &formula) { return m_calc.GetCalcValue(formula); }
    long double GetGS() { return m_calc.GetGS(); }
    bool ReCalcAll();
    void AutoCalc() { m_calc.AutoCalc(); }
    // The value field of the first displayed item of exactly that name, earnings first.
    QLineEdit *FindEditCtrlByName(const QString &name) const;
    // The label of an item value field; none for any other widget.
    QLabel *FindLableByEditCtrl(const QWidget *edit) const;

public Q_SLOTS:
    // "保存(&S)": checks, stores and closes; stays open on any failure.
    bool SaveData();
    // Pro-rata scaling of the earnings for an incomplete month.
    void Button3Click();
    // Starts the desktop's calculator.
    void Button4Click();
    // The first earning item = attendance time × rate.
    void Button5Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Position
    {
        QLabel *label = nullptr;
        QLineEdit *edit = nullptr;
    };

    void buildLayout();
    void arrangeTabOrder();
    QRect scaled(int x, int y, int width, int height) const;
    QLabel *label(const QString &name, const QString &text, int x, int y, int width, int height = 20,
                  QWidget *parent = nullptr);
    QLineEdit *edit(const QString &name, int x, int y, int width, QWidget *parent = nullptr);
    QComboBox *combo(const QString &name, int x, int y, int width, int maxLength);
    QPushButton *button(const QString &name, const QString &text, int x, int y, int width, int height = 25);
    Position &position(ItemSide side, int index);
    const Position &position(ItemSide side, int index) const;

    void applyAttendanceMode();
    void fillLists(const QString &month);
    void showItems(ItemSide side, const QList<WageItem> &items);
    void showTotals();
    // The number in a field, or a message naming it and the focus on it.
    std::optional<double> numberOf(QLineEdit *edit, const QString &caption);

    Session &m_session;
    WageCalculation m_calc;
    DisplayedItems m_items;
    DetailRecord m_record;
    double m_scale = 1;
    bool m_saved = false;
    bool m_recalculating = false;
    bool m_shown = false;

    QLineEdit *m_editMonth = nullptr;
    QComboBox *m_cmbDepart = nullptr;
    QLineEdit *m_editBM = nullptr;
    QComboBox *m_cmbEmpName = nullptr;
    QComboBox *m_cmbZWName = nullptr;
    QLabel *m_lblWorkDays = nullptr;
    QLineEdit *m_editWorkDays = nullptr;
    QLabel *m_lblWorkHours = nullptr;
    QLineEdit *m_editWorkHours = nullptr;
    QLabel *m_lblOneDayMOney = nullptr;
    QLineEdit *m_editOneDayMOney = nullptr;
    QGroupBox *m_boxEarnings = nullptr;
    QGroupBox *m_boxDeductions = nullptr;
    std::array<Position, kMaxEarningItems> m_earnings;
    std::array<Position, kMaxDeductionItems> m_deductions;
    QLineEdit *m_editYF = nullptr;
    QLineEdit *m_editKK = nullptr;
    QLineEdit *m_editSF = nullptr;
    QLineEdit *m_editMobileCode = nullptr;
    QLineEdit *m_editBankNo = nullptr;
    QLineEdit *m_editQM = nullptr;
    QLineEdit *m_editEMail = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    QPushButton *m_button3 = nullptr;
    QPushButton *m_button4 = nullptr;
    QPushButton *m_button5 = nullptr;
    QSet<QObject *> m_numericEdits; // item fields and the rate: typed input filtered
};

// The calculator programs tried by "调用系统计算器", in this order.
QStringList calculatorPrograms();

// Opens the editor for a record (−1 for a new one) of a month; true when saved.
bool EditGZDetail(Session &session, int id, const QString &month, QWidget *parent);

} // namespace quor
