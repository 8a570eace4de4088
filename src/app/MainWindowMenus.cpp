// The main window's menus: every command with its keys, and what decides
// which of them can be chosen. Kept apart from the handling of the windows
// themselves in MainWindow.cpp.

#include "MainWindow.h"

#include "CompassMdiArea.h"
#include "PlotWindow.h"
#include "RecentTables.h"
#include "StartPage.h"
#include "WindowMenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QUndoGroup>

namespace {

// The platform's keys for a command, with the one the user expects first
// where the platform binds it to another.
QList<QKeySequence> keys(QKeySequence::StandardKey standard, const QKeySequence &wanted)
{
    QList<QKeySequence> list = QKeySequence::keyBindings(standard);
    list.removeAll(wanted);
    list.prepend(wanted);
    return list;
}

QAction *addCommand(QMenu *menu, const QString &text, const QString &tip)
{
    QAction *action = menu->addAction(text);
    action->setStatusTip(tip);
    return action;
}

} // namespace

void MainWindow::createFileMenu()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_newAction = addCommand(m_fileMenu, QStringLiteral("&New"),
                             QStringLiteral("Make a new Plot Table"));
    m_newAction->setShortcuts(keys(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
    m_openAction = addCommand(m_fileMenu, QStringLiteral("&Open"),
                              QStringLiteral("Open a Plot Table"));
    m_openAction->setShortcuts(keys(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
    m_recentMenu = m_fileMenu->addMenu(QStringLiteral("Open &Recent"));
    m_fileMenu->addSeparator();
    m_saveAction = addCommand(m_fileMenu, QStringLiteral("&Save"),
                              QStringLiteral("Write the active table to its file now"));
    m_saveAction->setShortcuts(keys(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    m_saveAllAction = addCommand(m_fileMenu, QStringLiteral("Save A&ll"),
                                 QStringLiteral("Write every open table to its file now"));
    m_snapshotAction =
        addCommand(m_fileMenu, QStringLiteral("Save &Snapshot"),
                   QStringLiteral("Save the active table as it shows, and open the picture"));
    m_fileMenu->addSeparator();
    m_closeAction = addCommand(m_fileMenu, QStringLiteral("&Close"),
                               QStringLiteral("Close the active window, writing its table"));
    QList<QKeySequence> close = keys(QKeySequence::Close, QKeySequence(Qt::CTRL | Qt::Key_W));
    if (!close.contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
        close.append(QKeySequence(Qt::CTRL | Qt::Key_F4));
    m_closeAction->setShortcuts(close);
    m_fileMenu->addSeparator();
    m_exitAction = addCommand(m_fileMenu, QStringLiteral("E&xit"),
                              QStringLiteral("Close every table, writing each, and end"));
    m_exitAction->setShortcuts(keys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    m_exitAction->setMenuRole(QAction::QuitRole);

    connect(m_newAction, &QAction::triggered, this, &MainWindow::newTable);
    connect(m_openAction, &QAction::triggered, this, &MainWindow::openTable);
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::saveActive);
    connect(m_saveAllAction, &QAction::triggered, this, &MainWindow::saveAll);
    connect(m_snapshotAction, &QAction::triggered, this, &MainWindow::saveSnapshot);
    connect(m_closeAction, &QAction::triggered, this, &MainWindow::closeActiveWindow);
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::createEditMenu()
{
    m_editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    // One history per table window; Undo and Redo act on the active one.
    m_undoGroup = new QUndoGroup(this);
    m_undoAction = m_undoGroup->createUndoAction(this, QStringLiteral("Undo"));
    m_undoAction->setShortcuts(QKeySequence::Undo);
    m_redoAction = m_undoGroup->createRedoAction(this, QStringLiteral("Redo"));
    // Ctrl+Shift+Z first, as the desktop's own programs show it, and Ctrl+Y
    // besides, where the platform's keys do not have it already.
    QList<QKeySequence> redoKeys = keys(QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoKeys.removeAll(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    redoKeys.prepend(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_redoAction->setShortcuts(redoKeys);
    m_editMenu->addAction(m_undoAction);
    m_editMenu->addAction(m_redoAction);
    m_editMenu->addSeparator();
    m_editAction = addCommand(m_editMenu, QStringLiteral("&Edit..."),
                              QStringLiteral("Change the text of the selected icon or note"));
    m_editAction->setShortcut(QKeySequence(Qt::Key_F2));
    m_cutAction = addCommand(m_editMenu, QStringLiteral("Cu&t"),
                             QStringLiteral("Cut the selected icon or note, to paste it "
                                            "elsewhere"));
    m_cutAction->setShortcuts(keys(QKeySequence::Cut, QKeySequence(Qt::CTRL | Qt::Key_X)));
    m_deleteAction = addCommand(m_editMenu, QStringLiteral("&Delete"),
                                QStringLiteral("Delete the selected icon or note"));
    // Only the Delete key: the other keys some desktops bind to delete
    // (Ctrl+D) would remove an element by surprise.
    m_deleteAction->setShortcut(QKeySequence(Qt::Key_Delete));
    m_pasteAction = addCommand(m_editMenu, QStringLiteral("&Paste"),
                               QStringLiteral("Paste what was cut last, at the pointer"));
    m_pasteAction->setShortcuts(keys(QKeySequence::Paste, QKeySequence(Qt::CTRL | Qt::Key_V)));
    m_editMenu->addSeparator();
    m_findAction = addCommand(m_editMenu, QStringLiteral("&Find"),
                              QStringLiteral("List the icons of the active table"));
    m_findAction->setShortcuts(keys(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)));

    connect(m_editAction, &QAction::triggered, this, &MainWindow::editPickedUp);
    connect(m_cutAction, &QAction::triggered, this, &MainWindow::cutPickedUp);
    connect(m_deleteAction, &QAction::triggered, this, &MainWindow::deletePickedUp);
    connect(m_pasteAction, &QAction::triggered, this, &MainWindow::paste);
    connect(m_findAction, &QAction::triggered, this, &MainWindow::showFind);
}

void MainWindow::createViewMenu()
{
    // Each table window zooms on its own and owns its zoom commands; the
    // menu shows those of the active table, and nothing to choose without.
    m_viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    connect(m_viewMenu, &QMenu::aboutToShow, this, [this] {
        m_viewMenu->clear();
        if (PlotWindow *table = activeTable()) {
            m_viewMenu->addActions(table->zoomActions());
            return;
        }
        for (const QString &caption : {QStringLiteral("Zoom &In"), QStringLiteral("Zoom &Out"),
                                       QStringLiteral("&Fit Window"),
                                       QStringLiteral("&Actual Size")})
            m_viewMenu->addAction(caption)->setEnabled(false);
    });
}

void MainWindow::createHelpMenu()
{
    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_infoAction = addCommand(m_helpMenu, QStringLiteral("&Info"),
                              QStringLiteral("Show the help page"));
    m_infoAction->setShortcuts(keys(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
    m_aboutAction = addCommand(m_helpMenu, QStringLiteral("&About"),
                               QStringLiteral("Show the program's version"));
    m_aboutAction->setMenuRole(QAction::AboutRole);
    connect(m_infoAction, &QAction::triggered, this, &MainWindow::showHelp);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::listRecentTables()
{
    const QStringList paths = m_recent->paths();
    m_recentMenu->clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1)
                                     : QStringLiteral("1&0");
        QString name = QFileInfo(paths[i]).fileName();
        QAction *action =
            m_recentMenu->addAction(number + u' ' + name.replace(u'&', QStringLiteral("&&")));
        action->setStatusTip(QDir::toNativeSeparators(paths[i]));
        connect(action, &QAction::triggered, this,
                [this, path = paths[i]] { openRecent(path); });
    }
    m_recentMenu->setEnabled(!paths.isEmpty());
    m_startPage->setRecentTables(paths);
    m_mdiArea->placeStartPage();
}
