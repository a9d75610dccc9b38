#pragma once

#include "common/programfolder.h"

#include <QLatin1StringView>
#include <QStringList>
#include <QTextStream>

namespace quor::cli {

// Exit status of a wrong command line (sysexits' EX_USAGE).
constexpr int ExitUsage = 64;

// What every sub-command gets: the program folder and the two output streams.
struct CommandContext
{
    ProgramFolder folder;
    QTextStream &out;
    QTextStream &err;
};

// One sub-command: "quor-cli NAME ARGUMENTS". run() gets the arguments after
// the name and returns the exit status; on ExitUsage it has written why to err
// and the caller adds the usage text.
struct Command
{
    QLatin1StringView name;
    QLatin1StringView arguments; // synopsis, e.g. "FORMULA"
    QLatin1StringView summary;
    int (*run)(const CommandContext &context, const QStringList &arguments);
};

} // namespace quor::cli
