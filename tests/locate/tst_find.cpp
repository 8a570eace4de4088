// Find: the list of a window's icons and the marker on the chosen one.
// Typing a filter and Return, with the marker scrolled into view: e2e_surface.

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

namespace {

QStringList listed(PlotWindow *w)
{
    QStringList texts;
    for (int row = 0; row < w->findPanel()->list()->count(); ++row)
        texts << w->findPanel()->list()->item(row)->text();
    return texts;
}

// Find from the palette; the list's texts.
QStringList find(PlotWindow *w)
{
    MouseInput::rightClickThen(w, QPoint(500, 350), w->palette()->findButton());
    return listed(w);
}

void clickRow(PlotWindow *w, int row)
{
    QListWidget *list = w->findPanel()->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Icons with these texts at top 150 twips, left `first`, `first` + `step`, ...
PlotWindow *openIcons(DocumentFixture &f, const QString &name, const QStringList &texts, int first,
                      int step, const QStringList &notes = {})
{
    f.folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400));
    f.folder.writeIconSet("Set", 3);
    QStringList lines{"bg.jpg", "Set"};
    for (int k = 0; k < texts.size(); ++k)
        lines << texts[k] << " 1 " << " 150 " << QString(" %1 ").arg(first + step * k);
    return f.open(f.table(name, lines << "[Notes]" << notes));
}

} // namespace

class TestFind : public QObject
{
    Q_OBJECT
private slots:
    void findAndLocate()
    {
        DocumentFixture f;
        QCOMPARE(find(openIcons(f, "None.plt", {}, 0, 0)), QStringList());
        // Icons 24 pixels wide at x = 20, 60, 100, ... along the top; a note at (200, 200).
        PlotWindow *w = openIcons(f, "T.plt", {"Pier", "   ", " Gate ", "\t", "Cut me"}, 300, 600,
                                  {"Note", "-1 ", " 3000 ", " 3000 "});
        // The fifth icon, cut and pasted back, is listed twice. Find while a placement waits: the
        // palette closes, nothing is placed.
        MouseInput::rightClickThen(w, QPoint(185, 15), w->actionMenuFrame()->cutButton());
        MouseInput::rightClickThen(w, QPoint(300, 200), w->palette()->pasteButton());
        QCOMPARE(find(w), (QStringList{"Pier", "[Blank]", " Gate ", "\t", "[Deleted]", "Cut me"}));
        QVERIFY(!w->palette()->isVisible() && !w->placing()->isWaiting());
        QCOMPARE(w->document()->count(ElementKind::Icon), 6);
        // With the list open Pier moves and the blank one, moved out from under the panel, is
        // deleted; the list stays as it was, the marker goes where Pier is now.
        w->document()->move(ElementKind::Icon, 1, QPointF(6750, 4500));
        w->document()->move(ElementKind::Icon, 2, QPointF(6750, 3000));
        MouseInput::rightClickThen(w, QPoint(455, 205), w->actionMenuFrame()->deleteButton());
        QCOMPARE(listed(w)[1], "[Blank]");
        clickRow(w, 0);
        QVERIFY(!w->findPanel()->isVisible());
        QCOMPARE(w->locateMarker()->geometry(), QRect(450, 300, 25, 25));
        QVERIFY(w->locateMarker()->isVisible() && f.services.calls.isEmpty());
        QCOMPARE(find(w)[1], "[Deleted]");
        clickRow(w, 1);
        QCOMPARE(w->locateMarker()->pos(), QPoint(450, 200));
        QVERIFY(f.services.calls.size() == 1 && f.services.calls[0].icon == MessageIcon::None
                && f.services.calls[0].title == "Quenbrack");
        QCOMPARE(f.services.calls[0].text,
                 "Old location of an icon that was deleted during this session.\r\nRecently "
                 "deleted icon pointers will be removed once you exit/save this Plot Table.");
        // The marker stays through a click on a note and a new Find, and goes with a click on an icon.
        MouseInput::click(w, QPoint(205, 205));
        find(w);
        QTest::mouseClick(w->findPanel()->closeButton(), Qt::LeftButton);
        QVERIFY(!w->findPanel()->isVisible() && w->locateMarker()->isVisible());
        MouseInput::click(w, QPoint(105, 15));
        QVERIFY(!w->locateMarker()->isVisible());
        QCOMPARE(w->carrying()->carriedIcon(), 3);
    }

    void filterAndKeys_data()
    {
        // Typed into the filter field, then keys; the icon marked, 0 for none.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("marked");
        const QStringList piers{"North Pier", "pier head"};
        QTest::newRow("nothing typed: every entry, Down twice")
            << "" << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}
            << QStringList{"North Pier", "Gate", "pier head", "[Blank]"} << 2;
        QTest::newRow("narrowed, Down, Enter") << "PIER" << QList<int>{Qt::Key_Down, Qt::Key_Enter} << piers << 3;
        QTest::newRow("no match: Enter does nothing") << "quay" << QList<int>{Qt::Key_Return} << QStringList{} << 0;
        QTest::newRow("Escape closes the panel") << "pier" << QList<int>{Qt::Key_Escape} << piers << 0;
    }

    void filterAndKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, keys);
        QFETCH(QStringList, shown);
        QFETCH(int, marked);
        DocumentFixture f;
        // Icons at x = 40, 140, 240, 340 along the top.
        PlotWindow *w = openIcons(f, "T.plt", {"North Pier", "Gate", "pier head", ""}, 600, 1500);
        f.main->show();
        QApplication::setActiveWindow(f.main.get());
        find(w);
        QCOMPARE(QApplication::focusWidget(), w->findPanel()->filterField());
        QTest::keyClicks(w->findPanel()->filterField(), typed);
        QCOMPARE(listed(w), shown);
        for (int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(w->locateMarker()->isVisible(), marked != 0);
        QCOMPARE(w->findPanel()->isVisible(), marked == 0 && keys.last() != Qt::Key_Escape);
        if (marked) {
            QCOMPARE(w->locateMarker()->pos(), QPoint((600 + 1500 * (marked - 1)) / 15, 10));
            MouseInput::click(w, QPoint(500, 50)); // the bare background takes the marker away
            QVERIFY(!w->locateMarker()->isVisible());
        }
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
