#pragma once

#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QTransform>

class PlotScene;
class QGraphicsScene;
class QPainter;

// The table drawn once at actual size or below, and kept current.
//
// At a low zoom a view shows much of a large table at once: tens of
// thousands of icons and notes, each painted by its own item, far too slow
// for scrolling or for carrying an element across it. This picture holds
// the background and every element the scene shows, at the view's scale;
// a paint copies pixels from it. Each part is drawn when first shown and
// again only after an element there changed. Carried elements are hidden
// from the scene and drawn by the view over this picture, so carrying
// leaves it alone.
class TablePicture
{
public:
    explicit TablePicture(const QGraphicsScene &scene);

    void setBackground(const QPixmap &background);

    // Starts over for a scale and the table's extent (scene pixels); a
    // scale above 1, where the picture would be larger than the table and
    // few items show, switches it off.
    void reset(qreal scale, const QRectF &sceneRect);
    bool isActive() const { return !m_image.isNull(); }
    qreal scale() const { return m_scale; }

    // Something in a part of the table (scene pixels) looks different now.
    void invalidate(const QRectF &sceneArea);

    // Where the picture lies in a view whose scene-to-viewport transform
    // is given, in viewport pixels.
    QRect placeIn(const QTransform &sceneToViewport) const;

    // Paints the part of `region` (viewport pixels) that the picture
    // covers, drawing first what has not been drawn yet.
    void paint(QPainter &painter, const QTransform &sceneToViewport, const QRegion &region);

private:
    void draw(const QRegion &area);
    void drawFromDocument(const PlotScene &scene, const QRegion &area);

    const QGraphicsScene &m_scene;
    QPixmap m_background;
    QImage m_image;
    QRegion m_drawn; // in picture pixels
    qreal m_scale = 1.0;
    QRectF m_sceneRect;
};
