// Editing without the mouse, and the selection the keys and the menu bar
// act on. The end-to-end journey "flow" makes the plain round (Tab, an
// arrow, the palette at the centre); these are the cases around it.

#include "ActionMenuFrame.h"
#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "Selection.h"

#include <QPushButton>
#include <QUndoStack>
#include <QtTest>

namespace {

// Icons 1 (200, 100), 2 (300, 100) and 3 (576, 100), 24 x 25 pixels, and a
// note at (200, 200), on a 600 x 400 picture.
struct Keys : DocumentFixture
{
    explicit Keys(const QString &background = "bg.jpg")
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400), Qt::white);
        folder.writeIconSet("Set", 12, QSize(24, 25));
        w = open(table("T.plt", {background, "Set", "A", " 1 ", " 1500 ", " 3000 ", "B", " 2 ",
                                 " 1500 ", " 4500 ", "C", " 3 ", " 1500 ", " 8640 ", "[Notes]",
                                 "N", "-1 ", " 3000 ", " 3000 ", "[End]"}));
        main->show();
        QApplication::setActiveWindow(main.get());
        w->view()->setFocus();
    }
    void keys(const QString &names)
    {
        for (const QString &name : names.split(' ')) {
            const QKeyCombination key = QKeySequence(name)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
    }
    QString selected() const
    {
        const PlotView::Target t = w->pickedUp();
        return t.kind == PlotView::Target::Background ? "-"
               : QString(t.kind == PlotView::Target::Icon ? "I%1" : "N%1").arg(t.element);
    }
    QPoint place(int icon) const
    {
        const PlotElement &e = w->document()->element(ElementKind::Icon, icon);
        return QPoint(qRound(e.left / 15), qRound(e.top / 15));
    }
    PlotWindow *w;
};

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void tabOrder_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("selected");
        QTest::newRow("icons, then notes") << "Tab Tab Tab" << "N1";
        QTest::newRow("round again") << "Tab Tab Tab Tab" << "I1";
        QTest::newRow("back from none") << "Shift+Backtab Shift+Backtab" << "I3";
        QTest::newRow("Escape ends it") << "Tab Esc" << "-";
    }

    void tabOrder()
    {
        QFETCH(QString, keys);
        QFETCH(QString, selected);
        Keys f;
        f.w->document()->remove(ElementKind::Icon, 2); // skipped: off the table
        f.keys(keys);
        QCOMPARE(f.selected(), selected);
    }

    void arrowsMove_data()
    {
        QTest::addColumn<QString>("background");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("pixels and tens") << "bg.jpg" << 1 << "Right Right Shift+Down Left" << QPoint(201, 110);
        QTest::newRow("kept on the picture") << "bg.jpg" << 3 << "Shift+Right Shift+Right Shift+Right" << QPoint(599, 100);
        // No picture, no known right edge: nothing holds the icon back.
        QTest::newRow("picture missing") << "gone.jpg" << 3 << "Shift+Right Shift+Right Shift+Right" << QPoint(606, 100);
    }

    void arrowsMove()
    {
        QFETCH(QString, background);
        QFETCH(int, icon);
        QFETCH(QString, keys);
        QFETCH(QPoint, to);
        Keys f(background);
        const QPoint from = f.place(icon);
        f.w->selection()->select({PlotView::Target::Icon, icon});
        f.keys(keys);
        QCOMPARE(f.place(icon), to);
        QUndoStack *history = f.w->document()->undoStack();
        QCOMPARE(history->count(), 1); // one burst, one step
        history->undo();
        QCOMPARE(f.place(icon), from);
        history->redo(); // another step in between starts a new one
        f.w->document()->edit(ElementKind::Note, 1, "edited");
        f.keys("Down");
        QCOMPARE(history->count(), 3);
    }

    void menusByKeyboard()
    {
        Keys f;
        f.keys("Tab Menu Down");
        QCOMPARE(QApplication::focusWidget(), f.w->actionMenuFrame()->cutButton());
        f.keys("Return");
        QVERIFY(!f.w->document()->element(ElementKind::Icon, 1).live);
        QCOMPARE(QApplication::focusWidget(), f.w->view());
        // The palette: Page Down keeps the focus on the slot, now icon 12.
        f.keys("Shift+F10 Right PgDown");
        QCOMPARE(QApplication::focusWidget(), f.w->palette()->slot(2));
        f.keys("Esc");
        QVERIFY(!f.w->palette()->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.w->view());
    }

    void selectionLasts_data()
    {
        QTest::addColumn<QPoint>("click"); // after the pointer went on, without a button
        QTest::addColumn<QString>("selected");
        QTest::newRow("no click") << QPoint() << "I1";
        QTest::newRow("background") << QPoint(400, 300) << "-";
        QTest::newRow("note") << QPoint(205, 205) << "N1";
    }

    void selectionLasts()
    {
        QFETCH(QPoint, click);
        QFETCH(QString, selected);
        Keys f;
        MouseInput::click(f.w, QPoint(205, 105));
        MouseInput::move(f.w, QPoint(400, 300), Qt::NoButton); // ends the carry only
        if (!click.isNull())
            MouseInput::click(f.w, click);
        QCOMPARE(f.selected(), selected);
        QCOMPARE(f.main->editAction()->isEnabled(), selected != "-");
        QCOMPARE(f.w->view()->accessibleDescription(), selected == "I1" ? "A" : selected == "N1" ? "N" : "");
    }

    void doubleClickEdits_data()
    {
        QTest::addColumn<QPoint>("releasedAt");
        QTest::addColumn<QString>("text");
        QTest::newRow("double-click") << QPoint(305, 105) << "renamed";
        QTest::newRow("click, then a drag") << QPoint(360, 160) << "B";
    }

    void doubleClickEdits()
    {
        // As the window system sends one: click, press again (a double
        // click), then moves and a release.
        QFETCH(QPoint, releasedAt);
        QFETCH(QString, text);
        Keys f;
        f.services.answerInput("renamed");
        MouseInput::click(f.w, QPoint(305, 105));
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(305, 105), QPointF(),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.w->view()->viewport(), &twice);
        MouseInput::move(f.w, releasedAt, Qt::LeftButton);
        MouseInput::release(f.w, releasedAt, Qt::LeftButton);
        QTest::qWait(20);
        QCOMPARE(f.w->document()->element(ElementKind::Icon, 2).text, text);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
