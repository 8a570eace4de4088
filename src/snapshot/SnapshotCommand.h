#pragma once

#include <QObject>

class QLabel;
class QWidget;
class frmPlotFile;

// Save Snapshot: the window's client area as Quenbrack.bmp in the program
// folder, opened in the desktop's image program.
class SnapshotCommand : public QObject
{
    Q_OBJECT
public:
    explicit SnapshotCommand(frmPlotFile &window);

    void Command2_Click();

private:
    frmPlotFile &m_window;
    QLabel *m_canvas; // Picture1: holds the last capture, never shown
};

// Copies what ContainerForm's client area shows, one pixel per screen
// pixel, into PictureBoxControl and saves it as a bitmap file. False when
// the file could not be written (the old one is then left whole).
bool SaveFormImageToFile(frmPlotFile *ContainerForm, QLabel *PictureBoxControl,
                         const QString &ImageFileName);
