#include "IconItem.h"

#include "PlotElement.h"
#include "Twips.h"

#include <QPainter>

IconItem::IconItem(int elementNumber)
    : m_elementNumber(elementNumber)
{
    setAcceptedMouseButtons(Qt::AllButtons);
}

void IconItem::mirror(const PlotElement &element, const QPixmap &picture)
{
    const QSizeF size(Twips::toPixels(element.width), Twips::toPixels(element.height));
    if (size != m_size) {
        prepareGeometryChange();
        m_size = size;
    }
    m_picture = picture;
    setPos(Twips::toPixels(element.left), Twips::toPixels(element.top));
    if (toolTip() != element.text)
        setToolTip(element.text);
    setVisible(element.visible);
    update();
}

QRectF IconItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), m_size);
}

void IconItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    // A picture that could not be loaded shows nothing, as it always has.
    if (!m_covered && !m_picture.isNull())
        painter->drawPixmap(0, 0, m_picture);
}
