#include "ElementItem.h"

#include "PlotView.h"

#include <QGraphicsScene>

ElementItem::ElementItem(Kind kind, int elementNumber)
    : m_kind(kind)
    , m_elementNumber(elementNumber)
{
    setAcceptedMouseButtons(Qt::AllButtons);
}

void ElementItem::setLifted(bool lifted)
{
    if (lifted == m_lifted)
        return;
    m_lifted = lifted;
    showAsState();
    // The outline of a picked-up element lies just outside it.
    if (!lifted)
        updateLiftedArea(sceneBoundingRect());
}

void ElementItem::setGeometry(QPointF topLeft, QSizeF size)
{
    const QRectF before = sceneBoundingRect();
    if (size != m_size) {
        prepareGeometryChange();
        m_size = size;
    }
    setPos(topLeft);
    if (sceneBoundingRect() == before)
        return;
    if (m_lifted) {
        updateLiftedArea(before);
        updateLiftedArea(sceneBoundingRect());
    } else if (isVisible()) {
        tellViews(before);
        tellViews(sceneBoundingRect());
    }
}

void ElementItem::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    showAsState();
}

void ElementItem::showAsState()
{
    // The scene shows the element unless it is lifted; the views show a
    // lifted one themselves.
    const bool visible = m_shown && !m_lifted;
    if (visible != isVisible())
        tellViews(sceneBoundingRect());
    setVisible(visible);
    if (m_lifted)
        updateLiftedArea(sceneBoundingRect());
}

void ElementItem::repaint()
{
    if (m_lifted) {
        updateLiftedArea(sceneBoundingRect());
    } else {
        update();
        if (isVisible())
            tellViews(sceneBoundingRect());
    }
}

void ElementItem::updateLiftedArea(const QRectF &sceneArea)
{
    // The scene does not repaint for a hidden item; the views are told
    // directly, which does not make the scene visit its items.
    if (!scene())
        return;
    const QList<QGraphicsView *> views = scene()->views();
    for (QGraphicsView *view : views)
        if (auto *plotView = qobject_cast<PlotView *>(view))
            plotView->liftedAreaChanged(sceneArea);
        else
            view->updateScene({sceneArea});
}

void ElementItem::tellViews(const QRectF &sceneArea)
{
    // Views that keep a picture of the table must draw this part again.
    if (!scene())
        return;
    const QList<QGraphicsView *> views = scene()->views();
    for (QGraphicsView *view : views)
        if (auto *plotView = qobject_cast<PlotView *>(view))
            plotView->sceneAreaChanged(sceneArea);
}

QVariant ElementItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemSceneHasChanged && isVisible())
        tellViews(sceneBoundingRect());
    return QGraphicsItem::itemChange(change, value);
}
