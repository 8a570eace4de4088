#include "MainWindow.h"

#include "AboutBox.h"
#include "CompassMdiArea.h"
#include "HelpWindow.h"
#include "MachineSettings.h"
#include "NewPlotTable.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "RecentTables.h"
#include "SnapshotCommand.h"
#include "StartPage.h"
#include "TableStatusBar.h"
#include "Twips.h"
#include "WindowMenu.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QUndoGroup>
#include <QUndoStack>

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

// A window's own menu offers Close on the keys of File > Close; there it
// only names them, or a key would be claimed twice and do nothing.
void leaveCloseKeysToFileMenu(QMdiSubWindow *frame)
{
    if (!frame->systemMenu())
        return;
    for (QAction *action : frame->systemMenu()->actions())
        if (!action->shortcuts().isEmpty())
            action->setShortcutContext(Qt::WidgetShortcut);
}

QAction *addCommand(QMenu *menu, const QString &text, const QString &tip)
{
    QAction *action = menu->addAction(text);
    action->setStatusTip(tip);
    return action;
}

// Successive table windows open a little further in, as a cascade would.
constexpr int kCascadeStep = 24;

} // namespace

MainWindow::MainWindow(const QString &folder, WindowServices &services, QWidget *parent)
    : QMainWindow(parent)
    , m_folder(folder)
    , m_services(services)
    , m_mdiArea(new CompassMdiArea(this))
    , m_startPage(new StartPage)
    , m_statusBar(new TableStatusBar(this))
    , m_recent(new RecentTables(this))
{
    setWindowTitle(WindowServices::applicationTitle());
    setWindowIcon(QIcon(QStringLiteral(":/images/appicon.png")));
    setCentralWidget(m_mdiArea);
    setStatusBar(m_statusBar);
    m_mdiArea->setStartPage(m_startPage);
    createFileMenu();
    createEditMenu();
    createViewMenu();
    m_windowMenu = new WindowMenu(m_mdiArea, this);
    menuBar()->addMenu(m_windowMenu);
    createHelpMenu();

    connect(m_startPage, &StartPage::openRequested, this, &MainWindow::openTable);
    connect(m_startPage, &StartPage::newRequested, this, &MainWindow::newTable);
    connect(m_startPage, &StartPage::recentRequested, this, &MainWindow::openRecent);
    connect(m_recent, &RecentTables::changed, this, &MainWindow::listRecentTables);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::activeWindowChanged);
    listRecentTables();
    activeWindowChanged();

    // The workspace starts 11955 x 11340 twips.
    const QSize client(qRound(Twips::toPixels(11955)), qRound(Twips::toPixels(11340)));
    resize(client.width(), client.height() + menuBar()->sizeHint().height()
                               + m_statusBar->sizeHint().height());
}

MainWindow::~MainWindow()
{
    // The program has ended, or a test is done: the box goes with us.
    delete m_about;
    // Closing the windows below activates others on the way; this window
    // is no longer one to follow that.
    m_mdiArea->disconnect(this);
}

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
    m_cutAction = addCommand(m_editMenu, QStringLiteral("Cu&t"),
                             QStringLiteral("Cut the picked-up icon or note, to paste it "
                                            "elsewhere"));
    m_cutAction->setShortcuts(keys(QKeySequence::Cut, QKeySequence(Qt::CTRL | Qt::Key_X)));
    m_deleteAction = addCommand(m_editMenu, QStringLiteral("&Delete"),
                                QStringLiteral("Delete the picked-up icon or note"));
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

QString MainWindow::commandLineText(const QStringList &arguments)
{
    return arguments.join(u' ').remove(u'"');
}

void MainWindow::start(const QString &commandLine)
{
    if (!commandLine.isEmpty())
        openFile(commandLine);
    MachineSettings::recordProgramFolder(m_folder.path());
}

PlotWindow *MainWindow::openFile(const QString &path)
{
    if (tableWindowCount() >= MaxTableWindows) {
        m_services.showMessage(
            QStringLiteral("You already have the maximum number of documents (50) open."),
            MessageIcon::Information, QStringLiteral("Document Count"));
        return nullptr;
    }
    for (const PlotWindow *window : std::as_const(m_tableWindows)) {
        if (window->path() == path) {
            m_services.showMessage(QStringLiteral("This Plot Table is already open!"));
            bringForward(frameOf(window));
            return nullptr;
        }
    }
    auto *window = new PlotWindow(path, m_folder, m_services, m_clipboard);
    connect(window->snapshotCommand(), &SnapshotCommand::snapshotSaved, m_statusBar,
            &TableStatusBar::showSnapshotSaved);
    connect(window, &PlotWindow::statusMessage, m_statusBar,
            [this](const QString &text) { m_statusBar->showMessage(text); });
    window->load();
    // Listed once it has its frame: a close of the main window while this
    // one still loads (a termination signal during its "Missing File" box)
    // closes only windows that can be closed.
    m_tableWindows.append(window);
    connect(window, &PlotWindow::closing, this, &MainWindow::tableWindowClosing);
    m_undoGroup->addStack(window->document()->undoStack());

    QMdiSubWindow *frame = m_mdiArea->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(windowIcon());
    leaveCloseKeysToFileMenu(frame);
    connect(frame, &QObject::destroyed, this, &MainWindow::updateStartPage, Qt::QueuedConnection);
    if (!isVisible())
        show();
    placeTableWindow(frame);
    frame->show();
    updateStartPage();
    m_recent->add(QFileInfo(m_folder.tableFile(path)).absoluteFilePath());
    return window;
}

void MainWindow::placeTableWindow(QMdiSubWindow *frame)
{
    const QSize wanted = frame->sizeHint();
    QSize workspace = m_mdiArea->viewport()->size();
    const QSize missing = (wanted - workspace).expandedTo(QSize(0, 0));
    if (!missing.isEmpty() && !isMaximized() && !isFullScreen()) {
        // The window manager's frame around the main window counts against
        // the screen as well.
        const QRect available = screen()->availableGeometry();
        const QSize decoration = frameGeometry().size() - size();
        const QSize grown =
            (size() + missing).boundedTo(available.size() - decoration).expandedTo(size());
        const QRect outer(frameGeometry().topLeft(), grown + decoration);
        workspace += grown - size();
        resize(grown);
        if (!available.contains(outer))
            move(qBound(available.left(), outer.x(), available.right() + 1 - outer.width()),
                 qBound(available.top(), outer.y(), available.bottom() + 1 - outer.height()));
    }
    // Larger than the workspace, the window takes all of it and its table
    // scrolls inside.
    const int step = kCascadeStep * int((m_tableWindows.size() - 1) % 10);
    m_mdiArea->fitWindow(frame, wanted, QPoint(step, step), workspace);
}

QMdiSubWindow *MainWindow::frameOf(const PlotWindow *window) const
{
    return window ? qobject_cast<QMdiSubWindow *>(window->parentWidget()) : nullptr;
}

void MainWindow::bringForward(QMdiSubWindow *frame)
{
    if (!frame)
        return;
    if (frame->isMinimized())
        frame->showNormal();
    m_mdiArea->setActiveSubWindow(frame);
    frame->raise();
}

PlotWindow *MainWindow::activeTable() const
{
    const QMdiSubWindow *frame = m_mdiArea->currentSubWindow();
    auto *window = frame ? qobject_cast<PlotWindow *>(frame->widget()) : nullptr;
    return window && !window->isClosing() ? window : nullptr;
}

void MainWindow::activeWindowChanged()
{
    PlotWindow *table = activeTable();
    for (QAction *action :
         {m_snapshotAction, m_cutAction, m_deleteAction, m_pasteAction, m_findAction})
        action->setEnabled(table != nullptr);
    m_closeAction->setEnabled(m_mdiArea->currentSubWindow() != nullptr);
    m_statusBar->follow(table);
    m_undoGroup->setActiveStack(table ? table->document()->undoStack() : nullptr);
    m_windowMenu->updateActions();
}

void MainWindow::updateStartPage()
{
    const bool empty = m_mdiArea->subWindowList().isEmpty();
    m_startPage->setVisible(empty);
    if (empty)
        activeWindowChanged();
}

void MainWindow::openTable()
{
    m_services.setCurrentFolder(m_folder.path());
    m_services.setCurrentFolder(m_folder.tablesFolder());
    FileDialogRequest request;
    request.folder = m_folder.tablesFolder();
    request.title = QStringLiteral("Open a Plot Table");
    request.filter = QStringLiteral("Plot Tables|*.plt");
    if (m_services.askOpenFile(request))
        openFile(request.path);
}

void MainWindow::openRecent(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_recent->remove(path);
        m_services.showMessage(QStringLiteral("The Plot Table\r\n%1\r\ncannot be found any more. "
                                              "It has been taken off the list of recent tables.")
                                   .arg(QDir::toNativeSeparators(path)),
                               MessageIcon::Exclamation);
        return;
    }
    // The window of that file may have been opened by another form of its
    // path; it is the one meant.
    for (const PlotWindow *window : std::as_const(m_tableWindows)) {
        if (QFileInfo(m_folder.tableFile(window->path())).absoluteFilePath() == path) {
            openFile(window->path());
            return;
        }
    }
    openFile(path);
}

void MainWindow::newTable()
{
    NewPlotTable(*this).run();
}

void MainWindow::closeActiveWindow()
{
    if (QMdiSubWindow *frame = m_mdiArea->currentSubWindow())
        frame->close();
}

void MainWindow::cutPickedUp()
{
    if (PlotWindow *table = activeTable(); table && !table->cutPickedUp())
        m_statusBar->showMessage(QStringLiteral("Nothing to cut: click an icon or a note to "
                                                "pick it up first."),
                                 5000);
}

void MainWindow::deletePickedUp()
{
    if (PlotWindow *table = activeTable(); table && !table->deletePickedUp())
        m_statusBar->showMessage(QStringLiteral("Nothing to delete: click an icon or a note to "
                                                "pick it up first."),
                                 5000);
}

void MainWindow::paste()
{
    PlotWindow *table = activeTable();
    if (!table)
        return;
    if (m_clipboard.number == 0)
        m_statusBar->showMessage(QStringLiteral("Nothing to paste: cut an icon or a note "
                                                "first."),
                                 5000);
    else
        table->paste();
}

void MainWindow::showFind()
{
    if (PlotWindow *table = activeTable())
        table->showFind();
}

void MainWindow::saveSnapshot()
{
    if (PlotWindow *table = activeTable())
        table->saveSnapshot();
}

void MainWindow::showHelp()
{
    if (m_help) {
        bringForward(qobject_cast<QMdiSubWindow *>(m_help->parentWidget()));
        m_help->parentWidget()->show();
        return;
    }
    m_help = new HelpWindow(m_folder.path());
    m_help->load();
    QMdiSubWindow *frame = m_mdiArea->addSubWindow(m_help);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(windowIcon());
    leaveCloseKeysToFileMenu(frame);
    connect(frame, &QObject::destroyed, this, &MainWindow::updateStartPage, Qt::QueuedConnection);
    frame->resize(QSize(qRound(Twips::toPixels(11500)), qRound(Twips::toPixels(6465 + 430)))
                      .boundedTo(m_mdiArea->viewport()->size()));
    frame->show();
    updateStartPage();
}

HelpWindow *MainWindow::helpWindow() const
{
    return m_help;
}

AboutBox *MainWindow::aboutBox() const
{
    return m_about;
}

void MainWindow::showAbout()
{
    // A window of its own: it may outlive the main window.
    if (!m_about) {
        m_about = new AboutBox();
        m_about->setAttribute(Qt::WA_DeleteOnClose);
        m_about->setWindowIcon(windowIcon());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::tableWindowClosing(PlotWindow *window)
{
    m_tableWindows.removeOne(window);
    if (m_statusBar->followed() == window)
        m_statusBar->follow(nullptr);
}

void MainWindow::endBySignal()
{
    m_endingBySignal = true;
    for (PlotWindow *window : std::as_const(m_tableWindows))
        window->setEndingBySignal();
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every table window saves itself as it closes. Only the user can keep
    // one open (its file changed on disk meanwhile), and then the program
    // goes on; a termination signal always ends it.
    for (PlotWindow *window : QVector<PlotWindow *>(m_tableWindows))
        window->parentWidget()->close();
    if (!m_tableWindows.isEmpty() && !m_endingBySignal) {
        event->ignore();
        return;
    }
    m_mdiArea->closeAllSubWindows(); // the help window
    event->accept();
    // The program ends with its main window unless the About box is still
    // open; said outright, since a close that comes in while the window is
    // still being mapped can leave Qt's own last-window check unmet.
    if (!(m_about && m_about->isVisible()))
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
}
