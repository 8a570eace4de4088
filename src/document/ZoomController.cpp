#include "ZoomController.h"

#include "PlotView.h"

#include <QAction>
#include <QScrollBar>
#include <QWheelEvent>

#include <array>
#include <cmath>

namespace {

constexpr std::array<qreal, 17> kLadder = {0.05, 0.1, 0.125, 0.25, 0.333, 0.5, 0.667, 0.75, 1.0,
                                           1.25, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 8.0};
// Scales closer than this count as the same rung.
constexpr qreal kSameRung = 0.005;
// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

} // namespace

ZoomController::ZoomController(PlotView &view, QObject *parent)
    : QObject(parent)
    , m_view(view)
{
    // Ctrl+= besides the platform's keys: on most keyboards + is = with Shift.
    QAction *in = makeAction(tr("Zoom &In"), QKeySequence::ZoomIn, &ZoomController::zoomIn);
    QList<QKeySequence> inKeys = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    if (!inKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Equal)))
        inKeys.append(QKeySequence(Qt::CTRL | Qt::Key_Equal));
    in->setShortcuts(inKeys);
    makeAction(tr("Zoom &Out"), QKeySequence::ZoomOut, &ZoomController::zoomOut);
    makeAction(tr("&Fit Window"), QKeySequence(), &ZoomController::fitWindow);
    makeAction(tr("&Actual Size"), QKeySequence(Qt::CTRL | Qt::Key_0), &ZoomController::actualSize);
    connect(&view, &PlotView::zoomChanged, this, &ZoomController::updateActions);
    view.viewport()->installEventFilter(this);
    updateActions();
}

ZoomController::~ZoomController()
{
    m_view.viewport()->removeEventFilter(this);
}

QAction *ZoomController::makeAction(const QString &text, const QKeySequence &shortcut,
                                    void (ZoomController::*slot)())
{
    auto *action = new QAction(text, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, slot);
    m_actions.append(action);
    return action;
}

qreal ZoomController::stepUp(qreal scale)
{
    for (qreal rung : kLadder)
        if (rung > scale + kSameRung)
            return rung;
    return MaximumZoom;
}

qreal ZoomController::stepDown(qreal scale)
{
    for (auto rung = kLadder.rbegin(); rung != kLadder.rend(); ++rung)
        if (*rung < scale - kSameRung)
            return *rung;
    return MinimumZoom;
}

void ZoomController::zoomIn()
{
    m_view.setZoom(stepUp(m_view.zoom()), m_view.viewport()->rect().center());
}

void ZoomController::zoomOut()
{
    m_view.setZoom(stepDown(m_view.zoom()), m_view.viewport()->rect().center());
}

void ZoomController::fitWindow()
{
    // The whole table in the window as it is without scroll bars, which a
    // fitted table does not need.
    const QSizeF table = m_view.sceneRect().size();
    const QSize room = m_view.maximumViewportSize();
    if (table.isEmpty() || room.isEmpty())
        return;
    const qreal scale = qMin(room.width() / table.width(), room.height() / table.height());
    m_view.setZoom(qBound(MinimumZoom, scale, MaximumZoom), QPoint(0, 0));
}

void ZoomController::actualSize()
{
    m_view.setZoom(1.0, m_view.viewport()->rect().center());
}

void ZoomController::updateActions()
{
    const qreal scale = m_view.zoom();
    zoomInAction()->setEnabled(scale < MaximumZoom - kSameRung);
    zoomOutAction()->setEnabled(scale > MinimumZoom + kSameRung);
    actualSizeAction()->setEnabled(std::abs(scale - 1.0) > 1e-9);
}

bool ZoomController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view.viewport() || event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    // Ctrl + wheel zooms around the pointer, one rung per notch.
    m_pendingWheel += wheel->angleDelta().y();
    const QPoint pointer = wheel->position().toPoint();
    while (m_pendingWheel >= kWheelNotch) {
        m_pendingWheel -= kWheelNotch;
        m_view.setZoom(stepUp(m_view.zoom()), pointer);
    }
    while (m_pendingWheel <= -kWheelNotch) {
        m_pendingWheel += kWheelNotch;
        m_view.setZoom(stepDown(m_view.zoom()), pointer);
    }
    wheel->accept();
    return true;
}
