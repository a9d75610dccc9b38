// Time of one full recalculation of a wage record as the editor runs it on
// leaving a field: 30 earnings and 15 deductions, ten formulas and the income tax.
#include "calc/wagecalc.h"

#include "quietmessages.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<quor::WageItem> earnings, deductions;
    for (int n = 1; n <= 30; ++n) {
        quor::WageItem item{u"应发"_s + QString::number(n), u"GZ"_s + QString::number(n), {}, u"1234.56"_s};
        if (n > 1 && n <= 7)
            item.formula = u"([应发1]+[应发"_s + QString::number(n - 1) + u"])*0.15"_s;
        earnings.append(item);
    }
    for (int n = 1; n <= 15; ++n) {
        quor::WageItem item{u"应扣"_s + QString::number(n), u"KK"_s + QString::number(n), {}, u"12.30"_s};
        if (n <= 4)
            item.formula = u"([应发1]+[应发2])*0.0"_s + QString::number(n + 1);
        if (n == 15)
            item.formula = u"[&个税]"_s;
        deductions.append(item);
    }
    const QList<quor::TaxBracket> brackets = {{1, 1, 3000, 3, 0},       {2, 2, 12000, 10, 210},
                                              {3, 3, 25000, 20, 1410},  {4, 4, 35000, 25, 2660},
                                              {5, 5, 55000, 30, 4410},  {6, 6, 80000, 35, 7160},
                                              {7, 7, 999999999, 45, 15160}};

    QuietMessages messages;
    quor::WageCalculation calc(messages, [&brackets] { return brackets; });
    calc.setSettings({5000, true});
    calc.setItems(earnings, deductions);

    std::vector<double> micros;
    for (int run = 0; run < 2000; ++run) {
        calc.setValue({quor::ItemSide::Earning, 0}, QString::number(3000 + run % 50)); // a typed change
        const Clock::time_point start = Clock::now();
        calc.ReCalcAll();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("bench_wagecalc: ReCalcAll of 30 + 15 items, 10 formulas and the income tax\n");
    std::printf("  median %8.1f us   p95 %8.1f us   (%zu runs, %d messages)\n", micros[micros.size() / 2],
                micros[micros.size() * 95 / 100], micros.size(), messages.shown);
    std::printf("  net pay %s\n", qPrintable(calc.sfText()));
    return 0;
}
