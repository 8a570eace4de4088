// Save Snapshot: the client area as Quenbrack.bmp, opened in an image program.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "MouseInput.h"
#include "PaletteFrame.h"

#include <QPushButton>
#include <QtTest>

// A white background with icon A at (100, 100), its action menu open, and
// Save Snapshot from the palette opened at `at`, where a placement waits.
static PlotWindow *snapshot(DocumentFixture &f, const QString &name, QSize size, QPoint at)
{
    f.folder.writePicture("Plot Templates/" + name + ".bmp", size, Qt::white);
    f.folder.writeIconSet("Set", 2);
    PlotWindow *w = f.open(f.table(name + ".plt", {name + ".bmp", "Set", "A", " 1 ", " 1500 ",
                                                    " 1500 ", "[Notes]", "[End]"}));
    MouseInput::press(w, QPoint(105, 105), Qt::RightButton);
    MouseInput::press(w, at, Qt::RightButton);
    QTest::mouseClick(w->palette()->snapshotButton(), Qt::LeftButton);
    return w;
}

class TestSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void capturesTheClientArea()
    {
        DocumentFixture f;
        PlotWindow *w = snapshot(f, "plan", QSize(300, 200), QPoint(200, 20));
        QVERIFY(!w->palette()->isVisible());
        QVERIFY(!w->placing()->isWaiting());
        QCOMPARE(w->document()->count(ElementKind::Icon), 1); // the waiting placement placed nothing
        const QImage shot(f.folder.file("Quenbrack.bmp"), "BMP");
        QCOMPARE(shot.size(), QSize(300, 200));
        // The palette's dark grey is not in the picture, the menu's is.
        QCOMPARE(shot.pixelColor(250, 150), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(w->actionMenuFrame()->pos() + QPoint(5, 30)), QColor(64, 64, 64));
        QVERIFY(shot.pixelColor(110, 110) != QColor(Qt::white)); // the icon
        const auto starts = f.services.callsOf("startProgram");
        QCOMPARE(starts.size(), 1);
        QCOMPARE(starts[0].arguments, QStringList{"Quenbrack.bmp"});
        QCOMPARE(starts[0].folder, f.folder.path());

        // Another window's snapshot replaces the file; with no image program
        // to start, nothing is reported either.
        f.services.programStarts = false;
        snapshot(f, "other", QSize(240, 260), QPoint(10, 10));
        QCOMPARE(QImage(f.folder.file("Quenbrack.bmp"), "BMP").size(), QSize(240, 260));
        QVERIFY(f.services.callsOf("message").isEmpty());
    }
};

QTEST_MAIN(TestSnapshot)
#include "tst_snapshot.moc"
