// Takes the help page's pictures from the program itself, on the offscreen
// platform, so that they show the program as it is:
//
//   quenbrack-help-pictures <program folder> <folder for the pictures>
//
// It works on a copy of the program folder and settings of its own, and
// answers every question with the test double of the window services.

#include "ActionMenu.h"
#include "ActionMenuFrame.h"
#include "FindPanel.h"
#include "MainWindow.h"
#include "PaletteFrame.h"
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

bool copyFolder(const QString &folder, const QString &to)
{
    const QString from = QDir(folder).absolutePath();
    QDirIterator it(from, QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (it.fileInfo().isDir())
            continue;
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

// A part of a widget, in its own pixels, as a PNG; no wider than `width`.
bool shoot(QWidget *widget, const QRect &part, const QString &file, int width = 0)
{
    settle();
    // What lies past the widget's edge is left out.
    QPixmap picture = widget->grab(part.isNull() ? widget->rect() : part & widget->rect());
    if (width > 0 && picture.width() > width)
        picture = picture.scaledToWidth(width, Qt::SmoothTransformation);
    if (picture.save(file, "PNG"))
        return true;
    QTextStream(stderr) << "cannot save " << file << '\n';
    return false;
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
    // Absolute: the program makes its own folder the current one.
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
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
    ok = shoot(&main, QRect(0, 0, 1000, 760), out + QStringLiteral("/mainwindow.png"), 700) && ok;

    // The palette opened on the chart, the fairway buoy selected beside it.
    table->selection()->select({PlotView::Target::Icon, 7});
    table->placing()->openAt(QPointF(Twips::fromPixels(250), Twips::fromPixels(330)));
    const QPoint at = table->view()->viewport()->mapTo(frame, viewportPoint(table, {250, 330}));
    ok = shoot(frame, QRect(at - QPoint(150, 90), QSize(520, 330)),
               out + QStringLiteral("/palette.png")) && ok;
    table->palette()->hide();

    // The action menu of the harbour master's office.
    table->actionMenu()->openFor({PlotView::Target::Icon, 1});
    const QPoint icon = table->view()->viewport()->mapTo(frame, viewportPoint(table, {520, 100}));
    ok = shoot(frame, QRect(icon - QPoint(60, 30), QSize(230, 120)),
               out + QStringLiteral("/menu.png")) && ok;
    table->actionMenuFrame()->hide();
    table->selection()->clear();

    // Find, and the marker on what it found.
    table->showFind();
    ok = shoot(frame, QRect(table->findPanel()->geometry().topLeft(), QSize(420, 360))
                          .translated(table->view()->viewport()->mapTo(frame, QPoint(0, 0))),
               out + QStringLiteral("/find.png")) && ok;
    emit table->findPanel()->entryChosen(7);
    const QPoint found = table->view()->viewport()->mapTo(frame, viewportPoint(table, {548, 300}));
    ok = shoot(frame, QRect(found - QPoint(120, 70), QSize(260, 160)),
               out + QStringLiteral("/marker.png")) && ok;

    main.close();
    // Anything the program had to say while the pictures were taken.
    for (const ScriptedServices::Call &call : services.calls)
        if (call.kind == QStringLiteral("message"))
            QTextStream(stderr) << call.text << '\n';
    return ok ? 0 : 1;
}
