// BasicSet symbols for the sea and the harbour.

#include "SymbolPainters.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor navy(26, 52, 110);
const QColor signalRed(214, 38, 38);
const QColor waterBlue(60, 130, 200);

// A short row of waves along the bottom, so that floating things read as
// afloat rather than as standing on the ground.
void paintWaves(QPainter &painter, qreal y)
{
    QPainterPath waves;
    waves.moveTo(3, y);
    for (qreal x = 3; x < 21; x += 4.5) {
        waves.quadTo(x + 1.125, y - 1.6, x + 2.25, y);
        waves.quadTo(x + 3.375, y + 1.6, x + 4.5, y);
    }
    painter.strokePath(waves, QPen(waterBlue, 1.3, Qt::SolidLine, Qt::RoundCap));
}

} // namespace

namespace SymbolPainters {

void anchor(QPainter &painter)
{
    const QPen stroke(navy, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(stroke);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(12, 4.8), 2.0, 2.0);          // ring
    painter.drawLine(QPointF(12, 7), QPointF(12, 20));         // shank
    painter.drawLine(QPointF(7.5, 9.5), QPointF(16.5, 9.5));   // stock

    QPainterPath arms;
    arms.moveTo(4.8, 14);
    arms.quadTo(5.5, 20.5, 12, 20.5);
    arms.quadTo(18.5, 20.5, 19.2, 14);
    painter.drawPath(arms);

    // Flukes: small barbs at both arm ends.
    painter.setPen(QPen(navy, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(navy);
    painter.drawPolygon(QPolygonF({{2.6, 15.6}, {4.8, 11.4}, {7.2, 15.2}}));
    painter.drawPolygon(QPolygonF({{21.4, 15.6}, {19.2, 11.4}, {16.8, 15.2}}));
}

void buoy(QPainter &painter)
{
    paintWaves(painter, 20);

    QPainterPath body;
    body.moveTo(6.5, 18.5);
    body.lineTo(8.8, 9.5);
    body.lineTo(15.2, 9.5);
    body.lineTo(17.5, 18.5);
    body.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(body, signalRed);
    // A white band round the middle, clipped to the body.
    painter.save();
    painter.setClipPath(body);
    painter.fillRect(QRectF(0, 12.6, 24, 2.6), Qt::white);
    painter.restore();
    painter.strokePath(body, outline());

    painter.setPen(outline(1.3));
    painter.drawLine(QPointF(12, 9.5), QPointF(12, 5.5));   // topmark staff
    painter.setBrush(signalRed);
    painter.drawEllipse(QPointF(12, 4.2), 2.1, 2.1);       // topmark ball
}

void lighthouse(QPainter &painter)
{
    // Beams either side of the lantern.
    const QColor beam(250, 190, 30);
    painter.setPen(QPen(beam, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(2.5, 4), QPointF(8, 6));
    painter.drawLine(QPointF(2.5, 9.5), QPointF(8, 7.5));
    painter.drawLine(QPointF(21.5, 4), QPointF(16, 6));
    painter.drawLine(QPointF(21.5, 9.5), QPointF(16, 7.5));

    QPainterPath tower;
    tower.moveTo(8.4, 21);
    tower.lineTo(10.2, 9);
    tower.lineTo(13.8, 9);
    tower.lineTo(15.6, 21);
    tower.closeSubpath();
    painter.fillPath(tower, Qt::white);
    painter.save();
    painter.setClipPath(tower);
    for (qreal y = 9; y < 21; y += 6)
        painter.fillRect(QRectF(0, y, 24, 3), signalRed);
    painter.restore();
    painter.strokePath(tower, outline());

    painter.setPen(outline(1));
    painter.setBrush(QColor(255, 220, 60));
    painter.drawRect(QRectF(10, 5.5, 4, 3.5));                       // lantern
    painter.setBrush(ink());
    painter.drawPolygon(QPolygonF({{9.2, 5.5}, {12, 2.6}, {14.8, 5.5}}));  // roof
    painter.setPen(outline(1.4));
    painter.drawLine(QPointF(5, 21), QPointF(19, 21));
}

void flag(QPainter &painter)
{
    QPainterPath cloth;
    cloth.moveTo(7.6, 3.8);
    cloth.cubicTo(11, 2.2, 14, 5.8, 19.5, 4.2);
    cloth.lineTo(19.5, 12.6);
    cloth.cubicTo(14, 14.2, 11, 10.6, 7.6, 12.2);
    cloth.closeSubpath();
    painter.fillPath(cloth, signalRed);
    painter.strokePath(cloth, outline(1.1));

    painter.setPen(QPen(ink(), 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 3), QPointF(7, 21));
    painter.drawLine(QPointF(4.5, 21), QPointF(9.5, 21));
}

void ship(QPainter &painter)
{
    paintWaves(painter, 21);

    painter.setPen(outline(1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6, 9.5, 7.5, 4.5));                 // superstructure
    painter.setBrush(signalRed);
    painter.drawRect(QRectF(14.5, 7.5, 3.2, 6.5));              // funnel
    painter.fillRect(QRectF(14.5, 7.5, 3.2, 1.6), ink());
    painter.setPen(Qt::NoPen);
    painter.setBrush(waterBlue);
    for (qreal x : {7.4, 9.8})
        painter.drawRect(QRectF(x, 10.8, 1.4, 1.4));            // bridge windows

    QPainterPath hull;
    hull.moveTo(2.5, 14);
    hull.lineTo(21.5, 14);
    hull.lineTo(18.8, 19);
    hull.lineTo(5, 19);
    hull.closeSubpath();
    painter.fillPath(hull, QColor(58, 68, 88));
    painter.strokePath(hull, outline(1.1));
}

void sailingBoat(QPainter &painter)
{
    paintWaves(painter, 21);

    QPainterPath mainsail;
    mainsail.moveTo(13, 3.5);
    mainsail.quadTo(17.5, 9, 19.5, 15);
    mainsail.lineTo(13, 15);
    mainsail.closeSubpath();
    QPainterPath jib;
    jib.moveTo(11, 5.5);
    jib.lineTo(11, 15);
    jib.lineTo(5, 15);
    jib.closeSubpath();
    for (const QPainterPath &sail : {mainsail, jib}) {
        painter.fillPath(sail, QColor(252, 252, 245));
        painter.strokePath(sail, outline(1));
    }
    painter.setPen(outline(1.3));
    painter.drawLine(QPointF(12, 2.5), QPointF(12, 16));

    QPainterPath hull;
    hull.moveTo(3.5, 16);
    hull.lineTo(20.5, 16);
    hull.lineTo(17.5, 19.5);
    hull.lineTo(6.5, 19.5);
    hull.closeSubpath();
    painter.fillPath(hull, waterBlue.darker(120));
    painter.strokePath(hull, outline(1.1));
}

void fish(QPainter &painter)
{
    const QColor scales(36, 150, 160);
    QPainterPath body;
    body.moveTo(21, 12);
    body.cubicTo(18, 5.5, 10, 5.5, 7.2, 12);
    body.cubicTo(10, 18.5, 18, 18.5, 21, 12);
    QPainterPath tail;
    tail.moveTo(8, 12);
    tail.lineTo(2.8, 7.2);
    tail.quadTo(4.4, 12, 2.8, 16.8);
    tail.closeSubpath();
    QPainterPath fin;
    fin.moveTo(11.5, 8.6);
    fin.quadTo(13.5, 4.8, 16.5, 7.6);
    for (const QPainterPath &part : {tail, body}) {
        painter.fillPath(part, scales);
        painter.strokePath(part, outline(1.1));
    }
    painter.strokePath(fin, outline(1.1));

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(17.2, 10.8), 1.6, 1.6);
    painter.setBrush(ink());
    painter.drawEllipse(QPointF(17.5, 10.8), 0.8, 0.8);
    painter.setPen(QPen(ink(), 0.9, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(11, 8.5, 4, 7), -60 * 16, 120 * 16);   // gill
}

} // namespace SymbolPainters
