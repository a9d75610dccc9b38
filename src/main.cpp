#include "app/desktop.h"
#include "app/frmmaingzt.h"
#include "app/qtmessages.h"
#include "data/session.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("岚舟工资条打印软件"));
    quor::setUpDesktop(app);

    quor::QtMessages messages;
    quor::Session session(quor::ProgramFolder::ofExecutable(), messages);
    quor::TfrmMainGZT window(session);
    QObject::connect(&window, &quor::TfrmMainGZT::programEnded, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);
    window.showMaximized();
    return app.exec();
}
