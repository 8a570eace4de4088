#include "Selection.h"

#include "PlotDocument.h"

namespace {
ElementKind kindOf(const PlotView::Target &target)
{
    return target.kind == PlotView::Target::Icon ? ElementKind::Icon : ElementKind::Note;
}
} // namespace

Selection::Selection(const PlotDocument &document, QWidget *described, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_described(described)
{
    connect(&document, &PlotDocument::elementChanged, this,
            [this](ElementKind kind, int n, PlotDocument::Changes what) {
                elementChanged(kind, n, int(what));
            });
}

PlotView::Target Selection::current() const
{
    if (m_target.kind == PlotView::Target::Background || m_target.element <= 0
        || m_target.element > m_document.count(kindOf(m_target))
        || !m_document.element(kindOf(m_target), m_target.element).live)
        return {};
    return m_target;
}

void Selection::select(PlotView::Target target)
{
    if (target.kind == m_target.kind && target.element == m_target.element)
        return;
    m_target = target;
    describe();
    emit changed();
}

void Selection::clear()
{
    select({});
}

void Selection::elementChanged(ElementKind kind, int n, int what)
{
    if (m_target.kind == PlotView::Target::Background || kind != kindOf(m_target)
        || n != m_target.element)
        return;
    // An element that left the table is no longer there to work on; one
    // whose text changed is described anew.
    if ((what & PlotDocument::Live) && !m_document.element(kind, n).live) {
        clear();
        return;
    }
    if (what & PlotDocument::Text)
        describe();
}

void Selection::describe()
{
    if (!m_described)
        return;
    const PlotView::Target target = current();
    m_described->setAccessibleDescription(
        target.kind == PlotView::Target::Background
            ? QString()
            : m_document.element(kindOf(target), target.element).text);
}
