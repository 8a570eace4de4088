// The palette: its frame, its pages, and the choices it hands over.

#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "PaletteFrame.h"

#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// "1-10" when slots 1..10 show icons 1..10, "21-25" when slots 1..5 show
// 21..25 and the rest are hidden, "" when no slot is shown.
QString page(const PaletteFrame *palette)
{
    QList<int> shown;
    for (int k = 1; k <= PaletteFrame::SlotCount; ++k) {
        const ClickableImage *slot = palette->slot(k);
        if (!slot->isHidden()) {
            if (shown.size() != k - 1)
                return QStringLiteral("gap at slot %1").arg(k);
            shown << slot->WhatsThisHelpID;
        }
    }
    for (int i = 1; i < shown.size(); ++i)
        if (shown[i] != shown[0] + i)
            return QStringLiteral("not consecutive");
    if (shown.isEmpty())
        return QString();
    if (shown.size() == 1)
        return QString::number(shown.first());
    return QStringLiteral("%1-%2").arg(shown.first()).arg(shown.last());
}

frmPlotFile *openWithSet(DocumentFixture &f, const QString &name, int icons)
{
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(300, 300));
    f.folder.writeIconSet(QStringLiteral("Set%1").arg(icons), icons);
    return f.open(f.table(name, {"bg.jpg", QStringLiteral("Set%1").arg(icons), "[Notes]",
                                 "[End]"}));
}

} // namespace

class TestPalette : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void paging_data();
    void paging();
    void choices();
    void windowsPageIndependently();
};

void TestPalette::layout()
{
    DocumentFixture f;
    const PaletteFrame *p = openWithSet(f, QStringLiteral("A.plt"), 3)->Frame1;
    // Twips at 15 per pixel.
    QCOMPARE(p->size(), QSize(169, 185));
    QCOMPARE(p->Command1->geometry(), QRect(0, 0, 17, 17));
    QCOMPARE(p->Command1->text(), QStringLiteral("X"));
    QCOMPARE(p->Image3->pos(), QPoint(24, 8));
    QCOMPARE(p->Image7->pos(), QPoint(120, 8));
    QCOMPARE(p->Image8->pos(), QPoint(24, 32));
    QCOMPARE(p->Image12->pos(), QPoint(120, 32));
    QCOMPARE(p->HScroll1->geometry(), QRect(24, 64, 121, 17));
    QCOMPARE(p->Image13->pos(), QPoint(16, 88));
    QCOMPARE(p->Image13->size(), QSize(79, 58));
    QCOMPARE(p->Command8->geometry(), QRect(104, 112, 49, 17));
    QCOMPARE(p->Command8->text(), QStringLiteral("Find"));
    QCOMPARE(p->Command5->geometry(), QRect(104, 136, 49, 17));
    QCOMPARE(p->Command5->text(), QStringLiteral("Paste"));
    QCOMPARE(p->Command2->geometry(), QRect(16, 160, 137, 17));
    QCOMPARE(p->Command2->text(), QStringLiteral("Save Snapshot"));
    QCOMPARE(p->HScroll1->singleStep(), 10);
    QCOMPARE(p->HScroll1->pageStep(), 10);
    QCOMPARE(p->HScroll1->minimum(), 1);
}

void TestPalette::paging_data()
{
    // Actions: + and - are the arrow buttons, > and < clicks in the track.
    QTest::addColumn<int>("icons");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("pages");
    QTest::newRow("25 icons, right to the end and back")
        << 25 << "+++---" << "1-10,11-20,21-25,25,15-24,5-14,1-10";
    QTest::newRow("25 icons, track clicks") << 25 << ">><<" << "1-10,11-20,21-25,11-20,1-10";
    QTest::newRow("7 icons") << 7 << "+-" << "1-7,7,1-7";
    QTest::newRow("10 icons") << 10 << "++-" << "1-10,10,10,1-10";
    QTest::newRow("0 icons") << 0 << "+>-<" << ",,,,";
}

void TestPalette::paging()
{
    QFETCH(int, icons);
    QFETCH(QString, actions);
    QFETCH(QString, pages);
    DocumentFixture f;
    frmPlotFile *w = openWithSet(f, QStringLiteral("A.plt"), icons);
    QCOMPARE(int(w->iconSetCount), icons);
    PaletteFrame *p = w->Frame1;
    QStringList seen{page(p)};
    for (QChar action : actions) {
        const auto step = action == u'+'   ? QAbstractSlider::SliderSingleStepAdd
                          : action == u'-' ? QAbstractSlider::SliderSingleStepSub
                          : action == u'>' ? QAbstractSlider::SliderPageStepAdd
                                           : QAbstractSlider::SliderPageStepSub;
        p->HScroll1->triggerAction(step);
        seen << page(p);
    }
    QCOMPARE(seen.join(u','), pages);
    for (int k = 1; k <= PaletteFrame::SlotCount; ++k)
        if (!p->slot(k)->isHidden())
            QVERIFY(p->slot(k)->WhatsThisHelpID >= 1);
}

void TestPalette::choices()
{
    DocumentFixture f;
    frmPlotFile *w = openWithSet(f, QStringLiteral("A.plt"), 25);
    PaletteFrame *p = w->Frame1;
    w->paletteOpen = true;
    p->show();
    p->HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p->HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QTest::mouseClick(p->slot(3), Qt::LeftButton);
    QCOMPARE(w->paletteChoice, qint16(23));
    QVERIFY(p->isVisible()); // the waiting placement hides it
    QTest::mouseClick(p->Image13, Qt::LeftButton);
    QCOMPARE(w->paletteChoice, qint16(-1));
    QTest::mouseClick(p->Command1, Qt::LeftButton);
    QVERIFY(!p->isVisible());
    QVERIFY(!w->paletteOpen);
    // Reopened, it shows the page where the user left it.
    p->show();
    QCOMPARE(page(p), QStringLiteral("21-25"));
}

void TestPalette::windowsPageIndependently()
{
    DocumentFixture f;
    frmPlotFile *a = openWithSet(f, QStringLiteral("A.plt"), 25);
    frmPlotFile *b = openWithSet(f, QStringLiteral("B.plt"), 25);
    a->Frame1->HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(page(a->Frame1), QStringLiteral("11-20"));
    QCOMPARE(page(b->Frame1), QStringLiteral("1-10"));
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
