#pragma once

#include "command.h"

namespace quor::cli {

// "demo [--month KEY] [--employees N]": adds a month with a sample company.
// Exits 0, or 1 when the month exists or the database cannot be written.
int runDemo(const CommandContext &context, const QStringList &arguments);

} // namespace quor::cli
