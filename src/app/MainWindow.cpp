#include "MainWindow.h"

#include "AboutBox.h"
#include "CompassMdiArea.h"
#include "HelpWindow.h"
#include "MachineSettings.h"
#include "NewPlotTable.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "RecentTables.h"
#include "Selection.h"
#include "SnapshotCommand.h"
#include "StartPage.h"
#include "TableFileKey.h"
#include "TableStatusBar.h"
#include "TableGuard.h"
#include "Twips.h"
#include "WindowGeometry.h"
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
    // Unless the user sized and placed it in an earlier session.
    WindowGeometry::restore(this);
}

MainWindow::~MainWindow()
{
    // The program has ended, or a test is done: the box goes with us.
    delete m_about;
    // Closing the windows below activates others on the way; this window
    // is no longer one to follow that.
    m_mdiArea->disconnect(this);
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
    // The file counts, not how its path is spelled: two windows on one
    // file would overwrite each other and share one journal.
    const QString file = TableFileKey::of(m_folder.tableFile(path));
    for (const PlotWindow *window : std::as_const(m_tableWindows)) {
        if (window->file() == file) {
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
    if (!window->load() || m_endingBySignal) {
        // Left closed at the user's word (Cancel in the recovery question or
        // in the question about who else has it), or the program is ending:
        // the table and its journal stay as they are.
        delete window;
        return nullptr;
    }
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
    // Too wide, too tall, or both: a size with one side 0 is still short
    // of the other.
    const QSize missing = (wanted - workspace).expandedTo(QSize(0, 0));
    if ((missing.width() > 0 || missing.height() > 0) && !isMaximized() && !isFullScreen()) {
        // The window manager's frame around the main window counts against
        // the screen as well.
        const QRect available = screen()->availableGeometry();
        const QSize decoration = frameGeometry().size() - size();
        const QSize grown =
            (size() + missing).boundedTo(available.size() - decoration).expandedTo(size());
        const QRect outer(frameGeometry().topLeft(), grown + decoration);
        workspace += grown - size();
        resize(grown);
        // A window already larger than the screen keeps its top-left
        // corner on it, where its title bar can be reached.
        if (!available.contains(outer))
            move(qBound(available.left(), outer.x(),
                        qMax(available.left(), available.right() + 1 - outer.width())),
                 qBound(available.top(), outer.y(),
                        qMax(available.top(), available.bottom() + 1 - outer.height())));
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
         {m_snapshotAction, m_exportAction, m_printAction, m_pasteAction, m_findAction})
        action->setEnabled(table != nullptr);
    // A read-only window has nothing of its own to write.
    m_saveAction->setEnabled(table && !table->document()->isReadOnly());
    m_saveAllAction->setEnabled(!m_tableWindows.isEmpty());
    if (m_followedSelection)
        m_followedSelection->disconnect(this);
    m_followedSelection = table ? table->selection() : nullptr;
    if (m_followedSelection)
        connect(m_followedSelection, &Selection::changed, this,
                &MainWindow::updateSelectionActions);
    updateSelectionActions();
    m_closeAction->setEnabled(m_mdiArea->currentSubWindow() != nullptr);
    m_statusBar->follow(table);
    m_undoGroup->setActiveStack(table ? table->document()->undoStack() : nullptr);
    m_windowMenu->updateActions();
}

void MainWindow::updateSelectionActions()
{
    const PlotWindow *table = activeTable();
    const bool selected = table && table->pickedUp().kind != PlotView::Target::Background;
    for (QAction *action : {m_editAction, m_cutAction, m_deleteAction})
        action->setEnabled(selected);
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

void MainWindow::saveActive()
{
    if (PlotWindow *table = activeTable())
        reportSave(table, table->save());
}

void MainWindow::saveAll()
{
    for (PlotWindow *table : QVector<PlotWindow *>(m_tableWindows))
        if (!table->isClosing())
            reportSave(table, table->save());
}

void MainWindow::reportSave(PlotWindow *table, int result)
{
    const QString file = QDir::toNativeSeparators(table->path());
    if (result == TableGuard::Saved)
        m_statusBar->showMessage(QStringLiteral("Saved %1.").arg(file), 5000);
    else if (result == TableGuard::Unchanged)
        m_statusBar->showMessage(QStringLiteral("%1 has no changes to save.").arg(file), 5000);
    else
        m_statusBar->showMessage(QStringLiteral("%1 was not saved.").arg(file));
}

void MainWindow::editPickedUp()
{
    if (PlotWindow *table = activeTable())
        table->editPickedUp();
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
    // At its design size, or as much of it as the workspace has room for,
    // and wholly inside it.
    const QSize design(qRound(Twips::toPixels(11500)), qRound(Twips::toPixels(6465 + 430)));
    m_mdiArea->fitWindow(frame, design, QPoint(0, 0), m_mdiArea->viewport()->size());
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
    m_saveAllAction->setEnabled(!m_tableWindows.isEmpty());
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
    WindowGeometry::save(this);
    m_mdiArea->closeAllSubWindows(); // the help window
    event->accept();
    // The program ends with its main window unless the About box is still
    // open; said outright, since a close that comes in while the window is
    // still being mapped can leave Qt's own last-window check unmet.
    if (!(m_about && m_about->isVisible()))
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
}
