#pragma once

#include <QObject>

class Placing;
class frmPlotFile;

// The palette's Paste: a new element from the program's cut-icon clipboard
// at the point where the palette was opened. An icon goes only into a table
// of the icon set it was cut from; a note goes anywhere.
class PasteCommand : public QObject
{
    Q_OBJECT
public:
    PasteCommand(frmPlotFile &window, Placing &placing);

    void Command5_Click();

private:
    frmPlotFile &m_window;
    Placing &m_placing;
};
