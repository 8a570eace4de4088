#include "PlotView.h"

#include "IconItem.h"
#include "NoteItem.h"
#include "Twips.h"

#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <cmath>

PlotView::PlotView(QGraphicsScene *scene, QWidget *parent)
    : QGraphicsView(scene, parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setSceneRect(0, 0, 1, 1);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

PlotView::Target PlotView::targetAt(const QPoint &viewportPos) const
{
    // The topmost visible element under the pointer; hidden ones are not
    // there for the mouse.
    for (QGraphicsItem *item : items(viewportPos)) {
        if (!item->isVisible())
            continue;
        if (item->type() == IconItem::Type)
            return {Target::Icon, static_cast<IconItem *>(item)->elementNumber()};
        if (item->type() == NoteItem::Type)
            return {Target::Note, static_cast<NoteItem *>(item)->elementNumber()};
    }
    return {};
}

QPointF PlotView::twipsAt(const QPointF &viewportPos) const
{
    const QPointF scenePos = mapToScene(viewportPos.toPoint());
    return QPointF(std::round(Twips::fromPixels(scenePos.x())),
                   std::round(Twips::fromPixels(scenePos.y())));
}

void PlotView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // The first button down decides where the moves go until all are up.
    const bool first = (event->buttons() & ~event->button()) == Qt::NoButton;
    m_pressed = true;
    const Target target = targetAt(event->position().toPoint());
    if (first)
        m_pressTarget = target;
    if (target.kind == Target::Background)
        emit backgroundMouseDown(event->button(), twipsAt(event->position()));
    else
        emit elementMouseDown(target, event->button());
}

void PlotView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons == Qt::NoButton)
        m_pressed = false;
    bool overBackground;
    if (m_pressed) {
        overBackground = m_pressTarget.kind == Target::Background
                         || (dragsAsBackground && dragsAsBackground(m_pressTarget));
    } else {
        overBackground = targetAt(event->position().toPoint()).kind == Target::Background;
    }
    if (overBackground)
        emit backgroundMouseMove(buttons, twipsAt(event->position()));
}

void PlotView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const Target pressed = m_pressTarget;
    if (event->buttons() == Qt::NoButton) {
        m_pressed = false;
        m_pressTarget = Target();
    }
    if (event->button() != Qt::LeftButton || pressed.kind == Target::Background)
        return;
    const Target released = targetAt(event->position().toPoint());
    if (released.kind == pressed.kind && released.element == pressed.element)
        emit elementClicked(pressed);
}

void PlotView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double-click is a press like any other; it picks up what it hits.
    mousePressEvent(event);
}

void PlotView::setBackgroundPicture(const QPixmap &picture)
{
    m_background = picture;
    resetCachedContent();
    viewport()->update();
}

void PlotView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->fillRect(rect, Qt::white);
    if (!m_background.isNull())
        painter->drawPixmap(0, 0, m_background);
}

void PlotView::resizeEvent(QResizeEvent *event)
{
    // The scene shows exactly the client area: elements past its edges are
    // cut off, as on a window that does not scroll.
    setSceneRect(0, 0, event->size().width(), event->size().height());
    QGraphicsView::resizeEvent(event);
}

void PlotView::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}
