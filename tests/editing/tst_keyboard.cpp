// Editing without the mouse, and the selection that the menu bar and the
// keys act on: Tab's order, a burst of arrow presses as one step, the Menu
// key, the palette by keyboard, pop-ups kept whole inside the view.

#include "ActionMenuFrame.h"
#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "KeyboardEditing.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PinnedFrames.h"
#include "Selection.h"

#include <QPushButton>
#include <QUndoStack>
#include <QtTest>

namespace {

// Icons 1 (200, 100), 2 (300, 100), 3 (576, 100) and a note at (200, 200)
// on a 600 x 400 picture; icons are 24 x 25 pixels.
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
    void key(const QString &name)
    {
        const QKeySequence sequence(name);
        QTest::keyClick(QApplication::focusWidget(), sequence[0].key(), sequence[0].keyboardModifiers());
    }
    QString selected() const
    {
        const PlotView::Target t = w->pickedUp();
        return t.kind == PlotView::Target::Icon ? QString("I%1").arg(t.element)
               : t.kind == PlotView::Target::Note ? QString("N%1").arg(t.element) : "-";
    }
    QPoint place(ElementKind kind, int n) const
    {
        const PlotElement &e = w->document()->element(kind, n);
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
        QTest::addColumn<QString>("selected"); // after each key
        QTest::newRow("icons, then notes, round") << "Tab Tab Tab Tab Tab" << "I1 I3 N1 I1 I3";
        QTest::newRow("backwards from none") << "Shift+Tab Shift+Tab Shift+Tab" << "N1 I3 I1";
        QTest::newRow("Escape ends it") << "Tab Esc Tab" << "I1 - I1";
    }

    void tabOrder()
    {
        QFETCH(QString, keys);
        QFETCH(QString, selected);
        Keys f;
        f.w->document()->remove(ElementKind::Icon, 2); // no longer on the table
        QStringList seen;
        for (const QString &key : keys.split(' ')) {
            f.key(key == "Shift+Tab" ? "Shift+Backtab" : key);
            seen << f.selected();
        }
        QCOMPARE(seen.join(' '), selected);
    }

    void arrowsMove_data()
    {
        QTest::addColumn<QString>("background");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("pixels and tens") << "bg.jpg" << 1 << "Right Right Shift+Down Left" << QPoint(201, 110);
        QTest::newRow("kept on the picture") << "bg.jpg" << 3 << "Shift+Right Shift+Right Shift+Right" << QPoint(599, 100);
        // The picture's size is not known: no right edge holds it back.
        QTest::newRow("picture missing") << "gone.jpg" << 3 << "Shift+Right Shift+Right Shift+Right" << QPoint(606, 100);
    }

    void arrowsMove()
    {
        QFETCH(QString, background);
        QFETCH(int, icon);
        QFETCH(QString, keys);
        QFETCH(QPoint, to);
        Keys f(background);
        const QPoint from = f.place(ElementKind::Icon, icon);
        f.w->selection()->select({PlotView::Target::Icon, icon});
        QUndoStack *history = f.w->document()->undoStack();
        for (const QString &key : keys.split(' '))
            f.key(key);
        QCOMPARE(f.place(ElementKind::Icon, icon), to);
        QCOMPARE(history->count(), 1); // one burst, one step
        history->undo();
        QCOMPARE(f.place(ElementKind::Icon, icon), from);
        // Another step in between starts a new one.
        history->redo();
        f.w->document()->edit(ElementKind::Note, 1, "edited");
        f.key("Down");
        QCOMPARE(history->count(), 3);
    }

    void menuKey()
    {
        // With an element selected: its action menu, its Edit focused.
        Keys f;
        f.key("Tab");
        f.key("Menu");
        QVERIFY(f.w->actionMenuFrame()->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.w->actionMenuFrame()->editButton());
        f.key("Down");
        QCOMPARE(QApplication::focusWidget(), f.w->actionMenuFrame()->cutButton());
        f.key("Return");
        QVERIFY(!f.w->document()->element(ElementKind::Icon, 1).live);
        QCOMPARE(QApplication::focusWidget(), f.w->view());
        // Without: the palette at the centre of what shows, its first
        // slot focused; Page Down pages, Return places what has the focus.
        f.key("Shift+F10");
        PaletteFrame *palette = f.w->palette();
        QVERIFY(palette->isVisible());
        QCOMPARE(QApplication::focusWidget(), palette->slot(1));
        f.key("Right");
        f.key("PgDown");
        QCOMPARE(QApplication::focusWidget(), palette->slot(2));
        f.services.answerInput("by keys");
        f.key("Return");
        const int placed = f.w->document()->count(ElementKind::Icon);
        QCOMPARE(f.w->document()->element(ElementKind::Icon, placed).number, 12);
        const QPoint centre = PinnedFrames::visiblePart(f.w->view()->viewport()).center();
        QCOMPARE(f.place(ElementKind::Icon, placed), f.w->view()->mapToScene(centre).toPoint());
        QCOMPARE(QApplication::focusWidget(), f.w->view());
    }

    void selectionLasts_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("selected");
        QTest::newRow("pointer to the menu bar") << "away" << "I1";
        QTest::newRow("background clicked") << "background" << "-";
        QTest::newRow("another picked up") << "note" << "N1";
        QTest::newRow("cut") << "cut" << "-";
    }

    void selectionLasts()
    {
        QFETCH(QString, then);
        QFETCH(QString, selected);
        Keys f;
        MouseInput::click(f.w, QPoint(205, 105));
        MouseInput::move(f.w, QPoint(400, 300), Qt::NoButton); // ends the carry only
        QCOMPARE(f.w->carrying()->carriedIcon(), 0);
        if (then == "background")
            MouseInput::click(f.w, QPoint(400, 300));
        if (then == "note")
            MouseInput::click(f.w, QPoint(205, 205));
        if (then == "cut")
            f.main->cutAction()->trigger();
        QCOMPARE(f.selected(), selected);
        for (QAction *a : {f.main->editAction(), f.main->cutAction(), f.main->deleteAction()})
            QCOMPARE(a->isEnabled(), selected != "-");
        QCOMPARE(f.w->view()->accessibleDescription(), QString(selected == "I1" ? "A" : selected == "N1" ? "N" : ""));
    }

    void doubleClickEdits()
    {
        Keys f;
        f.services.answerInput("renamed");
        QTest::mouseDClick(f.w->view()->viewport(), Qt::LeftButton, {}, QPoint(305, 105));
        QTRY_COMPARE(f.w->document()->element(ElementKind::Icon, 2).text, QString("renamed"));
        QCOMPARE(f.services.callsOf("askText").size(), 1);
        QCOMPARE(f.services.callsOf("askText")[0].title, QString("Icon Name"));
    }

    void popUpsShowWhole_data()
    {
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<bool>("palette");
        QTest::newRow("palette at the bottom right") << QPoint(590, 395) << true;
        QTest::newRow("palette in the open") << QPoint(20, 20) << true;
        QTest::newRow("action menu at the right edge") << QPoint(580, 105) << false;
    }

    void popUpsShowWhole()
    {
        QFETCH(QPoint, click);
        QFETCH(bool, palette);
        Keys f;
        MouseInput::press(f.w, click, Qt::RightButton);
        QWidget *frame = palette ? static_cast<QWidget *>(f.w->palette()) : f.w->actionMenuFrame();
        const QRect shown = f.w->view()->viewport()->rect();
        QVERIFY(frame->isVisible());
        QVERIFY(shown.contains(frame->geometry()));
        // Moved in no further than it takes.
        const QPoint wanted = palette ? click : QPoint(600, 100);
        QCOMPARE(frame->x(), qMin(wanted.x(), shown.width() - frame->width()));
        QCOMPARE(frame->y(), qMin(wanted.y(), shown.height() - frame->height()));
        if (palette)
            QCOMPARE(f.w->placing()->palettePoint(), QPointF(click * 15));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
