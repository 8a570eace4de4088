// Zoom: every gesture at any zoom works in twips of the picture, the
// snapshot is at actual size, and the picture kept at low zoom follows
// every change.

#include "ActionMenuFrame.h"
#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PlotView.h"
#include "ZoomController.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// Icon A at (200, 100), 24 x 25 pixels, on a 600 x 400 background.
const QStringList kTable = {"bg.jpg", "Set", "A", " 1 ", " 1500 ", " 3000 ", "[Notes]", "[End]"};

struct Zoomed : DocumentFixture
{
    Zoomed()
    {
        folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(600, 400), Qt::white);
        folder.writeIconSet(QStringLiteral("Set"), 3, QSize(24, 25));
        w = open(table(QStringLiteral("T.plt"), kTable));
    }
    QPointF place(ElementKind kind, int n) const
    {
        const PlotElement &element = w->document()->element(kind, n);
        return QPointF(element.left, element.top);
    }
    QImage shown() const { return w->view()->viewport()->grab().toImage(); }
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
        // A note placed at a point of the window lands at that point of
        // the picture; the palette opens there.
        MouseInput::press(f.w, QPoint(20, 150), Qt::RightButton);
        QCOMPARE(f.w->palette()->pos(), QPoint(20, 150));
        QTest::mouseClick(f.w->palette()->notePicture(), Qt::LeftButton);
        QCOMPARE(f.place(ElementKind::Note, 1), QPointF(20 / zoom * 15, 150 / zoom * 15));

        // The action menu opens Left + 365 twips beside the icon.
        MouseInput::press(f.w, scaled(QPointF(205, 105), zoom), Qt::RightButton);
        QCOMPARE(f.w->actionMenuFrame()->pos(), scaled(QPointF((3000 + 365) / 15.0, 100), zoom));
        QTest::mouseClick(f.w->actionMenuFrame()->closeButton(), Qt::LeftButton);

        // Carrying puts the icon's corner at the pointer.
        MouseInput::press(f.w, scaled(QPointF(205, 105), zoom), Qt::LeftButton);
        MouseInput::move(f.w, QPoint(250, 150), Qt::LeftButton);
        MouseInput::release(f.w, QPoint(250, 150), Qt::LeftButton);
        QCOMPARE(f.place(ElementKind::Icon, 1), QPointF(250 / zoom * 15, 150 / zoom * 15));
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
        f.open(f.table(QStringLiteral("Other.plt"), kTable));
        // A window half the table's size fits it at 50%, without scroll bars.
        auto *frame = qobject_cast<QMdiSubWindow *>(f.w->parentWidget());
        frame->resize(frame->size() - QSize(300, 200));
        ZoomController *zoom = f.w->zoomController();
        QCOMPARE(f.w->zoomActions().size(), 4);
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

    void markerShowsAtEveryZoom()
    {
        Zoomed f;
        f.w->view()->setZoom(2.0, QPoint(0, 0));
        f.w->document()->move(ElementKind::Icon, 1, QPointF(8250, 5250)); // (550, 350): off screen
        MouseInput::press(f.w, QPoint(30, 30), Qt::RightButton);
        QTest::mouseClick(f.w->palette()->findButton(), Qt::LeftButton);
        f.w->findPanel()->entryChosen(1);
        const QRect marker = f.w->locateMarker()->geometry();
        QCOMPARE(marker.size(), QSize(50, 50));
        QVERIFY(f.w->view()->viewport()->rect().contains(marker));
        QCOMPARE(marker.topLeft(), f.w->view()->viewportPointOf(QPointF(8250, 5250)));
    }

    void snapshotAtActualSize()
    {
        Zoomed f;
        const auto snapshot = [&f] {
            MouseInput::press(f.w, QPoint(500, 300), Qt::RightButton);
            QTest::mouseClick(f.w->palette()->snapshotButton(), Qt::LeftButton);
            return QImage(f.folder.file(QStringLiteral("Quenbrack.bmp")), "BMP");
        };
        const QImage actual = snapshot();
        f.w->view()->setZoom(0.5, QPoint(0, 0));
        QCOMPARE(snapshot(), actual);
        QCOMPARE(f.w->view()->zoom(), 0.5);
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
