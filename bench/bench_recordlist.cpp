// The record list and the record editor on a month of 10,000 records: loading
// the list (query, model, footer sums), one title-click sort, the recalculation
// of all totals written in one transaction, and opening the record editor.
#include "app/demodata.h"
#include "app/recordlistmodel.h"
#include "calc/frmgzdetailedit.h"
#include "data/newdatabase.h"
#include "data/session.h"
#include "data/structupdate.h"

#include "quietmessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Median milliseconds of "runs" runs of "step".
double medianMs(int runs, const std::function<void()> &step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char *what, double ms, double limit)
{
    std::printf("  %-48s %8.1f ms   (target under %g ms)%s\n", what, ms, limit, ms < limit ? "" : "   TOO SLOW");
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;

    QTemporaryDir dir;
    if (!quor::createDatabase(dir.filePath(u"DB/ZYDB.dat"_s)))
        return 1;
    QuietMessages messages;
    quor::Session session(quor::ProgramFolder(dir.path()), messages);
    quor::StructUpdate(session.dm);
    quor::loadParameters(session.dm, session.state);

    QElapsedTimer generation;
    generation.start();
    QString error;
    const QString month = u"202612"_s;
    if (!quor::addDemoMonth(session, {month, records, 7}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("bench_recordlist: one month of %d records (generated in %.1f s), %s, %d cores\n", records,
                double(generation.elapsed()) / 1000, qPrintable(QSysInfo::prettyProductName()),
                QThread::idealThreadCount());

    quor::RecordListModel model;
    model.setShowDecimals(true);
    int columns = 0;
    const double load = medianMs(7, [&] {
        model.ReadyGrid(session.dm, month, session.state.printDays);
        model.load(session.dm, month, {});
        for (int c = 0; c < quor::RecordListModel::ColumnCount; ++c)
            columns += model.footerText(c).size();
    });
    report("load the month into the list (with footer sums)", load, 300);

    bool ascending = false;
    const double sortText = medianMs(7, [&] {
        ascending = !ascending;
        model.sortBy(quor::RecordListModel::ColEmpName, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    report("title-click sort by name (pinyin)", sortText, 100);
    const double sortAmount = medianMs(7, [&] {
        ascending = !ascending;
        model.sortBy(quor::RecordListModel::ColGZTotal, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    report("title-click sort by net pay", sortAmount, 100);

    const double recalc = medianMs(5, [&] { model.ReCalcAll(session.dm); });
    report("ReCalcAll of all records, one transaction", recalc, 1000);

    const int id = model.record(model.rowCount() / 2).id;
    const double editor = medianMs(9, [&] {
        quor::TfrmGZDetailEdit dialog(session);
        dialog.ReadyData(id, month);
    });
    report("open the record editor (create and load)", editor, 100);
    return columns > 0 ? 0 : 1;
}
