#include "KeyboardEditing.h"

#include "ActionMenu.h"
#include "Carrying.h"
#include "PinnedFrames.h"
#include "Placing.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "Selection.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QUndoStack>

namespace {

ElementKind kindOf(PlotView::Target::Kind kind)
{
    return kind == PlotView::Target::Icon ? ElementKind::Icon : ElementKind::Note;
}

// An element scrolled into view keeps this many pixels of table around it.
constexpr int kViewMargin = 24;

} // namespace

KeyboardEditing::KeyboardEditing(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    window.view()->installEventFilter(this);
}

KeyboardEditing::~KeyboardEditing()
{
    m_window.view()->removeEventFilter(this);
}

bool KeyboardEditing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window.view() && event->type() == QEvent::KeyPress
        && keyPress(*static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool KeyboardEditing::keyPress(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                           | Qt::MetaModifier);
    const bool shift = modifiers == Qt::ShiftModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool selected = !m_window.selection()->isEmpty();
    // Ctrl and Alt keep their own meaning (Ctrl+Tab goes to the next window).
    if (!plain && !shift)
        return false;
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        selectNext(key.key() == Qt::Key_Tab && plain);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // With nothing selected the arrows scroll the table.
        if (!selected)
            return false;
        const int step = shift ? 10 : 1;
        const int dx = key.key() == Qt::Key_Left ? -step : key.key() == Qt::Key_Right ? step : 0;
        const int dy = key.key() == Qt::Key_Up ? -step : key.key() == Qt::Key_Down ? step : 0;
        moveSelected(QPoint(dx, dy));
        return true;
    }
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return plain && m_window.editPickedUp();
    case Qt::Key_Delete:
        return plain && m_window.deletePickedUp();
    case Qt::Key_Menu:
        openMenu();
        return true;
    case Qt::Key_F10:
        if (!shift)
            return false;
        openMenu();
        return true;
    default:
        return false;
    }
}

PlotView::Target KeyboardEditing::nextElement(bool forward) const
{
    // Icons first, then notes, each in the table's order, round and round.
    const PlotDocument *document = m_window.document();
    const int icons = document->count(ElementKind::Icon);
    const int total = icons + document->count(ElementKind::Note);
    if (total == 0)
        return {};
    const PlotView::Target current = m_window.selection()->current();
    int at = current.kind == PlotView::Target::Background ? (forward ? total : 1)
             : current.kind == PlotView::Target::Icon      ? current.element
                                                           : icons + current.element;
    for (int tried = 0; tried < total; ++tried) {
        at = forward ? at % total + 1 : (at + total - 2) % total + 1;
        const PlotView::Target::Kind kind =
            at <= icons ? PlotView::Target::Icon : PlotView::Target::Note;
        const int n = at <= icons ? at : at - icons;
        if (document->element(kindOf(kind), n).live)
            return {kind, n};
    }
    return {};
}

void KeyboardEditing::selectNext(bool forward)
{
    const PlotView::Target next = nextElement(forward);
    if (next.kind == PlotView::Target::Background)
        return;
    m_window.selection()->select(next);
    const PlotElement &element = m_window.document()->element(kindOf(next.kind), next.element);
    m_window.view()->showArea(QRectF(element.left, element.top, element.width, element.height),
                              kViewMargin);
}

void KeyboardEditing::moveSelected(QPoint pixels)
{
    const PlotView::Target target = m_window.selection()->current();
    if (target.kind == PlotView::Target::Background)
        return;
    // Presses in quick succession on one element make one step, as the
    // moves of one drag do; a pause, another element or any other step in
    // between starts a new one.
    const QUndoStack *history = m_window.document()->undoStack();
    const bool continues = m_sinceLastMove.isValid()
                           && m_sinceLastMove.elapsed() <= BurstGapMs
                           && m_moved.kind == target.kind && m_moved.element == target.element
                           && history->index() == m_stepIndex;
    if (!continues)
        m_carryId = m_window.carrying()->newCarryId();
    const ElementKind kind = kindOf(target.kind);
    const PlotElement &element = m_window.document()->element(kind, target.element);
    const QPointF to = m_window.carrying()->insidePicture(
        QPointF(element.left + Twips::fromPixels(pixels.x()),
                element.top + Twips::fromPixels(pixels.y())));
    m_window.document()->carry(m_carryId, {{kind, target.element}}, to);
    m_sinceLastMove.start();
    m_moved = target;
    m_stepIndex = history->index();
    m_window.view()->showArea(QRectF(element.left, element.top, element.width, element.height),
                              kViewMargin);
}

void KeyboardEditing::openMenu()
{
    const PlotView::Target target = m_window.selection()->current();
    if (target.kind != PlotView::Target::Background) {
        const PlotElement &element =
            m_window.document()->element(kindOf(target.kind), target.element);
        m_window.view()->showArea(
            QRectF(element.left, element.top, element.width, element.height), kViewMargin);
        m_window.actionMenu()->openFor(target, true);
        return;
    }
    // The palette at the centre of what shows of the table.
    PlotView *view = m_window.view();
    const QPoint centre = PinnedFrames::visiblePart(view->viewport()).center();
    const QPointF pixels = view->mapToScene(centre);
    m_window.placing()->openAt(QPointF(qRound(Twips::fromPixels(pixels.x())),
                                       qRound(Twips::fromPixels(pixels.y()))));
}
