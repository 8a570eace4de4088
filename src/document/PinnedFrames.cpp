#include "PinnedFrames.h"

#include <QGraphicsView>
#include <QWidget>

#include <cmath>

void PinnedFrames::pinToTable(QWidget *frame, QPointF topLeft, QSizeF size)
{
    pin({frame, topLeft, size, true});
}

void PinnedFrames::pinToView(QWidget *frame, QPoint topLeft)
{
    pin({frame, QPointF(topLeft), QSizeF(), false});
}

void PinnedFrames::pin(const Pin &pin)
{
    for (Pin &known : m_pins) {
        if (known.frame == pin.frame) {
            known = pin;
            return;
        }
    }
    m_pins.append(pin);
}

QRect PinnedFrames::visiblePart(const QWidget *widget)
{
    QRect part = widget->rect();
    for (const QWidget *outer = widget->parentWidget(); outer && !part.isEmpty();
         outer = outer->parentWidget()) {
        part &= QRect(widget->mapFrom(outer, QPoint(0, 0)), outer->size());
        if (outer->isWindow())
            break;
    }
    return part;
}

QPoint PinnedFrames::keptWhole(QPoint wanted, QSize size, const QRect &area)
{
    // Only ever up or left: a frame opened where the area starts stays.
    const int x = qMin(wanted.x(), qMax(area.left(), area.right() + 1 - size.width()));
    const int y = qMin(wanted.y(), qMax(area.top(), area.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

void PinnedFrames::place(const QGraphicsView &view) const
{
    const QTransform toViewport = view.viewportTransform();
    const QRect shown = visiblePart(view.viewport());
    for (const Pin &pin : m_pins) {
        if (!pin.frame)
            continue;
        if (!pin.toTable) {
            pin.frame->move(pin.topLeft.toPoint());
            continue;
        }
        const QPointF corner = toViewport.map(pin.topLeft);
        const QPoint at(int(std::lround(corner.x())), int(std::lround(corner.y())));
        if (pin.size.isValid()) {
            const QSizeF size = toViewport.mapRect(QRectF(pin.topLeft, pin.size)).size();
            pin.frame->setGeometry(QRect(at, QSize(qMax(1, int(std::lround(size.width()))),
                                                   qMax(1, int(std::lround(size.height()))))));
        } else {
            pin.frame->move(keptWhole(at, pin.frame->size(), shown));
        }
    }
}
