#pragma once

#include <QGraphicsItem>
#include <QPixmap>

struct PlotElement;

// The picture of one placed icon on the document's scene. It holds no
// document state of its own: mirror() copies what the element says.
class IconItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 1 };

    explicit IconItem(int elementNumber);

    void mirror(const PlotElement &element, const QPixmap &picture);

    int elementNumber() const { return m_elementNumber; }

    // Set by the view for one paint in which the element lies entirely
    // under notes stacked above it: paint() then draws nothing.
    void setCovered(bool covered) { m_covered = covered; }
    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

private:
    int m_elementNumber;
    bool m_covered = false;
    QPixmap m_picture;
    QSizeF m_size;
};
