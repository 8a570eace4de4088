#include "CoveredElements.h"

#include "ElementItem.h"

#include <QGraphicsScene>
#include <QSet>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

ElementItem *asElement(QGraphicsItem *item)
{
    if (item->type() == ElementItem::Icon || item->type() == ElementItem::Note)
        return static_cast<ElementItem *>(item);
    return nullptr;
}

// Which pixels of an area notes already paint over: one byte per pixel,
// row by row, set once a note's box covers it.
using Coverage = std::vector<uchar>;

uchar *coverageRow(Coverage &coverage, const QRect &area, int y)
{
    return coverage.data() + size_t(y - area.top()) * size_t(area.width());
}

void cover(Coverage &coverage, const QRect &area, const QRect &rect)
{
    const QRect part = rect & area;
    for (int y = part.top(); y <= part.bottom(); ++y)
        std::memset(coverageRow(coverage, area, y) + (part.left() - area.left()), 1,
                    size_t(part.width()));
}

bool covers(Coverage &coverage, const QRect &area, const QRect &rect)
{
    const QRect part = rect & area;
    for (int y = part.top(); y <= part.bottom(); ++y)
        if (std::memchr(coverageRow(coverage, area, y) + (part.left() - area.left()), 0,
                        size_t(part.width())))
            return false;
    return true;
}

// The pixels a note's opaque box certainly paints over, whatever way a box
// at a fractional place is rounded.
QRect boxInterior(const QRectF &box)
{
    const int left = int(std::ceil(box.left()));
    const int top = int(std::ceil(box.top()));
    const int right = int(std::floor(box.right()));
    const int bottom = int(std::floor(box.bottom()));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// A region of many rectangles is taken as its bounding rectangle: what is
// covered there is covered in the region too.
constexpr int kMostRectangles = 16;

} // namespace

namespace CoveredElements {

QList<ElementItem *> find(const QGraphicsScene &scene, const QTransform &sceneToDevice,
                          const QRegion &region)
{
    QList<QRect> areas;
    if (region.rectCount() > kMostRectangles)
        areas.append(region.boundingRect());
    else
        areas = QList<QRect>(region.begin(), region.end());

    const QTransform toScene = sceneToDevice.inverted();
    QSet<ElementItem *> shown;
    QList<ElementItem *> hidden;
    for (const QRect &area : std::as_const(areas)) {
        Coverage coverage(size_t(area.width()) * size_t(area.height()), 0);
        // Topmost first: each element is checked against the notes above it.
        const QList<QGraphicsItem *> inArea = scene.items(
            toScene.mapRect(QRectF(area)), Qt::IntersectsItemBoundingRect, Qt::DescendingOrder);
        for (QGraphicsItem *candidate : inArea) {
            ElementItem *item = asElement(candidate);
            if (!item || !item->isVisible())
                continue;
            const QRectF box = sceneToDevice.mapRect(item->sceneBoundingRect());
            // An element on whole pixels paints exactly its box; one between
            // pixels gets a pixel's margin for however it is rounded.
            const QRect aligned = box.toAlignedRect();
            const QRect reach = QRectF(aligned) == box ? aligned : aligned.adjusted(-1, -1, 1, 1);
            if (covers(coverage, area, reach))
                hidden.append(item);
            else
                shown.insert(item);
            if (item->kind() == ElementItem::Note)
                cover(coverage, area, boxInterior(box));
        }
    }
    QList<ElementItem *> covered;
    for (ElementItem *item : std::as_const(hidden))
        if (!shown.contains(item))
            covered.append(item);
    return covered;
}

} // namespace CoveredElements
