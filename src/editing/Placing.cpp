#include "Placing.h"

#include "PaletteFrame.h"
#include "PlotDocument.h"
#include "PlotView.h"
#include "PlotWindow.h"
#include "WindowServices.h"

#include <QEvent>
#include <QPointer>
#include <QPushButton>

Placing::Placing(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    PaletteFrame *palette = window.palette();
    palette->installEventFilter(this);
    connect(palette, &PaletteFrame::iconChosen, this, [this](qint16 n) { endWait(n); });
    connect(palette, &PaletteFrame::noteChosen, this, [this] { endWait(IconNumber::Note); });
    // X: hiding the palette ends the wait with nothing chosen.
    connect(palette->closeButton(), &QPushButton::clicked, palette, &QWidget::hide);
    connect(window.view(), &PlotView::backgroundMouseDown, this, &Placing::backgroundMouseDown);
}

Placing::~Placing()
{
    m_window.palette()->removeEventFilter(this);
}

void Placing::backgroundMouseDown(Qt::MouseButton button, QPointF twips)
{
    m_window.services().setCurrentFolder(m_window.programFolder().path());
    if (button != Qt::RightButton || m_waiting)
        return;
    // The palette opens at the click point, even where it reaches past the
    // window's edge.
    m_point = twips;
    PaletteFrame *palette = m_window.palette();
    m_window.view()->pinToTable(palette, twips);
    palette->show();
    palette->raise();
    m_waiting = true;
}

bool Placing::eventFilter(QObject *watched, QEvent *event)
{
    // Only the palette's own hiding ends the wait: minimising the window
    // hides it too, and it shows again with the window, still waiting.
    if (watched == m_window.palette() && event->type() == QEvent::Hide && m_waiting
        && m_window.palette()->isHidden())
        endWait(0);
    return QObject::eventFilter(watched, event);
}

void Placing::endWait(qint32 choice)
{
    if (!m_waiting)
        return;
    m_waiting = false;
    m_window.palette()->hide();
    if (m_window.isClosing() || choice == 0 || m_window.document()->refusesChanges())
        return;
    place(choice);
}

void Placing::place(qint32 choice)
{
    // The element shows while its text is asked for; the window may close
    // during that question, and then nothing more is done.
    const QPointer<PlotWindow> window(&m_window);
    WindowServices &services = m_window.services();
    const bool note = choice == IconNumber::Note;
    const ElementKind kind = note ? ElementKind::Note : ElementKind::Icon;
    // A new note shows the template's "Note" until its text is answered.
    const int n = note ? m_window.addNote(QStringLiteral("Note"), m_point)
                       : m_window.addIcon(choice, QString(), m_point);
    if (n == 0)
        return;
    const QString text = services.askText(note ? QStringLiteral("Note: ") : QStringLiteral("Info: "));
    if (!window || window->isClosing())
        return;
    // The placement and the text typed for it are one step.
    window->document()->setText(kind, n, text);
    window->document()->recordAdded(kind, n, QStringLiteral("Place"));
}
