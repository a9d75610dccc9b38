#pragma once

#include "command.h"

namespace quor::cli {

// "calc FORMULA": prints the value and exits 0; a formula that does not parse
// exits 1, an evaluation error exits 2, each with its message on the error stream.
int runCalc(const CommandContext &context, const QStringList &arguments);

// The shortest text, at most 18 significant digits, that reads back as the
// same value; plain when the decimal exponent is in [-5, 18), else "1.5E20".
QString formatValue(long double value);

} // namespace quor::cli
