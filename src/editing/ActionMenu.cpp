#include "ActionMenu.h"

#include "ActionMenuFrame.h"
#include "MDIForm1.h"
#include "PlotElement.h"
#include "Twips.h"
#include "frmPlotFile.h"

#include <QEvent>
#include <QPointer>
#include <QPushButton>

ActionMenu::ActionMenu(frmPlotFile &window, ActionMenuFrame *frame)
    : QObject(&window)
    , m_window(window)
    , m_frame(frame)
{
    frame->installEventFilter(this);
    connect(frame->Command6, &QPushButton::clicked, this, [this] { choose(Edit); });
    connect(frame->Command4, &QPushButton::clicked, this, [this] { choose(Cut); });
    connect(frame->Command7, &QPushButton::clicked, this, [this] { choose(Delete); });
    connect(frame->Command3, &QPushButton::clicked, this, [this] {
        m_frame->hide();
        m_window.actionMenuOpen = false;
        m_window.actionChoice = None;
    });
}

ActionMenu::~ActionMenu()
{
    m_frame->removeEventFilter(this);
}

void ActionMenu::elementMouseDown(PlotView::Target target, Qt::MouseButton button)
{
    if (button != Qt::RightButton || target.element == 0 || m_window.actionMenuOpen)
        return;
    const PlotElement &element = target.kind == PlotView::Target::Icon
                                     ? m_window.doc.Image1[target.element]
                                     : m_window.doc.Label1[target.element];
    // Beside the element, past the window's edge if need be.
    m_frame->move(qRound(Twips::toPixels(element.left + 365.0f)),
                  qRound(Twips::toPixels(element.top)));
    m_frame->show();
    m_frame->raise();
    m_window.actionMenuOpen = true;
    m_window.actionChoice = None;
    m_target = target;
    m_waiting = true;
}

void ActionMenu::choose(Choice choice)
{
    m_window.actionChoice = choice;
    m_frame->hide();
}

bool ActionMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frame && event->type() == QEvent::Hide && m_waiting)
        endWait();
    return QObject::eventFilter(watched, event);
}

void ActionMenu::endWait()
{
    m_waiting = false;
    m_window.actionMenuOpen = false;
    if (!m_window.isClosing())
        apply(Choice(m_window.actionChoice));
}

void ActionMenu::apply(Choice choice)
{
    const bool icon = m_target.kind == PlotView::Target::Icon;
    const int k = m_target.element;
    PlotElement &element = icon ? m_window.doc.Image1[k] : m_window.doc.Label1[k];
    MDIForm1 &main = m_window.main();
    switch (choice) {
    case Edit: {
        const QPointer<frmPlotFile> window(&m_window);
        const QString text = icon ? main.services().InputBox(QStringLiteral("Info: "),
                                                             QStringLiteral("Icon Name"),
                                                             element.text)
                                  : main.services().InputBox(QStringLiteral("Note: "),
                                                             QStringLiteral("Note"), element.text);
        if (!window || window->isClosing())
            return;
        element.text = text;
        break;
    }
    case Cut:
        main.draggItemText = element.text;
        main.draggItemWhatsThisHelpID = qint16(element.number);
        if (icon)
            main.draggIconPath = m_window.doc.iconSetName;
        element.visible = false;
        break;
    case Delete:
        element.text.clear();
        element.visible = false;
        break;
    case None:
        return;
    }
    if (icon)
        m_window.iconChanged(k);
    else
        m_window.noteChanged(k);
}
