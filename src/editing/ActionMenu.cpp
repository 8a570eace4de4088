#include "ActionMenu.h"

#include "ActionMenuFrame.h"
#include "CutClipboard.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "PlotView.h"
#include "WindowServices.h"

#include <QEvent>
#include <QPointer>
#include <QPushButton>

ActionMenu::ActionMenu(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    ActionMenuFrame *frame = window.actionMenuFrame();
    frame->installEventFilter(this);
    connect(frame->editButton(), &QPushButton::clicked, this, [this] { choose(Edit); });
    connect(frame->cutButton(), &QPushButton::clicked, this, [this] { choose(Cut); });
    connect(frame->deleteButton(), &QPushButton::clicked, this, [this] { choose(Delete); });
    connect(frame->closeButton(), &QPushButton::clicked, this, [this] { choose(None); });
    connect(window.view(), &PlotView::elementMouseDown, this, &ActionMenu::elementMouseDown);
}

ActionMenu::~ActionMenu()
{
    m_window.actionMenuFrame()->removeEventFilter(this);
}

void ActionMenu::elementMouseDown(PlotView::Target target, Qt::MouseButton button)
{
    if (button != Qt::RightButton || target.element == 0 || m_waiting)
        return;
    // Every choice of the menu changes the table.
    if (m_window.document()->refusesChanges())
        return;
    const PlotElement &element = m_window.document()->element(
        target.kind == PlotView::Target::Icon ? ElementKind::Icon : ElementKind::Note,
        target.element);
    // Beside the element, past the window's edge if need be.
    ActionMenuFrame *frame = m_window.actionMenuFrame();
    m_window.view()->pinToTable(frame, QPointF(element.left + 365.0f, element.top));
    frame->show();
    frame->raise();
    m_choice = None;
    m_target = target;
    m_waiting = true;
}

void ActionMenu::choose(Choice choice)
{
    m_choice = choice;
    m_window.actionMenuFrame()->hide();
}

bool ActionMenu::eventFilter(QObject *watched, QEvent *event)
{
    // Only the menu's own hiding ends the wait, not the window's minimising.
    if (watched == m_window.actionMenuFrame() && event->type() == QEvent::Hide && m_waiting
        && m_window.actionMenuFrame()->isHidden())
        endWait();
    return QObject::eventFilter(watched, event);
}

void ActionMenu::endWait()
{
    m_waiting = false;
    if (!m_window.isClosing())
        apply(m_choice, m_target);
}

void ActionMenu::apply(Choice choice, PlotView::Target target)
{
    const bool icon = target.kind == PlotView::Target::Icon;
    const ElementKind kind = icon ? ElementKind::Icon : ElementKind::Note;
    const int n = target.element;
    PlotDocument *document = m_window.document();
    if (choice != None && document->refusesChanges())
        return;
    const PlotElement &element = document->element(kind, n);
    switch (choice) {
    case Edit: {
        const QPointer<PlotWindow> window(&m_window);
        const std::optional<QString> text =
            icon ? m_window.services().askTextOrCancel(QStringLiteral("Info: "),
                                                       QStringLiteral("Icon Name"), element.text)
                 : m_window.services().askTextOrCancel(QStringLiteral("Note: "),
                                                       QStringLiteral("Note"), element.text);
        // Cancel keeps the text; only an answer given with OK replaces it,
        // an empty one too.
        if (!window || window->isClosing() || !text)
            return;
        document->edit(kind, n, *text);
        break;
    }
    case Cut: {
        CutClipboard &clipboard = m_window.clipboard();
        clipboard.text = element.text;
        clipboard.number = element.number;
        if (icon)
            clipboard.iconSetName = document->iconSetName();
        document->cut(kind, n);
        break;
    }
    case Delete:
        document->remove(kind, n);
        break;
    case None:
        break;
    }
}
