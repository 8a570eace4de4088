// The plot surface as a user meets it: pop-ups that keep their presses and
// close with Escape, waits that outlast minimising, what a picked-up element
// shows, and the texts shown while the user is asked.

#include "ActionMenuFrame.h"
#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "FindPanel.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PlotView.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

namespace {

// Icons A at (200, 100) and B at (300, 100), 24 x 25 pixels; a note at
// (200, 200), on a 600 x 400 background.
const QStringList kTable = {"bg.jpg", "Set", "A", " 1 ", " 1500 ", " 3000 ",
                            "B", " 2 ", " 1500 ", " 4500 ", "[Notes]",
                            "N", "-1 ", " 3000 ", " 3000 ", "[End]"};

using MouseInput::click;
using MouseInput::move;
using MouseInput::press;
using MouseInput::release;

struct Surface : DocumentFixture
{
    Surface()
    {
        folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(600, 400), Qt::white);
        folder.writeIconSet(QStringLiteral("Set"), 12, QSize(24, 25));
        w = open(table(QStringLiteral("T.plt"), kTable));
        main->show();
        QApplication::setActiveWindow(main.get());
        w->view()->setFocus();
    }
    void escape() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }
    int elements() const
    {
        return w->document()->count(ElementKind::Icon) + w->document()->count(ElementKind::Note);
    }
    PlotWindow *w;
};

enum PopUp { Palette, Menu, Find };

// Opens a pop-up the way the user does.
void openPopUp(PlotWindow *w, PopUp popUp)
{
    if (popUp == Menu) {
        press(w, QPoint(205, 105), Qt::RightButton);
        return;
    }
    press(w, QPoint(150, 60), Qt::RightButton);
    if (popUp == Find)
        QTest::mouseClick(w->palette()->findButton(), Qt::LeftButton);
}

QWidget *frameOf(PlotWindow *w, PopUp popUp)
{
    return popUp == Palette ? static_cast<QWidget *>(w->palette())
           : popUp == Menu ? static_cast<QWidget *>(w->actionMenuFrame())
                                 : static_cast<QWidget *>(w->findPanel());
}

} // namespace

Q_DECLARE_METATYPE(PopUp)

class TestSurface : public QObject
{
    Q_OBJECT
private slots:
    void framesKeepTheirPresses_data()
    {
        // A right press on a frame's own area, over something that would
        // open a pop-up of its own.
        QTest::addColumn<PopUp>("popUp");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("action menu's grey area") << Menu << QPoint(229, 150);
        QTest::newRow("palette's margin over icon B") << Palette << QPoint(310, 110);
        QTest::newRow("Find panel's caption") << Find << QPoint(100, 8);
    }

    void framesKeepTheirPresses()
    {
        QFETCH(PopUp, popUp);
        QFETCH(QPoint, at);
        Surface f;
        openPopUp(f.w, popUp);
        const bool paletteWasOpen = f.w->palette()->isVisible();
        click(f.w, at, Qt::RightButton);
        QCOMPARE(f.w->palette()->isVisible(), paletteWasOpen);
        QVERIFY(frameOf(f.w, popUp)->isVisible());
        QCOMPARE(f.w->actionMenuFrame()->isVisible(), popUp == Menu);
    }

    void escapeCloses_data()
    {
        QTest::addColumn<PopUp>("popUp");
        QTest::newRow("palette") << Palette;
        QTest::newRow("action menu") << Menu;
        QTest::newRow("Find panel") << Find;
    }

    void escapeCloses()
    {
        QFETCH(PopUp, popUp);
        Surface f;
        openPopUp(f.w, popUp);
        QVERIFY(frameOf(f.w, popUp)->isVisible());
        f.escape();
        QVERIFY(!frameOf(f.w, popUp)->isVisible());
        QVERIFY(!f.w->placing()->isWaiting());
        QVERIFY(!f.w->actionMenu()->isWaiting());
        QCOMPARE(f.elements(), 3);
        QVERIFY(f.w->document()->element(ElementKind::Icon, 1).live);
        QVERIFY(f.services.calls.isEmpty());
    }

    void minimisingKeepsTheWait_data()
    {
        QTest::addColumn<PopUp>("popUp");
        QTest::newRow("palette") << Palette;
        QTest::newRow("action menu") << Menu;
    }

    void minimisingKeepsTheWait()
    {
        QFETCH(PopUp, popUp);
        Surface f;
        openPopUp(f.w, popUp);
        auto *frame = qobject_cast<QMdiSubWindow *>(f.w->parentWidget());
        frame->showMinimized();
        QVERIFY(!frameOf(f.w, popUp)->isVisible());
        frame->showNormal();
        QVERIFY(frameOf(f.w, popUp)->isVisible());
        if (popUp == Palette) {
            QTest::mouseClick(f.w->palette()->slot(1), Qt::LeftButton);
            QCOMPARE(f.elements(), 4);
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
        openPopUp(f.w, Palette);
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
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
