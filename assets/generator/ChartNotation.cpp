#include "ChartNotation.h"

#include "AssetCanvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace {

// Lights and anchorages are printed in magenta on charts.
const QColor chartMagenta(196, 44, 150);

} // namespace

namespace ChartNotation {

void paintLight(QPainter &painter, const QPointF &at, qreal flareAngle, const QString &label,
                const QPointF &labelAt)
{
    painter.save();
    painter.translate(at);
    painter.rotate(flareAngle);
    QPainterPath flare;
    flare.moveTo(0, 0);
    flare.cubicTo(10, -7, 28, -6, 30, 0);
    flare.cubicTo(28, 6, 10, 7, 0, 0);
    QColor translucent = chartMagenta;
    translucent.setAlpha(170);
    painter.setPen(QPen(chartMagenta.darker(130), 0.8));
    painter.setBrush(translucent);
    painter.drawPath(flare);
    painter.restore();

    painter.setPen(QPen(Qt::black, 1.4));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 4.5, 4.5);
    painter.setBrush(Qt::black);
    painter.drawEllipse(at, 1.6, 1.6);

    painter.setFont(AssetCanvas::pixelFont(10, QFont::Normal, true));
    painter.setPen(chartMagenta.darker(140));
    painter.drawText(labelAt, label);
}

void paintAnchorage(QPainter &painter, const QPointF &at)
{
    painter.setPen(QPen(chartMagenta, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 38, 26);

    painter.setPen(QPen(chartMagenta, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawEllipse(at + QPointF(0, -8), 2, 2);
    painter.drawLine(at + QPointF(0, -6), at + QPointF(0, 8));
    painter.drawLine(at + QPointF(-4, -3), at + QPointF(4, -3));
    QPainterPath arms;
    arms.moveTo(at + QPointF(-7, 3));
    arms.quadTo(at + QPointF(-6, 9), at + QPointF(0, 9));
    arms.quadTo(at + QPointF(6, 9), at + QPointF(7, 3));
    painter.drawPath(arms);

    painter.setFont(AssetCanvas::pixelFont(10, QFont::Normal, true));
    painter.setPen(chartMagenta);
    AssetCanvas::drawCentredText(painter, at + QPointF(0, 35), QStringLiteral("Anchorage"));
}

void paintRock(QPainter &painter, const QPointF &at, const QColor &ink)
{
    painter.setPen(QPen(ink, 1.1));
    painter.drawLine(at + QPointF(-4, 0), at + QPointF(4, 0));
    painter.drawLine(at + QPointF(0, -4), at + QPointF(0, 4));
    for (const QPointF &dot : {QPointF(-3, -3), QPointF(3, -3), QPointF(-3, 3), QPointF(3, 3)})
        painter.drawPoint(at + dot);
}

void paintNeatline(QPainter &painter, const QRect &chart)
{
    constexpr qreal outer = 3.5;
    constexpr qreal inner = 9.5;
    constexpr qreal band = inner - outer;
    constexpr int division = 25;
    const QRectF whole(chart);
    const QRectF outerBox = whole.adjusted(outer, outer, -outer, -outer);
    const QRectF innerBox = whole.adjusted(inner, inner, -inner, -inner);

    // White margin and white band, then the black divisions on the band,
    // staggered between opposite sides as on a printed chart.
    QPainterPath frame;
    frame.addRect(whole);
    frame.addRect(innerBox);
    painter.fillPath(frame, Qt::white);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    for (int x = chart.left(); x < chart.right(); x += 2 * division) {
        painter.drawRect(QRectF(x, outerBox.top(), division, band));
        painter.drawRect(QRectF(x + division, innerBox.bottom(), division, band));
    }
    for (int y = chart.top(); y < chart.bottom(); y += 2 * division) {
        painter.drawRect(QRectF(outerBox.left(), y + division, band, division));
        painter.drawRect(QRectF(innerBox.right(), y, band, division));
    }
    // The divisions run into the corners; clear the margin again.
    QPainterPath margin;
    margin.addRect(whole);
    margin.addRect(outerBox);
    painter.fillPath(margin, Qt::white);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.drawRect(outerBox);
    painter.drawRect(innerBox);
}

} // namespace ChartNotation
