#pragma once

#include <QMainWindow>

class QAction;
class QComboBox;
class QGroupBox;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;
class QToolBar;
class QToolButton;

namespace quor {

class MonthListModel;
class RecordGrid;
class RecordListModel;
struct Session;

// The main window: toolbar, the month list on the left, the records of the
// selected month with their filter bar, footer sums and commands on the right.
class TfrmMainGZT final : public QMainWindow
{
    Q_OBJECT

public:
    // Runs the start-up sequence: branding, item set completion, parameters,
    // month list, skin and filter lists.
    explicit TfrmMainGZT(Session &session, QWidget *parent = nullptr);
    ~TfrmMainGZT() override;

    void ReadyPara();
    void LoadRegPara();
    void SetFloatFormat();
    void ReadyMonth();
    // Titles from the month's item set, then its records with the filters.
    bool ReadyGZList(const QString &month);
    // Re-adds the enabled items into the totals of the listed records.
    void ReCalcAll();

    // The selected month's key; empty when there is no month.
    QString selectedMonth() const;
    bool hasMonth() const;
    void selectMonthRow(int row);

    RecordListModel *records() const { return m_records; }
    RecordGrid *recordGrid() const { return m_grid; }
    // The remembered sort, "field ASC" or "field DESC"; empty when none.
    QString sortText() const { return m_sortText; }
    bool recordsOpen() const { return m_recordsOpen; }
    bool firstActivationPending() const { return m_activationPending; }
    QTimer *backupTimer() const { return m_timer1; }

public Q_SLOTS:
    // Login and first-run handling; does something only the first time.
    void FormActivate();
    // Toolbar "关闭".
    void closeCommand();

    void addMonth();       // "增加月度"
    void renameMonth();    // "修改月度"
    void deleteMonth();    // "删除月度"
    void itemSetUp();      // "工资项目参数设置"

    void applyFilters();   // a filter chosen, or Enter in a filter field
    void clearFilters();   // "清除条件"
    void addRecord();      // "增加明细"
    void editRecord();     // "修改明细"
    void deleteRecord();   // "删除明细"
    void deleteSelectedRecords(); // "批量删除-先鼠标拖选"
    void sortByTitle(int column);

Q_SIGNALS:
    // The program must end now (a failed login).
    void programEnded();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildToolBar();
    QWidget *buildMonthBox();
    QWidget *buildRecordBox();

    void dsGZMonthAfterScroll();
    void fillFilterLists();
    void refillNameFilter(const QString &month);
    void applySkin();
    void endProgram();
    void Timer1Timer();
    void showHelp();
    void showTaxRules();
    void queueFirstActivation();
    bool ensureMonth();
    int currentRecordRow() const;
    void selectRecordRow(int row);

    Session &m_session;
    MonthListModel *m_months;
    RecordListModel *m_records;

    QToolBar *m_toolBar = nullptr;
    QGroupBox *m_monthBox = nullptr;
    QTableView *m_monthGrid = nullptr;
    QGroupBox *m_recordBox = nullptr;
    QComboBox *m_cmbDepart = nullptr;
    QComboBox *m_cmbEmpName = nullptr;
    QComboBox *m_cmbEmpCode = nullptr;
    RecordGrid *m_grid = nullptr;
    QTimer *m_timer1 = nullptr;

    QString m_sortText;
    bool m_recordsOpen = false;
    bool m_activationPending = false;
    bool m_activationQueued = false;
};

} // namespace quor
