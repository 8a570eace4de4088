#include "PlotView.h"

#include "ElementItem.h"
#include "Twips.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>

#include <algorithm>
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

} // namespace

PlotView::PlotView(QGraphicsScene *scene, QWidget *parent)
    : QGraphicsView(scene, parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setSceneRect(0, 0, 1, 1);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

PlotView::Target PlotView::targetAt(const QPoint &viewportPos) const
{
    // The topmost visible element under the pointer; hidden ones are not
    // there for the mouse, lifted ones are.
    const ElementItem *top = nullptr;
    for (QGraphicsItem *item : items(viewportPos)) {
        ElementItem *element = asElement(item);
        if (element && element->isVisible()) {
            top = element;
            break;
        }
    }
    const QRectF spot = mapToScene(QRect(viewportPos, QSize(1, 1))).boundingRect();
    for (const ElementItem *lifted : m_lifted) {
        if (lifted->isShown() && lifted->sceneBoundingRect().intersects(spot)
            && (!top || lifted->stackOrder() > top->stackOrder()))
            top = lifted;
    }
    if (!top)
        return {};
    return {top->kind() == ElementItem::Icon ? Target::Icon : Target::Note, top->elementNumber()};
}

QPointF PlotView::twipsAt(const QPointF &viewportPos) const
{
    const QPointF scenePos = mapToScene(viewportPos.toPoint());
    return QPointF(std::round(Twips::fromPixels(scenePos.x())),
                   std::round(Twips::fromPixels(scenePos.y())));
}

void PlotView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // The first button down decides where the moves go until all are up.
    const bool first = (event->buttons() & ~event->button()) == Qt::NoButton;
    m_pressed = true;
    const Target target = targetAt(event->position().toPoint());
    if (first)
        m_pressTarget = target;
    if (target.kind == Target::Background)
        emit backgroundMouseDown(event->button(), twipsAt(event->position()));
    else
        emit elementMouseDown(target, event->button());
}

void PlotView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons == Qt::NoButton)
        m_pressed = false;
    bool overBackground;
    if (m_pressed) {
        overBackground = m_pressTarget.kind == Target::Background
                         || (dragsAsBackground && dragsAsBackground(m_pressTarget));
    } else {
        overBackground = targetAt(event->position().toPoint()).kind == Target::Background;
    }
    if (overBackground)
        emit backgroundMouseMove(buttons, twipsAt(event->position()));
}

void PlotView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const Target pressed = m_pressTarget;
    if (event->buttons() == Qt::NoButton) {
        m_pressed = false;
        m_pressTarget = Target();
    }
    if (event->button() != Qt::LeftButton || pressed.kind == Target::Background)
        return;
    const Target released = targetAt(event->position().toPoint());
    if (released.kind == pressed.kind && released.element == pressed.element)
        emit elementClicked(pressed);
}

void PlotView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double-click is a press like any other; it picks up what it hits.
    mousePressEvent(event);
}

namespace {

// Which pixels of an area of the viewport notes already paint over: one
// byte per pixel, row by row, set once a note's box covers it.
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

QList<ElementItem *> PlotView::coveredItems(const QRegion &region) const
{
    QList<QRect> areas;
    if (region.rectCount() > kMostRectangles)
        areas.append(region.boundingRect());
    else
        areas = QList<QRect>(region.begin(), region.end());

    const QTransform toViewport = viewportTransform();
    const QTransform toScene = toViewport.inverted();
    QSet<ElementItem *> shown;
    QList<ElementItem *> hidden;
    for (const QRect &area : std::as_const(areas)) {
        Coverage coverage(size_t(area.width()) * size_t(area.height()), 0);
        // Topmost first: each element is checked against the notes above it.
        const QList<QGraphicsItem *> inArea = scene()->items(
            toScene.mapRect(QRectF(area)), Qt::IntersectsItemBoundingRect, Qt::DescendingOrder);
        for (QGraphicsItem *candidate : inArea) {
            ElementItem *item = asElement(candidate);
            if (!item || !item->isVisible())
                continue;
            const QRectF box = toViewport.mapRect(item->sceneBoundingRect());
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

void PlotView::paintEvent(QPaintEvent *event)
{
    // A large table stacks dozens of notes over every spot: painting only
    // what shows of them keeps opening the window and carrying an element
    // across it quick. The element then draws nothing for this one paint.
    const QList<ElementItem *> covered = coveredItems(event->region());
    for (ElementItem *item : covered)
        item->setCovered(true);
    QGraphicsView::paintEvent(event);
    paintLifted(event->region());
    for (ElementItem *item : covered)
        item->setCovered(false);
}

void PlotView::setLifted(QList<ElementItem *> items)
{
    items.removeAll(nullptr);
    for (ElementItem *item : std::as_const(m_lifted))
        if (!items.contains(item))
            item->setLifted(false);
    std::sort(items.begin(), items.end(), [](const ElementItem *a, const ElementItem *b) {
        return a->stackOrder() < b->stackOrder();
    });
    m_lifted = items;
    for (ElementItem *item : std::as_const(m_lifted))
        item->setLifted(true);
}

void PlotView::paintLifted(const QRegion &region)
{
    QPainter painter;
    const QTransform toViewport = viewportTransform();
    auto paintElement = [&](ElementItem *item) {
        QStyleOptionGraphicsItem option;
        option.exposedRect = item->boundingRect();
        painter.setTransform(item->sceneTransform() * toViewport);
        item->paint(&painter, &option, viewport());
    };
    for (ElementItem *lifted : std::as_const(m_lifted)) {
        if (!lifted->isShown())
            continue;
        const QRectF box = lifted->sceneBoundingRect();
        const QRegion area =
            region & toViewport.mapRect(box).toAlignedRect().adjusted(-1, -1, 1, 1);
        if (area.isEmpty())
            continue;
        if (!painter.isActive()) {
            painter.begin(viewport());
            painter.setRenderHints(renderHints());
        }
        // A clip is taken in the painter's coordinates of the moment.
        painter.resetTransform();
        painter.setClipRegion(area);
        paintElement(lifted);
        // What is stacked above the carried element still shows over it.
        const QList<QGraphicsItem *> above =
            scene()->items(box, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder);
        for (QGraphicsItem *item : above) {
            ElementItem *element = asElement(item);
            if (element && element->stackOrder() > lifted->stackOrder())
                paintElement(element);
        }
    }
}

void PlotView::setBackgroundPicture(const QPixmap &picture)
{
    m_background = picture;
    resetCachedContent();
    viewport()->update();
}

void PlotView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->fillRect(rect, Qt::white);
    if (!m_background.isNull())
        painter->drawPixmap(0, 0, m_background);
}

void PlotView::resizeEvent(QResizeEvent *event)
{
    // The scene shows exactly the client area: elements past its edges are
    // cut off, as on a window that does not scroll.
    setSceneRect(0, 0, event->size().width(), event->size().height());
    QGraphicsView::resizeEvent(event);
}

void PlotView::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}
