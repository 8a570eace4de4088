// Takes the help page's pictures from the program itself, on the offscreen
// platform, so that they show the program as it is:
//
//   quenbrack-help-pictures <program folder> <folder for the pictures>
//
// It works on a copy of the program folder and settings of its own, and
// answers every question with the test double of the window services.

#include "ActionMenu.h"
#include "FindPanel.h"
#include "MainWindow.h"
#include "Placing.h"
#include "PlotDocument.h"
#include "PlotView.h"
#include "PlotWindow.h"
#include "ScriptedServices.h"
#include "Selection.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool copyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QDir(from).relativeFilePath(file).prepend(u'/');
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// A part of a widget, in its own pixels, as a PNG.
bool shoot(QWidget *widget, const QRect &part, const QString &file)
{
    settle();
    const QPixmap picture = widget->grab(part.isNull() ? widget->rect() : part);
    return picture.save(file, "PNG");
}

QPoint viewportPoint(PlotWindow *window, QPointF pixels)
{
    return window->view()->viewportPointOf(
        QPointF(Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y())));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: quenbrack-help-pictures <program folder> <out folder>\n";
        return 2;
    }
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("Quenbrack"));
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    if (!copyFolder(QString::fromLocal8Bit(argv[1]), folder)) {
        QTextStream(stderr) << "cannot copy the program folder\n";
        return 1;
    }
    qputenv("XDG_CONFIG_DIRS", work.filePath(QStringLiteral("xdg")).toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       work.filePath(QStringLiteral("user")));
    ScriptedServices services;
    MainWindow main(folder, services);
    main.resize(1000, 760);
    main.show();
    bool ok = shoot(&main, QRect(200, 230, 600, 260), out + QStringLiteral("/start.png"));

    PlotWindow *table = main.openFile(folder + QStringLiteral("/Plot Tables/Harbour.plt"));
    if (!table)
        return 1;
    QWidget *frame = table->parentWidget();
    ok = shoot(&main, QRect(0, 0, 1000, 760), out + QStringLiteral("/mainwindow.png")) && ok;

    // The palette opened on the chart, the fairway buoy selected beside it.
    table->selection()->select({PlotView::Target::Icon, 7});
    table->placing()->openAt(QPointF(Twips::fromPixels(250), Twips::fromPixels(330)));
    const QPoint at = frame->mapFrom(table->view()->viewport(), viewportPoint(table, {250, 330}));
    ok = shoot(frame, QRect(at - QPoint(150, 90), QSize(520, 330)),
               out + QStringLiteral("/palette.png")) && ok;
    table->palette()->hide();

    // The action menu of the harbour master's office.
    table->actionMenu()->openFor({PlotView::Target::Icon, 1});
    const QPoint icon = frame->mapFrom(table->view()->viewport(), viewportPoint(table, {520, 100}));
    ok = shoot(frame, QRect(icon - QPoint(60, 30), QSize(230, 120)),
               out + QStringLiteral("/menu.png")) && ok;
    table->actionMenuFrame()->hide();
    table->selection()->clear();

    // Find, and the marker on what it found.
    table->showFind();
    ok = shoot(frame, QRect(table->findPanel()->geometry().topLeft(), QSize(420, 360))
                          .translated(frame->mapFrom(table->view()->viewport(), QPoint(0, 0))),
               out + QStringLiteral("/find.png")) && ok;
    emit table->findPanel()->entryChosen(7);
    const QPoint found = frame->mapFrom(table->view()->viewport(), viewportPoint(table, {548, 300}));
    ok = shoot(frame, QRect(found - QPoint(120, 70), QSize(260, 160)),
               out + QStringLiteral("/marker.png")) && ok;

    main.close();
    return ok ? 0 : 1;
}
