#pragma once

#include "ElementItem.h"

#include <QPixmap>

struct PlotElement;

// The picture of one placed icon on the document's scene.
class IconItem : public ElementItem
{
public:
    enum { Type = Icon };

    explicit IconItem(int elementNumber);

    void mirror(const PlotElement &element, const QPixmap &picture);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

private:
    QPixmap m_picture;
};
