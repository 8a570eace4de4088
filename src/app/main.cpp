#include "MDIForm1.h"
#include "QtWindowServices.h"
#include "TerminationWatcher.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(WindowServices::applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(QUENBRACK_VERSION));

    QtWindowServices services;
    MDIForm1 window(QApplication::applicationDirPath(), services);
    services.setParentWidget(&window);
    new TerminationWatcher(&window);
    window.MDIForm_Load(MDIForm1::commandLineText(QApplication::arguments().mid(1)));
    window.show();
    return app.exec();
}
