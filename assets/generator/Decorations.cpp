#include "Decorations.h"

#include "AssetCanvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

const QColor noteBackground(64, 64, 64);
const QColor paperYellow(255, 244, 150);

// The outline of the note: a square sheet whose lower right corner lifts
// off the surface.
QPainterPath noteSheet(const QRectF &sheet)
{
    QPainterPath path;
    path.moveTo(sheet.topLeft());
    path.lineTo(sheet.topRight());
    path.lineTo(sheet.right(), sheet.bottom() - 13);
    path.cubicTo(sheet.right() - 2, sheet.bottom() - 6, sheet.right() - 7, sheet.bottom() - 1,
                 sheet.right() - 15, sheet.bottom());
    path.lineTo(sheet.bottomLeft());
    path.closeSubpath();
    return path;
}

// The underside of the lifted corner, showing between the fold and the sheet.
QPainterPath curledCorner(const QRectF &sheet)
{
    QPainterPath path;
    path.moveTo(sheet.right(), sheet.bottom() - 13);
    path.cubicTo(sheet.right() - 2, sheet.bottom() - 6, sheet.right() - 7, sheet.bottom() - 1,
                 sheet.right() - 15, sheet.bottom());
    path.cubicTo(sheet.right() - 10, sheet.bottom() - 5, sheet.right() - 8, sheet.bottom() - 10,
                 sheet.right(), sheet.bottom() - 13);
    return path;
}

// Soft shadow: the sheet repeated a few times, each larger and fainter.
void paintShadow(QPainter &painter, const QPainterPath &sheet)
{
    painter.setBrush(Qt::NoBrush);
    for (int step = 4; step >= 1; --step) {
        painter.setPen(QPen(QColor(0, 0, 0, 26), step * 1.6, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.drawPath(sheet.translated(1.8, 2.4));
    }
    painter.fillPath(sheet.translated(1.8, 2.4), QColor(20, 20, 20, 150));
}

// A line of "writing": words of given lengths as a looping pen stroke. The
// shapes come from a fixed formula so the picture is the same every build.
void paintHandwriting(QPainter &painter, qreal x, qreal baseline,
                      std::initializer_list<qreal> wordLengths)
{
    QPainterPath ink;
    int stroke = 0;
    for (qreal length : wordLengths) {
        ink.moveTo(x, baseline);
        for (qreal t = 0.6; t <= length; t += 0.6, ++stroke) {
            const qreal rise = 1.5 + 0.9 * std::sin(stroke * 1.7) + ((stroke % 7 == 3) ? 1.4 : 0);
            ink.lineTo(x + t, baseline - rise * (0.5 - 0.5 * std::cos(t * 2.3)));
        }
        x += length + 3.5;
    }
    painter.strokePath(ink, QPen(QColor(50, 66, 128), 0.9, Qt::SolidLine, Qt::RoundCap,
                                 Qt::RoundJoin));
}

void paintMapCorner(QPainter &painter, const QRectF &chart)
{
    QLinearGradient sea(chart.topLeft(), chart.bottomRight());
    sea.setColorAt(0, QColor(180, 214, 240));
    sea.setColorAt(1, QColor(110, 166, 214));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sea);
    painter.drawRoundedRect(chart, 4, 4);

    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(chart, 4, 4);
    painter.setClipPath(clip);
    QPainterPath land;
    land.moveTo(chart.topLeft());
    land.lineTo(chart.left() + 34, chart.top());
    land.cubicTo(chart.left() + 30, chart.top() + 12, chart.left() + 18, chart.top() + 10,
                 chart.left() + 14, chart.top() + 22);
    land.cubicTo(chart.left() + 10, chart.top() + 32, chart.left() + 4, chart.top() + 34,
                 chart.left(), chart.top() + 40);
    land.closeSubpath();
    painter.strokePath(land, QPen(QColor(150, 196, 230), 7));
    painter.fillPath(land, QColor(240, 224, 170));
    painter.strokePath(land, QPen(QColor(110, 90, 50), 1.2));

    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (qreal offset = 12; offset < chart.width(); offset += 12) {
        painter.drawLine(QPointF(chart.left() + offset, chart.top()),
                         QPointF(chart.left() + offset, chart.bottom()));
        painter.drawLine(QPointF(chart.left(), chart.top() + offset),
                         QPointF(chart.right(), chart.top() + offset));
    }
    painter.restore();

    painter.setPen(QPen(QColor(30, 40, 56), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(chart, 4, 4);
}

void paintPin(QPainter &painter, const QPointF &point)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(point + QPointF(2, 0), 6, 2);

    const QPointF head = point + QPointF(0, -20);
    QPainterPath drop;
    drop.moveTo(point);
    drop.cubicTo(point.x() - 3, point.y() - 6, head.x() - 10, head.y() + 6, head.x() - 10,
                 head.y());
    drop.arcTo(QRectF(head.x() - 10, head.y() - 10, 20, 20), 180, -180);
    drop.cubicTo(head.x() + 10, head.y() + 6, point.x() + 3, point.y() - 6, point.x(),
                 point.y());
    QRadialGradient shine(head + QPointF(-3, -4), 16);
    shine.setColorAt(0, QColor(255, 120, 110));
    shine.setColorAt(1, QColor(190, 24, 24));
    painter.fillPath(drop, shine);
    painter.strokePath(drop, QPen(QColor(70, 10, 10), 1.6, Qt::SolidLine, Qt::RoundCap,
                                  Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.setPen(QPen(QColor(70, 10, 10), 1));
    painter.drawEllipse(head, 4, 4);
}

} // namespace

namespace Decorations {

QImage drawNote()
{
    QImage image = AssetCanvas::opaqueImage(79, 58, noteBackground);
    QPainter painter(&image);
    AssetCanvas::prepare(painter);

    const QRectF sheetBox(5, 3, 67, 49);
    const QPainterPath sheet = noteSheet(sheetBox);
    paintShadow(painter, sheet);

    QLinearGradient paper(sheetBox.topLeft(), sheetBox.bottomRight());
    paper.setColorAt(0.0, paperYellow.lighter(104));
    paper.setColorAt(1.0, paperYellow.darker(108));
    painter.fillPath(sheet, paper);
    // The glued strip along the top is a touch deeper in colour.
    painter.fillRect(QRectF(sheetBox.left(), sheetBox.top(), sheetBox.width(), 8),
                     QColor(240, 214, 90, 110));

    paintHandwriting(painter, 11, 20, {12, 8, 16, 10});
    paintHandwriting(painter, 11, 28, {7, 18, 11, 9});
    paintHandwriting(painter, 11, 36, {15, 9, 13});
    paintHandwriting(painter, 11, 44, {10, 14});

    QLinearGradient underside(sheetBox.right() - 15, sheetBox.bottom(), sheetBox.right(),
                              sheetBox.bottom() - 13);
    underside.setColorAt(0.0, QColor(250, 238, 170));
    underside.setColorAt(1.0, QColor(196, 172, 80));
    const QPainterPath corner = curledCorner(sheetBox);
    painter.fillPath(corner, underside);
    painter.strokePath(corner, QPen(QColor(150, 130, 60), 0.6));
    painter.strokePath(sheet, QPen(QColor(190, 170, 80), 0.6));
    return image;
}

QImage drawAppIcon()
{
    QImage image = AssetCanvas::transparentImage(64, 64);
    QPainter painter(&image);
    AssetCanvas::prepare(painter);
    paintMapCorner(painter, QRectF(5, 7, 54, 54));
    paintPin(painter, QPointF(41, 47));
    return image;
}

QImage drawAboutBadge()
{
    QImage badge(57, 43, QImage::Format_ARGB32_Premultiplied);
    badge.fill(Qt::transparent);
    QPainter painter(&badge);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(150, 156, 164), 1));
    painter.setBrush(QColor(246, 242, 228));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 56, 42), 4, 4);
    painter.drawImage(QRect(12, 3, 36, 36), drawAppIcon());
    return badge;
}

} // namespace Decorations
