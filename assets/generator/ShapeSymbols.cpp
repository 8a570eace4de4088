// BasicSet symbols that are plain shapes, arrows and signs.

#include "SymbolPainters.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <cmath>

namespace {

void fillOutlined(QPainter &painter, const QPainterPath &shape, const QColor &fill,
                  qreal outlineWidth = 1.3)
{
    painter.fillPath(shape, fill);
    painter.strokePath(shape, SymbolPainters::outline(outlineWidth));
}

QPainterPath polygonPath(const QPolygonF &points)
{
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

// A block arrow pointing up, turned to face the wanted way.
void paintArrow(QPainter &painter, qreal degreesClockwiseFromUp)
{
    painter.translate(12, 12);
    painter.rotate(degreesClockwiseFromUp);
    painter.translate(-12, -12);
    const QPolygonF arrow({{12, 2.6}, {20.2, 11}, {15, 11}, {15, 21.2},
                           {9, 21.2}, {9, 11}, {3.8, 11}});
    fillOutlined(painter, polygonPath(arrow), QColor(36, 44, 60), 1.1);
}

} // namespace

namespace SymbolPainters {

void firstAid(QPainter &painter)
{
    const QPolygonF cross({{9, 3.5}, {15, 3.5}, {15, 9}, {20.5, 9}, {20.5, 15}, {15, 15},
                           {15, 20.5}, {9, 20.5}, {9, 15}, {3.5, 15}, {3.5, 9}, {9, 9}});
    fillOutlined(painter, polygonPath(cross), QColor(218, 30, 40), 1.2);
}

void star(QPainter &painter)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2) ? 4.1 : 10;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        points << QPointF(12 + radius * std::cos(angle), 13 + radius * std::sin(angle));
    }
    fillOutlined(painter, polygonPath(points), QColor(246, 190, 30), 1.1);
}

void triangle(QPainter &painter)
{
    fillOutlined(painter, polygonPath(QPolygonF({{12, 3.2}, {21, 19.8}, {3, 19.8}})),
                 QColor(46, 160, 70));
}

void circle(QPainter &painter)
{
    QPainterPath disc;
    disc.addEllipse(QPointF(12, 12), 8.3, 8.3);
    fillOutlined(painter, disc, QColor(214, 44, 44));
}

void square(QPainter &painter)
{
    QPainterPath box;
    box.addRect(QRectF(4.5, 4.5, 15, 15));
    fillOutlined(painter, box, QColor(44, 96, 206));
}

void diamond(QPainter &painter)
{
    fillOutlined(painter, polygonPath(QPolygonF({{12, 2.6}, {21.4, 12}, {12, 21.4}, {2.6, 12}})),
                 QColor(140, 64, 180));
}

void arrowUp(QPainter &painter)
{
    paintArrow(painter, 0);
}

void arrowDown(QPainter &painter)
{
    paintArrow(painter, 180);
}

void arrowLeft(QPainter &painter)
{
    paintArrow(painter, 270);
}

void arrowRight(QPainter &painter)
{
    paintArrow(painter, 90);
}

void warning(QPainter &painter)
{
    QPainterPath sign;
    sign.moveTo(12, 2.6);
    sign.lineTo(21.6, 20.2);
    sign.lineTo(2.4, 20.2);
    sign.closeSubpath();
    painter.fillPath(sign, QColor(250, 204, 20));
    painter.strokePath(sign, QPen(ink(), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // The exclamation mark, drawn rather than typed so that it does not
    // depend on the fonts at hand.
    QPainterPath bar;
    bar.moveTo(10.9, 8.6);
    bar.lineTo(13.1, 8.6);
    bar.lineTo(12.6, 14.6);
    bar.lineTo(11.4, 14.6);
    bar.closeSubpath();
    painter.fillPath(bar, ink());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink());
    painter.drawEllipse(QPointF(12, 17.2), 1.25, 1.25);
}

void skull(QPainter &painter)
{
    // Crossed bones behind the skull.
    const QPen bone(QColor(236, 232, 220), 2.4, Qt::SolidLine, Qt::RoundCap);
    const QPen boneEdge(ink(), 4.4, Qt::SolidLine, Qt::RoundCap);
    for (const QPen &pen : {boneEdge, bone}) {
        painter.setPen(pen);
        painter.drawLine(QPointF(4, 14.5), QPointF(20, 21.5));
        painter.drawLine(QPointF(4, 21.5), QPointF(20, 14.5));
    }

    QPainterPath head;
    head.setFillRule(Qt::WindingFill);   // the parts overlap; fill them as one
    head.addEllipse(QPointF(12, 9), 7, 6.6);
    head.addRoundedRect(QRectF(8.2, 11, 7.6, 7), 2, 2);
    head = head.simplified();
    fillOutlined(painter, head, QColor(244, 240, 228), 1.2);

    painter.setPen(Qt::NoPen);
    painter.setBrush(ink());
    painter.drawEllipse(QPointF(9.4, 9.6), 2.1, 2.2);
    painter.drawEllipse(QPointF(14.6, 9.6), 2.1, 2.2);
    painter.drawPolygon(QPolygonF({{12, 12}, {13, 14}, {11, 14}}));
    painter.setPen(QPen(ink(), 0.8));
    for (qreal x : {10.4, 12.0, 13.6})
        painter.drawLine(QPointF(x, 15.6), QPointF(x, 18));
}

} // namespace SymbolPainters
