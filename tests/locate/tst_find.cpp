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
static QStringList find(PlotWindow *w)
{
    MouseInput::press(w, QPoint(500, 350), Qt::RightButton);
    QTest::mouseClick(w->palette()->findButton(), Qt::LeftButton);
    QStringList texts;
    for (int row = 0; row < w->findPanel()->list()->count(); ++row)
        texts << w->findPanel()->list()->item(row)->text();
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
        PlotWindow *w = f.open(f.table("T.plt", lines << "[Notes]" << "Note" << "-1 " << " 3000 "
                                                       << " 3000 "));
        // The fifth icon, cut and pasted back, is listed twice.
        MouseInput::press(w, QPoint(185, 15), Qt::RightButton);
        QTest::mouseClick(w->actionMenuFrame()->cutButton(), Qt::LeftButton);
        MouseInput::press(w, QPoint(300, 200), Qt::RightButton);
        QTest::mouseClick(w->palette()->pasteButton(), Qt::LeftButton);
        // Find while a placement waits: the palette closes, nothing is placed.
        QCOMPARE(find(w), (QStringList{"Pier", "[Blank]", " Gate ", "\t", "[Deleted]", "Cut me"}));
        QVERIFY(!w->palette()->isVisible());
        QVERIFY(!w->placing()->isWaiting());
        QCOMPARE(w->document()->count(ElementKind::Icon), 6);

        // With the list open Pier moves and the blank one, moved out from
        // under the panel, is deleted; the list stays as it was, the marker
        // goes where Pier is now.
        w->document()->move(ElementKind::Icon, 1, QPointF(6750, 4500));
        w->document()->move(ElementKind::Icon, 2, QPointF(6750, 3000));
        MouseInput::press(w, QPoint(455, 205), Qt::RightButton);
        QTest::mouseClick(w->actionMenuFrame()->deleteButton(), Qt::LeftButton);
        QListWidget *list = w->findPanel()->list();
        QCOMPARE(list->item(1)->text(), "[Blank]");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QVERIFY(!w->findPanel()->isVisible());
        QCOMPARE(w->locateMarker()->geometry(), QRect(450, 300, 25, 25));
        QVERIFY(w->locateMarker()->isVisible());
        QVERIFY(f.services.calls.isEmpty());
        QCOMPARE(find(w)[1], "[Deleted]");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(w->locateMarker()->pos(), QPoint(450, 200));
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
        QTest::mouseClick(w->findPanel()->closeButton(), Qt::LeftButton);
        QVERIFY(!w->findPanel()->isVisible());
        QVERIFY(w->locateMarker()->isVisible());
        MouseInput::click(w, QPoint(105, 15));
        QVERIFY(!w->locateMarker()->isVisible());
        QCOMPARE(w->carrying()->carriedIcon(), qint16(3));
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
