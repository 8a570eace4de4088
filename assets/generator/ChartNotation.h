#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QString>

class QPainter;

// The conventional marks of a nautical chart, drawn the way a chart reader
// expects to see them. HarbourChart places them; they know nothing about
// any one harbour.
namespace ChartNotation {

// A light: a ringed dot with a magenta flare pointing flareAngle degrees
// clockwise from east, and its character written at labelAt.
void paintLight(QPainter &painter, const QPointF &at, qreal flareAngle, const QString &label,
                const QPointF &labelAt);

// An anchorage: a magenta anchor inside a dashed limit, named below it.
void paintAnchorage(QPainter &painter, const QPointF &at);

// A rock awash: a small cross with a dot in each quarter.
void paintRock(QPainter &painter, const QPointF &at, const QColor &ink);

// The border round the whole chart: a neatline with alternating black and
// white divisions, as for latitude and longitude, and a white margin.
void paintNeatline(QPainter &painter, const QRect &chart);

} // namespace ChartNotation
