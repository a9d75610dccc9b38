#include "calccommand.h"

#include "consolemessages.h"

#include "calc/calcexpress.h"

#include <charconv>
#include <cmath>
#include <locale.h>
#include <stdlib.h>
#include <string>
#include <string_view>

using namespace Qt::Literals::StringLiterals;

namespace quor::cli {

namespace {

constexpr int ExitFormulaError = 1;
constexpr int ExitEvaluationError = 2;
constexpr int MaxDigits = 18;

// As the evaluator reads a literal: "." whatever the C locale, and a denormal
// comes back as its value (std::from_chars refuses it).
long double readBack(const char *text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtold_l(text, nullptr, cLocale);
}

} // namespace

QString formatValue(long double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? u"NAN"_s : (value < 0 ? u"-INF"_s : u"INF"_s);
    if (value == 0)
        return u"0"_s; // also -0

    // d.ddde±x with as few digits as read back to the same value.
    char buffer[64];
    char *end = buffer;
    char *const last = buffer + sizeof buffer - 1; // room for the terminator
    for (int digits = 1; digits <= MaxDigits; ++digits) {
        end = std::to_chars(buffer, last, value, std::chars_format::scientific, digits - 1).ptr;
        *end = '\0';
        if (readBack(buffer) == value)
            break;
    }
    const std::string_view text(buffer, std::size_t(end - buffer));
    const std::size_t ePos = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0))) {
        if (c != '.')
            digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);

    std::string result;
    if (exponent >= -5 && exponent < 18) {
        const int whole = exponent + 1; // digits before the point
        if (whole <= 0) {
            result = "0." + std::string(std::size_t(-whole), '0') + digits;
        } else if (std::size_t(whole) >= digits.size()) {
            result = digits + std::string(std::size_t(whole) - digits.size(), '0');
        } else {
            result = digits.substr(0, std::size_t(whole)) + '.' + digits.substr(std::size_t(whole));
        }
    } else {
        result = digits.substr(0, 1);
        if (digits.size() > 1)
            result += '.' + digits.substr(1);
        result += 'E' + std::to_string(exponent);
    }
    if (negative)
        result.insert(result.begin(), '-');
    return QString::fromLatin1(result);
}

int runCalc(const CommandContext &context, const QStringList &arguments)
{
    QStringList args = arguments;
    if (!args.isEmpty() && args.first() == "--"_L1)
        args.removeFirst(); // "calc -- FORMULA", as other tools take it
    if (args.size() != 1) {
        context.err << "quor-cli calc: expected one FORMULA\n";
        return ExitUsage;
    }

    ConsoleMessages messages(context.err);
    TCalcExpress calc(&messages);
    calc.setFormula(args.first());
    if (calc.hasError())
        return ExitFormulaError; // the evaluator has shown its message
    try {
        context.out << formatValue(calc.Calc()) << '\n';
    } catch (const CalcError &e) {
        context.err << e.reason() << '\n';
        return ExitEvaluationError;
    }
    return 0;
}

} // namespace quor::cli
