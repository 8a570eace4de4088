// Zoom and the snapshot: every gesture at any zoom works in twips of the
// picture, the snapshot is the client area at actual size, and the picture
// kept at low zoom follows every change. Placing at a zoom, Find's marker
// scrolled into view, and the snapshot matching the screen, are made by the
// end-to-end journeys.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PlotView.h"
#include "ZoomController.h"

#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// Icon A at (200, 100), 24 x 25 pixels, on a 600 x 400 white background.
const QStringList kTable = {"bg.jpg", "Set", "A", " 1 ", " 1500 ", " 3000 ", "[Notes]", "[End]"};

struct Zoomed : DocumentFixture
{
    Zoomed()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400), Qt::white);
        folder.writeIconSet("Set", 3, QSize(24, 25));
        w = open(table("T.plt", kTable));
    }
    QImage shown() const { return w->view()->viewport()->grab().toImage(); }
    // Save Snapshot from the palette opened at `at` in `window`; the file written.
    QImage snapshot(QPoint at, PlotWindow *window = nullptr)
    {
        window = window ? window : w;
        MouseInput::press(window, at, Qt::RightButton);
        QTest::mouseClick(window->palette()->snapshotButton(), Qt::LeftButton);
        return QImage(folder.file("Quenbrack.bmp"), "BMP");
    }
    PlotWindow *w;
};

QPoint scaled(QPointF pixels, qreal zoom)
{
    return QPoint(qRound(pixels.x() * zoom), qRound(pixels.y() * zoom));
}

} // namespace

class TestZoom : public QObject
{
    Q_OBJECT
private slots:
    void gesturesInTwips_data()
    {
        QTest::addColumn<qreal>("zoom");
        QTest::newRow("50%") << 0.5;
        QTest::newRow("200%") << 2.0;
    }

    void gesturesInTwips()
    {
        QFETCH(qreal, zoom);
        Zoomed f;
        f.w->view()->setZoom(zoom, QPoint(0, 0));
        // The action menu opens Left + 365 twips beside the icon.
        MouseInput::press(f.w, scaled(QPointF(205, 105), zoom), Qt::RightButton);
        QCOMPARE(f.w->actionMenuFrame()->pos(), scaled(QPointF((3000 + 365) / 15.0, 100), zoom));
        QTest::mouseClick(f.w->actionMenuFrame()->closeButton(), Qt::LeftButton);

        // Carrying puts the icon's corner at the pointer.
        MouseInput::press(f.w, scaled(QPointF(205, 105), zoom), Qt::LeftButton);
        MouseInput::move(f.w, QPoint(250, 150), Qt::LeftButton);
        MouseInput::release(f.w, QPoint(250, 150), Qt::LeftButton);
        const PlotElement &icon = f.w->document()->element(ElementKind::Icon, 1);
        QCOMPARE(QPointF(icon.left, icon.top), QPointF(250 / zoom * 15, 150 / zoom * 15));
    }

    void ctrlWheelZoomsAroundThePointer()
    {
        Zoomed f;
        PlotView *view = f.w->view();
        const QPointF pointer(300, 200);
        const QPointF before = view->viewportTransform().inverted().map(pointer);
        for (int notch = 0; notch < 2; ++notch) {
            QWheelEvent wheel(pointer, view->viewport()->mapToGlobal(pointer), QPoint(),
                              QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(view->viewport(), &wheel);
        }
        QCOMPARE(view->zoom(), 1.5);
        const QPointF after = view->viewportTransform().inverted().map(pointer);
        QVERIFY2((after - before).manhattanLength() < 1.5, "the point under the pointer moved");
        QVERIFY(view->horizontalScrollBar()->value() > 0);
    }

    void fitWindowAndSteps()
    {
        Zoomed f;
        f.open(f.table("Other.plt", kTable));
        // A window half the table's size fits it at 50%, without scroll bars.
        auto *frame = qobject_cast<QMdiSubWindow *>(f.w->parentWidget());
        frame->resize(frame->size() - QSize(300, 200));
        ZoomController *zoom = f.w->zoomController();
        zoom->fitWindowAction()->trigger();
        QCOMPARE(f.w->view()->zoom(), 0.5);
        QVERIFY(!f.w->view()->horizontalScrollBar()->isVisibleTo(f.w->view()));
        zoom->zoomInAction()->trigger();
        QCOMPARE(f.w->view()->zoom(), 0.667);
        zoom->zoomOutAction()->trigger();
        zoom->zoomOutAction()->trigger();
        QCOMPARE(f.w->view()->zoom(), 0.333);
        QVERIFY(zoom->actualSizeAction()->isEnabled());
        zoom->actualSizeAction()->trigger();
        QCOMPARE(f.w->view()->zoom(), 1.0);
        QVERIFY(!zoom->actualSizeAction()->isEnabled());
        QCOMPARE(f.main->tableWindows().last()->view()->zoom(), 1.0); // its own zoom
    }

    void snapshotOfTheClientArea()
    {
        Zoomed f;
        const QImage actual = f.snapshot(QPoint(500, 300));
        f.w->view()->setZoom(0.5, QPoint(0, 0));
        QCOMPARE(f.snapshot(QPoint(500, 300)), actual); // at actual size
        QCOMPARE(f.w->view()->zoom(), 0.5);
        f.w->view()->setZoom(1.0, QPoint(0, 0));

        // With A's action menu open and a placement waiting: the menu is in
        // the picture, the palette is not, and nothing is placed.
        MouseInput::press(f.w, QPoint(205, 105), Qt::RightButton);
        const QImage shot = f.snapshot(QPoint(400, 20));
        QVERIFY(!f.w->palette()->isVisible());
        QVERIFY(!f.w->placing()->isWaiting());
        QCOMPARE(f.w->document()->count(ElementKind::Icon), 1);
        QCOMPARE(shot.size(), QSize(600, 400));
        QCOMPARE(shot.pixelColor(450, 150), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(f.w->actionMenuFrame()->pos() + QPoint(5, 30)), QColor(64, 64, 64));

        // Another window's snapshot replaces the file; with no image program
        // to start, nothing is reported either.
        f.services.programStarts = false;
        f.folder.writePicture("Plot Templates/small.bmp", QSize(240, 260));
        PlotWindow *other = f.open(f.table("S.plt", {"small.bmp", "Set", "[Notes]", "[End]"}));
        QCOMPARE(f.snapshot(QPoint(10, 10), other).size(), QSize(240, 260));
        QVERIFY(f.services.callsOf("message").isEmpty());
    }

    void lowZoomPictureFollowsChanges()
    {
        Zoomed f;
        f.w->view()->setZoom(0.5, QPoint(0, 0));
        const QColor icon = f.shown().pixelColor(106, 56);
        QVERIFY(icon != QColor(Qt::white));
        f.w->document()->move(ElementKind::Icon, 1, QPointF(6000, 4500)); // to (400, 300)
        QCoreApplication::processEvents();
        QImage now = f.shown();
        QCOMPARE(now.pixelColor(106, 56), QColor(Qt::white));
        QCOMPARE(now.pixelColor(206, 156), icon);
        f.w->document()->setLive(ElementKind::Icon, 1, false);
        QCoreApplication::processEvents();
        QCOMPARE(f.shown().pixelColor(206, 156), QColor(Qt::white));
    }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
