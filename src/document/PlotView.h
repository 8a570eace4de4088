#pragma once

#include <QGraphicsView>
#include <QPixmap>

#include <functional>

class ElementItem;

// The client area of a document window: the background picture, unscaled
// at the top-left corner, with the icons and notes of the scene on it.
// Scene coordinates are the client area's pixels; the view never scrolls.
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
    // stacking place, and the scene treats them as hidden. Any other item
    // lifted before is put back down.
    void setLifted(QList<ElementItem *> items);

    void setBackgroundPicture(const QPixmap &picture);
    const QPixmap &backgroundPicture() const { return m_background; }

signals:
    // Positions in twips from the client area's top-left corner.
    void backgroundMouseDown(Qt::MouseButton button, QPointF twips);
    void backgroundMouseMove(Qt::MouseButtons buttons, QPointF twips);
    void elementMouseDown(PlotView::Target target, Qt::MouseButton button);
    void elementClicked(PlotView::Target target);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QPointF twipsAt(const QPointF &viewportPos) const;
    // The elements in a region to be painted that lie entirely under notes
    // stacked above them, so that nothing of them would show.
    QList<ElementItem *> coveredItems(const QRegion &region) const;
    void paintLifted(const QRegion &region);

    QList<ElementItem *> m_lifted; // in stacking order

    QPixmap m_background;
    // Moves go to whatever received the press until every button is up.
    bool m_pressed = false;
    Target m_pressTarget;
};
