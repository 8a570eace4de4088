#include "AssetCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>

namespace AssetCanvas {

QImage opaqueImage(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont pixelFont(int pixelSize, QFont::Weight weight, bool italic)
{
    // DejaVu Sans comes with every Debian desktop; the style hint lets
    // fontconfig pick a close match where it is missing.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    // Hinting would snap small lettering to the pixel grid differently on
    // other font setups; unhinted outlines keep the pictures reproducible.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawCentredText(QPainter &painter, const QPointF &centre, const QString &text)
{
    const QFontMetricsF metrics(painter.font());
    const QRectF box(centre.x() - 500.0, centre.y() - metrics.height() / 2.0, 1000.0,
                     metrics.height());
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace AssetCanvas
