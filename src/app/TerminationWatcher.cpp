#include "TerminationWatcher.h"

#include "MainWindow.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
int g_pipe[2] = {-1, -1};
}

TerminationWatcher::TerminationWatcher(MainWindow *mainWindow)
    : QObject(mainWindow)
    , m_mainWindow(mainWindow)
{
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::closeMainWindow);
    struct sigaction action = {};
    action.sa_handler = &TerminationWatcher::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
#endif
}

TerminationWatcher::~TerminationWatcher()
{
#ifdef Q_OS_UNIX
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    for (int &end : g_pipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
#endif
}

void TerminationWatcher::handle(int)
{
#ifdef Q_OS_UNIX
    const char byte = 1;
    const ssize_t ignored = ::write(g_pipe[0], &byte, 1);
    (void)ignored;
#endif
}

void TerminationWatcher::closeMainWindow()
{
#ifdef Q_OS_UNIX
    char byte;
    const ssize_t ignored = ::read(g_pipe[1], &byte, 1);
    (void)ignored;
#endif
    m_mainWindow->endBySignal();
    // A box may be up (a missing picture, the recovery question, a file
    // dialog), each in an event loop of its own that closing the main
    // window does not end. Every loop ends now, and a box asked after this
    // returns at once as cancelled, so nothing waits for an answer that
    // will not come.
    QCoreApplication::exit(0);
}
