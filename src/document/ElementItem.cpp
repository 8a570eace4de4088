#include "ElementItem.h"

#include <QGraphicsScene>
#include <QGraphicsView>

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
}

void ElementItem::setGeometry(QPointF topLeft, QSizeF size)
{
    const QRectF before = m_lifted ? sceneBoundingRect() : QRectF();
    if (size != m_size) {
        prepareGeometryChange();
        m_size = size;
    }
    setPos(topLeft);
    if (m_lifted && sceneBoundingRect() != before) {
        updateLiftedArea(before);
        updateLiftedArea(sceneBoundingRect());
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
    setVisible(m_shown && !m_lifted);
    if (m_lifted)
        updateLiftedArea(sceneBoundingRect());
}

void ElementItem::repaint()
{
    if (m_lifted)
        updateLiftedArea(sceneBoundingRect());
    else
        update();
}

void ElementItem::updateLiftedArea(const QRectF &sceneArea)
{
    // The scene does not repaint for a hidden item; the views are told
    // directly, which does not make the scene visit its items.
    if (!scene())
        return;
    const QList<QGraphicsView *> views = scene()->views();
    for (QGraphicsView *view : views)
        view->updateScene({sceneArea});
}
