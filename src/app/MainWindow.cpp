#include "MainWindow.h"

#include "AboutBox.h"
#include "CompassMdiArea.h"
#include "HelpWindow.h"
#include "MachineSettings.h"
#include "NewPlotTable.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QUndoGroup>
#include <QUndoStack>

MainWindow::MainWindow(const QString &folder, WindowServices &services, QWidget *parent)
    : QMainWindow(parent)
    , m_folder(folder)
    , m_services(services)
    , m_mdiArea(new CompassMdiArea(this))
{
    setWindowTitle(WindowServices::applicationTitle());
    setWindowIcon(QIcon(QStringLiteral(":/images/appicon.png")));
    setCentralWidget(m_mdiArea);
    createMenus();
    // The client area starts 11955 x 11340 twips.
    const QSize client(qRound(Twips::toPixels(11955)), qRound(Twips::toPixels(11340)));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow()
{
    // The program has ended, or a test is done: the box goes with us.
    delete m_about;
}

void MainWindow::createMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_newAction = m_fileMenu->addAction(QStringLiteral("&New"));
    m_openAction = m_fileMenu->addAction(QStringLiteral("&Open"));
    createEditMenu();
    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_infoAction = m_helpMenu->addAction(QStringLiteral("&Info"));
    m_aboutAction = m_helpMenu->addAction(QStringLiteral("&About"));
    connect(m_newAction, &QAction::triggered, this, &MainWindow::newTable);
    connect(m_openAction, &QAction::triggered, this, &MainWindow::openTable);
    connect(m_infoAction, &QAction::triggered, this, &MainWindow::showHelp);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createEditMenu()
{
    // One history per table window; the menu acts on the active one.
    m_undoGroup = new QUndoGroup(this);
    m_editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_undoAction = m_undoGroup->createUndoAction(this, QStringLiteral("Undo"));
    m_undoAction->setShortcuts(QKeySequence::Undo);
    m_redoAction = m_undoGroup->createRedoAction(this, QStringLiteral("Redo"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys.append(QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_redoAction->setShortcuts(redoKeys);
    m_editMenu->addAction(m_undoAction);
    m_editMenu->addAction(m_redoAction);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
}

void MainWindow::subWindowActivated(QMdiSubWindow *frame)
{
    auto *window = frame ? qobject_cast<PlotWindow *>(frame->widget()) : nullptr;
    m_undoGroup->setActiveStack(window ? window->document()->undoStack() : nullptr);
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
            return nullptr;
        }
    }
    auto *window = new PlotWindow(path, m_folder, m_services, m_clipboard);
    window->load();
    // Listed once it has its frame: a close of the main window while this
    // one still loads (a termination signal during its "Missing File" box)
    // closes only windows that can be closed.
    m_tableWindows.append(window);
    connect(window, &PlotWindow::closing, this, &MainWindow::tableWindowClosing);
    connect(window, &PlotWindow::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text); });
    m_undoGroup->addStack(window->document()->undoStack());

    QMdiSubWindow *frame = m_mdiArea->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(windowIcon());
    frame->resize(frame->sizeHint());
    // Cascade from the top-left corner: a table larger than the client
    // area then shows its own top-left corner, and the scroll bars reach
    // the rest.
    const int step = 24 * int((m_tableWindows.size() - 1) % 10);
    frame->move(step, step);
    if (!isVisible())
        show();
    frame->show();
    return window;
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

void MainWindow::newTable()
{
    NewPlotTable(*this).run();
}

void MainWindow::showHelp()
{
    if (m_help) {
        m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(m_help->parentWidget()));
        m_help->parentWidget()->show();
        return;
    }
    m_help = new HelpWindow(m_folder.path());
    m_help->load();
    QMdiSubWindow *frame = m_mdiArea->addSubWindow(m_help);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(windowIcon());
    frame->resize(qRound(Twips::toPixels(11500)), qRound(Twips::toPixels(6465 + 430)));
    frame->show();
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
