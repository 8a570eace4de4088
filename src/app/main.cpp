#include "MainWindow.h"
#include "QtWindowServices.h"
#include "TerminationWatcher.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(WindowServices::applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(QUENBRACK_VERSION));

    QtWindowServices services;
    MainWindow window(QApplication::applicationDirPath(), services);
    services.setParentWidget(&window);
    new TerminationWatcher(&window);
    window.start(MainWindow::commandLineText(QApplication::arguments().mid(1)));
    window.show();
    return app.exec();
}
