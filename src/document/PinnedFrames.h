#pragma once

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QSizeF>

class QGraphicsView;
class QWidget;

// The pop-up frames over a table's view and where each belongs. A frame
// opened at a point of the table stays at that point however the table is
// scrolled or zoomed; one pinned to the view (the Find panel) stays where
// it is in the window. Qt moves child widgets along when it scrolls a view
// by copying pixels, and not when it repaints it: every frame is placed
// again after any change of the view, so both ways end in the same place.
//
// A pop-up pinned to the table without a size of its own (the palette, the
// action menu) shows whole: it moves up or left, only as far as needed, to
// lie inside the part of the view that can be seen.
class PinnedFrames
{
public:
    // topLeft in scene pixels of the table. A frame with a size (scene
    // pixels) takes that size at the view's zoom; one without keeps its own.
    void pinToTable(QWidget *frame, QPointF topLeft, QSizeF size = QSizeF());
    // topLeft in the view's viewport pixels.
    void pinToView(QWidget *frame, QPoint topLeft);

    void place(const QGraphicsView &view) const;

    // The part of a widget that shows on screen: its rectangle, cut by
    // those of the widgets around it (a table window partly outside the
    // workspace), in the widget's own pixels.
    static QRect visiblePart(const QWidget *widget);
    // The top-left corner for a frame of a size wanted at a point: moved
    // up and left as little as takes to lie inside an area, and where it
    // is larger than the area, at the area's top-left corner.
    static QPoint keptWhole(QPoint wanted, QSize size, const QRect &area);

private:
    struct Pin
    {
        QPointer<QWidget> frame;
        QPointF topLeft;
        QSizeF size;
        bool toTable = true;
    };
    void pin(const Pin &pin);

    QList<Pin> m_pins;
};
