#include "cli.h"

#include "calccommand.h"
#include "democommand.h"
#include "command.h"

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quor::cli {

namespace {

// A new sub-command is one more row here and a file of its own.
const Command commands[] = {
    {"calc"_L1, "FORMULA"_L1, "evaluate one formula and print its value"_L1, runCalc},
    {"demo"_L1, "[--month KEY] [--employees N]"_L1,
     "add a month (default: this month) with a sample company of 48 employees"_L1, runDemo},
};

void writeUsage(QTextStream &stream)
{
    stream << "Usage: quor-cli [--folder DIR] COMMAND [ARGUMENTS]\n"
              "\n"
              "Options:\n"
              "  --folder DIR   the program folder (default: the folder of quor-cli)\n"
              "  -h, --help     show this help\n"
              "\n"
              "Commands:\n";
    qsizetype width = 15; // the column of the option texts
    for (const Command &c : commands)
        width = std::max(width, c.name.size() + 1 + c.arguments.size() + 2);
    for (const Command &c : commands) {
        const QString synopsis = c.name + u' ' + c.arguments;
        stream << "  " << synopsis.leftJustified(width) << c.summary << '\n';
    }
}

int usageError(QTextStream &err, const QString &why)
{
    err << "quor-cli: " << why << "\n\n";
    writeUsage(err);
    return ExitUsage;
}

bool isHelp(const QString &argument)
{
    return argument == "--help"_L1 || argument == "-h"_L1;
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList args = arguments;
    std::optional<QString> folder;
    while (!args.isEmpty() && args.first().startsWith(u'-')) {
        const QString option = args.takeFirst();
        if (option == "--"_L1)
            break;
        if (isHelp(option)) {
            writeUsage(out);
            return 0;
        }
        if (option == "--folder"_L1) {
            if (args.isEmpty())
                return usageError(err, u"--folder needs a folder"_s);
            folder = args.takeFirst();
        } else if (option.startsWith("--folder="_L1)) {
            folder = option.mid(9);
        } else {
            return usageError(err, u"unknown option "_s + option);
        }
        if (folder->isEmpty())
            return usageError(err, u"--folder needs a folder"_s);
    }
    if (args.isEmpty())
        return usageError(err, u"no command given"_s);

    const QString name = args.takeFirst();
    for (const Command &command : commands) {
        if (name != command.name)
            continue;
        if (args.size() == 1 && isHelp(args.first())) {
            out << "Usage: quor-cli [--folder DIR] " << command.name << ' ' << command.arguments << '\n'
                << command.summary << '\n';
            return 0;
        }
        const CommandContext context{folder ? ProgramFolder(*folder) : ProgramFolder::ofExecutable(), out, err};
        const int status = command.run(context, args);
        if (status == ExitUsage) {
            err << '\n';
            writeUsage(err);
        }
        return status;
    }
    return usageError(err, u"unknown command "_s + name);
}

} // namespace quor::cli
