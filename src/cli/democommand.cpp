#include "democommand.h"

#include "consolemessages.h"

#include "app/demodata.h"
#include "common/numtext.h"
#include "data/session.h"
#include "data/structupdate.h"

#include <QDate>

using namespace Qt::Literals::StringLiterals;

namespace quor::cli {

int runDemo(const CommandContext &context, const QStringList &arguments)
{
    DemoOptions options;
    options.month = QDate::currentDate().toString(u"yyyyMM"_s);
    QStringList args = arguments;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if ((option == "--month"_L1 || option == "--employees"_L1) && args.isEmpty()) {
            context.err << "quor-cli demo: " << option << " needs a value\n";
            return ExitUsage;
        }
        if (option == "--month"_L1) {
            options.month = args.takeFirst();
        } else if (option == "--employees"_L1) {
            bool ok = false;
            options.employees = args.takeFirst().toInt(&ok);
            if (!ok || options.employees < 1) {
                context.err << "quor-cli demo: --employees needs a positive number\n";
                return ExitUsage;
            }
        } else {
            context.err << "quor-cli demo: unknown argument " << option << '\n';
            return ExitUsage;
        }
    }

    ConsoleMessages messages(context.err);
    Session session(context.folder, messages);
    if (!session.dm.isOpen())
        return 1; // the data module has said why
    StructUpdate(session.dm);
    loadParameters(session.dm, session.state);

    QString error;
    const std::optional<DemoResult> result = addDemoMonth(session, options, &error);
    if (!result) {
        context.err << error << '\n';
        return 1;
    }
    context.out << "已添加月度[" << options.month << "]：" << result->records << " 名职员，实发工资合计 "
                << formatFixed(result->netTotal, 2) << '\n';
    return 0;
}

} // namespace quor::cli
