#include "Markers.h"

#include "AssetCanvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <iterator>

namespace {

constexpr int markerSize = 24;

// Six colours that stay apart from each other on the chart's blues and the
// plan's greys.
const QColor markerColours[] = {
    QColor(222, 40, 40),   // red
    QColor(246, 136, 20),  // orange
    QColor(240, 200, 20),  // yellow
    QColor(40, 166, 70),   // green
    QColor(36, 108, 222),  // blue
    QColor(142, 58, 190),  // purple
};

constexpr int colourCount = int(std::size(markerColours));

const QColor markerInk(28, 32, 40);

// A push pin seen from the side: a glossy ball on a steel needle stuck into
// the map at the lower left, with a small shadow where it enters.
void paintPushPin(QPainter &painter, const QColor &colour)
{
    const QPointF point(5.5, 20.5);
    const QPointF head(14.5, 9.5);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 50));
    painter.drawEllipse(QPointF(8.5, 21), 4, 1.4);

    painter.setPen(QPen(QColor(110, 114, 120), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(point, head);

    QRadialGradient shine(head + QPointF(-2.2, -2.4), 8.5);
    shine.setColorAt(0.0, colour.lighter(170));
    shine.setColorAt(0.45, colour);
    shine.setColorAt(1.0, colour.darker(150));
    painter.setPen(QPen(markerInk, 1.1));
    painter.setBrush(shine);
    painter.drawEllipse(head, 6.8, 6.8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(head + QPointF(-2.3, -2.4), 1.6, 1.3);
}

// An upside-down drop with the point on the spot and a number in a white
// disc, as on street maps.
void paintNumberedMarker(QPainter &painter, const QColor &colour, int number)
{
    QPainterPath drop;
    drop.moveTo(12, 22.8);
    drop.cubicTo(9.5, 18.5, 4.2, 14.5, 4.2, 9.2);
    drop.cubicTo(4.2, 4.6, 7.6, 1.4, 12, 1.4);
    drop.cubicTo(16.4, 1.4, 19.8, 4.6, 19.8, 9.2);
    drop.cubicTo(19.8, 14.5, 14.5, 18.5, 12, 22.8);
    painter.fillPath(drop, colour);
    painter.strokePath(drop, QPen(markerInk, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12, 9.2), 5.1, 5.1);

    painter.setPen(markerInk);
    painter.setFont(AssetCanvas::pixelFont(10, QFont::Bold));
    painter.drawText(QRectF(6, 3.7, 12, 11), Qt::AlignCenter, QString::number(number));
}

} // namespace

namespace Markers {

int count()
{
    return 2 * colourCount;
}

QImage draw(int number)
{
    QImage image = AssetCanvas::opaqueImage(markerSize, markerSize, Qt::white);
    if (number < 1 || number > count())
        return image;
    QPainter painter(&image);
    AssetCanvas::prepare(painter);
    const int index = number - 1;
    if (index < colourCount)
        paintPushPin(painter, markerColours[index]);
    else
        paintNumberedMarker(painter, markerColours[index - colourCount], index - colourCount + 1);
    return image;
}

} // namespace Markers
