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
struct Session;

// The main window: toolbar, the month list on the left, the records of the
// selected month with their filter bar and commands on the right.
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

    // The selected month's key; empty when there is no month.
    QString selectedMonth() const;
    bool hasMonth() const;

    // Display format of the amounts of the record list ("0.00" or "0").
    QString floatFormat() const { return m_floatFormat; }
    bool recordsOpen() const { return m_recordsOpen; }
    bool firstActivationPending() const { return m_activationPending; }
    QTimer *backupTimer() const { return m_timer1; }

public Q_SLOTS:
    // Login and first-run handling; does something only the first time.
    void FormActivate();
    // Toolbar "关闭".
    void closeCommand();

Q_SIGNALS:
    // The program must end now (a failed login).
    void programEnded();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildToolBar();
    QWidget *buildMonthBox();
    QWidget *buildRecordBox();

    void dsGZMonthAfterScroll();
    bool ReadyGZList(const QString &month);
    void fillFilterLists();
    void applySkin();
    void endProgram();
    void Timer1Timer();
    void showHelp();
    void showTaxRules();
    void queueFirstActivation();

    Session &m_session;
    MonthListModel *m_months;

    QToolBar *m_toolBar = nullptr;
    QGroupBox *m_monthBox = nullptr;
    QTableView *m_monthGrid = nullptr;
    QGroupBox *m_recordBox = nullptr;
    QComboBox *m_cmbDepart = nullptr;
    QComboBox *m_cmbEmpName = nullptr;
    QComboBox *m_cmbEmpCode = nullptr;
    QTableView *m_recordGrid = nullptr;
    QTimer *m_timer1 = nullptr;

    QString m_floatFormat = QStringLiteral("0");
    bool m_recordsOpen = false;
    bool m_activationPending = false;
    bool m_activationQueued = false;
};

} // namespace quor
