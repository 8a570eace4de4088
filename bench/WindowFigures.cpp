#include "WindowFigures.h"

#include "BenchProgramFolder.h"
#include "ClickableImage.h"
#include "CompassMdiArea.h"
#include "FigureTable.h"
#include "FindPanel.h"
#include "IconItem.h"
#include "MainWindow.h"
#include "PaintCounter.h"
#include "PaletteFrame.h"
#include "ProcessMemory.h"
#include "PlotView.h"
#include "Carrying.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "Snapshot.h"
#include "ZoomController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <cstdio>

namespace {

constexpr int kIconCentre = 12; // half of a 24-pixel icon

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void mouse(PlotWindow *window, QEvent::Type type, QPoint pos, Qt::MouseButton button,
           Qt::MouseButtons buttons)
{
    QWidget *viewport = window->view()->viewport();
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// Lets everything the last step left queued happen, untimed.
void settle()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// The part of the client area that the main window shows.
QRect shownArea(PlotWindow *window)
{
    return window->view()->viewport()->visibleRegion().boundingRect();
}

} // namespace

WindowFigures::WindowFigures(const BenchProgramFolder &folder, const BenchSizes &sizes)
    : m_folder(folder)
    , m_sizes(sizes)
    , m_main(std::make_unique<MainWindow>(folder.path(), m_services))
{
}

WindowFigures::~WindowFigures() = default;

void WindowFigures::run(FigureTable &table)
{
    m_main->show();
    settle();
    measureLargeTable(table);
    measureTypicalTable(table);
    measureWholeScreen(table);
    if (m_services.messages > 0)
        std::fprintf(stderr, "windows: %d message boxes would have been shown\n",
                     m_services.messages);
}

void WindowFigures::measureLargeTable(FigureTable &table)
{
    QVector<double> openMs;
    QVector<double> closeMs;
    QVector<double> moveMs;
    QVector<double> findMs;
    QVector<double> peakMegabytes;
    QVector<double> fitMs;
    QVector<double> scrollMs;
    QVector<double> zoomedCarryMs;
    const bool peakResets = ProcessMemory::resetPeak();
    // Run -1 warms the caches the program keeps for its whole life (fonts,
    // the picture decoder) and is not counted.
    for (int run = -1; run < m_sizes.runs; ++run) {
        ProcessMemory::resetPeak();
        QElapsedTimer timer;
        timer.start();
        PlotWindow *window = m_main->openFile(m_folder.largeTablePath());
        if (!window) {
            std::fprintf(stderr, "open: the large table did not open\n");
            return;
        }
        // The event loop then does what the new window queued, up to and
        // including its first paint.
        PaintCounter painted(window->view()->viewport());
        QApplication::processEvents();
        if (painted.paints() == 0)
            window->view()->viewport()->repaint();
        const double open = elapsedMs(timer);
        settle();

        if (run == 0)
            moveMs = carryIcon(window);
        const double find = fillFindList(window);
        settle();
        const double peak = double(ProcessMemory::peakBytes()) / 1e6;
        if (run >= 0)
            measureZoom(window, fitMs, scrollMs, run == 0 ? &zoomedCarryMs : nullptr);
        const double close = closeWindow(window);
        if (run >= 0) {
            openMs << open;
            findMs << find;
            closeMs << close;
            peakMegabytes << peak;
        }
    }
    table.addDuration(QStringLiteral("open"), openMs, 250);
    table.addDuration(QStringLiteral("close"), closeMs, 100);
    table.addDuration(QStringLiteral("move"), moveMs, 2);
    table.addDuration(QStringLiteral("find"), findMs, 50);
    table.addDuration(QStringLiteral("fit"), fitMs, 150);
    table.addDuration(QStringLiteral("scroll"), scrollMs, 16);
    table.addDuration(QStringLiteral("carry 50%"), zoomedCarryMs, 2);
    table.addMemory(QStringLiteral("memory"), peakMegabytes, 250);
    if (!peakResets)
        table.addDetail(QStringLiteral("memory: the peak could not be reset, so it counts "
                                       "from the start of the benchmark"));
}

void WindowFigures::measureWholeScreen(FigureTable &table)
{
    const QSize was = m_main->size();
    m_main->resize(1600, 1200);
    settle();
    QVector<double> openMs;
    for (int run = -1; run < m_sizes.runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        PlotWindow *window = m_main->openFile(m_folder.largeTablePath());
        if (!window) {
            std::fprintf(stderr, "open 1600x1200: the large table did not open\n");
            break;
        }
        PaintCounter painted(window->view()->viewport());
        // Idle: nothing queued is left, the first paint included.
        QApplication::processEvents();
        QApplication::processEvents();
        if (painted.paints() == 0)
            window->view()->viewport()->repaint();
        const double elapsed = elapsedMs(timer);
        if (window->view()->viewport()->width() < 1200)
            std::fprintf(stderr, "open 1600x1200: the table shows only %d pixels wide\n",
                         window->view()->viewport()->width());
        settle();
        closeWindow(window);
        if (run >= 0)
            openMs << elapsed;
    }
    m_main->resize(was);
    settle();
    table.addDuration(QStringLiteral("open 1600x1200"), openMs, 500);
}

double WindowFigures::closeWindow(PlotWindow *window)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    QElapsedTimer timer;
    timer.start();
    frame->close();
    // The window is gone once its deferred deletion has run.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const double elapsed = elapsedMs(timer);
    settle();
    return elapsed;
}

QVector<double> WindowFigures::carryIcon(PlotWindow *window)
{
    PlotView *view = window->view();
    const QRect clearing = m_folder.clearing();
    int carried = 0;
    QPoint grip;
    for (int k = 1; k <= window->document()->count(ElementKind::Icon) && carried == 0; ++k) {
        const QPoint centre = window->iconItem(k)->pos().toPoint()
                              + QPoint(kIconCentre, kIconCentre);
        if (!clearing.contains(centre))
            continue;
        const PlotView::Target target = view->targetAt(centre);
        if (target.kind == PlotView::Target::Icon && target.element == k) {
            carried = k;
            grip = centre;
        }
    }
    if (carried == 0) {
        std::fprintf(stderr, "move: no icon in the clearing is on top\n");
        return {};
    }
    // Click to pick it up, then press on it and drag: the way a user
    // carries an icon across a crowded table.
    mouse(window, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    mouse(window, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    mouse(window, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    settle();
    if (window->carrying()->carriedIcon() != carried)
        std::fprintf(stderr, "move: the icon was not picked up\n");

    const QRect shown = shownArea(window).adjusted(0, 0, -40, -40);
    PaintCounter painted(view->viewport());
    QVector<double> movesMs;
    QPoint pos = grip;
    for (int move = 0; move < m_sizes.moves; ++move) {
        pos = grip + (shown.bottomRight() - grip) * (move + 1) / m_sizes.moves;
        QElapsedTimer timer;
        timer.start();
        mouse(window, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
        // The scene's queued update of the moved element, and the paint of
        // what changed, as the event loop does them after every move.
        QApplication::processEvents();
        movesMs << elapsedMs(timer);
    }
    if (painted.paints() < m_sizes.moves)
        std::fprintf(stderr, "move: %d of %d moves painted\n", painted.paints(), m_sizes.moves);
    mouse(window, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    settle();
    if (window->iconItem(carried)->pos().toPoint() != pos)
        std::fprintf(stderr, "move: the icon did not follow the mouse\n");
    return movesMs;
}

void WindowFigures::measureZoom(PlotWindow *window, QVector<double> &fitMs,
                               QVector<double> &scrollMs, QVector<double> *carryMs)
{
    PlotView *view = window->view();
    QWidget *viewport = view->viewport();
    auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    const QSize frameSize = frame->size();
    // The window as large as the workspace shows, which is smaller than the
    // table: there is something to fit.
    frame->move(0, 0);
    frame->resize(m_main->mdiArea()->viewport()->size());
    settle();
    const QSize fittedSize = frame->size();

    // Fit Window, up to its first paint, as the event loop does it.
    {
        PaintCounter painted(viewport);
        QElapsedTimer timer;
        timer.start();
        window->zoomController()->fitWindowAction()->trigger();
        QApplication::processEvents();
        if (painted.paints() == 0)
            viewport->repaint();
        fitMs << elapsedMs(timer);
    }
    settle();
    const qreal fitted = view->zoom();

    // The window made smaller keeps its zoom and scrolls.
    frame->resize(fittedSize / 2);
    settle();
    QScrollBar *bar = view->verticalScrollBar();
    if (bar->maximum() == 0 || fitted >= 1.0)
        std::fprintf(stderr, "scroll: nothing to scroll at %.0f%%\n", fitted * 100);
    for (int step = 0; step < 5; ++step) {
        QElapsedTimer timer;
        timer.start();
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        viewport->repaint();
        scrollMs << elapsedMs(timer);
    }
    frame->resize(frameSize);

    if (!carryMs) {
        view->setZoom(1.0, QPoint(0, 0));
        settle();
        return;
    }
    // Carrying at 50%: picked up by a press, dragged without letting go.
    view->setZoom(0.5, QPoint(0, 0));
    settle();
    const QRect clearing = m_folder.clearing();
    QPoint grip;
    int carried = 0;
    for (int k = 1; k <= window->document()->count(ElementKind::Icon) && carried == 0; ++k) {
        const QPointF corner = window->iconItem(k)->pos();
        if (!clearing.contains(corner.toPoint() + QPoint(kIconCentre, kIconCentre)))
            continue;
        const QPoint at = view->mapFromScene(corner + QPointF(kIconCentre, kIconCentre));
        const PlotView::Target target = view->targetAt(at);
        if (target.kind == PlotView::Target::Icon && target.element == k) {
            carried = k;
            grip = at;
        }
    }
    if (carried == 0) {
        std::fprintf(stderr, "carry 50%%: no icon in the clearing is on top\n");
    } else {
        mouse(window, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        settle();
        const QRect shown = shownArea(window).adjusted(0, 0, -40, -40);
        const int moves = m_sizes.moves;
        QPoint pos = grip;
        for (int move = 0; move < moves; ++move) {
            pos = grip + (shown.bottomRight() - grip) * (move + 1) / moves;
            QElapsedTimer timer;
            timer.start();
            mouse(window, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
            QApplication::processEvents();
            *carryMs << elapsedMs(timer);
        }
        mouse(window, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
        mouse(window, QEvent::MouseMove, pos + QPoint(30, 30), Qt::NoButton, Qt::NoButton);
    }
    view->setZoom(1.0, QPoint(0, 0));
    settle();
}

double WindowFigures::fillFindList(PlotWindow *window)
{
    QElapsedTimer timer;
    timer.start();
    window->palette()->findButton()->click();
    const double elapsed = elapsedMs(timer);
    if (window->findPanel()->list()->count() != window->document()->count(ElementKind::Icon))
        std::fprintf(stderr, "find: the list holds %d entries, not %d\n",
                     int(window->findPanel()->list()->count()),
                     window->document()->count(ElementKind::Icon));
    window->findPanel()->closeButton()->click();
    return elapsed;
}

void WindowFigures::measureTypicalTable(FigureTable &table)
{
    PlotWindow *window = m_main->openFile(m_folder.typicalTablePath());
    if (!window) {
        std::fprintf(stderr, "page: the typical table did not open\n");
        return;
    }
    settle();
    table.addDuration(QStringLiteral("page"), turnPages(window), 10);
    table.addDuration(QStringLiteral("snapshot"), saveSnapshots(window), 300);
    closeWindow(window);
}

QVector<double> WindowFigures::turnPages(PlotWindow *window)
{
    // A right click on the background opens the palette there.
    const QRect shown = shownArea(window);
    QPoint spot;
    for (int y = shown.top() + 8; y < shown.bottom() - 200 && spot.isNull(); y += 8)
        for (int x = shown.left() + 8; x < shown.right() - 200 && spot.isNull(); x += 8)
            if (window->view()->targetAt(QPoint(x, y)).kind == PlotView::Target::Background)
                spot = QPoint(x, y);
    mouse(window, QEvent::MouseButtonPress, spot, Qt::RightButton, Qt::RightButton);
    mouse(window, QEvent::MouseButtonRelease, spot, Qt::RightButton, Qt::NoButton);
    settle();
    PaletteFrame *palette = window->palette();
    if (!palette->isVisible())
        std::fprintf(stderr, "page: the palette did not open\n");

    QVector<double> turnsMs;
    // The first turn is not counted: it warms the slots' first use.
    for (int turn = -1; turn < m_sizes.pageTurns; ++turn) {
        QElapsedTimer timer;
        timer.start();
        palette->pageScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        palette->repaint();
        const double elapsed = elapsedMs(timer);
        const int expected = 1 + 10 * (turn + 2);
        if (palette->slot(1)->iconNumber() != expected || palette->slot(1)->isHidden())
            std::fprintf(stderr, "page: slot 1 shows icon %d, not %d\n",
                         int(palette->slot(1)->iconNumber()), expected);
        if (turn >= 0)
            turnsMs << elapsed;
    }
    palette->closeButton()->click(); // X
    settle();
    return turnsMs;
}

QVector<double> WindowFigures::saveSnapshots(PlotWindow *window)
{
    const QString path = m_folder.file(QStringLiteral("snapshot.bmp"));
    QVector<double> snapshotsMs;
    for (int run = -1; run < m_sizes.runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QImage picture = Snapshot::capture(*window->view());
        const bool saved = Snapshot::save(picture, path);
        const double elapsed = elapsedMs(timer);
        if (!saved || picture.size() != m_sizes.background)
            std::fprintf(stderr, "snapshot: %dx%d pixels saved\n", picture.width(),
                         picture.height());
        if (run >= 0)
            snapshotsMs << elapsed;
        settle();
    }
    return snapshotsMs;
}
