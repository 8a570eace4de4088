// Save Snapshot: the client area as Quenbrack.bmp, opened in an image program.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PlotView.h"

#include <QImage>
#include <QPushButton>
#include <QtTest>

namespace {

void rightPress(frmPlotFile *w, QPoint pos)
{
    MouseInput::press(w, pos, Qt::RightButton);
}

frmPlotFile *openOn(DocumentFixture &f, const QString &name, QSize size)
{
    f.folder.writePicture(name + QStringLiteral(".bmp"), size, Qt::white);
    QFile::rename(f.folder.file(name + QStringLiteral(".bmp")),
                  f.folder.file(QStringLiteral("Plot Templates/") + name + QStringLiteral(".bmp")));
    f.folder.writeIconSet(QStringLiteral("Set"), 2);
    return f.open(f.table(name + QStringLiteral(".plt"),
                          {name + QStringLiteral(".bmp"), "Set", "A", " 1 ", " 1500 ", " 1500 ",
                           "[Notes]", "[End]"}));
}

} // namespace

class TestSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void capturesTheClientArea();
    void anotherWindowReplacesTheFile();
};

void TestSnapshot::capturesTheClientArea()
{
    DocumentFixture f;
    frmPlotFile *w = openOn(f, QStringLiteral("plan"), QSize(300, 200));
    rightPress(w, QPoint(105, 105)); // the action menu beside icon A
    rightPress(w, QPoint(200, 20));  // the palette, waiting for a choice
    QVERIFY(w->Frame1->isVisible());
    QTest::mouseClick(w->Frame1->Command2, Qt::LeftButton);

    QVERIFY(!w->Frame1->isVisible());
    QVERIFY(!w->paletteOpen);
    QCOMPARE(w->iconElementCount(), 1); // the pending placement placed nothing
    const QImage shot(f.folder.file(QStringLiteral("Quenbrack.bmp")), "BMP");
    QCOMPARE(shot.size(), QSize(300, 200));
    // The palette's dark grey is not in the picture, the menu's is.
    QCOMPARE(shot.pixelColor(250, 150), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(w->Frame2->pos() + QPoint(5, 30)), QColor(64, 64, 64));
    QVERIFY(shot.pixelColor(110, 110) != QColor(Qt::white)); // the icon

    const auto starts = f.services.callsOf(QStringLiteral("startProgram"));
    QCOMPARE(starts.size(), 1);
    QCOMPARE(starts[0].arguments, QStringList{"Quenbrack.bmp"});
    QCOMPARE(starts[0].folder, f.folder.path());
    QVERIFY(f.services.callsOf(QStringLiteral("MsgBox")).isEmpty());
}

void TestSnapshot::anotherWindowReplacesTheFile()
{
    DocumentFixture f;
    f.services.programStarts = false; // no image program: nothing reported
    frmPlotFile *first = openOn(f, QStringLiteral("first"), QSize(300, 200));
    frmPlotFile *second = openOn(f, QStringLiteral("second"), QSize(240, 260));
    for (frmPlotFile *w : {first, second}) {
        rightPress(w, QPoint(10, 10));
        QTest::mouseClick(w->Frame1->Command2, Qt::LeftButton);
    }
    QCOMPARE(QImage(f.folder.file(QStringLiteral("Quenbrack.bmp")), "BMP").size(),
             QSize(240, 260));
    QVERIFY(f.services.callsOf(QStringLiteral("MsgBox")).isEmpty());
}

QTEST_MAIN(TestSnapshot)
#include "tst_snapshot.moc"
