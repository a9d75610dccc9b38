#include "newdatabase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: quor-newdb PATH/ZYDB.dat\n";
        return 2;
    }
    if (QFileInfo::exists(args.at(1)))
        return 0; // never replace a database that may hold data
    QString error;
    if (!quor::createDatabase(args.at(1), &error)) {
        QTextStream(stderr) << "quor-newdb: " << error << '\n';
        return 1;
    }
    return 0;
}
