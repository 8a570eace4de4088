// Find: the list of a window's icons and the marker on the chosen one.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "MouseInput.h"
#include "PaletteFrame.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// Find from the palette; the list's texts.
static QStringList find(frmPlotFile *w)
{
    MouseInput::press(w, QPoint(500, 350), Qt::RightButton);
    QTest::mouseClick(w->Frame1->Command8, Qt::LeftButton);
    QStringList texts;
    for (int row = 0; row < w->Frame3->List1->count(); ++row)
        texts << w->Frame3->List1->item(row)->text();
    return texts;
}

class TestFind : public QObject
{
    Q_OBJECT
private slots:
    void findAndLocate()
    {
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400));
        f.folder.writeIconSet("Set", 3);
        QCOMPARE(find(f.open(f.table("None.plt", {"bg.jpg", "Set", "[Notes]", "[End]"}))),
                 QStringList());
        // Icons 24 pixels wide at x = 20, 60, 100, ... along the top; a note at (200, 200).
        QStringList lines{"bg.jpg", "Set"};
        const QStringList texts{"Pier", "   ", " Gate ", "\t", "Cut me"};
        for (int k = 0; k < texts.size(); ++k)
            lines << texts[k] << " 1 " << " 150 " << QString(" %1 ").arg(300 + 600 * k);
        frmPlotFile *w = f.open(f.table("T.plt", lines << "[Notes]" << "Note" << "-1 " << " 3000 "
                                                       << " 3000 "));
        // The fifth icon, cut and pasted back, is listed twice.
        MouseInput::press(w, QPoint(185, 15), Qt::RightButton);
        QTest::mouseClick(w->Frame2->Command4, Qt::LeftButton);
        MouseInput::press(w, QPoint(300, 200), Qt::RightButton);
        QTest::mouseClick(w->Frame1->Command5, Qt::LeftButton);
        // Find while a placement waits: the palette closes, nothing is placed.
        QCOMPARE(find(w), (QStringList{"Pier", "[Blank]", " Gate ", "\t", "[Deleted]", "Cut me"}));
        QVERIFY(!w->Frame1->isVisible());
        QVERIFY(!w->paletteOpen);
        QCOMPARE(w->iconElementCount(), 6);

        // With the list open Pier moves and the blank one is deleted; the
        // list stays as it was, the marker goes where Pier is now.
        w->doc.Image1[1].left = 6750;
        w->doc.Image1[1].top = 4500;
        w->iconChanged(1);
        MouseInput::press(w, QPoint(65, 15), Qt::RightButton);
        QTest::mouseClick(w->Frame2->Command7, Qt::LeftButton);
        QListWidget *list = w->Frame3->List1;
        QCOMPARE(list->item(1)->text(), "[Blank]");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QVERIFY(!w->Frame3->isVisible());
        QCOMPARE(w->Shape1->geometry(), QRect(450, 300, 25, 25));
        QVERIFY(w->Shape1->isVisible());
        QVERIFY(f.services.calls.isEmpty());
        QCOMPARE(find(w)[1], "[Deleted]");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(w->Shape1->pos(), QPoint(60, 10));
        QCOMPARE(f.services.calls.size(), 1);
        QCOMPARE(f.services.calls[0].text,
                 "Old location of an icon that was deleted during this session.\r\nRecently "
                 "deleted icon pointers will be removed once you exit/save this Plot Table.");
        QCOMPARE(f.services.calls[0].title, "Quenbrack");
        QCOMPARE(f.services.calls[0].icon, MessageIcon::None);

        // The marker stays through a click on a note and a new Find, and
        // goes with a click on an icon.
        MouseInput::click(w, QPoint(205, 205));
        find(w);
        QTest::mouseClick(w->Frame3->Command9, Qt::LeftButton);
        QVERIFY(!w->Frame3->isVisible());
        QVERIFY(w->Shape1->isVisible());
        MouseInput::click(w, QPoint(105, 15));
        QVERIFY(!w->Shape1->isVisible());
        QCOMPARE(w->carriedIcon, qint16(3));
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
