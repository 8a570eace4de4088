#pragma once

#include "PlotView.h"

#include <QObject>

class PlotWindow;

// Moving elements. A click on an icon or a note picks it up; left-drags
// over the background then carry it with its top-left corner at the
// pointer, and a move with no button down puts it down. An icon and a note
// can be picked up at the same time and then move together.
class Carrying : public QObject
{
    Q_OBJECT
public:
    explicit Carrying(PlotWindow &window);

    // The picked-up elements; 0 when none.
    int carriedIcon() const { return m_icon; }
    int carriedNote() const { return m_note; }
    bool isCarried(const PlotView::Target &target) const;

    void backgroundMouseMove(Qt::MouseButtons buttons, QPointF twips);
    void elementClicked(PlotView::Target target);

private:
    // Tells the view which elements to draw as carried.
    void liftCarried();
    QPointF insidePicture(QPointF twips) const;

    PlotWindow &m_window;
    int m_icon = 0;
    int m_note = 0;
    int m_carryId = 0;
};
