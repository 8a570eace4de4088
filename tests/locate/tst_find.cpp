// Find: the list of a window's icons and the marker on the chosen one.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "MouseInput.h"
#include "PaletteFrame.h"

#include <QLineEdit>
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

    void filterAndKeys_data()
    {
        // Typed into the filter field, then keys; the icon marked, 0 for none.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("marked");
        const QStringList all{"North Pier", "Gate", "pier head", "[Blank]"};
        QTest::newRow("nothing typed: every entry, Down twice")
            << "" << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << all << 2;
        QTest::newRow("narrowed without regard to case")
            << "PIER" << QList<int>{Qt::Key_Down, Qt::Key_Enter}
            << QStringList{"North Pier", "pier head"} << 3;
        QTest::newRow("Enter takes the first match") << "gat" << QList<int>{Qt::Key_Return}
                                                     << QStringList{"Gate"} << 2;
        QTest::newRow("no match: Enter does nothing") << "quay" << QList<int>{Qt::Key_Return}
                                                      << QStringList{} << 0;
        QTest::newRow("Escape closes the panel") << "pier" << QList<int>{Qt::Key_Escape}
                                                 << QStringList{"North Pier", "pier head"} << 0;
    }

    void filterAndKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, keys);
        QFETCH(QStringList, listed);
        QFETCH(int, marked);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400));
        f.folder.writeIconSet("Set", 3);
        QStringList lines{"bg.jpg", "Set"};
        const QStringList texts{"North Pier", "Gate", "pier head", ""};
        for (int k = 0; k < texts.size(); ++k)
            lines << texts[k] << " 1 " << " 4500 " << QString(" %1 ").arg(600 + 1500 * k);
        PlotWindow *w = f.open(f.table("T.plt", lines << "[Notes]" << "[End]"));
        f.main->show();
        QApplication::setActiveWindow(f.main.get());
        find(w);
        QLineEdit *field = w->findPanel()->filterField();
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClicks(field, typed);
        QListWidget *list = w->findPanel()->list();
        QStringList shown;
        for (int row = 0; row < list->count(); ++row)
            shown << list->item(row)->text();
        QCOMPARE(shown, listed);
        for (int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(w->locateMarker()->isVisible(), marked != 0);
        QCOMPARE(w->findPanel()->isVisible(), marked == 0 && keys.last() != Qt::Key_Escape);
        if (marked) {
            QCOMPARE(w->locateMarker()->pos(), QPoint((600 + 1500 * (marked - 1)) / 15, 300));
            // A click on the bare background takes the marker away.
            MouseInput::click(w, QPoint(500, 50));
            QVERIFY(!w->locateMarker()->isVisible());
        }
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
