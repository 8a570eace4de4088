#pragma once

#include <QObject>
#include <QPointF>

class PlotWindow;

// The palette's Paste: a new element from the program's cut clipboard at
// the point where the palette was opened. An icon goes only into a table
// of the icon set it was cut from; a note goes anywhere.
class PasteCommand : public QObject
{
    Q_OBJECT
public:
    explicit PasteCommand(PlotWindow &window);

    // The palette's button: at the point where the palette was opened.
    void paste();
    // At a top-left corner in twips, as the menu bar's Paste does.
    void pasteAt(QPointF at);

private:
    PlotWindow &m_window;
};
