#pragma once

#include <QObject>

class PlotWindow;

// The palette's Paste: a new element from the program's cut clipboard at
// the point where the palette was opened. An icon goes only into a table
// of the icon set it was cut from; a note goes anywhere.
class PasteCommand : public QObject
{
    Q_OBJECT
public:
    explicit PasteCommand(PlotWindow &window);

    void paste();

private:
    PlotWindow &m_window;
};
