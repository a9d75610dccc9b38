#pragma once

#include <QStringList>
#include <QTextStream>

namespace quor::cli {

// Parses the global options, picks the sub-command and runs it. "arguments"
// are those after the program name; returns the exit status.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace quor::cli
