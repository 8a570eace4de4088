#include "TablePicture.h"

#include "CoveredElements.h"
#include "ElementItem.h"
#include "PlotScene.h"
#include "TableRenderer.h"
#include "Twips.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QSet>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace {
// A part of at least 1/kLargePart of the picture counts as large.
constexpr int kLargePart = 8;
} // namespace

TablePicture::TablePicture(const QGraphicsScene &scene)
    : m_scene(scene)
{
}

void TablePicture::setBackground(const QPixmap &background)
{
    m_background = background;
    m_drawn = QRegion();
}

void TablePicture::reset(qreal scale, const QRectF &sceneRect)
{
    m_scale = scale;
    m_sceneRect = sceneRect;
    m_drawn = QRegion();
    const QSize size(int(std::ceil(sceneRect.width() * scale)),
                     int(std::ceil(sceneRect.height() * scale)));
    if (scale > 1.0 || size.isEmpty()) {
        m_image = QImage();
        return;
    }
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
}

void TablePicture::invalidate(const QRectF &sceneArea)
{
    if (!isActive() || m_drawn.isEmpty())
        return;
    const QRectF area((sceneArea.left() - m_sceneRect.left()) * m_scale,
                      (sceneArea.top() - m_sceneRect.top()) * m_scale,
                      sceneArea.width() * m_scale, sceneArea.height() * m_scale);
    // A pixel's margin for however the element's edges were rounded.
    m_drawn -= area.toAlignedRect().adjusted(-1, -1, 1, 1);
}

QRect TablePicture::placeIn(const QTransform &sceneToViewport) const
{
    const QPointF origin = sceneToViewport.map(m_sceneRect.topLeft());
    return QRect(QPoint(int(std::lround(origin.x())), int(std::lround(origin.y()))),
                 m_image.size());
}

void TablePicture::paint(QPainter &painter, const QTransform &sceneToViewport,
                         const QRegion &region)
{
    if (!isActive())
        return;
    const QRect place = placeIn(sceneToViewport);
    const QRegion wanted = region.translated(-place.topLeft()) & m_image.rect();
    const QRegion missing = wanted - m_drawn;
    if (!missing.isEmpty()) {
        draw(missing);
        m_drawn += missing;
    }
    for (const QRect &rect : wanted)
        painter.drawImage(rect.topLeft() + place.topLeft(), m_image, rect);
}

void TablePicture::draw(const QRegion &area)
{
    // A large part (the first paint of a window, above all) is drawn
    // straight from the document, in one pass over its elements; a small
    // one, where an element changed, from the scene's few items there.
    const QRect bounds = area.boundingRect();
    const auto *plotScene = qobject_cast<const PlotScene *>(&m_scene);
    if (plotScene
        && qint64(bounds.width()) * bounds.height() * kLargePart
               >= qint64(m_image.width()) * m_image.height()) {
        drawFromDocument(*plotScene, area);
        return;
    }
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_scale != 1.0);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRegion(area);
    const QTransform sceneToPicture = QTransform::fromTranslate(-m_sceneRect.left(),
                                                                -m_sceneRect.top())
                                      * QTransform::fromScale(m_scale, m_scale);
    painter.setTransform(sceneToPicture);
    TableRenderer::drawBackground(painter,
                                  sceneToPicture.inverted().mapRect(QRectF(area.boundingRect())),
                                  m_background);

    const QList<ElementItem *> covered = CoveredElements::find(m_scene, sceneToPicture, area);
    const QSet<ElementItem *> skipped(covered.begin(), covered.end());
    const QRectF sceneArea = sceneToPicture.inverted().mapRect(QRectF(area.boundingRect()));
    const QList<QGraphicsItem *> items =
        m_scene.items(sceneArea, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder);
    QStyleOptionGraphicsItem option;
    for (QGraphicsItem *item : items) {
        if (item->type() != ElementItem::Icon && item->type() != ElementItem::Note)
            continue;
        if (!item->isVisible() || skipped.contains(static_cast<ElementItem *>(item)))
            continue;
        option.exposedRect = item->boundingRect();
        painter.setTransform(item->sceneTransform() * sceneToPicture);
        item->paint(&painter, &option, nullptr);
    }
}

void TablePicture::drawFromDocument(const PlotScene &scene, const QRegion &area)
{
    QPainter painter(&m_image);
    painter.setClipRegion(area);
    const QRectF bounds(area.boundingRect());
    const QRectF sceneArea(bounds.left() / m_scale + m_sceneRect.left(),
                           bounds.top() / m_scale + m_sceneRect.top(), bounds.width() / m_scale,
                           bounds.height() / m_scale);
    TableRenderer renderer(scene.document().table(), m_background,
                           [&scene](const QString &key) { return scene.iconPicture(key); });
    renderer.setStackingOrder(scene.stackingOrder());
    // What the scene does not show (a carried element) the view draws.
    renderer.setSkipped([&scene](const TableRenderer::Entry &entry) {
        const ElementItem *item = scene.item(entry.kind, entry.n);
        return !item || !item->isVisible();
    });
    painter.translate(bounds.topLeft());
    renderer.paint(painter,
                   QRectF(Twips::fromPixels(sceneArea.left()), Twips::fromPixels(sceneArea.top()),
                          Twips::fromPixels(sceneArea.width()),
                          Twips::fromPixels(sceneArea.height())),
                   m_scale);
}
