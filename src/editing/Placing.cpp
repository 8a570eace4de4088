#include "Placing.h"

#include "LocateMarker.h"
#include "MDIForm1.h"
#include "PaletteFrame.h"
#include "PlotElement.h"
#include "Twips.h"
#include "frmPlotFile.h"

#include <QEvent>
#include <QPointer>
#include <QPushButton>

Placing::Placing(frmPlotFile &window)
    : QObject(&window)
    , m_window(window)
{
    PaletteFrame *palette = window.Frame1;
    palette->installEventFilter(this);
    connect(palette, &PaletteFrame::iconChosen, this, [this](qint16 n) {
        m_window.paletteChoice = n;
        endWait();
    });
    connect(palette, &PaletteFrame::noteChosen, this, [this] {
        m_window.paletteChoice = IconNumber::Note;
        endWait();
    });
    // X: hiding the palette ends the wait with nothing chosen.
    connect(palette->Command1, &QPushButton::clicked, this, [this] {
        m_window.Frame1->hide();
        m_window.paletteOpen = false;
    });
}

Placing::~Placing()
{
    m_window.Frame1->removeEventFilter(this);
}

void Placing::backgroundMouseDown(Qt::MouseButton button, QPointF twips)
{
    m_window.main().services().setCurrentFolder(m_window.main().appPath());
    if (button != Qt::RightButton || m_window.paletteOpen)
        return;
    // The palette opens at the click point, even where it reaches past the
    // window's edge.
    m_point = twips;
    m_window.Frame1->move(qRound(Twips::toPixels(twips.x())), qRound(Twips::toPixels(twips.y())));
    m_window.Frame1->show();
    m_window.Frame1->raise();
    m_window.paletteOpen = true;
    m_window.paletteChoice = 0;
    m_waiting = true;
}

bool Placing::eventFilter(QObject *watched, QEvent *event)
{
    // Find, Paste, Save Snapshot and X all end the wait by hiding the
    // palette, and so does closing the window.
    if (watched == m_window.Frame1 && event->type() == QEvent::Hide && m_waiting)
        endWait();
    return QObject::eventFilter(watched, event);
}

void Placing::endWait()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    m_window.Frame1->hide();
    m_window.paletteOpen = false;
    const qint16 choice = m_window.paletteChoice;
    if (m_window.isClosing() || choice == 0)
        return;

    const QPointer<frmPlotFile> window(&m_window);
    WindowServices &services = m_window.main().services();
    if (choice == IconNumber::Note) {
        const int k = m_window.addNote(QString(), IconNumber::Note, m_point);
        if (k == 0)
            return;
        const QString text = services.InputBox(QStringLiteral("Note: "));
        if (window && !window->isClosing()) {
            window->doc.Label1[k].text = text;
            window->noteChanged(k);
        }
    } else {
        const int k = m_window.addIcon(choice, QString(), m_point, true);
        if (k == 0)
            return;
        const QString text = services.InputBox(QStringLiteral("Info: "));
        if (window && !window->isClosing()) {
            window->doc.Image1[k].text = text;
            window->iconChanged(k);
        }
    }
}

namespace {

// One carried element: exactly the left button moves its top-left corner
// to the pointer, no button puts it down, any other combination does
// nothing.
template<typename Changed>
void carry(qint16 &carried, ElementArray &elements, Qt::MouseButtons buttons, QPointF twips,
           Changed changed, bool &putDown)
{
    if (carried == 0)
        return;
    if (buttons == Qt::LeftButton) {
        elements[carried].left = float(twips.x());
        elements[carried].top = float(twips.y());
        changed(carried);
    } else if (buttons == Qt::NoButton) {
        carried = 0;
        putDown = true;
    }
}

} // namespace

void Placing::backgroundMouseMove(Qt::MouseButtons buttons, QPointF twips)
{
    // A picked-up icon and a picked-up note move together.
    bool putDown = false;
    carry(m_window.carriedIcon, m_window.doc.Image1, buttons, twips,
          [this](int k) { m_window.iconChanged(k); }, putDown);
    carry(m_window.carriedNote, m_window.doc.Label1, buttons, twips,
          [this](int k) { m_window.noteChanged(k); }, putDown);
    if (putDown)
        m_window.carriedChanged();
}

void Placing::elementClicked(PlotView::Target target)
{
    if (target.kind == PlotView::Target::Icon) {
        m_window.carriedIcon = qint16(target.element);
        m_window.Shape1->hide();
    } else if (target.kind == PlotView::Target::Note) {
        m_window.carriedNote = qint16(target.element);
    }
    m_window.carriedChanged();
}
