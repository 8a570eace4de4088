#pragma once

#include "PinnedFrames.h"
#include "TablePicture.h"

#include <QGraphicsView>
#include <QPixmap>

#include <functional>

class ElementItem;

// The client area of a document window: the background picture at the
// top-left corner, with the icons and notes of the scene on it. Scene
// coordinates are the picture's pixels at actual size; the view zooms and
// scrolls over them, and reports every position in twips of the picture,
// so that what the mouse does is the same at any zoom.
class PlotView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit PlotView(QGraphicsScene *scene, QWidget *parent = nullptr);

    // Where a mouse event lands: the background, or an icon or note element.
    struct Target
    {
        enum Kind { Background, Icon, Note } kind = Background;
        int element = 0;
    };
    Target targetAt(const QPoint &viewportPos) const;

    // Decides whether a drag that began on an element moves like a drag
    // over the background: true for the element that is picked up.
    std::function<bool(const Target &)> dragsAsBackground;

    // The carried elements: the view draws them over the scene, each in its
    // stacking place and outlined, and the scene treats them as hidden. Any
    // other item lifted before is put back down.
    void setLifted(QList<ElementItem *> items);
    // While an element is dragged the pointer is a closed hand.
    void setDragging(bool dragging);

    void setBackgroundPicture(const QPixmap &picture);
    const QPixmap &backgroundPicture() const { return m_background; }

    // The scale at which the table shows: 1 is actual size.
    qreal zoom() const { return m_zoom; }
    // Zooms so that the table point under `anchor` (viewport pixels) stays
    // there.
    void setZoom(qreal scale, QPoint anchor);

    // A point of the table, in twips, in viewport pixels.
    QPoint viewportPointOf(QPointF twips) const;
    // A frame opened at a point of the table (twips) stays there as the
    // view scrolls and zooms; with a size (twips) it is zoomed too.
    void pinToTable(QWidget *frame, QPointF twips, QSizeF twipsSize = QSizeF());
    // A frame that stays at a place of the window.
    void pinToView(QWidget *frame, QPoint topLeft);
    // Scrolls, as little as it can, so that an area of the table (twips)
    // shows with a margin of pixels around it.
    void showArea(const QRectF &twips, int margin);

    // What the view shows at actual size from the same top-left point of
    // the table, the frames over it included, the size of the view's
    // client area.
    QImage grabAtActualSize();

    // A part of the scene (scene pixels) looks different: an element
    // there was added, moved, changed, hidden or shown.
    void sceneAreaChanged(const QRectF &sceneArea);
    // A carried element moved or changed in that part of the scene.
    void liftedAreaChanged(const QRectF &sceneArea);

signals:
    // Positions in twips from the picture's top-left corner.
    void backgroundMouseDown(Qt::MouseButton button, QPointF twips);
    void backgroundMouseMove(Qt::MouseButtons buttons, QPointF twips);
    void elementMouseDown(PlotView::Target target, Qt::MouseButton button);
    void elementClicked(PlotView::Target target);
    // A double-click of the left button on an element: pressed twice and
    // let go there, not dragged away (a click and a drag at once).
    void elementDoubleClicked(PlotView::Target target);
    void zoomChanged(qreal scale);
    // Every mouse button is up again.
    void buttonsReleased();

protected:
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QPointF twipsAt(const QPointF &viewportPos) const;
    const ElementItem *elementAt(const QPoint &viewportPos) const;
    void paintLifted(const QRegion &region);
    void updateCursor(const QPoint &viewportPos);
    void placeFrames();
    void showToolTip(QHelpEvent *event);

    QList<ElementItem *> m_lifted; // in stacking order

    QPixmap m_background;
    TablePicture m_picture;
    PinnedFrames m_frames;
    qreal m_zoom = 1.0;
    bool m_dragging = false;
    // Moves go to whatever received the press until every button is up.
    bool m_pressed = false;
    Target m_pressTarget;
    // The element of a second press, until the press ends or drags.
    Target m_doubleClicked;
    QPoint m_doubleClickAt;
};
