// The plot surface by mouse and keys, through the real widgets, around the plain rounds that the journeys
// "session", "surface" and "flow" make (a carry, the palette, the action menu, Escape, Tab and an arrow, a
// paste refused by another icon set).

#include "ActionMenuFrame.h"
#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "FindPanel.h"
#include "IconItem.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PlotView.h"
#include "Selection.h"

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

// "I2" for icon 2, "N1" for note 1, "-" for the background.
QString named(PlotView::Target t)
{
    return t.kind == PlotView::Target::Background ? "-"
                                                  : QString(t.kind == PlotView::Target::Icon ? "I%1" : "N%1").arg(t.element);
}

// Icons A (200, 100) and B (300, 100), notes N (200, 200) and Five (300, 200), the latter read with the
// number 5, on a 600 x 400 picture.
const QStringList kTable = {"bg.jpg", "BasicSet", "A", " 1 ", " 1500 ", " 3000 ", "B", " 2 ", " 1500 ",
                            " 4500 ", "[Notes]", "N", "-1 ", " 3000 ", " 3000 ", "Five", " 5 ", " 4500 ",
                            " 3000 ", "[End]"};

struct Editing : DocumentFixture
{
    Editing()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400));
        folder.writeIconSet("BasicSet", 25);
        folder.writeIconSet("Other", 5);
    }
    PlotWindow *openTable(const QString &name, const QStringList &lines = kTable) { return open(table(name, lines)); }
    QStringList saved(PlotWindow *w)
    {
        const QString path = w->path();
        close(w);
        return QString::fromLatin1(folder.readBytes(path)).split("\r\n");
    }
};

// Icons A (200, 100), B (300, 100) and C (576, 100), 24 x 25 pixels, and a note N at (200, 200), on a white
// 600 x 400 picture, in the active window.
struct Surface : DocumentFixture
{
    explicit Surface(const QString &background = "bg.jpg")
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400), Qt::white);
        folder.writeIconSet("Set", 12, QSize(24, 25));
        w = open(table("T.plt", {background, "Set", "A", " 1 ", " 1500 ", " 3000 ", "B", " 2 ", " 1500 ",
                                 " 4500 ", "C", " 3 ", " 1500 ", " 8640 ", "[Notes]", "N", "-1 ", " 3000 ",
                                 " 3000 ", "[End]"}));
        main->show();
        QApplication::setActiveWindow(main.get());
        w->view()->setFocus();
    }
    void keys(const QString &names)
    {
        for (const QString &name : names.split(' ', Qt::SkipEmptyParts)) {
            const QKeyCombination key = QKeySequence(name)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
    }
    QString selected() const { return named(w->pickedUp()); }
    QPoint place(int icon) const
    {
        const PlotElement &e = w->document()->element(ElementKind::Icon, icon);
        return QPoint(qRound(e.left / 15), qRound(e.top / 15));
    }
    int elements() const { return w->document()->count(ElementKind::Icon) + w->document()->count(ElementKind::Note); }
    PlotWindow *w;
};

void pasteAt(PlotWindow *w, QPoint at) { MouseInput::rightClickThen(w, at, w->palette()->pasteButton()); }
void cutAt(PlotWindow *w, QPoint at) { MouseInput::rightClickThen(w, at, w->actionMenuFrame()->cutButton()); }
// "11-20" when the slots show icons 11 .. 20; a slot shown after a hidden one is marked "!".
QString page(const PaletteFrame *palette)
{
    QStringList shown;
    for (int k = 1; k <= PaletteFrame::SlotCount; ++k)
        if (!palette->slot(k)->isHidden())
            shown << QString::number(palette->slot(k)->iconNumber()) + (shown.size() == k - 1 ? "" : "!");
    return shown.size() > 1 ? shown.first() + '-' + shown.last() : shown.join("");
}
// The input boxes shown, each as "prompt|title|default", joined by commas.
QString askedTexts(const ScriptedServices &services)
{
    QStringList asked;
    for (const ScriptedServices::Call &call : services.callsOf("askText"))
        asked << call.text + '|' + call.title + '|' + call.defaultText;
    return asked.join(',');
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
private slots:
    void paging_data()
    {
        // + and - are the arrow buttons, > and < clicks in the track.
        QTest::addColumn<int>("icons");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("pages");
        QTest::newRow("25 icons, arrows") << 25 << "+++---" << "1-10,11-20,21-25,25,15-24,5-14,1-10";
        QTest::newRow("25 icons, track") << 25 << ">><<" << "1-10,11-20,21-25,11-20,1-10";
        QTest::newRow("7 icons") << 7 << "+-" << "1-7,7,1-7";
        QTest::newRow("10 icons") << 10 << "++-" << "1-10,10,10,1-10";
        QTest::newRow("0 icons") << 0 << "+>-<" << ",,,,";
    }
    void paging()
    {
        QFETCH(int, icons);
        QFETCH(QString, actions);
        QFETCH(QString, pages);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/bg.jpg", QSize(300, 300));
        f.folder.writeIconSet("Set", icons);
        PlotWindow *w = f.open(f.table("A.plt", {"bg.jpg", "Set", "[Notes]", "[End]"}));
        const PlotWindow *other = f.open(f.table("B.plt", {"bg.jpg", "Set", "[Notes]", "[End]"}));
        PaletteFrame *p = w->palette();
        QStringList seen{page(p)};
        using A = QAbstractSlider;
        const A::SliderAction moves[] = {A::SliderSingleStepAdd, A::SliderSingleStepSub, A::SliderPageStepAdd,
                                         A::SliderPageStepSub};
        for (QChar action : actions) {
            p->pageScrollBar()->triggerAction(moves[QString("+-><").indexOf(action)]);
            seen << page(p);
        }
        QCOMPARE(seen.join(','), pages);
        // Closed and opened again, it keeps its page; the other window's is its own.
        p->pageScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        const QString last = page(p);
        QTest::mouseClick(p->closeButton(), Qt::LeftButton);
        QVERIFY(p->isHidden());
        press(w, QPoint(150, 150), Qt::RightButton);
        QVERIFY(p->isVisible());
        QCOMPARE(page(p), last);
        QCOMPARE(page(other->palette()), seen.first());
    }
    void placing()
    {
        Editing f;
        PlotWindow *w = f.openTable("T.plt");
        // An icon from the third page, its text kept as typed.
        f.services.answerInput("  Lighthouse ");
        press(w, QPoint(100, 80), Qt::RightButton);
        for (int page = 0; page < 2; ++page)
            w->palette()->pageScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(w->palette()->slot(3)->toolTip(), "Icon 23");
        QTest::mouseClick(w->palette()->slot(3), Qt::LeftButton);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).width, 360.0f); // the picture's 24 pixels
        // A note, and Cancel; while asked, it says "Note".
        press(w, QPoint(30, 45), Qt::RightButton);
        press(w, QPoint(300, 300), Qt::RightButton); // while it waits: changes nothing
        QCOMPARE(w->palette()->pos(), QPoint(30, 45));
        QVERIFY(w->placing()->isWaiting());
        QString shownWhileAsked;
        f.services.onInput([&](const ScriptedServices::Call &) {
            shownWhileAsked = w->document()->element(ElementKind::Note, 3).text;
        });
        QTest::mouseClick(w->palette()->notePicture(), Qt::LeftButton);
        QCOMPARE(shownWhileAsked, "Note");
        QVERIFY(!w->palette()->isVisible() && !w->placing()->isWaiting());
        QCOMPARE(askedTexts(f.services), "Info: |Quenbrack|,Note: |Quenbrack|");
        const QStringList file = f.saved(w);
        QCOMPARE(file.mid(10, 4), (QStringList{"  Lighthouse ", " 23 ", " 1200 ", " 1500 "}));
        QCOMPARE(file.mid(23, 5), (QStringList{"", "-1 ", " 675 ", " 450 ", "[End]"}));
    }
    void moving_data()
    {
        // Icon A lies at (200, 100) pixels. Steps: "c" click A, "p" left press on the background at (400, 300),
        // "m" move to (420, 330) with the left button, "n" a move with no button, "b" a move with left and
        // right together, "e" Escape, "x" a left move far past the picture's bottom-right corner, "u" Undo,
        // "g" a click on the background, "o" a click on note N; "d" a click on A and a second press there, as
        // the window system sends a double-click, then "k" a left move to that point and "r" the release, or
        // "s" a drag to (260, 160). Then A's place in twips, the steps to undo, and what is selected (and so
        // described, and edited by the Edit menu); an edit is answered "renamed".
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Escape puts it down") << "cepm" << "3000,1500 0 -";
        QTest::newRow("button-less move ends the carrying") << "cnpm" << "3000,1500 0 -";
        QTest::newRow("left and right together move nothing") << "cpb" << "3000,1500 0 I1=A";
        QTest::newRow("two drags of one carry are one step") << "cpmpx" << "8985,5985 1 I1=A";
        QTest::newRow("a carry is undone whole") << "cpmpxnu" << "3000,1500 0 I1=A";
        QTest::newRow("two carries, one undone") << "cpmncpxnu" << "6300,4950 1 I1=A";
        QTest::newRow("the selection outlasts the carry") << "cn" << "3000,1500 0 I1=A";
        QTest::newRow("until a click on the background") << "cng" << "3000,1500 0 -";
        QTest::newRow("or on a note") << "cno" << "3000,1500 0 N1=N";
        QTest::newRow("a double-click edits") << "dkr" << "3075,1575 2 I1=renamed";
        QTest::newRow("a click, then a drag, does not") << "ds" << "3900,2400 1 I1=A";
    }
    void moving()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        Surface f;
        PlotWindow *w = f.w;
        f.services.answerInput("renamed");
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(205, 105), {}, Qt::LeftButton, Qt::LeftButton, {});
        for (QChar step : steps) {
            switch (step.unicode()) {
            case 'c': click(w, w->iconItem(1)->pos().toPoint() + QPoint(5, 5)); break;
            case 'p': press(w, QPoint(400, 300), Qt::LeftButton); break;
            case 'm': move(w, QPoint(420, 330), Qt::LeftButton); break;
            case 'n': move(w, QPoint(500, 20), Qt::NoButton); break;
            case 'b': move(w, QPoint(420, 330), Qt::LeftButton | Qt::RightButton); break;
            case 'e': f.keys("Esc"); break;
            case 'x': move(w, QPoint(5000, 5000), Qt::LeftButton); break;
            case 'u': f.main->undoAction()->trigger(); break;
            case 'g': click(w, QPoint(400, 300)); break;
            case 'o': click(w, QPoint(205, 205)); break;
            case 'd': click(w, QPoint(205, 105)); QApplication::sendEvent(w->view()->viewport(), &twice); break;
            case 'k': move(w, QPoint(205, 105), Qt::LeftButton); break;
            case 'r': release(w, QPoint(205, 105), Qt::LeftButton); QTest::qWait(20); break;
            case 's': move(w, QPoint(260, 160), Qt::LeftButton); release(w, QPoint(260, 160), Qt::LeftButton); break;
            }
        }
        const PlotElement &a = w->document()->element(ElementKind::Icon, 1);
        const QString described = w->view()->accessibleDescription();
        QCOMPARE(QString("%1,%2 %3 ").arg(a.left).arg(a.top).arg(w->document()->undoStack()->index()) + f.selected()
                     + (described.isEmpty() ? "" : '=' + described),
                 expected);
        QCOMPARE(f.main->editAction()->isEnabled(), f.selected() != "-");
    }
    void menuActions_data()
    {
        // A button of the action menu on element 1 of a kind, what the input box answers ("<cancel>" for
        // Cancel), then the element's text and liveness, the clipboard's number and the Edit menu's Undo.
        QTest::addColumn<bool>("note");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // text live clipboard's number and set|undo|asked
        const QString info = "|Info: |Icon Name|A";
        QTest::newRow("icon: X changes nothing") << false << "X" << "" << "A 1 0 before||";
        QTest::newRow("icon: Edit, Cancel keeps the text") << false << "Edit" << "<cancel>" << "A 1 0 before|" + info;
        QTest::newRow("icon: Edit, OK on nothing empties") << false << "Edit" << "" << " 1 0 before|Undo Edit Icon" + info;
        QTest::newRow("icon: Cut") << false << "Cut" << "" << "A 0 1 BasicSet|Undo Cut Icon|";
        QTest::newRow("icon: Delete") << false << "Delete" << "" << " 0 0 before|Undo Delete Icon|";
        QTest::newRow("note: Edit") << true << "Edit" << "M" << "M 1 0 before|Undo Edit Note|Note: |Note|N";
        QTest::newRow("note: Cut") << true << "Cut" << "" << "N 0 -1 before|Undo Cut Note|";
        QTest::newRow("note: Delete") << true << "Delete" << "" << " 0 0 before|Undo Delete Note|";
    }
    void menuActions()
    {
        QFETCH(bool, note);
        QFETCH(QString, button);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        Editing f;
        f.main->clipboard().iconSetName = "before";
        input == "<cancel>" ? f.services.cancelInput() : f.services.answerInput(input);
        PlotWindow *w = f.openTable("T.plt");
        ActionMenuFrame *menu = w->actionMenuFrame();
        const QHash<QString, QPushButton *> buttons{{"X", menu->closeButton()}, {"Edit", menu->editButton()},
                                                    {"Cut", menu->cutButton()}, {"Delete", menu->deleteButton()}};
        MouseInput::rightClickThen(w, note ? QPoint(210, 210) : QPoint(205, 105), buttons[button]);
        QVERIFY(!menu->isVisible() && !w->actionMenu()->isWaiting());
        const PlotElement &element = w->document()->element(note ? ElementKind::Note : ElementKind::Icon, 1);
        const auto state = [&] {
            const CutClipboard &clipboard = f.main->clipboard();
            return QString("%1 %2 %3 ").arg(element.text).arg(int(element.live)).arg(clipboard.number) + clipboard.iconSetName;
        };
        const QString after = state(), original = note ? "N" : "A";
        const QString step = f.main->undoAction()->isEnabled() ? f.main->undoAction()->text() : "";
        QCOMPARE(after + '|' + step + '|' + askedTexts(f.services), expected);
        QCOMPARE(w->isWindowModified(), !step.isEmpty());
        if (step.isEmpty())
            return;
        // Undo makes the same element what it was, and redo does the step again; the cut clipboard stays
        // as the step left it.
        f.main->undoAction()->trigger();
        QCOMPARE(state(), original + " 1 " + after.section(' ', 2));
        QCOMPARE(f.main->redoAction()->text(), QString(step).replace("Undo", "Redo"));
        f.main->redoAction()->trigger();
        QCOMPARE(state(), after);
    }
    void waitsNest_data()
    {
        QTest::addColumn<bool>("paletteFirst");
        QTest::addColumn<bool>("closed"); // the window, while both wait
        QTest::newRow("menu inside the palette's wait") << true << false;
        QTest::newRow("palette inside the menu's wait") << false << false;
        QTest::newRow("closed while both wait") << false << true;
    }
    void waitsNest()
    {
        QFETCH(bool, paletteFirst);
        QFETCH(bool, closed);
        Editing f;
        PlotWindow *w = f.openTable("T.plt");
        if (paletteFirst)
            press(w, QPoint(400, 300), Qt::RightButton);
        press(w, QPoint(205, 105), Qt::RightButton); // A
        press(w, QPoint(305, 105), Qt::RightButton); // B, while the menu waits: it stays A's
        QCOMPARE(w->actionMenuFrame()->pos(), QPoint(224, 100)); // Left + 365 twips
        if (!paletteFirst)
            press(w, QPoint(400, 300), Qt::RightButton);
        QVERIFY(w->palette()->isVisible());
        if (closed) { // nothing asked, nothing written
            const QString path = w->path();
            DocumentFixture::close(w);
            QCOMPARE(f.main->tableWindowCount(), 0);
            QVERIFY(f.services.calls.isEmpty());
            QCOMPARE(f.folder.readBytes(path), TestProgramFolder::crlf(kTable));
            return;
        }
        f.services.answerInput("placed");
        f.services.answerInput("edited");
        QTest::mouseClick(w->palette()->slot(2), Qt::LeftButton);
        QVERIFY(w->actionMenuFrame()->isVisible() && w->actionMenu()->isWaiting()); // the other wait goes on
        QTest::mouseClick(w->actionMenuFrame()->editButton(), Qt::LeftButton);
        const PlotDocument *d = w->document();
        QCOMPARE(d->count(ElementKind::Icon), 3);
        QCOMPARE((QStringList{d->element(ElementKind::Icon, 1).text, d->element(ElementKind::Icon, 2).text,
                              d->element(ElementKind::Icon, 3).text}),
                 (QStringList{"edited", "B", "placed"}));
        QCOMPARE(d->element(ElementKind::Icon, 3).left, 6000.0f);
        QVERIFY(!w->placing()->isWaiting() && !w->actionMenu()->isWaiting());
    }
    void numbersBeyondSixteenBits()
    {
        // Element numbers past 32767 (a table read with more icon records than can be added) and icon numbers
        // past 16 bits stay whole: the icon past the limit can be carried, and an icon numbered 40000, which
        // has no picture, pastes as 40000 at a placed icon's size.
        Editing f;
        QStringList lines{"bg.jpg", "BasicSet"};
        for (int n = 1; n <= 32770; ++n)
            lines << QStringLiteral("i%1").arg(n) << " 40000 " << " 0 " << " 0 ";
        PlotWindow *w = f.openTable("Big.plt", lines << "[Notes]" << "[End]");
        const int last = w->document()->count(ElementKind::Icon);
        QCOMPARE(last, 32770);
        // Only the last icon (one pixel: it has no picture) is left where the mouse can pick it up.
        for (int n = 1; n < last; ++n)
            w->document()->setLive(ElementKind::Icon, n, false);
        click(w, QPoint(0, 0));
        QCOMPARE(w->carrying()->carriedIcon(), last);
        move(w, QPoint(100, 60), Qt::LeftButton);
        QCOMPARE(w->document()->element(ElementKind::Icon, last).left, 1500.0f);
        move(w, QPoint(300, 300), Qt::NoButton);
        cutAt(w, QPoint(100, 60));
        QCOMPARE(f.main->clipboard().number, 40000);
        // That table is full; another of the set takes it.
        PlotWindow *to = f.openTable("T.plt");
        pasteAt(to, QPoint(10, 200));
        const PlotElement &pasted = to->document()->element(ElementKind::Icon, 3);
        QCOMPARE(pasted.number, 40000);
        QCOMPARE(QSizeF(pasted.width, pasted.height), QSizeF(360, 375));
    }
    void cutAndPaste()
    {
        Editing f;
        PlotWindow *from = f.openTable("From.plt");
        pasteAt(from, QPoint(50, 50)); // nothing cut yet: nothing happens
        QCOMPARE(from->document()->count(ElementKind::Icon) + from->document()->count(ElementKind::Note), 4);
        QVERIFY(f.services.calls.isEmpty());
        cutAt(from, QPoint(305, 105)); // B
        QVERIFY(!f.saved(from).contains("B")); // the cut outlives its window
        PlotWindow *to = f.openTable("To.plt");
        pasteAt(to, QPoint(40, 300));
        pasteAt(to, QPoint(80, 300)); // twice: the clipboard is kept
        // Sets are told apart by their names as written, even where the folder is the same.
        QStringList lowerCase = kTable;
        lowerCase[1] = "basicset";
        PlotWindow *lower = f.openTable("Lower.plt", lowerCase);
        pasteAt(lower, QPoint(50, 50));
        QCOMPARE(lower->document()->count(ElementKind::Icon), 2);
        const auto messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, "Sorry, paste not possible. This Plot Table uses a different icon set!\r\n"
                                   "You may re-paste this icon back to its original location to avoid loosing it.");
        QCOMPARE(messages[0].icon, MessageIcon::None);
        QCOMPARE(messages[0].title, "Quenbrack");
        QCOMPARE(f.main->clipboard().number, qint16(2)); // kept for another try
        // A note numbered -1 goes into a table of any set, as a note.
        PlotWindow *other = f.openTable("Other.plt", {"bg.jpg", "Other", "[Notes]"});
        cutAt(to, QPoint(210, 210));
        pasteAt(other, QPoint(70, 80));
        const PlotElement &note = other->document()->element(ElementKind::Note, 1);
        QCOMPARE(QString("%1 %2 %3").arg(other->document()->count(ElementKind::Note)).arg(note.text).arg(note.left),
                 "1 N 1050");
        // Note "Five" was read with the number 5: it pastes as icon 5, and only where the clipboard's icon
        // set matches.
        cutAt(to, QPoint(210, 310));
        QCOMPARE(f.main->clipboard().number, qint16(5));
        pasteAt(lower, QPoint(50, 50));
        QCOMPARE(lower->document()->count(ElementKind::Icon), 2);
        QCOMPARE(f.services.callsOf("message").size(), 2);
        pasteAt(to, QPoint(50, 50));
        const PlotElement &five = to->document()->element(ElementKind::Icon, 5);
        QCOMPARE(QString("%1 %2").arg(five.number).arg(five.text), "5 Five");
        QCOMPARE(f.saved(to).mid(10, 8), (QStringList{"B", " 2 ", " 4500 ", " 600 ", "B", " 2 ", " 4500 ", " 1200 "}));
    }
    void windowFull_data()
    {
        QTest::addColumn<bool>("notes");
        QTest::newRow("32767 icons") << false;
        QTest::newRow("32767 notes") << true;
    }
    void windowFull()
    {
        QFETCH(bool, notes);
        Editing f;
        QStringList records;
        for (int n = 0; n < 32767; ++n)
            records << "x" << (notes ? "-1 " : " 1 ") << " 0 " << " 0 ";
        notes ? records.prepend("[Notes]") : records.append("[Notes]");
        PlotWindow *w = f.openTable("Full.plt", QStringList{"bg.jpg", "BasicSet"} + records);
        MouseInput::rightClickThen(w, QPoint(300, 300), notes ? w->palette()->notePicture() : w->palette()->slot(1));
        f.main->clipboard().number = notes ? -1 : 1;
        f.main->clipboard().iconSetName = "BasicSet";
        pasteAt(w, QPoint(300, 300));
        QCOMPARE(w->document()->count(notes ? ElementKind::Note : ElementKind::Icon), 32767);
        QVERIFY(f.services.callsOf("askText").isEmpty());
        const auto messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text, QStringLiteral("This Plot Table already holds 32767 %1s, the most "
                                                  "it can hold. No %1 was added.").arg(notes ? "note" : "icon"));
        QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
    }
    void popUpsKeepTheirWait_data()
    {
        // A right press on a frame's own area, over something that would open a pop-up of its own, is the
        // frame's; minimised and shown again, it still waits; Escape closes it, doing nothing.
        QTest::addColumn<QString>("popUp");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("palette's margin over icon B") << "palette" << QPoint(310, 110);
        QTest::newRow("Find panel's caption") << "find" << QPoint(100, 8);
        QTest::newRow("action menu") << "menu" << QPoint();
    }
    void popUpsKeepTheirWait()
    {
        QFETCH(QString, popUp);
        QFETCH(QPoint, at);
        Surface f;
        press(f.w, popUp == "menu" ? QPoint(205, 105) : QPoint(150, 60), Qt::RightButton);
        if (popUp == "find")
            QTest::mouseClick(f.w->palette()->findButton(), Qt::LeftButton);
        QWidget *frame = popUp == "menu" ? static_cast<QWidget *>(f.w->actionMenuFrame())
                         : popUp == "find" ? static_cast<QWidget *>(f.w->findPanel()) : f.w->palette();
        const bool paletteWasOpen = f.w->palette()->isVisible();
        if (!at.isNull())
            click(f.w, at, Qt::RightButton);
        QCOMPARE(f.w->palette()->isVisible(), paletteWasOpen);
        QCOMPARE(f.w->actionMenuFrame()->isVisible(), popUp == "menu");
        auto *window = qobject_cast<QMdiSubWindow *>(f.w->parentWidget());
        window->showMinimized();
        QVERIFY(!frame->isVisible());
        window->showNormal();
        QVERIFY(frame->isVisible());
        if (popUp != "find")
            QVERIFY(popUp == "menu" ? f.w->actionMenu()->isWaiting() : f.w->placing()->isWaiting());
        f.keys("Esc");
        QVERIFY(!frame->isVisible());
        QVERIFY(!f.w->placing()->isWaiting() && !f.w->actionMenu()->isWaiting());
        QCOMPARE(f.elements(), 4);
        QVERIFY(f.services.calls.isEmpty());
    }
    void pickedUpElementShowsIt()
    {
        Surface f;
        QWidget *viewport = f.w->view()->viewport();
        const auto shown = [viewport](int x, int y) { return viewport->grab().toImage().pixelColor(x, y); };
        const QImage before = viewport->grab().toImage();
        QSignalSpy started(f.w->carrying(), &Carrying::carryStarted);
        QSignalSpy ended(f.w->carrying(), &Carrying::carryEnded);
        move(f.w, QPoint(210, 110), Qt::NoButton);
        QCOMPARE(viewport->cursor().shape(), Qt::OpenHandCursor);
        press(f.w, QPoint(210, 110), Qt::LeftButton);
        // An outline just outside the icon, which is not there before.
        QVERIFY(shown(198, 98) != before.pixelColor(198, 98));
        QCOMPARE(shown(210, 110), before.pixelColor(210, 110));
        for (int y = 130; y <= 190; y += 20)
            move(f.w, QPoint(230, y), Qt::LeftButton);
        QCOMPARE(viewport->cursor().shape(), Qt::ClosedHandCursor);
        release(f.w, QPoint(230, 190), Qt::LeftButton);
        QCOMPARE(started.count(), 1); // one carry, however many moves
        QCOMPARE(ended.count(), 1);
        QCOMPARE(viewport->cursor().shape(), Qt::OpenHandCursor);
        // Hovering the picked-up icon shows its text.
        QHelpEvent help(QEvent::ToolTip, QPoint(235, 195), viewport->mapToGlobal(QPoint(235, 195)));
        QApplication::sendEvent(viewport, &help);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : "", "A");
        QToolTip::hideText();
        // Carried, and put down (still selected), it lies partly under note N, which was loaded after it and
        // so stacks above it, and no more where it was.
        for (const bool putDown : {false, true}) {
            if (putDown)
                move(f.w, QPoint(500, 300), Qt::NoButton);
            QCOMPARE(viewport->cursor().shape(), putDown ? Qt::ArrowCursor : Qt::OpenHandCursor);
            QCOMPARE(f.w->carrying()->carriedIcon(), putDown ? 0 : 1);
            QCOMPARE(shown(240, 195), f.w->iconPicture("1").toImage().pixelColor(0, 0));
            QCOMPARE(shown(240, 210), QColor(255, 255, 128));
            QCOMPARE(shown(205, 105), before.pixelColor(500, 350));
            QCOMPARE(named(f.w->view()->targetAt(QPoint(240, 195))) + named(f.w->view()->targetAt(QPoint(240, 210))),
                     "I1N1");
        }
        QVERIFY(shown(228, 188) != before.pixelColor(228, 188));
        f.keys("Esc");
        QCOMPARE(shown(228, 188), before.pixelColor(228, 188));
    }
    void keyboard_data()
    {
        // Keys from the start, with icon B gone; then the selection, the live icons' texts, the pop-up shown
        // and where the focus is. An edit is answered "renamed". The palette's second page shows two icons.
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("icons, then notes") << "Tab Tab Tab" << "N1 A,C - table";
        QTest::newRow("round again") << "Tab Tab Tab Tab" << "I1 A,C - table";
        QTest::newRow("back from none") << "Shift+Backtab Shift+Backtab" << "I3 A,C - table";
        QTest::newRow("Escape ends it") << "Tab Esc" << "- A,C - table";
        QTest::newRow("F2 edits") << "Tab F2" << "I1 renamed,C - table";
        QTest::newRow("Return edits") << "Tab Return" << "I1 renamed,C - table";
        QTest::newRow("nothing left to select") << "Tab Del Tab Del Tab Del Tab" << "-  - table";
        QTest::newRow("F10 alone opens nothing") << "F10" << "- A,C - table";
        QTest::newRow("menu, Down") << "Tab Menu Down" << "I1 A,C menu Cut";
        QTest::newRow("menu, Up") << "Tab Menu Up" << "I1 A,C menu Close";
        QTest::newRow("menu's button by Return") << "Tab Menu Down Return" << "- C - table";
        QTest::newRow("palette, Left round") << "Shift+F10 Left" << "- A,C palette Close";
        QTest::newRow("palette, Down") << "Shift+F10 Down" << "- A,C palette Icon 6";
        QTest::newRow("palette, Down to the note") << "Shift+F10 Down Down" << "- A,C palette Note";
        QTest::newRow("palette, past the note") << "Shift+F10 Down Down Down" << "- A,C palette Note";
        QTest::newRow("palette, up from the note") << "Shift+F10 Down Down Up" << "- A,C palette Icon 1";
        QTest::newRow("palette, next page") << "Shift+F10 PgDown" << "- A,C palette Icon 11";
        QTest::newRow("palette, slot not shown") << "Shift+F10 Right Right Right PgDown" << "- A,C palette Icon 12";
        QTest::newRow("palette, page back") << "Shift+F10 Right PgDown PgUp" << "- A,C palette Icon 2";
        QTest::newRow("palette, page off the slots") << "Shift+F10 Left PgDown" << "- A,C palette Close";
        QTest::newRow("palette, Escape") << "Shift+F10 Esc" << "- A,C - table";
    }
    void keyboard()
    {
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        Surface f;
        f.services.answerInput("renamed");
        f.w->document()->remove(ElementKind::Icon, 2); // skipped: off the table
        f.keys(keys);
        QStringList texts;
        for (int n = 1; n <= f.w->document()->count(ElementKind::Icon); ++n)
            if (f.w->document()->element(ElementKind::Icon, n).live)
                texts << f.w->document()->element(ElementKind::Icon, n).text;
        const QString shown = f.w->palette()->isVisible() ? "palette" : f.w->actionMenuFrame()->isVisible() ? "menu" : "-";
        const QWidget *focus = QApplication::focusWidget();
        const QString name = focus->accessibleName().isEmpty() ? focus->property("text").toString() : focus->accessibleName();
        QCOMPARE(QStringList({f.selected(), texts.join(','), shown, focus == f.w->view() ? "table" : name}).join(' '), expected);
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
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
