#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class PlotWindow;
class ReloadBar;
class TableWatcher;

// What a table window does when its file is changed from outside while it
// is open. Without edits of its own it reads the file again at once and
// says so in the status bar; with edits it shows a bar offering "Reload"
// (its edits first written beside the table as "<name> (mine).plt", so
// nothing is lost) or "Keep Mine" (and closing asks as ever). While the
// user is in the middle of something (a pop-up, a box, a drag) the
// reload waits until that is done.
class OutsideChanges : public QObject
{
    Q_OBJECT
public:
    explicit OutsideChanges(PlotWindow &window);

    void watch(const QString &file, const QByteArray &bytes);
    void stop();

    TableWatcher *watcher() const { return m_watcher; }
    ReloadBar *bar() const { return m_bar; }

    // Where "Reload" keeps this window's own edits of file.
    static QString minePath(const QString &file);

private:
    void changed(const QByteArray &bytes);
    void decide();
    bool busy() const;
    void reloadNow(const QString &message);
    void reloadKeepingMine();
    void keepMine();

    PlotWindow &m_window;
    TableWatcher *m_watcher;
    ReloadBar *m_bar;
    QTimer m_retry;
    QString m_file;
    QByteArray m_pending;
    bool m_hasPending = false;
};
