#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>

class QPainter;

// Small helpers shared by every picture the generator draws, so that they
// all start from the same kind of canvas and use the same fonts.
namespace AssetCanvas {

// An opaque image filled with one colour. JPEG has no alpha channel, so
// every shipped JPEG starts from one of these.
QImage opaqueImage(int width, int height, const QColor &fill);

// A fully transparent image, for the PNG application icon.
QImage transparentImage(int width, int height);

// Turns on antialiasing for shapes and text; every picture wants both.
void prepare(QPainter &painter);

// A sans-serif font sized in pixels, so that the pictures come out the same
// whatever resolution the platform reports.
QFont pixelFont(int pixelSize, QFont::Weight weight = QFont::Normal, bool italic = false);

// Draws text centred on a point (both directions).
void drawCentredText(QPainter &painter, const QPointF &centre, const QString &text);

} // namespace AssetCanvas
