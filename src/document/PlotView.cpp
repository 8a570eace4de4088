#include "PlotView.h"

#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

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
