// Find: the list of a window's icons and the marker on the chosen one.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "MouseInput.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "PaletteFrame.h"
#include "PlotView.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

using MouseInput::click;
using MouseInput::press;

QStringList entries(const frmPlotFile *w)
{
    QStringList texts;
    for (int row = 0; row < w->Frame3->List1->count(); ++row)
        texts << w->Frame3->List1->item(row)->text();
    return texts;
}

// Icons 24 pixels wide at x = 20, 60, 100, ... along the top.
frmPlotFile *openWith(DocumentFixture &f, const QStringList &texts)
{
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(600, 400));
    f.folder.writeIconSet(QStringLiteral("Set"), 3);
    QStringList lines{"bg.jpg", "Set"};
    for (int k = 0; k < texts.size(); ++k)
        lines << texts[k] << " 1 " << " 150 " << QStringLiteral(" %1 ").arg(300 + 600 * k);
    lines << "[Notes]" << "Note" << "-1 " << " 3000 " << " 3000 ";
    return f.open(f.table(QStringLiteral("T.plt"), lines));
}

void find(frmPlotFile *w)
{
    press(w, QPoint(500, 350), Qt::RightButton);
    QTest::mouseClick(w->Frame1->Command8, Qt::LeftButton);
}

void choose(frmPlotFile *w, int row)
{
    QListWidget *list = w->Frame3->List1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

} // namespace

class TestFind : public QObject
{
    Q_OBJECT
private slots:
    void listsEveryIconElement();
    void marksTheIconWhereItIsNow();
    void markerHidesOnAnIconClickOnly();
};

void TestFind::listsEveryIconElement()
{
    DocumentFixture f;
    frmPlotFile *empty = openWith(f, {});
    find(empty);
    QVERIFY(entries(empty).isEmpty());

    DocumentFixture g;
    frmPlotFile *w = openWith(g, {"Pier", "   ", " Gate ", "\t", "Cut me"});
    // Cut the fifth icon and paste it back: listed twice.
    press(w, QPoint(185, 15), Qt::RightButton);
    QTest::mouseClick(w->Frame2->Command4, Qt::LeftButton);
    press(w, QPoint(300, 200), Qt::RightButton);
    QTest::mouseClick(w->Frame1->Command5, Qt::LeftButton);
    // Find while a placement waits: the palette closes, nothing is placed.
    find(w);
    QVERIFY(!w->Frame1->isVisible());
    QVERIFY(!w->paletteOpen);
    QVERIFY(w->Frame3->isVisible());
    QCOMPARE(w->Frame3->pos(), QPoint(0, 0));
    QCOMPARE(w->iconElementCount(), 6);
    QCOMPARE(entries(w), (QStringList{"Pier", "[Blank]", " Gate ", "\t", "[Deleted]", "Cut me"}));
    QVERIFY(g.services.calls.isEmpty());
}

void TestFind::marksTheIconWhereItIsNow()
{
    DocumentFixture f;
    frmPlotFile *w = openWith(f, {"A", "B", "C"});
    find(w);
    // After Find: A is moved, B is deleted; the list still shows both.
    w->doc.Image1[1].left = 4500;
    w->doc.Image1[1].top = 3000;
    w->iconChanged(1);
    press(w, QPoint(65, 15), Qt::RightButton);
    QTest::mouseClick(w->Frame2->Command7, Qt::LeftButton);
    QCOMPARE(entries(w), (QStringList{"A", "B", "C"}));

    choose(w, 0);
    QVERIFY(w->Shape1->isVisible());
    QVERIFY(!w->Frame3->isVisible());
    QCOMPARE(w->Shape1->geometry(), QRect(300, 200, 25, 25));
    QVERIFY(f.services.calls.isEmpty());

    find(w);
    choose(w, 1);
    QCOMPARE(w->Shape1->pos(), QPoint(60, 10));
    QVERIFY(w->Shape1->isVisible());
    QCOMPARE(f.services.calls.size(), 1);
    QCOMPARE(f.services.calls[0].text,
             QStringLiteral("Old location of an icon that was deleted during this session.\r\n"
                            "Recently deleted icon pointers will be removed once you exit/save "
                            "this Plot Table."));
    QCOMPARE(f.services.calls[0].icon, MessageIcon::None);
    QCOMPARE(f.services.calls[0].title, QStringLiteral("Quenbrack"));
}

void TestFind::markerHidesOnAnIconClickOnly()
{
    DocumentFixture f;
    frmPlotFile *w = openWith(f, {"A", "B"});
    find(w);
    choose(w, 1);
    QVERIFY(w->Shape1->isVisible());
    click(w, QPoint(205, 205)); // the note
    QVERIFY(w->Shape1->isVisible());
    find(w);
    QVERIFY(w->Shape1->isVisible()); // a new Find leaves it
    QTest::mouseClick(w->Frame3->Command9, Qt::LeftButton);
    QVERIFY(!w->Frame3->isVisible());
    click(w, QPoint(25, 15)); // icon A
    QVERIFY(!w->Shape1->isVisible());
    QCOMPARE(w->carriedIcon, qint16(1));
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
