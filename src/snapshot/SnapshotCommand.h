#pragma once

#include <QObject>

class PlotWindow;

// Save Snapshot: the window's view as Quenbrack.bmp in the program folder,
// opened in the desktop's image program.
class SnapshotCommand : public QObject
{
    Q_OBJECT
public:
    explicit SnapshotCommand(PlotWindow &window);

    void saveSnapshot();

signals:
    // After each snapshot: the file it went to, whether it could be written
    // there, and whether the image program could be started on it. Said
    // outright, since otherwise a desktop without an image program shows
    // nothing at all.
    void snapshotSaved(const QString &path, bool written, bool shown);

private:
    PlotWindow &m_window;
};
