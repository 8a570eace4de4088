// BasicSet symbols for things on land: buildings, camp, vehicles, people.

#include "SymbolPainters.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

using SymbolPainters::outline;

const QColor glass(170, 210, 240);

void paintWheel(QPainter &painter, const QPointF &centre, qreal radius)
{
    painter.setPen(outline(0.8));
    painter.setBrush(QColor(30, 30, 30));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(190, 190, 190));
    painter.drawEllipse(centre, radius * 0.42, radius * 0.42);
}

// A head and shoulders, used for the group symbol.
void paintBust(QPainter &painter, const QPointF &head, qreal scale, const QColor &colour)
{
    QPainterPath shoulders;
    const qreal top = head.y() + 3.6 * scale;
    shoulders.moveTo(head.x() - 5 * scale, top + 6 * scale);
    shoulders.cubicTo(head.x() - 5 * scale, top, head.x() + 5 * scale, top,
                      head.x() + 5 * scale, top + 6 * scale);
    shoulders.closeSubpath();
    painter.setPen(outline(1));
    painter.setBrush(colour);
    painter.drawPath(shoulders);
    painter.drawEllipse(head, 2.7 * scale, 2.7 * scale);
}

} // namespace

namespace SymbolPainters {

void house(QPainter &painter)
{
    painter.setPen(outline(1.1));
    painter.setBrush(QColor(150, 70, 50));
    painter.drawRect(QRectF(15, 4.5, 2.4, 5));                       // chimney
    painter.setBrush(QColor(248, 236, 210));
    painter.drawRect(QRectF(6, 11, 12, 9.5));                        // walls
    painter.setBrush(QColor(196, 64, 44));
    painter.drawPolygon(QPolygonF({{3.5, 12}, {12, 4}, {20.5, 12}})); // roof
    painter.setBrush(QColor(120, 76, 40));
    painter.drawRect(QRectF(8.5, 14.5, 3.2, 6));                     // door
    painter.setBrush(glass);
    painter.drawRect(QRectF(13.5, 13.5, 3, 3));                      // window
}

void tent(QPainter &painter)
{
    const QPolygonF canvas({{2.8, 20}, {12, 4.5}, {21.2, 20}});
    painter.setPen(outline(1.2));
    painter.setBrush(QColor(236, 132, 36));
    painter.drawPolygon(canvas);
    painter.setBrush(QColor(90, 50, 20));
    painter.drawPolygon(QPolygonF({{8.8, 20}, {12, 11.5}, {15.2, 20}}));  // doorway
    painter.drawLine(QPointF(12, 4.5), QPointF(12, 2.5));                // pole tip
    painter.drawLine(QPointF(1.8, 20.5), QPointF(22.2, 20.5));
}

void tree(QPainter &painter)
{
    painter.setPen(outline(1));
    painter.setBrush(QColor(128, 84, 44));
    painter.drawRect(QRectF(10.7, 13, 2.6, 8));                       // trunk

    // The crown: three overlapping lobes filled as one shape.
    QPainterPath crown;
    crown.setFillRule(Qt::WindingFill);
    crown.addEllipse(QPointF(12, 7.5), 5.2, 4.8);
    crown.addEllipse(QPointF(7.8, 11.2), 4.4, 4);
    crown.addEllipse(QPointF(16.2, 11.2), 4.4, 4);
    crown = crown.simplified();
    painter.fillPath(crown, QColor(60, 150, 60));
    painter.strokePath(crown, outline(1.1));
    painter.drawLine(QPointF(8, 21), QPointF(16, 21));
}

void fuelDrop(QPainter &painter)
{
    QPainterPath drop;
    drop.moveTo(12, 2.5);
    drop.cubicTo(14.5, 7, 19, 10.5, 19, 15);
    drop.cubicTo(19, 19, 15.8, 21.5, 12, 21.5);
    drop.cubicTo(8.2, 21.5, 5, 19, 5, 15);
    drop.cubicTo(5, 10.5, 9.5, 7, 12, 2.5);
    painter.fillPath(drop, QColor(38, 40, 46));
    painter.strokePath(drop, outline(1.1));
    // A highlight so the drop reads as liquid.
    QPainterPath shine;
    shine.moveTo(8.4, 14.5);
    shine.quadTo(8.4, 17.8, 11, 19);
    painter.strokePath(shine, QPen(QColor(240, 200, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
}

void campfire(QPainter &painter)
{
    const QPen log(QColor(110, 66, 30), 2.6, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(log);
    painter.drawLine(QPointF(4.5, 20.5), QPointF(19.5, 16.5));
    painter.drawLine(QPointF(4.5, 16.5), QPointF(19.5, 20.5));

    QPainterPath flame;
    flame.moveTo(12, 2.5);
    flame.cubicTo(16.5, 6.5, 18.5, 10, 17.4, 14);
    flame.cubicTo(16.6, 16.8, 14.4, 18, 12, 18);
    flame.cubicTo(9.6, 18, 7.2, 16.8, 6.7, 14);
    flame.cubicTo(6.2, 11, 8.2, 9.2, 9.4, 6.5);
    flame.cubicTo(10.2, 8.6, 11, 9, 11.6, 9.2);
    flame.cubicTo(11.4, 7, 11.4, 5, 12, 2.5);
    painter.fillPath(flame, QColor(232, 70, 30));
    painter.strokePath(flame, outline(1));

    QPainterPath core;
    core.moveTo(12, 9.5);
    core.cubicTo(14.5, 12, 15, 14, 14.3, 15.6);
    core.cubicTo(13.6, 17, 10.4, 17, 9.7, 15.6);
    core.cubicTo(9, 14, 10.5, 12.5, 12, 9.5);
    painter.fillPath(core, QColor(255, 206, 40));
}

void radioMast(QPainter &painter)
{
    // Lattice tower.
    painter.setPen(outline(1.3));
    painter.drawLine(QPointF(7.5, 21), QPointF(12, 9.5));
    painter.drawLine(QPointF(16.5, 21), QPointF(12, 9.5));
    QPainterPath bracing;
    bracing.moveTo(11.1, 12.2);
    bracing.lineTo(13.4, 13.4);
    bracing.lineTo(9.9, 15.6);
    bracing.lineTo(14.5, 17);
    bracing.lineTo(8.3, 19.2);
    painter.strokePath(bracing, outline(0.9));
    painter.drawLine(QPointF(12, 9.5), QPointF(12, 7));
    painter.setBrush(QColor(214, 38, 38));
    painter.drawEllipse(QPointF(12, 6.5), 1.6, 1.6);

    // Radio waves either side of the top.
    painter.setPen(QPen(QColor(40, 110, 210), 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (qreal radius : {4.2, 7.4}) {
        const QRectF arc(12 - radius, 6.5 - radius, 2 * radius, 2 * radius);
        painter.drawArc(arc, -35 * 16, 70 * 16);
        painter.drawArc(arc, 145 * 16, 70 * 16);
    }
}

void car(QPainter &painter)
{
    QPainterPath body;
    body.moveTo(2.8, 16.5);
    body.lineTo(2.8, 12.8);
    body.lineTo(6, 12);
    body.lineTo(8.2, 7.8);
    body.lineTo(15.2, 7.8);
    body.lineTo(18, 12);
    body.lineTo(20.6, 12.6);
    body.quadTo(21.4, 13, 21.4, 14);
    body.lineTo(21.4, 16.5);
    body.closeSubpath();
    painter.fillPath(body, QColor(40, 100, 200));
    painter.strokePath(body, outline(1.1));

    painter.setPen(outline(0.8));
    painter.setBrush(glass);
    painter.drawPolygon(QPolygonF({{7.2, 12}, {8.9, 9}, {11.4, 9}, {11.4, 12}}));
    painter.drawPolygon(QPolygonF({{12.6, 12}, {12.6, 9}, {14.6, 9}, {16.4, 12}}));

    paintWheel(painter, QPointF(7, 16.8), 2.6);
    paintWheel(painter, QPointF(17, 16.8), 2.6);
}

void truck(QPainter &painter)
{
    painter.setPen(outline(1.1));
    painter.setBrush(QColor(214, 214, 206));
    painter.drawRect(QRectF(2.5, 6, 12.5, 10));                     // cargo box

    QPainterPath cab;
    cab.moveTo(15.8, 16);
    cab.lineTo(15.8, 9);
    cab.lineTo(19.2, 9);
    cab.lineTo(21.5, 12.4);
    cab.lineTo(21.5, 16);
    cab.closeSubpath();
    painter.setBrush(QColor(200, 50, 40));
    painter.drawPath(cab);
    painter.setPen(outline(0.8));
    painter.setBrush(glass);
    painter.drawPolygon(QPolygonF({{16.8, 12.4}, {16.8, 10}, {18.8, 10}, {20.4, 12.4}}));

    paintWheel(painter, QPointF(6, 17.6), 2.2);
    paintWheel(painter, QPointF(10.8, 17.6), 2.2);
    paintWheel(painter, QPointF(18.6, 17.6), 2.2);
}

void helicopter(QPainter &painter)
{
    const QColor olive(78, 104, 62);
    painter.setPen(QPen(ink(), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(2.5, 5.5), QPointF(20.5, 5.5));          // main rotor
    painter.drawLine(QPointF(10.5, 5.5), QPointF(10.5, 8.5));         // rotor mast
    painter.drawLine(QPointF(5, 20), QPointF(16, 20));                // skid
    painter.setPen(outline(1));
    painter.drawLine(QPointF(7.5, 16.5), QPointF(7, 20));
    painter.drawLine(QPointF(13.5, 16.5), QPointF(14, 20));

    QPainterPath boom;
    boom.moveTo(14.5, 11);
    boom.lineTo(21, 10.4);
    boom.lineTo(21, 12);
    boom.lineTo(14.5, 13.8);
    boom.closeSubpath();
    painter.setBrush(olive);
    painter.drawPath(boom);
    painter.setPen(QPen(ink(), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(21, 8), QPointF(21, 14));                // tail rotor

    QPainterPath cabin;
    cabin.addRoundedRect(QRectF(4.5, 8.5, 11.5, 8.5), 4.2, 4.2);
    painter.fillPath(cabin, olive);
    painter.strokePath(cabin, outline(1.1));
    QPainterPath window;
    window.moveTo(4.8, 12.5);
    window.quadTo(5.2, 9.2, 8.8, 9.2);
    window.lineTo(9.6, 12.5);
    window.closeSubpath();
    painter.fillPath(window, glass);
    painter.strokePath(window, outline(0.7));
}

void person(QPainter &painter)
{
    const QColor figure(30, 40, 60);
    painter.setPen(outline(1));
    painter.setBrush(figure);
    painter.drawEllipse(QPointF(12, 4.6), 2.6, 2.6);
    const QPen limb(figure, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPainterPath limbs;
    limbs.moveTo(12, 9);
    limbs.lineTo(12, 14.5);                                           // trunk
    limbs.moveTo(7.2, 13.6);
    limbs.lineTo(9.2, 9.6);
    limbs.lineTo(14.8, 9.6);
    limbs.lineTo(16.8, 13.6);                                         // arms
    limbs.moveTo(9, 20.8);
    limbs.lineTo(12, 14.5);
    limbs.lineTo(15, 20.8);                                           // legs
    painter.strokePath(limbs, limb);
}

void group(QPainter &painter)
{
    paintBust(painter, QPointF(6.4, 7.8), 0.85, QColor(120, 140, 170));
    paintBust(painter, QPointF(17.6, 7.8), 0.85, QColor(120, 140, 170));
    paintBust(painter, QPointF(12, 10.2), 1.05, QColor(40, 70, 120));
}

} // namespace SymbolPainters
