#include "ExportCommand.h"
#include "MainWindow.h"
#include "QtWindowServices.h"
#include "TerminationWatcher.h"

#include <QApplication>
#include <QTimer>

#include <csignal>

int main(int argc, char *argv[])
{
#ifdef SIGXFSZ
    // A write past a file-size limit would end the program in the middle of
    // saving, without a word; ignored, it fails like a full disk and the
    // user is told and offered another place.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Exporting needs no display and makes no window; looked at before any
    // application object exists, which would want one.
    if (ExportCommand::isRequested(argc, argv))
        return ExportCommand::run(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(WindowServices::applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(QUENBRACK_VERSION));

    QtWindowServices services;
    MainWindow window(QApplication::applicationDirPath(), services);
    services.setParentWidget(&window);
    new TerminationWatcher(&window);
    // Shown first, so that a question while the table opens (a missing
    // picture, edits to recover) stands over the program it belongs to.
    window.show();
    // Started from within the event loop: a termination signal during a
    // box at start-up must end the loop, and an end asked for before the
    // loop runs would be forgotten when it starts.
    QTimer::singleShot(0, &window, [&window] {
        window.start(MainWindow::commandLineText(QApplication::arguments().mid(1)));
    });
    return app.exec();
}
