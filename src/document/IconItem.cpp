#include "IconItem.h"

#include "PlotElement.h"
#include "TableRenderer.h"
#include "Twips.h"


IconItem::IconItem(int elementNumber)
    : ElementItem(Icon, elementNumber)
{
}

void IconItem::mirror(const PlotElement &element, const QPixmap &picture)
{
    setGeometry(QPointF(Twips::toPixels(element.left), Twips::toPixels(element.top)),
                QSizeF(Twips::toPixels(element.width), Twips::toPixels(element.height)));
    m_picture = picture;
    if (toolTip() != element.text)
        setToolTip(element.text);
    setShown(element.live);
    repaint();
}

void IconItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!isCovered())
        TableRenderer::drawIcon(*painter, QPointF(0, 0), m_picture);
}
