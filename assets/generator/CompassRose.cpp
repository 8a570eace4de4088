#include "CompassRose.h"

#include "AssetCanvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>

namespace {

constexpr int roseWidth = 174;
constexpr int roseHeight = 180;
const QPointF centre(87, 90);

// The ring sits inside the cardinal points; the letters outside both.
constexpr qreal ringRadius = 50;
constexpr qreal letterRadius = 76;

struct PointStyle
{
    qreal length;
    qreal halfWidth;
    QColor lit;
    QColor shaded;
};

QPointF polar(qreal radius, qreal bearingDegrees)
{
    const qreal angle = qDegreesToRadians(bearingDegrees);
    return centre + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
}

// One point of the star as two halves, one lit and one in shade, each with
// a gradient from the centre to the tip; that is what makes it look raised.
void paintPoint(QPainter &painter, qreal bearing, const PointStyle &style)
{
    const QPointF tip = polar(style.length, bearing);
    const QPointF leftBase = polar(style.halfWidth, bearing - 90);
    const QPointF rightBase = polar(style.halfWidth, bearing + 90);

    const struct { QPointF base; QColor colour; } halves[] = {
        {leftBase, style.lit},
        {rightBase, style.shaded},
    };
    for (const auto &half : halves) {
        QPainterPath path;
        path.moveTo(centre);
        path.lineTo(half.base);
        path.lineTo(tip);
        path.closeSubpath();
        QLinearGradient shade(centre, tip);
        shade.setColorAt(0.0, half.colour.lighter(115));
        shade.setColorAt(1.0, half.colour.darker(125));
        painter.fillPath(path, shade);
        painter.strokePath(path, QPen(QColor(20, 20, 20), 0.7, Qt::SolidLine, Qt::RoundCap,
                                      Qt::RoundJoin));
    }
}

void paintGlow(QPainter &painter)
{
    QRadialGradient glow(centre, 84);
    glow.setColorAt(0.0, QColor(44, 52, 66));
    glow.setColorAt(0.7, QColor(16, 19, 25));
    glow.setColorAt(1.0, Qt::black);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 84, 84);
}

void paintRing(QPainter &painter)
{
    const QColor brass(190, 160, 96);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(brass, 1.2));
    painter.drawEllipse(centre, ringRadius + 12, ringRadius + 12);
    painter.setPen(QPen(brass.darker(140), 1));
    painter.drawEllipse(centre, ringRadius + 8, ringRadius + 8);

    // Degree ticks between the two circles: every 10 degrees, longer at 30.
    for (int bearing = 0; bearing < 360; bearing += 10) {
        const bool major = bearing % 30 == 0;
        painter.setPen(QPen(major ? brass : brass.darker(130), major ? 1.2 : 0.8));
        painter.drawLine(polar(ringRadius + 8, bearing),
                         polar(ringRadius + (major ? 12 : 10.5), bearing));
    }
    painter.setPen(QPen(QColor(120, 130, 150), 0.8));
    painter.drawEllipse(centre, ringRadius, ringRadius);
}

void paintStar(QPainter &painter)
{
    const PointStyle byPoints{36, 4.5, QColor(172, 172, 178), QColor(84, 86, 94)};
    const PointStyle intercardinal{48, 6.5, QColor(176, 190, 210), QColor(70, 84, 108)};
    const PointStyle cardinal{64, 9, QColor(244, 236, 214), QColor(150, 136, 110)};
    const PointStyle north{64, 9, QColor(236, 86, 70), QColor(140, 34, 28)};

    for (int i = 0; i < 8; ++i)
        paintPoint(painter, 22.5 + 45 * i, byPoints);
    for (int i = 0; i < 4; ++i)
        paintPoint(painter, 45 + 90 * i, intercardinal);
    for (int i = 1; i < 4; ++i)
        paintPoint(painter, 90 * i, cardinal);
    paintPoint(painter, 0, north);

    QRadialGradient hub(centre + QPointF(-1.5, -1.5), 5);
    hub.setColorAt(0.0, QColor(250, 240, 210));
    hub.setColorAt(1.0, QColor(150, 120, 70));
    painter.setPen(QPen(QColor(20, 20, 20), 0.8));
    painter.setBrush(hub);
    painter.drawEllipse(centre, 4, 4);
}

void paintLetters(QPainter &painter)
{
    const struct { qreal bearing; const char *letter; } letters[] = {
        {0, "N"}, {90, "E"}, {180, "S"}, {270, "W"},
    };
    painter.setFont(AssetCanvas::pixelFont(15, QFont::Bold));
    for (const auto &entry : letters) {
        painter.setPen(entry.bearing == 0 ? QColor(240, 100, 84) : QColor(230, 222, 200));
        AssetCanvas::drawCentredText(painter, polar(letterRadius, entry.bearing),
                                     QString::fromLatin1(entry.letter));
    }
}

} // namespace

namespace CompassRose {

QImage draw()
{
    QImage image = AssetCanvas::opaqueImage(roseWidth, roseHeight, Qt::black);
    QPainter painter(&image);
    AssetCanvas::prepare(painter);
    paintGlow(painter);
    paintRing(painter);
    paintStar(painter);
    paintLetters(painter);
    return image;
}

} // namespace CompassRose
