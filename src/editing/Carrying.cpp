#include "Carrying.h"

#include "ElementItem.h"
#include "LocateMarker.h"
#include "PlotDocument.h"
#include "PlotScene.h"
#include "PlotWindow.h"

Carrying::Carrying(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    PlotView *view = window.view();
    connect(view, &PlotView::backgroundMouseMove, this, &Carrying::backgroundMouseMove);
    connect(view, &PlotView::elementClicked, this, &Carrying::elementClicked);
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
        PlotDocument *document = m_window.document();
        if (m_icon != 0)
            document->move(ElementKind::Icon, m_icon, twips);
        if (m_note != 0)
            document->move(ElementKind::Note, m_note, twips);
    } else if (buttons == Qt::NoButton) {
        m_icon = 0;
        m_note = 0;
        liftCarried();
    }
}

void Carrying::elementClicked(PlotView::Target target)
{
    if (target.kind == PlotView::Target::Icon) {
        m_icon = target.element;
        m_window.locateMarker()->hide();
    } else if (target.kind == PlotView::Target::Note) {
        m_note = target.element;
    }
    liftCarried();
}

void Carrying::liftCarried()
{
    const PlotScene *scene = m_window.scene();
    m_window.view()->setLifted({scene->item(ElementKind::Icon, m_icon),
                                scene->item(ElementKind::Note, m_note)});
}
