#include "Carrying.h"

#include "ElementItem.h"
#include "LocateMarker.h"
#include "PlotDocument.h"
#include "PlotScene.h"
#include "PlotWindow.h"
#include "Selection.h"
#include "Twips.h"

Carrying::Carrying(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    PlotView *view = window.view();
    connect(view, &PlotView::backgroundMouseMove, this, &Carrying::backgroundMouseMove);
    connect(view, &PlotView::elementMouseDown, this, &Carrying::elementMouseDown);
    connect(view, &PlotView::elementClicked, this, &Carrying::elementClicked);
    connect(view, &PlotView::buttonsReleased, this, &Carrying::endCarry);
    connect(view, &PlotView::backgroundMouseDown, this,
            [this](Qt::MouseButton button, QPointF) { backgroundMouseDown(button); });
    // The selected element is drawn outlined, as a carried one is.
    connect(window.selection(), &Selection::changed, this, &Carrying::liftCarried);
    // A drag that starts on the picked-up element carries it along.
    view->dragsAsBackground = [this](const PlotView::Target &target) { return isCarried(target); };
}

bool Carrying::isCarried(const PlotView::Target &target) const
{
    return (target.kind == PlotView::Target::Icon && target.element == m_icon)
           || (target.kind == PlotView::Target::Note && target.element == m_note);
}

void Carrying::backgroundMouseMove(Qt::MouseButtons buttons, QPointF twips)
{
    // Exactly the left button moves the carried elements, no button puts
    // them down, any other combination does nothing.
    if (m_icon == 0 && m_note == 0)
        return;
    if (buttons == Qt::LeftButton) {
        beginCarry();
        QVector<PlotDocument::Carried> carried;
        if (m_icon != 0)
            carried.append({ElementKind::Icon, m_icon});
        if (m_note != 0)
            carried.append({ElementKind::Note, m_note});
        m_window.document()->carry(m_carryId, carried, insidePicture(twips));
    } else if (buttons == Qt::NoButton) {
        putDown();
    }
}

void Carrying::elementMouseDown(PlotView::Target target, Qt::MouseButton button)
{
    // The press picks the element up, so that the drag it begins carries it.
    if (button == Qt::LeftButton)
        pickUp(target);
}

void Carrying::backgroundMouseDown(Qt::MouseButton button)
{
    // A click on the bare background ends the selection; a drag there that
    // carries a picked-up element keeps it.
    if (button == Qt::LeftButton && m_icon == 0 && m_note == 0)
        m_window.selection()->clear();
}

QPointF Carrying::insidePicture(QPointF twips) const
{
    // An element put down past the picture's edge could never be clicked
    // again, so its top-left corner stays on the picture. Without a
    // picture its size is not known, and only the top-left edges hold.
    if (m_window.view()->backgroundPicture().isNull())
        return QPointF(qMax(0.0, twips.x()), qMax(0.0, twips.y()));
    const QSize picture = m_window.sizeHint();
    const double right = Twips::fromPixels(qMax(0, picture.width() - 1));
    const double bottom = Twips::fromPixels(qMax(0, picture.height() - 1));
    return QPointF(qBound(0.0, twips.x(), right), qBound(0.0, twips.y(), bottom));
}

void Carrying::elementClicked(PlotView::Target target)
{
    pickUp(target);
}

void Carrying::pickUp(PlotView::Target target)
{
    // Each pick-up starts a new carry: a new step of the history.
    ++m_carryId;
    if (target.kind == PlotView::Target::Icon) {
        m_icon = target.element;
        m_window.locateMarker()->hide();
    } else if (target.kind == PlotView::Target::Note) {
        m_note = target.element;
    }
    m_window.selection()->select(target);
    liftCarried();
}

void Carrying::putDown()
{
    endCarry();
    if (m_icon == 0 && m_note == 0)
        return;
    m_icon = 0;
    m_note = 0;
    liftCarried();
}

void Carrying::beginCarry()
{
    if (m_carrying)
        return;
    m_carrying = true;
    m_window.view()->setDragging(true);
    emit carryStarted();
}

void Carrying::endCarry()
{
    if (!m_carrying)
        return;
    m_carrying = false;
    m_window.view()->setDragging(false);
    emit carryEnded();
}

void Carrying::liftCarried()
{
    const PlotScene *scene = m_window.scene();
    const PlotView::Target selected = m_window.selection()->current();
    QList<ElementItem *> lifted = {scene->item(ElementKind::Icon, m_icon),
                                   scene->item(ElementKind::Note, m_note)};
    if (selected.kind != PlotView::Target::Background) {
        ElementItem *item = scene->item(
            selected.kind == PlotView::Target::Icon ? ElementKind::Icon : ElementKind::Note,
            selected.element);
        if (!lifted.contains(item))
            lifted.append(item);
    }
    m_window.view()->setLifted(lifted);
}
