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

private:
    PlotWindow &m_window;
};
