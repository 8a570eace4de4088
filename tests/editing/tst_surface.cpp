// The plot surface as a user meets it, by mouse and by keys: pop-ups that keep
// their presses and close with Escape, waits that outlast minimising, what a
// picked-up element shows, the texts shown while the user is asked, and the
// selection the keys and the menu bar act on. The journeys "surface" and
// "flow" make the plain rounds (a carry, the action menu's grey area, Escape
// on the palette and the menu, Tab and an arrow); these are the cases around them.

#include "ActionMenuFrame.h"
#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "FindPanel.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PlotView.h"
#include "Selection.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QUndoStack>
#include <QtTest>

namespace {


using MouseInput::click;
using MouseInput::move;
using MouseInput::press;
using MouseInput::release;

// Icons A (200, 100), B (300, 100) and C (576, 100), 24 x 25 pixels, and a
// note N at (200, 200), on a 600 x 400 picture.
struct Surface : DocumentFixture
{
    explicit Surface(const QString &background = "bg.jpg")
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
    void escape() { keys("Esc"); }
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
    int elements() const
    {
        return w->document()->count(ElementKind::Icon) + w->document()->count(ElementKind::Note);
    }
    PlotWindow *w;
};

// Opens "palette", "menu" or "find" the way the user does, and returns its frame.
QWidget *openPopUp(PlotWindow *w, const QString &popUp)
{
    if (popUp == "menu") {
        press(w, QPoint(205, 105), Qt::RightButton);
        return w->actionMenuFrame();
    }
    press(w, QPoint(150, 60), Qt::RightButton);
    if (popUp == "palette")
        return w->palette();
    QTest::mouseClick(w->palette()->findButton(), Qt::LeftButton);
    return w->findPanel();
}

} // namespace

class TestSurface : public QObject
{
    Q_OBJECT
private slots:
    void framesKeepTheirPresses_data()
    {
        // A right press on a frame's own area, over something that would
        // open a pop-up of its own; then Escape closes it, doing nothing.
        QTest::addColumn<QString>("popUp");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("palette's margin over icon B") << "palette" << QPoint(310, 110);
        QTest::newRow("Find panel's caption") << "find" << QPoint(100, 8);
    }

    void framesKeepTheirPresses()
    {
        QFETCH(QString, popUp);
        QFETCH(QPoint, at);
        Surface f;
        QWidget *frame = openPopUp(f.w, popUp);
        const bool paletteWasOpen = f.w->palette()->isVisible();
        click(f.w, at, Qt::RightButton);
        QCOMPARE(f.w->palette()->isVisible(), paletteWasOpen);
        QVERIFY(frame->isVisible());
        QVERIFY(!f.w->actionMenuFrame()->isVisible());
        f.escape();
        QVERIFY(!frame->isVisible());
        QVERIFY(!f.w->placing()->isWaiting());
        QCOMPARE(f.elements(), 4);
        QVERIFY(f.services.calls.isEmpty());
    }

    void minimisingKeepsTheWait_data()
    {
        QTest::addColumn<QString>("popUp");
        QTest::newRow("palette") << "palette";
        QTest::newRow("action menu") << "menu";
    }

    void minimisingKeepsTheWait()
    {
        QFETCH(QString, popUp);
        Surface f;
        QWidget *popUpFrame = openPopUp(f.w, popUp);
        auto *frame = qobject_cast<QMdiSubWindow *>(f.w->parentWidget());
        frame->showMinimized();
        QVERIFY(!popUpFrame->isVisible());
        frame->showNormal();
        QVERIFY(popUpFrame->isVisible());
        if (popUp == "palette") {
            QTest::mouseClick(f.w->palette()->slot(1), Qt::LeftButton);
            QCOMPARE(f.elements(), 5);
        } else {
            QTest::mouseClick(f.w->actionMenuFrame()->deleteButton(), Qt::LeftButton);
            QVERIFY(!f.w->document()->element(ElementKind::Icon, 1).live);
        }
    }

    void pickedUpElementShowsIt()
    {
        Surface f;
        QWidget *viewport = f.w->view()->viewport();
        const QImage before = viewport->grab().toImage();
        QSignalSpy started(f.w->carrying(), &Carrying::carryStarted);
        QSignalSpy ended(f.w->carrying(), &Carrying::carryEnded);
        move(f.w, QPoint(210, 110), Qt::NoButton);
        QCOMPARE(viewport->cursor().shape(), Qt::OpenHandCursor);
        press(f.w, QPoint(210, 110), Qt::LeftButton);
        // An outline just outside the icon, which is not there before.
        const QImage picked = viewport->grab().toImage();
        QVERIFY(picked.pixelColor(198, 98) != before.pixelColor(198, 98));
        QCOMPARE(picked.pixelColor(210, 110), before.pixelColor(210, 110));
        for (int x = 250; x <= 290; x += 20)
            move(f.w, QPoint(x, 150), Qt::LeftButton);
        QCOMPARE(viewport->cursor().shape(), Qt::ClosedHandCursor);
        release(f.w, QPoint(290, 150), Qt::LeftButton);
        QCOMPARE(started.count(), 1); // one carry, however many moves
        QCOMPARE(ended.count(), 1);
        QCOMPARE(viewport->cursor().shape(), Qt::OpenHandCursor);

        // Hovering the picked-up icon shows its text.
        QHelpEvent help(QEvent::ToolTip, QPoint(295, 155), viewport->mapToGlobal(QPoint(295, 155)));
        QApplication::sendEvent(viewport, &help);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("A"));
        QToolTip::hideText();

        move(f.w, QPoint(500, 300), Qt::NoButton); // puts it down, still selected
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.w->carrying()->carriedIcon(), 0);
        QVERIFY(viewport->grab().toImage().pixelColor(288, 148) != before.pixelColor(288, 148));
        f.escape();
        QCOMPARE(viewport->grab().toImage().pixelColor(288, 148), before.pixelColor(288, 148));
    }

    void textsShownWhileAsked()
    {
        Surface f;
        // The palette names its slots; a new note says "Note" until answered.
        openPopUp(f.w, "palette");
        QCOMPARE(f.w->palette()->slot(3)->toolTip(), QStringLiteral("Icon 3"));
        f.w->palette()->pageScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(f.w->palette()->slot(2)->toolTip(), QStringLiteral("Icon 12"));
        QString shownWhileAsked;
        f.services.onInput([&](const ScriptedServices::Call &) {
            shownWhileAsked = f.w->document()->element(ElementKind::Note, 2).text;
        });
        QTest::mouseClick(f.w->palette()->notePicture(), Qt::LeftButton);
        QCOMPARE(shownWhileAsked, QStringLiteral("Note"));
        QCOMPARE(f.w->document()->element(ElementKind::Note, 2).text, QString()); // Cancel
    }
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
        Surface f;
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
        Surface f(background);
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
        Surface f;
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
        QTest::addColumn<QPoint>("at"); // clicked after the pointer went on, without a button
        QTest::addColumn<QString>("selected");
        QTest::newRow("background") << QPoint(400, 300) << "-";
        QTest::newRow("note") << QPoint(205, 205) << "N1";
    }

    void selectionLasts()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, selected);
        Surface f;
        click(f.w, QPoint(205, 105));
        move(f.w, QPoint(400, 300), Qt::NoButton); // ends the carry only
        click(f.w, at);
        QCOMPARE(f.selected(), selected);
        QCOMPARE(f.main->editAction()->isEnabled(), selected != "-");
        QCOMPARE(f.w->view()->accessibleDescription(), selected == "N1" ? "N" : "");
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
        Surface f;
        f.services.answerInput("renamed");
        click(f.w, QPoint(305, 105));
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(305, 105), QPointF(),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.w->view()->viewport(), &twice);
        move(f.w, releasedAt, Qt::LeftButton);
        release(f.w, releasedAt, Qt::LeftButton);
        QTest::qWait(20);
        QCOMPARE(f.w->document()->element(ElementKind::Icon, 2).text, text);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
