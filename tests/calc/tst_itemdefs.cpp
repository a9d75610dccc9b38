#include "calc/frmgzbaseset.h"
#include "calc/itemset.h"

#include "common/dialogrunner.h"
#include "data/session.h"

#include "support/fakemessages.h"
#include "support/testfolder.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <functional>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using quor::MessageIcon;

namespace {

const QString kTaxQuestion = u"当前输入的项目可能是个人所得税。\r本软件支持自动计算个人所得税，是否设置为自动计算？"_s;
const QString kTaxHint = u"请打开功能 [系统参数设置]\\[个人所得税规则设置] 设置缴税规则和不纳税上限。"_s;

// Types text key by key, as a user (or an input method) would, replacing what was there.
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// One use of the item dialog: what the user types and which button ends it.
struct ItemEdit
{
    std::optional<QString> name;    // typed, then Tab leaves the field
    std::optional<QString> formula;
    std::optional<int> enabledIndex;
    QString close = u"Button1"_s;   // a button, or "Escape"
};

// What the item dialog showed when it opened.
struct ItemShown
{
    QString name;
    QString formula;
    int enabledIndex = -1;
    bool nameHasFocus = false;
};

// Drives both dialogs: the list dialog through "onList", every item dialog
// through the next entry of "edits".
struct Driver
{
    QList<ItemEdit> edits;
    QList<ItemShown> shown;
    std::function<void(quor::TfrmGZBaseSet &)> onList;
    bool listOpened = false;
    bool activationFailed = false;

    quor::ScopedDialogRunner runner{[this](QDialog &d) {
        d.show();
        d.activateWindow();
        if (!QTest::qWaitForWindowActive(&d)) // leaving a field needs an active window
            activationFailed = true;
        if (auto *list = qobject_cast<quor::TfrmGZBaseSet *>(&d)) {
            listOpened = true;
            if (onList)
                onList(*list);
            else
                list->reject();
            return d.result();
        }
        return runItemDialog(d);
    }};

    int runItemDialog(QDialog &d)
    {
        auto *name = d.findChild<QLineEdit *>(u"EditName"_s);
        auto *formula = d.findChild<QLineEdit *>(u"EditCalcStr"_s);
        auto *enabled = d.findChild<QComboBox *>(u"cmbUseStu"_s);
        shown.append({name->text(), formula->text(), enabled->currentIndex(), d.focusWidget() == name});
        if (edits.isEmpty()) {
            d.reject();
            return d.result();
        }
        const ItemEdit edit = edits.takeFirst();
        if (edit.name) {
            name->setFocus();
            typeInto(name, *edit.name);
            QTest::keyClick(name, Qt::Key_Tab);
        }
        if (edit.formula)
            typeInto(formula, *edit.formula);
        if (edit.enabledIndex)
            enabled->setCurrentIndex(*edit.enabledIndex);
        if (edit.close == u"Escape"_s)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            QTest::mouseClick(d.findChild<QPushButton *>(edit.close), Qt::LeftButton);
        return d.result();
    }
};

// A program folder with its session and the helpers to look at TGZSet.
struct Fixture
{
    TestFolder tf;
    FakeMessages messages;
    quor::Session session{tf.folder(), messages};

    QString sql(const QString &query, const QVariantList &params = {}) const
    {
        return session.dm.GetDataBySQL(query, params);
    }
    // Every TGZSet row as "ID|GZMonth|GZField1|GZName|CalcStr|GZType|SortIdx|ShowStu", NULL as "<NULL>".
    QStringList table() const
    {
        QStringList rows;
        session.dm.GetDataBySQLToItems(
            u"select ID || '|' || GZMonth || '|' || GZField1 || '|' || GZName || '|' || coalesce(CalcStr, '<NULL>') "
            "|| '|' || GZType || '|' || SortIdx || '|' || ShowStu from TGZSet order by ID"_s,
            rows, true);
        return rows;
    }
    // The BASE row of a field as "GZName|CalcStr|ShowStu".
    QString baseItem(const QString &field) const
    {
        return sql(u"select GZName || '|' || coalesce(CalcStr, '<NULL>') || '|' || ShowStu from TGZSet "
                   "where GZMonth='BASE' and GZField1=?"_s,
                   {field});
    }
    // Copies BASE rows of the given types to a month, in reverse ID order.
    void copyBase(const QString &month, const QString &types) const
    {
        tf.exec(u"insert into TGZSet (GZMonth, GZField1, GZName, CalcStr, GZType, SortIdx, ShowStu) "
                "select ?, GZField1, GZName || '#' || GZField1, CalcStr, GZType, SortIdx, ShowStu from TGZSet "
                "where GZMonth='BASE' and GZType in ("_s
                    + types + u") order by ID desc"_s,
                {month});
    }
};

template<typename T>
T *find(const QWidget &dialog, const QString &name)
{
    T *widget = dialog.findChild<T *>(name);
    if (!widget)
        qFatal("no widget %s", qPrintable(name));
    return widget;
}

void click(const QWidget &dialog, const QString &name)
{
    QTest::mouseClick(find<QPushButton>(dialog, name), Qt::LeftButton);
}

void selectRow(const QWidget &dialog, const QString &grid, int row)
{
    auto *view = find<QTableView>(dialog, grid);
    view->setCurrentIndex(view->model()->index(row, 0));
}

QString cell(const QWidget &dialog, const QString &grid, int row, int column)
{
    return find<QTableView>(dialog, grid)->model()->index(row, column).data().toString();
}

} // namespace

class TestItemDefs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsMonthOrBase_data();
    void loadsMonthOrBase();
    void listDialogLayout();
    void unreadableSetIsNotShown();
    void saveWritesEditedColumnsOnly_data();
    void saveWritesEditedColumnsOnly();
    void baseFallbackEditsBase();
    void closingWithoutSaveDiscardsEdits_data();
    void closingWithoutSaveDiscardsEdits();
    void failedSaveKeepsDialogAndEdits();
    void itemDialogShowsAndReturnsValues();
    void emptyNameRefused_data();
    void emptyNameRefused();
    void taxCheckOnLeavingName_data();
    void taxCheckOnLeavingName();
};

void TestItemDefs::loadsMonthOrBase_data()
{
    QTest::addColumn<QString>("types");  // item types copied from BASE to 202402 before
    QTest::addColumn<QString>("month");  // month opened
    QTest::addColumn<QString>("shown");  // EditGZMonth
    QTest::addColumn<int>("earnings");
    QTest::addColumn<int>("deductions");
    QTest::addColumn<QString>("firstEarning"); // 序号/name/是否启用/formula of the first row
    QTest::addColumn<QString>("firstDeduction");

    QTest::newRow("month without rows uses BASE")
        << QString() << u"202402"_s << u"BASE"_s << 30 << 15 << u"1/基本工资/启用/"_s
        << u"1/养老保险/启用/([基本工资]+[岗位工资])*0.08"_s;
    QTest::newRow("own set in ID order")
        << u"0, 1"_s << u"202402"_s << u"202402"_s << 30 << 15 << u"30/工资项目#GZ30/禁用/"_s
        << u"15/工资项目#KK15/禁用/"_s;
    QTest::newRow("month key without regard to case")
        << QString() << u"base"_s << u"base"_s << 30 << 15 << u"1/基本工资/启用/"_s
        << u"1/养老保险/启用/([基本工资]+[岗位工资])*0.08"_s;
    QTest::newRow("earnings only: empty deduction grid")
        << u"0"_s << u"202402"_s << u"202402"_s << 30 << 0 << u"30/工资项目#GZ30/禁用/"_s << QString();
    QTest::newRow("deductions only: BASE for both")
        << u"1"_s << u"202402"_s << u"BASE"_s << 30 << 15 << u"1/基本工资/启用/"_s
        << u"1/养老保险/启用/([基本工资]+[岗位工资])*0.08"_s;
}

void TestItemDefs::loadsMonthOrBase()
{
    QFETCH(QString, types);
    QFETCH(QString, month);
    QFETCH(QString, shown);
    QFETCH(int, earnings);
    QFETCH(int, deductions);
    QFETCH(QString, firstEarning);
    QFETCH(QString, firstDeduction);

    Fixture f;
    if (!types.isEmpty())
        f.copyBase(u"202402"_s, types);
    Driver driver;
    driver.onList = [&](quor::TfrmGZBaseSet &d) {
        QCOMPARE(find<QLineEdit>(d, u"EditGZMonth"_s)->text(), shown);
        QCOMPARE(d.itemSet().month(), shown);
        auto row0 = [&](const QString &grid) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells.append(cell(d, grid, 0, c));
            return cells.join(u'/');
        };
        QCOMPARE(find<QTableView>(d, u"DBGridEh1"_s)->model()->rowCount(), earnings);
        QCOMPARE(find<QTableView>(d, u"DBGridEh2"_s)->model()->rowCount(), deductions);
        QCOMPARE(row0(u"DBGridEh1"_s), firstEarning);
        if (deductions > 0)
            QCOMPARE(row0(u"DBGridEh2"_s), firstDeduction);
        // Nothing to edit in an empty grid: the item dialog never opens.
        click(d, u"Button4"_s);
        QCOMPARE(driver.shown.size(), deductions > 0 ? 1 : 0);
        d.reject();
    };
    QVERIFY(!quor::ShowGZBaseSet(f.session, month, nullptr));
    QVERIFY(driver.listOpened);
    QVERIFY(f.messages.entries.isEmpty());
}

void TestItemDefs::listDialogLayout()
{
    Fixture f;
    Driver driver;
    driver.onList = [&](quor::TfrmGZBaseSet &d) {
        QCOMPARE(d.windowTitle(), u"基本工资项目设置"_s);
        QCOMPARE(find<QGroupBox>(d, u"GroupBox1"_s)->title(), u"应发工资项目(最多30项)"_s);
        QCOMPARE(find<QGroupBox>(d, u"GroupBox2"_s)->title(), u"应扣(代扣)工资项目(最多15项)"_s);
        QVERIFY(find<QLineEdit>(d, u"EditGZMonth"_s)->isReadOnly());
        QCOMPARE(find<QPushButton>(d, u"Button1"_s)->text(), u"保存(&S)"_s);
        QCOMPARE(find<QPushButton>(d, u"Button2"_s)->text(), u"取消(&X)"_s);
        QCOMPARE(find<QPushButton>(d, u"Button3"_s)->text(), u"修改(&E)"_s);
        QCOMPARE(find<QPushButton>(d, u"Button4"_s)->text(), u"修改(&E)"_s);
        QVERIFY(d.minimumSize() == d.maximumSize()); // fixed size
        QVERIFY(d.width() <= 1366 && d.height() <= 700);

        const QStringList titles = {u"序号"_s, u"工资项目名称"_s, u"是否启用"_s, u"计算公式"_s};
        for (const QString &name : {u"DBGridEh1"_s, u"DBGridEh2"_s}) {
            auto *grid = find<QTableView>(d, name);
            QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
            QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
            QStringList visible;
            for (int c = 0; c < grid->model()->columnCount(); ++c) {
                if (!grid->isColumnHidden(c))
                    visible.append(grid->model()->headerData(c, Qt::Horizontal).toString());
            }
            QCOMPARE(visible, titles);
            // Ten rows and more are visible, and every title fits its column.
            QVERIFY(grid->viewport()->height() >= 10 * grid->rowHeight(0));
            for (int c = 0; c < titles.size(); ++c)
                QVERIFY(grid->columnWidth(c) >= grid->horizontalHeader()->fontMetrics().horizontalAdvance(titles.at(c)));
        }
        // The hidden columns are loaded all the same.
        QAbstractItemModel *kk = find<QTableView>(d, u"DBGridEh2"_s)->model();
        QCOMPARE(kk->index(4, quor::ItemDefinitionModel::FieldColumn).data().toString(), u"KK5"_s);
        QCOMPARE(kk->index(4, quor::ItemDefinitionModel::TypeColumn).data().toInt(), 1);
        QVERIFY(kk->index(4, quor::ItemDefinitionModel::IdColumn).data().toInt() > 0);
        d.reject();
    };
    QVERIFY(!quor::ShowGZBaseSet(f.session, u"BASE"_s, nullptr));
    QVERIFY(driver.listOpened);
}

void TestItemDefs::unreadableSetIsNotShown()
{
    Fixture f;
    f.tf.exec(u"drop table TGZSet"_s);
    Driver driver;
    QVERIFY(!quor::ShowGZBaseSet(f.session, u"202402"_s, nullptr));
    QVERIFY(!driver.listOpened);
    QCOMPARE(f.messages.messages(), QStringList{u"读取数据库发生错误！"_s});
}

void TestItemDefs::saveWritesEditedColumnsOnly_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("doubleClick"); // otherwise the 修改 button of the grid
    QTest::addColumn<QString>("name");     // null: not touched
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("enabledIndex"); // -1: not touched
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");   // GZName|CalcStr|ShowStu afterwards

    QTest::newRow("enable an item with a formula")
        << u"DBGridEh1"_s << 6 << false << u"交通补贴"_s << u"[基本工资]*0.1"_s << 0 << u"GZ7"_s
        << u"交通补贴|[基本工资]*0.1|0"_s;
    QTest::newRow("name with brackets, quotes and blanks")
        << u"DBGridEh1"_s << 1 << true << u" 岗位]工资 'A' \"B\" "_s << QString() << -1 << u"GZ2"_s
        << u" 岗位]工资 'A' \"B\" |<NULL>|0"_s;
    QTest::newRow("disable a deduction")
        << u"DBGridEh2"_s << 2 << false << QString() << QString() << 1 << u"KK3"_s
        << u"失业保险|([基本工资]+[岗位工资])*0.005|1"_s;
    QTest::newRow("clear a formula")
        << u"DBGridEh2"_s << 0 << true << QString() << u""_s << -1 << u"KK1"_s << u"养老保险|<NULL>|0"_s;
    QTest::newRow("saved unchanged") << u"DBGridEh2"_s << 4 << false << QString() << QString() << -1 << u"KK5"_s
                                     << u"个人所得税|[&个税]|0"_s;
}

void TestItemDefs::saveWritesEditedColumnsOnly()
{
    QFETCH(QString, grid);
    QFETCH(int, row);
    QFETCH(bool, doubleClick);
    QFETCH(QString, name);
    QFETCH(QString, formula);
    QFETCH(int, enabledIndex);
    QFETCH(QString, field);
    QFETCH(QString, stored);

    Fixture f;
    f.copyBase(u"202401"_s, u"0, 1"_s); // another month's set must stay as it is
    const QStringList before = f.table();
    const QString id = f.sql(u"select ID from TGZSet where GZMonth='BASE' and GZField1=?"_s, {field});

    Driver driver;
    ItemEdit edit;
    if (!name.isNull())
        edit.name = name;
    if (!formula.isNull())
        edit.formula = formula;
    if (enabledIndex >= 0)
        edit.enabledIndex = enabledIndex;
    driver.edits = {edit};
    driver.onList = [&](quor::TfrmGZBaseSet &d) {
        auto *view = find<QTableView>(d, grid);
        if (doubleClick) {
            const QRect rect = view->visualRect(view->model()->index(row, 1));
            // A real double click: the item view acts only on the row pressed first.
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, rect.center());
        } else {
            selectRow(d, grid, row);
            click(d, grid == u"DBGridEh1"_s ? u"Button3"_s : u"Button4"_s);
        }
        QCOMPARE(driver.shown.size(), 1);
        // The grid shows the edit before anything is stored.
        const QStringList parts = stored.split(u'|');
        QCOMPARE(cell(d, grid, row, 1), parts.at(0));
        QCOMPARE(cell(d, grid, row, 2), parts.at(2) == u"0"_s ? u"启用"_s : u"禁用"_s);
        QCOMPARE(cell(d, grid, row, 3), parts.at(1) == u"<NULL>"_s ? QString() : parts.at(1));
        QCOMPARE(f.table(), before);
        click(d, u"Button1"_s);
    };
    QVERIFY(quor::ShowGZBaseSet(f.session, u"BASE"_s, nullptr));
    QVERIFY(!driver.activationFailed);
    QVERIFY(f.messages.entries.isEmpty());
    QCOMPARE(f.baseItem(field), stored);

    // Every other row, and every other column of the edited one, is as before.
    QStringList expected = before;
    const QStringList parts = stored.split(u'|');
    for (QString &line : expected) {
        QStringList cols = line.split(u'|');
        if (cols.at(0) != id)
            continue;
        cols[3] = parts.at(0);
        cols[4] = parts.at(1);
        cols[7] = parts.at(2);
        line = cols.join(u'|');
    }
    QCOMPARE(f.table(), expected);
}

void TestItemDefs::baseFallbackEditsBase()
{
    Fixture f;
    f.tf.exec(u"insert into TGZMonth (GZMonth) values ('202405')"_s);
    Driver driver;
    driver.edits = {ItemEdit{u"基础工资"_s, {}, {}}};
    driver.onList = [&](quor::TfrmGZBaseSet &d) {
        QCOMPARE(find<QLineEdit>(d, u"EditGZMonth"_s)->text(), u"BASE"_s);
        click(d, u"Button3"_s); // the first row is current from the start
        click(d, u"Button1"_s);
    };
    QVERIFY(quor::ShowGZBaseSet(f.session, u"202405"_s, nullptr));
    QCOMPARE(f.baseItem(u"GZ1"_s), u"基础工资|<NULL>|0"_s);
    QCOMPARE(f.sql(u"select Count(*) from TGZSet where GZMonth='202405'"_s), u"0"_s);
}

void TestItemDefs::closingWithoutSaveDiscardsEdits_data()
{
    QTest::addColumn<bool>("escape"); // otherwise Button2
    QTest::newRow("取消") << false;
    QTest::newRow("Escape") << true;
}

void TestItemDefs::closingWithoutSaveDiscardsEdits()
{
    QFETCH(bool, escape);
    Fixture f;
    f.copyBase(u"202403"_s, u"0, 1"_s);
    const QStringList before = f.table();
    Driver driver;
    driver.edits = {ItemEdit{u"甲"_s, u"1+1"_s, 0}, ItemEdit{{}, {}, 1}, ItemEdit{u"乙"_s, {}, {}}};
    driver.onList = [&](quor::TfrmGZBaseSet &d) {
        selectRow(d, u"DBGridEh1"_s, 3);
        click(d, u"Button3"_s);
        click(d, u"Button3"_s);
        selectRow(d, u"DBGridEh2"_s, 14);
        click(d, u"Button4"_s);
        QCOMPARE(driver.shown.size(), 3);
        QCOMPARE(driver.shown.at(1).name, u"甲"_s); // the second edit saw the first
        QVERIFY(d.itemSet().isModified());
        if (escape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            click(d, u"Button2"_s);
    };
    QVERIFY(!quor::ShowGZBaseSet(f.session, u"202403"_s, nullptr));
    QCOMPARE(f.table(), before);
    QVERIFY(f.messages.entries.isEmpty());
}

void TestItemDefs::failedSaveKeepsDialogAndEdits()
{
    Fixture f;
    // Deductions refuse updates: the earning edit stored before must be undone too.
    f.tf.exec(u"create trigger refuse before update on TGZSet when old.GZType = 1 "
              "begin select raise(abort, 'refused'); end"_s);
    const QStringList before = f.table();
    Driver driver;
    driver.edits = {ItemEdit{u"计件工资"_s, {}, {}}, ItemEdit{u"社保"_s, {}, 1}};
    bool stayedOpen = false;
    driver.onList = [&](quor::TfrmGZBaseSet &d) {
        selectRow(d, u"DBGridEh1"_s, 0);
        click(d, u"Button3"_s);
        selectRow(d, u"DBGridEh2"_s, 1);
        click(d, u"Button4"_s);
        click(d, u"Button1"_s);
        QCOMPARE(f.messages.messages(), QStringList{u"存储数据发生错误！"_s});
        stayedOpen = d.isVisible() && d.result() == QDialog::Rejected;
        QCOMPARE(f.table(), before);
        QCOMPARE(cell(d, u"DBGridEh1"_s, 0, 1), u"计件工资"_s);
        QCOMPARE(cell(d, u"DBGridEh2"_s, 1, 1), u"社保"_s);
        QCOMPARE(cell(d, u"DBGridEh2"_s, 1, 2), u"禁用"_s);

        // Once the database accepts it, the same edits are stored.
        f.tf.exec(u"drop trigger refuse"_s);
        click(d, u"Button1"_s);
    };
    QVERIFY(quor::ShowGZBaseSet(f.session, u"BASE"_s, nullptr));
    QVERIFY(stayedOpen);
    QCOMPARE(f.messages.messages().size(), 1);
    QCOMPARE(f.baseItem(u"GZ1"_s), u"计件工资|<NULL>|0"_s);
    QCOMPARE(f.baseItem(u"KK2"_s), u"社保|([基本工资]+[岗位工资])*0.02|1"_s);
}

void TestItemDefs::itemDialogShowsAndReturnsValues()
{
    FakeMessages messages;
    Driver driver;
    QString name = u"绩效工资"_s;
    QString formula = u"[基本工资]*0.2"_s;
    int enabledIndex = 1;

    // Cancel: the values come back all the same, the result says not to use them.
    driver.edits = {ItemEdit{u"绩效"_s, u"[基本工资]*0.3"_s, 0, u"Button2"_s}};
    QVERIFY(!quor::EditGZSet(messages, name, formula, enabledIndex, nullptr));
    QCOMPARE(driver.shown.size(), 1);
    QCOMPARE(driver.shown.at(0).name, u"绩效工资"_s);
    QCOMPARE(driver.shown.at(0).formula, u"[基本工资]*0.2"_s);
    QCOMPARE(driver.shown.at(0).enabledIndex, 1);
    QVERIFY(driver.shown.at(0).nameHasFocus);
    QCOMPARE(name, u"绩效"_s);
    QCOMPARE(formula, u"[基本工资]*0.3"_s);
    QCOMPARE(enabledIndex, 0);

    // The 个税 button puts the tax token in place of the formula.
    QStringList captions;
    quor::ScopedDialogRunner runner([&](QDialog &d) {
        auto *use = find<QComboBox>(d, u"cmbUseStu"_s);
        captions = QStringList{d.windowTitle(), find<QLabel>(d, u"lblHint"_s)->text(),
                               find<QPushButton>(d, u"Button3"_s)->text()};
        for (int i = 0; i < use->count(); ++i)
            captions.append(use->itemText(i));
        click(d, u"Button3"_s);
        click(d, u"Button1"_s);
        return d.result();
    });
    QVERIFY(quor::EditGZSet(messages, name, formula, enabledIndex, nullptr));
    QCOMPARE(captions, (QStringList{u"修改工资设置"_s, u"如：   ([基本工资]+[岗位工资])*0.15"_s, u"个税"_s,
                                    u"启用"_s, u"禁用"_s}));
    QCOMPARE(formula, u"[&个税]"_s);
    QCOMPARE(name, u"绩效"_s);
    QVERIFY(messages.entries.isEmpty());
}

void TestItemDefs::emptyNameRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << u"   "_s;
}

void TestItemDefs::emptyNameRefused()
{
    QFETCH(QString, typed);
    FakeMessages messages;
    bool stayedOpen = false;
    quor::ScopedDialogRunner runner([&](QDialog &d) {
        d.show();
        auto *edit = find<QLineEdit>(d, u"EditName"_s);
        typeInto(edit, typed);
        click(d, u"Button1"_s);
        stayedOpen = d.isVisible() && d.result() == QDialog::Rejected;
        typeInto(edit, u"奖金"_s);
        click(d, u"Button1"_s);
        return d.result();
    });
    QString name = u"奖金A"_s;
    QString formula;
    int enabledIndex = 0;
    QVERIFY(quor::EditGZSet(messages, name, formula, enabledIndex, nullptr));
    QVERIFY(stayedOpen);
    QCOMPARE(messages.messages(), QStringList{u"请务必输入工资项目名称！"_s});
    QCOMPARE(name, u"奖金"_s);
}

void TestItemDefs::taxCheckOnLeavingName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<int>("leaves");       // times the field is left with Tab
    QTest::addColumn<QString>("formula");  // afterwards; it starts as "[基本工资]*0.03"
    QTest::addColumn<QStringList>("texts");

    const QString start = u"[基本工资]*0.03"_s;
    const QString tax = u"[&个税]"_s;
    QTest::newRow("Yes") << u"个人所得税"_s << QList<bool>{true} << 1 << tax << QStringList{kTaxQuestion, kTaxHint};
    QTest::newRow("No") << u"个人所得税"_s << QList<bool>{false} << 1 << start << QStringList{kTaxQuestion};
    QTest::newRow("any order") << u"代扣税款个人"_s << QList<bool>{true} << 1 << tax
                               << QStringList{kTaxQuestion, kTaxHint};
    QTest::newRow("every time the field is left")
        << u"个税"_s << QList<bool>{false, true} << 2 << tax << QStringList{kTaxQuestion, kTaxQuestion, kTaxHint};
    QTest::newRow("税 alone") << u"所得税"_s << QList<bool>{} << 1 << start << QStringList{};
    QTest::newRow("个 alone") << u"个人奖金"_s << QList<bool>{} << 1 << start << QStringList{};
}

void TestItemDefs::taxCheckOnLeavingName()
{
    QFETCH(QString, typed);
    QFETCH(QList<bool>, answers);
    QFETCH(int, leaves);
    QFETCH(QString, formula);
    QFETCH(QStringList, texts);

    FakeMessages messages;
    messages.yesNo = answers;
    bool activated = true;
    quor::ScopedDialogRunner runner([&](QDialog &d) {
        d.show();
        d.activateWindow();
        activated = QTest::qWaitForWindowActive(&d);
        auto *edit = find<QLineEdit>(d, u"EditName"_s);
        typeInto(edit, typed);
        for (int i = 0; i < leaves; ++i) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Tab);
        }
        click(d, u"Button1"_s);
        return d.result();
    });
    QString name = u"其他扣款"_s;
    QString result = u"[基本工资]*0.03"_s;
    int enabledIndex = 0;
    QVERIFY(quor::EditGZSet(messages, name, result, enabledIndex, nullptr));
    QVERIFY(activated);
    QCOMPARE(messages.texts(), texts);
    QCOMPARE(messages.unscripted, 0);
    for (const FakeMessages::Entry &e : std::as_const(messages.entries))
        QCOMPARE(e.icon, MessageIcon::Information);
    QCOMPARE(result, formula);
    QCOMPARE(name, typed);
}

QTEST_MAIN(TestItemDefs)
#include "tst_itemdefs.moc"
