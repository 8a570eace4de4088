// The palette's pages, kept per window and while it is closed.

#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "MouseInput.h"
#include "PaletteFrame.h"

#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

// "11-20" when the slots show icons 11 .. 20; a slot shown after a hidden
// one is marked "!".
static QString page(const PaletteFrame *palette)
{
    QStringList shown;
    for (int k = 1; k <= PaletteFrame::SlotCount; ++k)
        if (!palette->slot(k)->isHidden())
            shown << QString::number(palette->slot(k)->iconNumber())
                         + (shown.size() == k - 1 ? "" : "!");
    return shown.size() > 1 ? shown.first() + '-' + shown.last() : shown.join("");
}

class TestPalette : public QObject
{
    Q_OBJECT
private slots:
    void paging_data()
    {
        // Actions: + and - are the arrow buttons, > and < clicks in the track.
        QTest::addColumn<int>("icons");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("pages");
        QTest::newRow("25 icons, arrows")
            << 25 << "+++---" << "1-10,11-20,21-25,25,15-24,5-14,1-10";
        QTest::newRow("25 icons, track") << 25 << ">><<" << "1-10,11-20,21-25,11-20,1-10";
        QTest::newRow("7 icons") << 7 << "+-" << "1-7,7,1-7";
        QTest::newRow("10 icons") << 10 << "++-" << "1-10,10,10,1-10";
        QTest::newRow("0 icons") << 0 << "+>-<" << ",,,,";
    }

    void paging()
    {
        QFETCH(int, icons);
        QFETCH(QString, actions);
        QFETCH(QString, pages);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/bg.jpg", QSize(300, 300));
        f.folder.writeIconSet("Set", icons);
        PlotWindow *w = f.open(f.table("A.plt", {"bg.jpg", "Set", "[Notes]", "[End]"}));
        const PlotWindow *other = f.open(f.table("B.plt", {"bg.jpg", "Set", "[Notes]", "[End]"}));
        PaletteFrame *p = w->palette();
        QCOMPARE((QStringList{p->closeButton()->text(), p->findButton()->text(), p->pasteButton()->text(),
                              p->snapshotButton()->text()}),
                 (QStringList{"X", "Find", "Paste", "Save Snapshot"}));
        QStringList seen{page(p)};
        for (QChar action : actions) {
            p->pageScrollBar()->triggerAction(action == '+'   ? QAbstractSlider::SliderSingleStepAdd
                                       : action == '-' ? QAbstractSlider::SliderSingleStepSub
                                       : action == '>' ? QAbstractSlider::SliderPageStepAdd
                                                       : QAbstractSlider::SliderPageStepSub);
            seen << page(p);
        }
        QCOMPARE(seen.join(','), pages);
        // Closed and opened again, it keeps its page; the other window's is its own.
        p->pageScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        const QString last = page(p);
        QTest::mouseClick(p->closeButton(), Qt::LeftButton);
        QVERIFY(p->isHidden());
        MouseInput::press(w, QPoint(150, 150), Qt::RightButton);
        QVERIFY(p->isVisible());
        QCOMPARE(page(p), last);
        QCOMPARE(page(other->palette()), seen.first());
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
