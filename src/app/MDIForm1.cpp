#include "MDIForm1.h"

#include "CompassMdiArea.h"
#include "Form1.h"
#include "NewPlotTable.h"
#include "frmAbout.h"
#include "RegFunc.h"
#include "Twips.h"
#include "frmPlotFile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace {
const QString kSettingsKey = QStringLiteral("Software\\Brindlemoor\\Products\\Quenbrack");
}

MDIForm1::MDIForm1(const QString &appPath, WindowServices &services, QWidget *parent)
    : QMainWindow(parent)
    , m_appPath(appPath)
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

MDIForm1::~MDIForm1()
{
    // The program has ended, or a test is done: the box goes with us.
    delete m_about;
}

void MDIForm1::createMenus()
{
    MenuFile = menuBar()->addMenu(QStringLiteral("&File"));
    MenuNew = MenuFile->addAction(QStringLiteral("&New"));
    MenuOpen = MenuFile->addAction(QStringLiteral("&Open"));
    MenuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    MenuInfo = MenuHelp->addAction(QStringLiteral("&Info"));
    MenuAbout = MenuHelp->addAction(QStringLiteral("&About"));
    connect(MenuNew, &QAction::triggered, this, &MDIForm1::MenuNew_Click);
    connect(MenuOpen, &QAction::triggered, this, &MDIForm1::MenuOpen_Click);
    connect(MenuInfo, &QAction::triggered, this, &MDIForm1::MenuInfo_Click);
    connect(MenuAbout, &QAction::triggered, this, &MDIForm1::MenuAbout_Click);
}

QString MDIForm1::commandLineText(const QStringList &arguments)
{
    return arguments.join(u' ').remove(u'"');
}

void MDIForm1::MDIForm_Load(const QString &commandLine)
{
    docCnt = 0;
    if (!commandLine.isEmpty())
        OpenPlotTable(commandLine);
    RegFunc::CreateKey(RegFunc::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Brindlemoor"));
    RegFunc::CreateKey(RegFunc::HKEY_LOCAL_MACHINE,
                       QStringLiteral("Software\\Brindlemoor\\Products"));
    RegFunc::CreateKey(RegFunc::HKEY_LOCAL_MACHINE, kSettingsKey);
    RegFunc::SetKeyValue(RegFunc::HKEY_LOCAL_MACHINE, kSettingsKey, QStringLiteral("Path"),
                         m_appPath);
}

frmPlotFile *MDIForm1::OpenPlotTable(const QString &path)
{
    if (docCnt >= MaxDocuments) {
        m_services.MsgBox(
            QStringLiteral("You already have the maximum number of documents (50) open."),
            MessageIcon::Information, QStringLiteral("Document Count"));
        return nullptr;
    }
    for (const frmPlotFile *window : std::as_const(m_docWindows)) {
        if (window->windowTitle() == path) {
            m_services.MsgBox(QStringLiteral("This Plot Table is already open!"));
            return nullptr;
        }
    }
    ++docCnt;
    PlotFileName = path;
    auto *window = new frmPlotFile(*this);
    m_docWindows.append(window);
    window->Form_Load();
    window->setWindowTitle(path);

    QMdiSubWindow *frame = m_mdiArea->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(windowIcon());
    frame->resize(frame->sizeHint());
    // Cascade from the top-left corner: a table larger than the client
    // area then shows its own top-left corner, and the scroll bars reach
    // the rest.
    const int step = 24 * int((m_docWindows.size() - 1) % 10);
    frame->move(step, step);
    if (!isVisible())
        show();
    frame->show();
    return window;
}

bool MDIForm1::testfile(const QString &fn)
{
    QFile file(fn);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    return true;
}

void MDIForm1::MenuOpen_Click()
{
    const QString tablesFolder = m_appPath + QDir::separator() + QStringLiteral("Plot Tables");
    m_services.setCurrentFolder(m_appPath);
    m_services.setCurrentFolder(tablesFolder);
    m_cd.InitDir = tablesFolder;
    m_cd.CancelError = true;
    m_cd.DialogTitle = QStringLiteral("Open a Plot Table");
    m_cd.Filter = QStringLiteral("Plot Tables|*.plt");
    m_cd.FileName.clear();
    m_services.ShowOpen(m_cd);
    if (!m_cd.FileName.isEmpty())
        OpenPlotTable(m_cd.FileName);
}

void MDIForm1::MenuNew_Click()
{
    NewPlotTable(*this).run();
}

void MDIForm1::MenuInfo_Click()
{
    if (m_help) {
        m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(m_help->parentWidget()));
        m_help->parentWidget()->show();
        return;
    }
    m_help = new Form1(m_appPath);
    m_help->Form_Load();
    QMdiSubWindow *frame = m_mdiArea->addSubWindow(m_help);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(windowIcon());
    frame->resize(qRound(Twips::toPixels(11500)), qRound(Twips::toPixels(6465 + 430)));
    frame->show();
}

Form1 *MDIForm1::helpWindow() const
{
    return m_help;
}

frmAbout *MDIForm1::aboutBox() const
{
    return m_about;
}

void MDIForm1::MenuAbout_Click()
{
    // A window of its own: it may outlive the main window.
    if (!m_about) {
        m_about = new frmAbout();
        m_about->setAttribute(Qt::WA_DeleteOnClose);
        m_about->setWindowIcon(windowIcon());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MDIForm1::documentClosing(frmPlotFile *window)
{
    if (m_docWindows.removeOne(window))
        --docCnt;
}

void MDIForm1::closeEvent(QCloseEvent *event)
{
    // Every document window saves itself as it closes; nothing here can
    // stop the program from ending.
    for (frmPlotFile *window : QVector<frmPlotFile *>(m_docWindows))
        window->parentWidget()->close();
    m_mdiArea->closeAllSubWindows(); // the help window
    event->accept();
    // The program ends with its main window unless the About box is still
    // open; said outright, since a close that comes in while the window is
    // still being mapped can leave Qt's own last-window check unmet.
    if (!(m_about && m_about->isVisible()))
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
}
