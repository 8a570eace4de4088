#pragma once

#include "PlotView.h"

#include <QObject>

class PlotWindow;

// Moving elements. A left press (or a click) on an icon or a note picks it
// up; dragging it with the left button held, or any later left-drag over
// the background, carries it with its top-left corner at the pointer. A
// move with no button down over the background, or Escape, puts it down.
// An icon and a note can be picked up at the same time and then move
// together.
//
// A carry is one drag: from its first move to the release of the button.
// Putting an element down ends its carry, not its selection (Selection):
// the element picked up last stays selected and outlined.
class Carrying : public QObject
{
    Q_OBJECT
public:
    explicit Carrying(PlotWindow &window);

    // The picked-up elements; 0 when none.
    int carriedIcon() const { return m_icon; }
    int carriedNote() const { return m_note; }
    bool isCarried(const PlotView::Target &target) const;
    // True between the first move of a drag and the end of that drag.
    bool isCarrying() const { return m_carrying; }

    void backgroundMouseMove(Qt::MouseButtons buttons, QPointF twips);
    void elementMouseDown(PlotView::Target target, Qt::MouseButton button);
    void elementClicked(PlotView::Target target);
    void backgroundMouseDown(Qt::MouseButton button);
    // Puts down whatever is picked up.
    void putDown();

    // A step of the history of its own for moves made apart from a drag
    // (the arrow keys): moves made under the same number merge into one.
    int newCarryId() { return ++m_carryId; }
    // Where an element's top-left corner may go: on the picture, whose
    // right and bottom edges are not known when the picture is missing.
    QPointF insidePicture(QPointF twips) const;

signals:
    // A drag begins to move the picked-up elements, and has ended.
    void carryStarted();
    void carryEnded();

private:
    void pickUp(PlotView::Target target);
    void beginCarry();
    void endCarry();
    // Tells the view which elements to draw as carried.
    void liftCarried();

    PlotWindow &m_window;
    int m_icon = 0;
    int m_note = 0;
    int m_carryId = 0;
    bool m_carrying = false;
};
