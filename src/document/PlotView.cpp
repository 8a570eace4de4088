#include "PlotView.h"

#include "CoveredElements.h"
#include "ElementItem.h"
#include "NoteItem.h"
#include "Twips.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleOptionGraphicsItem>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

ElementItem *asElement(QGraphicsItem *item)
{
    if (item->type() == ElementItem::Icon || item->type() == ElementItem::Note)
        return static_cast<ElementItem *>(item);
    return nullptr;
}

// The outline of a picked-up element lies this many pixels outside it.
constexpr int kOutlineReach = 2;

} // namespace

PlotView::PlotView(QGraphicsScene *scene, QWidget *parent)
    : QGraphicsView(scene, parent)
    , m_picture(*scene)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

PlotView::Target PlotView::targetAt(const QPoint &viewportPos) const
{
    const ElementItem *top = elementAt(viewportPos);
    if (!top)
        return {};
    return {top->kind() == ElementItem::Icon ? Target::Icon : Target::Note, top->elementNumber()};
}

const ElementItem *PlotView::elementAt(const QPoint &viewportPos) const
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
    return top;
}

QPointF PlotView::twipsAt(const QPointF &viewportPos) const
{
    const QPointF scenePos = viewportTransform().inverted().map(viewportPos);
    return QPointF(std::round(Twips::fromPixels(scenePos.x())),
                   std::round(Twips::fromPixels(scenePos.y())));
}

QPoint PlotView::viewportPointOf(QPointF twips) const
{
    const QPointF at = viewportTransform().map(
        QPointF(Twips::toPixels(twips.x()), Twips::toPixels(twips.y())));
    return QPoint(int(std::lround(at.x())), int(std::lround(at.y())));
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
    updateCursor(event->position().toPoint());
}

void PlotView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons == Qt::NoButton)
        m_pressed = false;
    if ((event->position().toPoint() - m_doubleClickAt).manhattanLength()
        >= QApplication::startDragDistance())
        m_doubleClicked = Target();
    bool overBackground;
    if (m_pressed) {
        overBackground = m_pressTarget.kind == Target::Background
                         || (dragsAsBackground && dragsAsBackground(m_pressTarget));
    } else {
        overBackground = targetAt(event->position().toPoint()).kind == Target::Background;
    }
    if (overBackground)
        emit backgroundMouseMove(buttons, twipsAt(event->position()));
    updateCursor(event->position().toPoint());
}

void PlotView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const Target pressed = m_pressTarget;
    if (event->buttons() == Qt::NoButton) {
        m_pressed = false;
        m_pressTarget = Target();
        emit buttonsReleased();
    }
    updateCursor(event->position().toPoint());
    if (event->button() != Qt::LeftButton || pressed.kind == Target::Background)
        return;
    const Target released = targetAt(event->position().toPoint());
    const Target doubleClicked = m_doubleClicked;
    m_doubleClicked = Target();
    if (released.kind == pressed.kind && released.element == pressed.element) {
        emit elementClicked(pressed);
        if (doubleClicked.kind == released.kind && doubleClicked.element == released.element)
            emit elementDoubleClicked(released);
    }
}

void PlotView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double-click is a press like any other; it picks up what it hits,
    // and opens the element's Edit.
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_doubleClicked = targetAt(event->position().toPoint());
        m_doubleClickAt = event->position().toPoint();
    }
}

void PlotView::setDragging(bool dragging)
{
    if (dragging == m_dragging)
        return;
    m_dragging = dragging;
    updateCursor(viewport()->mapFromGlobal(QCursor::pos()));
}

void PlotView::updateCursor(const QPoint &viewportPos)
{
    // A closed hand holds what is carried; an open hand offers to take the
    // element under the pointer.
    // Set only when it changes: a carry moves the pointer hundreds of
    // times, and each setting goes to the window system.
    const Qt::CursorShape shape = m_dragging ? Qt::ClosedHandCursor
                                  : targetAt(viewportPos).kind != Target::Background
                                      ? Qt::OpenHandCursor
                                      : Qt::ArrowCursor;
    if (shape == Qt::ArrowCursor && viewport()->testAttribute(Qt::WA_SetCursor))
        viewport()->unsetCursor();
    else if (shape != Qt::ArrowCursor && viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

bool PlotView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        showToolTip(static_cast<QHelpEvent *>(event));
        return true;
    }
    return QGraphicsView::viewportEvent(event);
}

void PlotView::showToolTip(QHelpEvent *event)
{
    // The view finds the element itself: a carried one is hidden from the
    // scene, which would find nothing there.
    // An icon shows its text; a note only the text its box cuts short, and
    // a note that shows all of it has no tooltip, not even an icon's below.
    const ElementItem *element = elementAt(event->pos());
    QString text;
    if (element && element->kind() == ElementItem::Icon)
        text = element->toolTip();
    else if (element && !static_cast<const NoteItem *>(element)->showsWholeText())
        text = static_cast<const NoteItem *>(element)->text();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), text, viewport());
}

void PlotView::paintEvent(QPaintEvent *event)
{
    if (!scene()) {
        QGraphicsView::paintEvent(event);
        return;
    }
    QRegion region = event->region();
    const QTransform toViewport = viewportTransform();
    QRegion fromPicture;
    if (m_picture.isActive()) {
        fromPicture = region & m_picture.placeIn(toViewport);
        region -= fromPicture;
    }
    if (!region.isEmpty()) {
        // Painting only what shows of stacked notes keeps opening the window
        // and carrying an element across it quick. A covered element then
        // draws nothing for this one paint.
        const QList<ElementItem *> covered = CoveredElements::find(*scene(), toViewport, region);
        for (ElementItem *item : covered)
            item->setCovered(true);
        QPaintEvent rest(region);
        QGraphicsView::paintEvent(&rest);
        for (ElementItem *item : covered)
            item->setCovered(false);
    }
    if (!fromPicture.isEmpty()) {
        QPainter painter(viewport());
        m_picture.paint(painter, toViewport, fromPicture);
    }
    paintLifted(event->region());
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
        const QRect shown = toViewport.mapRect(box).toAlignedRect();
        const QRegion area =
            region & shown.adjusted(-kOutlineReach, -kOutlineReach, kOutlineReach, kOutlineReach);
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
        // The outline says which element is picked up, whatever lies over it.
        painter.resetTransform();
        painter.setClipRegion(area);
        const QRect outline = shown.adjusted(-kOutlineReach, -kOutlineReach, kOutlineReach - 1,
                                             kOutlineReach - 1);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
        painter.setPen(QPen(QColor(0, 84, 204), 1, Qt::DashLine));
        painter.drawRect(outline);
    }
}

void PlotView::liftedAreaChanged(const QRectF &sceneArea)
{
    const QRect shown = viewportTransform().mapRect(sceneArea).toAlignedRect();
    viewport()->update(shown.adjusted(-kOutlineReach - 1, -kOutlineReach - 1, kOutlineReach + 1,
                                      kOutlineReach + 1));
}

void PlotView::sceneAreaChanged(const QRectF &sceneArea)
{
    m_picture.invalidate(sceneArea);
}

void PlotView::setBackgroundPicture(const QPixmap &picture)
{
    m_background = picture;
    m_picture.setBackground(picture);
    resetCachedContent();
    viewport()->update();
}

void PlotView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->fillRect(rect, Qt::white);
    if (!m_background.isNull())
        painter->drawPixmap(0, 0, m_background);
}

void PlotView::setZoom(qreal scale, QPoint anchor)
{
    if (std::abs(scale - m_zoom) < 1e-9 || scale <= 0.0)
        return;
    const QPointF scenePoint = viewportTransform().inverted().map(QPointF(anchor));
    m_zoom = scale;
    setTransform(QTransform::fromScale(scale, scale));
    m_picture.reset(scale, sceneRect());
    // The table point under the anchor stays there, as far as scrolling
    // can keep it.
    const QPointF now = viewportTransform().map(scenePoint);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value()
                                    + int(std::lround(now.x() - anchor.x())));
    verticalScrollBar()->setValue(verticalScrollBar()->value()
                                  + int(std::lround(now.y() - anchor.y())));
    placeFrames();
    viewport()->update();
    emit zoomChanged(scale);
}

void PlotView::pinToTable(QWidget *frame, QPointF twips, QSizeF twipsSize)
{
    const QPointF topLeft(Twips::toPixels(twips.x()), Twips::toPixels(twips.y()));
    const QSizeF size = twipsSize.isValid()
                            ? QSizeF(Twips::toPixels(twipsSize.width()),
                                     Twips::toPixels(twipsSize.height()))
                            : QSizeF();
    m_frames.pinToTable(frame, topLeft, size);
    m_frames.place(*this);
}

void PlotView::pinToView(QWidget *frame, QPoint topLeft)
{
    m_frames.pinToView(frame, topLeft);
    m_frames.place(*this);
}

void PlotView::placeFrames()
{
    m_frames.place(*this);
}

void PlotView::showArea(const QRectF &twips, int margin)
{
    const QRectF pixels(Twips::toPixels(twips.left()), Twips::toPixels(twips.top()),
                        Twips::toPixels(twips.width()), Twips::toPixels(twips.height()));
    // The margin is the viewport's; ensureVisible takes it so too.
    ensureVisible(pixels, margin, margin);
    placeFrames();
}

QImage PlotView::grabAtActualSize()
{
    const qreal was = m_zoom;
    setZoom(1.0, QPoint(0, 0));
    // Qt shows and hides scroll bars in a queued call; the client area is
    // what is left of the view once that is done.
    QCoreApplication::sendPostedEvents(this);
    QPixmap copy = grab(viewport()->geometry());
    setZoom(was, QPoint(0, 0));
    copy.setDevicePixelRatio(1.0);
    return copy.toImage();
}

void PlotView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    placeFrames();
}

void PlotView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    placeFrames();
}
