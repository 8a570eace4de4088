#include "TableStatusBar.h"

#include "PlotDocument.h"
#include "PlotView.h"
#include "PlotWindow.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int kMessageMs = 15000;
} // namespace

TableStatusBar::TableStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_counts(new QLabel(this))
    , m_pointer(new QLabel(this))
{
    m_counts->setObjectName(QStringLiteral("elementCounts"));
    m_pointer->setObjectName(QStringLiteral("pointerPlace"));
    // Wide enough for the longest place, so the counts do not jump about
    // as the pointer moves.
    m_pointer->setMinimumWidth(m_pointer->fontMetrics().horizontalAdvance(
        QStringLiteral("Pointer: 00000, 00000 px")));
    addPermanentWidget(m_counts);
    addPermanentWidget(m_pointer);
}

void TableStatusBar::follow(PlotWindow *window)
{
    if (window == m_window)
        return;
    if (m_window)
        m_window->document()->disconnect(this);
    if (m_surface)
        m_surface->removeEventFilter(this);
    m_window = window;
    m_surface = window ? window->view()->viewport() : nullptr;
    m_pointer->clear();
    if (!window) {
        m_counts->clear();
        return;
    }
    PlotDocument *document = window->document();
    connect(document, &PlotDocument::elementAdded, this, &TableStatusBar::elementAdded);
    connect(document, &PlotDocument::elementChanged, this,
            [this](ElementKind kind, int, PlotDocument::Changes what) {
                // Moves come by the hundred while an element is carried and
                // change no count; only a change of life is counted again.
                if (what & PlotDocument::Live) {
                    countLive(kind);
                    showCounts();
                }
            });
    connect(document, &PlotDocument::reloaded, this, [this] {
        countLive(ElementKind::Icon);
        countLive(ElementKind::Note);
        showCounts();
    });
    m_surface->installEventFilter(this);
    countLive(ElementKind::Icon);
    countLive(ElementKind::Note);
    showCounts();
}

void TableStatusBar::countLive(ElementKind kind)
{
    const PlotDocument *document = m_window->document();
    int live = 0;
    const int count = document->count(kind);
    for (int n = 1; n <= count; ++n)
        live += document->element(kind, n).live ? 1 : 0;
    (kind == ElementKind::Icon ? m_liveIcons : m_liveNotes) = live;
}

void TableStatusBar::elementAdded(ElementKind kind, int n)
{
    if (m_window->document()->element(kind, n).live) {
        ++(kind == ElementKind::Icon ? m_liveIcons : m_liveNotes);
        showCounts();
    }
}

QString TableStatusBar::countsText() const
{
    return m_counts->text();
}

QString TableStatusBar::pointerText() const
{
    return m_pointer->text();
}

void TableStatusBar::showCounts()
{
    m_counts->setText(
        QStringLiteral("%1 %2, %3 %4")
            .arg(m_liveIcons)
            .arg(m_liveIcons == 1 ? QStringLiteral("icon") : QStringLiteral("icons"))
            .arg(m_liveNotes)
            .arg(m_liveNotes == 1 ? QStringLiteral("note") : QStringLiteral("notes"))
        + (m_window->document()->isReadOnly() ? QStringLiteral(" (read-only)") : QString()));
}

void TableStatusBar::showPointer(QPoint viewportPos)
{
    const QPointF place = m_window->view()->mapToScene(viewportPos);
    m_pointer->setText(QStringLiteral("Pointer: %1, %2 px")
                           .arg(qFloor(place.x()))
                           .arg(qFloor(place.y())));
}

bool TableStatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_surface) {
        if (event->type() == QEvent::MouseMove && m_window)
            showPointer(static_cast<QMouseEvent *>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            m_pointer->clear();
    }
    return QStatusBar::eventFilter(watched, event);
}

void TableStatusBar::showSnapshotSaved(const QString &path, bool written, bool shown)
{
    const QString file = QDir::toNativeSeparators(path);
    QString text;
    if (!written)
        text = QStringLiteral("The snapshot could not be written to %1.").arg(file);
    else if (shown)
        text = QStringLiteral("Snapshot saved to %1 and opened in the image program.").arg(file);
    else
        text = QStringLiteral("Snapshot saved to %1. No image program could be started to "
                              "show it.")
                   .arg(file);
    // Trouble stays until the next message; news that all went well fades.
    showMessage(text, written && shown ? kMessageMs : 0);
}
