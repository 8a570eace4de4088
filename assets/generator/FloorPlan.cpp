#include "FloorPlan.h"

#include "AssetCanvas.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int planWidth = 900;
constexpr int planHeight = 600;

// The building, its corridor and the wall lines that divide the rooms.
constexpr qreal left = 30;
constexpr qreal right = 870;
constexpr qreal top = 30;
constexpr qreal bottom = 540;
constexpr qreal corridorTop = 262;
constexpr qreal corridorBottom = 318;

constexpr qreal outerWall = 10;
constexpr qreal innerWall = 5;

const QColor paper(244, 246, 248);
const QColor floorTone(253, 252, 248);
const QColor corridorTone(236, 235, 229);
const QColor wetRoomTone(228, 238, 244);
const QColor wallInk(52, 56, 62);
const QColor fittingInk(150, 155, 160);
const QColor labelInk(48, 52, 60);

const qreal upperSplits[] = {200, 380, 560, 700};
const qreal lowerSplits[] = {380, 500, 620, 720};

void paintPaperGrid(QPainter &painter)
{
    painter.setPen(QPen(QColor(215, 224, 234), 1));
    for (int x = 10; x < planWidth; x += 20)
        painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, planHeight));
    for (int y = 10; y < planHeight; y += 20)
        painter.drawLine(QPointF(0, y + 0.5), QPointF(planWidth, y + 0.5));
}

void paintFloors(QPainter &painter)
{
    painter.fillRect(QRectF(left, top, right - left, bottom - top), floorTone);
    painter.fillRect(QRectF(left, corridorTop, right - left, corridorBottom - corridorTop),
                     corridorTone);
    // Tiled rooms: kitchen and washrooms.
    painter.fillRect(QRectF(700, top, right - 700, corridorTop - top), wetRoomTone);
    painter.fillRect(QRectF(380, corridorBottom, 120, bottom - corridorBottom), wetRoomTone);
    painter.setPen(QPen(QColor(205, 218, 228), 1));
    for (qreal x = 712; x < right; x += 14)
        painter.drawLine(QPointF(x, top), QPointF(x, corridorTop));
    for (qreal y = top + 12; y < corridorTop; y += 14)
        painter.drawLine(QPointF(700, y), QPointF(right, y));
}

void paintWalls(QPainter &painter)
{
    painter.setPen(QPen(wallInk, outerWall, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(left, top, right - left, bottom - top));

    QPen inner(wallInk, innerWall, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(inner);
    painter.drawLine(QPointF(left, corridorTop), QPointF(right, corridorTop));
    painter.drawLine(QPointF(left, corridorBottom), QPointF(right, corridorBottom));
    for (qreal x : upperSplits)
        painter.drawLine(QPointF(x, top), QPointF(x, corridorTop));
    for (qreal x : lowerSplits)
        painter.drawLine(QPointF(x, corridorBottom), QPointF(x, bottom));
    // Two cubicles inside the washroom.
    painter.setPen(QPen(wallInk, 3));
    painter.drawLine(QPointF(440, 470), QPointF(440, bottom));
    painter.drawLine(QPointF(380, 470), QPointF(500, 470));
}

// A window: the wall is broken and drawn as a thin double frame.
void paintWindow(QPainter &painter, qreal x, qreal wallY, qreal width)
{
    const QRectF frame(x, wallY - outerWall / 2, width, outerWall);
    painter.fillRect(frame, Qt::white);
    painter.setPen(QPen(wallInk, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.drawLine(QPointF(x, wallY), QPointF(x + width, wallY));
}

void paintWindows(QPainter &painter)
{
    for (qreal x : {80, 250, 310, 420, 490, 600, 760})
        paintWindow(painter, x, top, 40);
    for (qreal x : {70, 160, 250, 310, 540, 760, 810})
        paintWindow(painter, x, bottom, 40);
}

// A door in a horizontal wall: the opening, the open leaf and the arc that
// it sweeps. swingDown chooses the room the door opens into; hingeLeft the
// jamb it hangs on.
void paintDoor(QPainter &painter, qreal x, qreal wallY, bool swingDown, bool hingeLeft,
               qreal width = 34, const QColor &opening = corridorTone)
{
    painter.fillRect(QRectF(x, wallY - innerWall / 2 - 0.5, width, innerWall + 1), opening);
    const qreal hingeX = hingeLeft ? x : x + width;
    const qreal leafEndY = swingDown ? wallY + width : wallY - width;

    painter.setPen(QPen(wallInk, 2));
    painter.drawLine(QPointF(hingeX, wallY), QPointF(hingeX, leafEndY));

    // The arc runs from the free jamb to the end of the open leaf.
    const QRectF sweep(hingeX - width, wallY - width, 2 * width, 2 * width);
    const qreal startAngle = hingeLeft ? 0 : 180;
    const qreal span = (hingeLeft == swingDown) ? -90 : 90;
    painter.setPen(QPen(wallInk, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(sweep, int(startAngle * 16), int(span * 16));
}

void paintDoors(QPainter &painter)
{
    // Upper rooms open up from the corridor, lower rooms down into theirs.
    paintDoor(painter, 150, corridorTop, false, false);
    paintDoor(painter, 214, corridorTop, false, true);
    paintDoor(painter, 394, corridorTop, false, true);
    paintDoor(painter, 512, corridorTop, false, false);
    paintDoor(painter, 574, corridorTop, false, true);
    paintDoor(painter, 714, corridorTop, false, true);
    paintDoor(painter, 120, corridorBottom, true, true, 40);
    paintDoor(painter, 300, corridorBottom, true, false, 40);
    paintDoor(painter, 400, corridorBottom, true, true, 30);
    paintDoor(painter, 514, corridorBottom, true, true, 30);
    paintDoor(painter, 780, corridorBottom, true, false);
    // The stair hall has a plain opening.
    painter.fillRect(QRectF(632, corridorBottom - 3, 76, 6), corridorTone);

    // Cubicle doors inside the washroom.
    paintDoor(painter, 392, 470, false, true, 24, wetRoomTone);
    paintDoor(painter, 452, 470, false, true, 24, wetRoomTone);

    // Main entrance: a double door in the west wall at the corridor end.
    const qreal midY = (corridorTop + corridorBottom) / 2;
    painter.fillRect(QRectF(left - outerWall / 2 - 0.5, corridorTop + 6, outerWall + 1,
                            corridorBottom - corridorTop - 12),
                     corridorTone);
    painter.setPen(QPen(wallInk, 2));
    const qreal leaf = midY - corridorTop - 6;
    painter.drawLine(QPointF(left, corridorTop + 6), QPointF(left + leaf, corridorTop + 6));
    painter.drawLine(QPointF(left, corridorBottom - 6), QPointF(left + leaf, corridorBottom - 6));
    painter.setPen(QPen(wallInk, 1, Qt::DashLine));
    painter.drawArc(QRectF(left - leaf, corridorTop + 6 - leaf, 2 * leaf, 2 * leaf), 0, -90 * 16);
    painter.drawArc(QRectF(left - leaf, corridorBottom - 6 - leaf, 2 * leaf, 2 * leaf), 0,
                    90 * 16);
}

void paintStairs(QPainter &painter)
{
    const QRectF flight(636, 340, 68, 186);
    painter.setPen(QPen(wallInk, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(flight);
    for (qreal y = flight.top() + 12; y < flight.bottom(); y += 12)
        painter.drawLine(QPointF(flight.left(), y), QPointF(flight.right(), y));
    // Walking line with the arrow pointing up the flight.
    const qreal cx = flight.center().x();
    painter.setPen(QPen(wallInk, 1.6));
    painter.drawLine(QPointF(cx, flight.bottom() - 8), QPointF(cx, flight.top() + 10));
    QPainterPath head;
    head.moveTo(cx, flight.top() + 4);
    head.lineTo(cx - 6, flight.top() + 16);
    head.lineTo(cx + 6, flight.top() + 16);
    head.closeSubpath();
    painter.fillPath(head, wallInk);
    painter.setFont(AssetCanvas::pixelFont(10, QFont::Bold));
    painter.fillRect(QRectF(cx - 12, flight.bottom() - 30, 24, 14), floorTone);
    AssetCanvas::drawCentredText(painter, QPointF(cx, flight.bottom() - 23), QStringLiteral("UP"));
}

void paintFittings(QPainter &painter)
{
    painter.setPen(QPen(fittingInk, 1.2));
    painter.setBrush(Qt::NoBrush);

    // Reception counter.
    QPainterPath counter;
    counter.moveTo(60, 200);
    counter.lineTo(150, 200);
    counter.lineTo(150, 160);
    painter.strokePath(counter, QPen(fittingInk, 6, Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(QPointF(128, 180), 7, 7);

    // Desks in the two single offices and the manager's office.
    for (const QRectF &desk : {QRectF(230, 60, 70, 36), QRectF(590, 60, 70, 36),
                               QRectF(760, 470, 70, 36)})
        painter.drawRect(desk);
    for (const QPointF &chair : {QPointF(265, 108), QPointF(625, 108), QPointF(795, 460)})
        painter.drawEllipse(chair, 8, 8);

    // Meeting table with chairs around it.
    painter.drawRoundedRect(QRectF(410, 100, 120, 60), 28, 28);
    for (int i = 0; i < 4; ++i) {
        painter.drawEllipse(QPointF(426 + i * 29, 88), 7, 7);
        painter.drawEllipse(QPointF(426 + i * 29, 172), 7, 7);
    }

    // Kitchen worktop with sink and hob.
    painter.drawRect(QRectF(706, 36, 158, 28));
    painter.drawRoundedRect(QRectF(730, 40, 30, 20), 4, 4);
    for (qreal x : {800, 822})
        for (qreal y : {44, 56})
            painter.drawEllipse(QPointF(x + 4, y), 5, 5);
    painter.drawRoundedRect(QRectF(740, 140, 80, 60), 6, 6);

    // Open office: two clusters of four desks, a chair at each.
    for (qreal x0 : {80, 230}) {
        for (int col = 0; col < 2; ++col) {
            for (int row = 0; row < 2; ++row)
                painter.drawRect(QRectF(x0 + col * 50, 380 + row * 34, 50, 34));
            painter.drawEllipse(QPointF(x0 + 25 + col * 50, 370), 7, 7);
            painter.drawEllipse(QPointF(x0 + 25 + col * 50, 458), 7, 7);
        }
    }

    // Washbasins and toilets, then the server racks.
    for (qreal x : {410, 470})
        painter.drawEllipse(QPointF(x, 516), 8, 11);
    for (qreal y : {340, 380, 420})
        painter.drawRect(QRectF(390, y, 30, 24));
    for (int rack = 0; rack < 3; ++rack) {
        const QRectF cabinet(520 + rack * 30, 470, 24, 56);
        painter.drawRect(cabinet);
        for (qreal y = cabinet.top() + 8; y < cabinet.bottom(); y += 8)
            painter.drawLine(QPointF(cabinet.left() + 3, y), QPointF(cabinet.right() - 3, y));
    }
}

void paintRoomLabel(QPainter &painter, const QPointF &centre, const QString &name,
                    const QString &area)
{
    painter.setPen(labelInk);
    painter.setFont(AssetCanvas::pixelFont(14, QFont::Bold));
    AssetCanvas::drawCentredText(painter, centre, name);
    painter.setPen(QColor(110, 115, 125));
    painter.setFont(AssetCanvas::pixelFont(10));
    AssetCanvas::drawCentredText(painter, centre + QPointF(0, 16), area);
}

void paintLabels(QPainter &painter)
{
    const QChar squared(0x00B2);
    auto area = [squared](const char *value) {
        return QString::fromLatin1(value) + QStringLiteral(" m") + squared;
    };
    paintRoomLabel(painter, QPointF(100, 120), QStringLiteral("Reception"), area("31.5"));
    paintRoomLabel(painter, QPointF(290, 180), QStringLiteral("Office 1"), area("36.0"));
    paintRoomLabel(painter, QPointF(470, 214), QStringLiteral("Meeting"), area("36.0"));
    paintRoomLabel(painter, QPointF(630, 180), QStringLiteral("Office 2"), area("28.0"));
    paintRoomLabel(painter, QPointF(785, 102), QStringLiteral("Kitchen"), area("32.0"));
    paintRoomLabel(painter, QPointF(205, 490), QStringLiteral("Open Office"), area("76.5"));
    paintRoomLabel(painter, QPointF(460, 420), QStringLiteral("WC"), area("10.0"));
    paintRoomLabel(painter, QPointF(560, 400), QStringLiteral("Server"), area("12.0"));
    paintRoomLabel(painter, QPointF(795, 390), QStringLiteral("Manager"), area("30.0"));

    painter.setPen(QColor(120, 120, 112));
    painter.setFont(AssetCanvas::pixelFont(12, QFont::Normal, true));
    AssetCanvas::drawCentredText(painter, QPointF(470, 290), QStringLiteral("Corridor"));
    painter.setFont(AssetCanvas::pixelFont(10, QFont::Bold));
    AssetCanvas::drawCentredText(painter, QPointF(670, 300), QStringLiteral("Stairs"));
}

void paintTitleBlock(QPainter &painter)
{
    painter.setPen(labelInk);
    painter.setFont(AssetCanvas::pixelFont(13, QFont::Bold));
    painter.drawText(QPointF(left, 575), QStringLiteral("QUENBRACK OFFICE  \u00B7  Ground Floor"));
    painter.setFont(AssetCanvas::pixelFont(10));
    painter.drawText(QPointF(left, 590), QStringLiteral("Scale 1:100   All areas approximate"));

    // Scale bar of 5 m and a north arrow on the right.
    const QPointF origin(700, 574);
    painter.setPen(QPen(labelInk, 1));
    for (int part = 0; part < 5; ++part) {
        painter.setBrush(part % 2 ? Qt::white : labelInk);
        painter.drawRect(QRectF(origin.x() + part * 20, origin.y(), 20, 5));
    }
    painter.drawText(QPointF(origin.x() + 106, origin.y() + 7), QStringLiteral("5 m"));

    const QPointF north(850, 578);
    QPainterPath arrow;
    arrow.moveTo(north + QPointF(0, -18));
    arrow.lineTo(north + QPointF(7, 6));
    arrow.lineTo(north + QPointF(0, 1));
    arrow.lineTo(north + QPointF(-7, 6));
    arrow.closeSubpath();
    painter.setBrush(labelInk);
    painter.drawPath(arrow);
    painter.setFont(AssetCanvas::pixelFont(10, QFont::Bold));
    AssetCanvas::drawCentredText(painter, north + QPointF(14, -10), QStringLiteral("N"));
}

} // namespace

namespace FloorPlan {

QImage draw()
{
    QImage image = AssetCanvas::opaqueImage(planWidth, planHeight, paper);
    QPainter painter(&image);
    AssetCanvas::prepare(painter);

    paintPaperGrid(painter);
    paintFloors(painter);
    paintFittings(painter);
    paintWalls(painter);
    paintWindows(painter);
    paintDoors(painter);
    paintStairs(painter);
    paintLabels(painter);
    paintTitleBlock(painter);
    return image;
}

} // namespace FloorPlan
