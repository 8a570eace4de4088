#pragma once

#include <QObject>

class MainWindow;
class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in the
// terminal that started the program) into closing the main window, so that
// every open table is saved as when the user closes it. The signal handler
// only writes a byte into a pipe; the closing runs in the event loop.
class TerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TerminationWatcher(MainWindow *mainWindow);
    ~TerminationWatcher() override;

private:
    static void handle(int signal);
    void closeMainWindow();

    MainWindow *m_mainWindow;
    QSocketNotifier *m_notifier = nullptr;
};
