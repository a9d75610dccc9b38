// Formulas per second of the evaluator: parse and evaluate, and evaluate only.
#include "calc/calcexpress.h"

#include <chrono>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

// Runs "step" in rounds until at least half a second has passed; returns runs per second.
template<typename Step>
double perSecond(Step step)
{
    long long runs = 0;
    const Clock::time_point start = Clock::now();
    Clock::duration elapsed{};
    do {
        for (int i = 0; i < 10000; ++i)
            step();
        runs += 10000;
        elapsed = Clock::now() - start;
    } while (elapsed < std::chrono::milliseconds(500));
    return double(runs) / std::chrono::duration<double>(elapsed).count();
}

} // namespace

int main()
{
    const QString formula = u"(3000.00+800.00)*0.15"_s;
    const std::vector<long double> values(101, 0.0L); // what the wage calculation passes
    quor::TCalcExpress calc;
    volatile long double sink = 0; // keeps the work from being optimised away

    const double parseAndEvaluate = perSecond([&] {
        calc.setFormula(formula);
        sink = calc.Calc(values);
    });
    const double evaluateOnly = perSecond([&] { sink = calc.Calc(values); });

    std::printf("bench_calcexpress: \"%s\" = %.2Lf\n", qPrintable(formula), static_cast<long double>(sink));
    std::printf("  parse + evaluate: %12.0f formulas/s\n", parseAndEvaluate);
    std::printf("  evaluate only:    %12.0f formulas/s\n", evaluateOnly);
    return 0;
}
