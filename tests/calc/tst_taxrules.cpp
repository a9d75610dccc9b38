#include "calc/frmgsbaseset.h"
#include "calc/taxrules.h"

#include "common/dialogrunner.h"
#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quor::TaxBracket;

namespace {

// The rules dialog on a test folder, loaded and shown.
struct RulesDialog
{
    explicit RulesDialog(const TestFolder &tf)
        : session(tf.folder(), messages)
        , dialog(session.dm, messages)
    {
        dialog.ReadyData();
        dialog.show();
    }
    FakeMessages messages;
    quor::Session session;
    quor::TfrmGSBaseSet dialog;

    template<typename T>
    T *find(const QString &name) const { return dialog.findChild<T *>(name); }
    void click(const QString &name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    QString sql(const QString &query) const { return session.dm.GetDataBySQL(query); }
};

// Fills the bracket dialog as a user would and presses a button; records what it showed.
struct BracketEntry
{
    QString total, rate, deduction;
    QString button = u"Button1"_s;
    QStringList shown; // class, bound, rate, deduction as the dialog opened

    quor::ScopedDialogRunner runner{[this](QDialog &d) {
        auto *cls = d.findChild<QComboBox *>(u"cmbClassIdx"_s);
        const QStringList fields = {u"EditYNSTotal"_s, u"EditSLRate"_s, u"EditSQKCS"_s};
        shown = {cls->currentText() + (cls->isEnabled() ? u" enabled"_s : QString())};
        const QStringList typed = {total, rate, deduction};
        d.show();
        for (int i = 0; i < 3; ++i) {
            auto *edit = d.findChild<QLineEdit *>(fields.at(i));
            shown.append(edit->text());
            if (!typed.at(i).isNull()) {
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                edit->home(false);
                QTest::keyClicks(edit, typed.at(i));
            }
        }
        QTest::mouseClick(d.findChild<QPushButton *>(button), Qt::LeftButton);
        return d.result();
    }};
};

} // namespace

class TestTaxRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void taxForIncome_data();
    void taxForIncome();
    void showsBracketsAndThreshold();
    void thresholdStoredOnLeavingOrClosing();
    void addBracket_data();
    void addBracket();
    void tenthBracketRefused();
    void editBracket();
    void cancelChangesNothing();
    void deleteLast();
};

void TestTaxRules::taxForIncome_data()
{
    QTest::addColumn<double>("taxable");
    QTest::addColumn<double>("tax");
    QTest::newRow("bound is inclusive") << 4500.0 << 345.0;
    QTest::newRow("first bracket") << 1000.0 << 30.0;
    QTest::newRow("next bracket") << 4500.5 << 345.1;
    QTest::newRow("above every bracket") << 9000.01 << 0.0;
}

void TestTaxRules::taxForIncome()
{
    QFETCH(double, taxable);
    QFETCH(double, tax);
    const QList<TaxBracket> brackets = {{1, 1, 1500, 3, 0}, {2, 2, 4500, 10, 105}, {3, 3, 9000, 20, 555}};
    QCOMPARE(double(quor::taxForIncome(brackets, taxable)), tax);
    QCOMPARE(double(quor::taxForIncome({}, taxable)), 0.0);
}

void TestTaxRules::showsBracketsAndThreshold()
{
    TestFolder tf;
    tf.exec(u"update TGSModel set ClassIdx = 8 - ClassIdx"_s); // stored out of order
    RulesDialog r(tf);
    QCOMPARE(r.dialog.windowTitle(), u"个税计算规则设置"_s);
    QCOMPARE(r.find<QLineEdit>(u"EditGSLimit"_s)->text(), u"5000."_s);
    QAbstractItemModel *model = r.find<QTableView>(u"DBGridEh1"_s)->model();
    QCOMPARE(model->rowCount(), 7);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), u"全月应纳税所得额<="_s);
    QCOMPARE(model->index(0, 0).data().toInt(), 1);
    QCOMPARE(model->index(0, 1).data().toString(), u"999999999"_s);
    QCOMPARE(model->index(6, 2).data().toString(), u"3"_s);
    QVERIFY(!r.find<QPushButton>(u"Button7"_s)->isEnabled());
    QVERIFY(!r.find<QPushButton>(u"Button1"_s)->isEnabled());
}

void TestTaxRules::thresholdStoredOnLeavingOrClosing()
{
    TestFolder tf;
    RulesDialog r(tf);
    r.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&r.dialog)); // focus changes need an active window
    auto *edit = r.find<QLineEdit>(u"EditGSLimit"_s);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->home(false);
    QTest::keyClicks(edit, u"3500.6"_s);
    QCOMPARE(r.sql(u"select GSLimit from TPara"_s), u"5000"_s);
    r.find<QTableView>(u"DBGridEh1"_s)->setFocus(); // leaving the field stores it
    QCOMPARE(r.sql(u"select GSLimit from TPara"_s), u"3500.6"_s);

    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    r.dialog.reject(); // an empty field closed at once stores 0
    QCOMPARE(r.sql(u"select GSLimit from TPara"_s), u"0"_s);
}

void TestTaxRules::addBracket_data()
{
    QTest::addColumn<QString>("existing"); // SQL run before
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("expected"); // ClassIdx:YNSTotal:YNSTotalNJ:SLRate:SQKCS of the new row
    QTest::newRow("to seven brackets") << QString() << u"50"_s << u"8:1500000:1500000:50:100"_s;
    QTest::newRow("to an empty table") << u"delete from TGSModel"_s << u"50"_s << u"1:1500000:1500000:50:100"_s;
    QTest::newRow("blank rate is zero") << u"delete from TGSModel"_s << QString() << u"1:1500000:1500000:0:100"_s;
}

void TestTaxRules::addBracket()
{
    QFETCH(QString, existing);
    QFETCH(QString, rate);
    QFETCH(QString, expected);
    TestFolder tf;
    if (!existing.isEmpty())
        tf.exec(existing);
    RulesDialog r(tf);
    BracketEntry entry{u"1500000"_s, rate, u"100"_s};
    r.click(u"cmdAdd"_s);
    QCOMPARE(entry.shown.mid(1), (QStringList{u"."_s, u"."_s, u"."_s})); // blank amounts
    QCOMPARE(r.sql(u"select ClassIdx || ':' || YNSTotal || ':' || YNSTotalNJ || ':' || SLRate || ':' || SQKCS "
                   "from TGSModel order by ID desc"_s)
                 .replace(u".0"_s, QString()),
             expected);
    QVERIFY(r.messages.entries.isEmpty());
}

void TestTaxRules::tenthBracketRefused()
{
    TestFolder tf;
    tf.exec(u"insert into TGSModel (ClassIdx, YNSTotal, YNSTotalNJ, SLRate, SQKCS) values (8, 1, 1, 1, 1), "
            "(9, 2, 2, 2, 2)"_s);
    RulesDialog r(tf);
    BracketEntry entry{u"1"_s, u"1"_s, u"1"_s};
    r.click(u"cmdAdd"_s);
    QVERIFY(entry.shown.isEmpty()); // the bracket dialog never opened
    QCOMPARE(r.messages.messages().size(), 1);
    QCOMPARE(r.sql(u"select Count(*) from TGSModel"_s), u"9"_s);
}

void TestTaxRules::editBracket()
{
    TestFolder tf;
    RulesDialog r(tf);
    auto *grid = r.find<QTableView>(u"DBGridEh1"_s);
    grid->setCurrentIndex(grid->model()->index(1, 0));
    BracketEntry entry{u"13000"_s, u"12.5"_s, QString()};
    r.click(u"cmdEdit"_s);
    QCOMPARE(entry.shown, (QStringList{u"2"_s, u"12000.00"_s, u"10.00"_s, u"210.00"_s}));
    QCOMPARE(r.sql(u"select YNSTotal || '/' || YNSTotalNJ || '/' || SLRate || '/' || SQKCS from TGSModel "
                   "where ClassIdx=2"_s),
             u"13000.0/13000.0/12.5/210.0"_s);
    QCOMPARE(grid->model()->index(1, 2).data().toString(), u"12.5"_s);
}

void TestTaxRules::cancelChangesNothing()
{
    TestFolder tf;
    RulesDialog r(tf);
    BracketEntry entry{u"1"_s, u"1"_s, u"1"_s, u"Button2"_s};
    r.click(u"cmdAdd"_s);
    QCOMPARE(r.sql(u"select Count(*) from TGSModel"_s), u"7"_s);
}

void TestTaxRules::deleteLast()
{
    TestFolder tf;
    RulesDialog r(tf);
    r.messages.yesNo = {false, true};
    r.click(u"cmdDelete"_s);
    QCOMPARE(r.sql(u"select Count(*) from TGSModel"_s), u"7"_s);
    r.click(u"cmdDelete"_s);
    QCOMPARE(r.messages.texts(), (QStringList{u"将删除最后1条，是否继续？"_s, u"将删除最后1条，是否继续？"_s}));
    QCOMPARE(r.sql(u"select Max(ClassIdx) || '/' || Count(*) from TGSModel"_s), u"6/6"_s);

    tf.exec(u"delete from TGSModel"_s);
    r.dialog.ReadyData();
    r.messages.clear();
    r.click(u"cmdDelete"_s);
    QCOMPARE(r.messages.texts(), QStringList{u"没有可删除记录！"_s});
}

QTEST_MAIN(TestTaxRules)
#include "tst_taxrules.moc"
