// The palette's pages, placing, moving, the action menu, and cut and paste,
// driven through the real widgets as a user would.

#include "ActionMenuFrame.h"
#include "ClickableImage.h"
#include "DocumentFixture.h"
#include "IconItem.h"
#include "MouseInput.h"
#include "PaletteFrame.h"
#include "PlotView.h"

#include <QPushButton>
#include <QScrollBar>
#include <QUndoStack>
#include <QtTest>

namespace {

const QStringList kTable = {"bg.jpg", "BasicSet",
                            "A", " 1 ", " 1500 ", " 3000 ",
                            "B", " 2 ", " 1500 ", " 4500 ",
                            "[Notes]",
                            "N", "-1 ", " 3000 ", " 3000 ",
                            "Five", " 5 ", " 4500 ", " 3000 ",
                            "[End]"};
const QString kWrongSet = "Sorry, paste not possible. This Plot Table uses a different icon set!\r\n"
                          "You may re-paste this icon back to its original location to avoid "
                          "loosing it.";

// A button of the action menu on element 1 of a kind, what the input box
// answers ("<cancel>" for Cancel), the element's text and liveness after, the
// clipboard's number, and the Edit menu's Undo afterwards.
struct MenuRow
{
    bool note;
    QString button, input, text;
    bool visible;
    int clipboardNumber;
    QString step;
};

using MouseInput::click;
using MouseInput::move;
using MouseInput::press;

struct Editing : DocumentFixture
{
    Editing()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400));
        folder.writeIconSet("BasicSet", 25);
        folder.writeIconSet("Other", 5);
    }
    PlotWindow *openTable(const QString &name, const QStringList &lines = kTable)
    {
        return open(table(name, lines));
    }
    QStringList saved(PlotWindow *w)
    {
        const QString path = w->path();
        close(w);
        return QString::fromLatin1(folder.readBytes(path)).split("\r\n");
    }
};

void pasteAt(PlotWindow *w, QPoint at)
{
    MouseInput::rightClickThen(w, at, w->palette()->pasteButton());
}
void cutAt(PlotWindow *w, QPoint at)
{
    MouseInput::rightClickThen(w, at, w->actionMenuFrame()->cutButton());
}
// "11-20" when the slots show icons 11 .. 20; a slot shown after a hidden
// one is marked "!".
QString page(const PaletteFrame *palette)
{
    QStringList shown;
    for (int k = 1; k <= PaletteFrame::SlotCount; ++k)
        if (!palette->slot(k)->isHidden())
            shown << QString::number(palette->slot(k)->iconNumber())
                         + (shown.size() == k - 1 ? "" : "!");
    return shown.size() > 1 ? shown.first() + '-' + shown.last() : shown.join("");
}
} // namespace
Q_DECLARE_METATYPE(MenuRow)

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
        QTest::newRow("25 icons, arrows")
            << 25 << "+++---" << "1-10,11-20,21-25,25,15-24,5-14,1-10";
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
        for (QChar action : actions) {
            using A = QAbstractSlider;
            p->pageScrollBar()->triggerAction(action == '+' ? A::SliderSingleStepAdd
                                              : action == '-' ? A::SliderSingleStepSub
                                              : action == '>' ? A::SliderPageStepAdd
                                                              : A::SliderPageStepSub);
            seen << page(p);
        }
        QCOMPARE(seen.join(','), pages);
        // Closed and opened again, it keeps its page; the other window's is its own.
        p->pageScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        const QString last = page(p);
        QTest::mouseClick(p->closeButton(), Qt::LeftButton);
        QVERIFY(p->isHidden());
        MouseInput::press(w, QPoint(150, 150), Qt::RightButton);
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
        QTest::mouseClick(w->palette()->slot(3), Qt::LeftButton);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).width, 360.0f); // the picture's 24 pixels
        // A note, and Cancel.
        press(w, QPoint(30, 45), Qt::RightButton);
        press(w, QPoint(300, 300), Qt::RightButton); // while it waits: changes nothing
        QCOMPARE(w->palette()->pos(), QPoint(30, 45));
        QVERIFY(w->placing()->isWaiting());
        QTest::mouseClick(w->palette()->notePicture(), Qt::LeftButton);
        QVERIFY(!w->palette()->isVisible());
        QVERIFY(!w->placing()->isWaiting());
        const auto inputs = f.services.callsOf("askText");
        QCOMPARE(inputs.size(), 2);
        QCOMPARE(inputs[0].text, "Info: ");
        QCOMPARE(inputs[0].title, "Quenbrack");
        QCOMPARE(inputs[0].defaultText, QString());
        QCOMPARE(inputs[1].text, "Note: ");
        const QStringList file = f.saved(w);
        QCOMPARE(file.mid(10, 4), (QStringList{"  Lighthouse ", " 23 ", " 1200 ", " 1500 "}));
        QCOMPARE(file.mid(23, 5), (QStringList{"", "-1 ", " 675 ", " 450 ", "[End]"}));
    }

    void moving_data()
    {
        // Icon A lies at (200, 100) pixels. Steps: "c" click A, "p" left press
        // on the background at (400, 300), "m" move to (420, 330) with the
        // left button, "n" a move with no button, "b" a move with left and
        // right together, "e" Escape, "x" a left move far past the picture's
        // bottom-right corner, "u" Undo. A click then a drag from the icon,
        // and a drag in one gesture, are made by the end-to-end journeys.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QPoint>("expected");
        QTest::addColumn<int>("history"); // steps to undo afterwards
        QTest::newRow("Escape puts it down") << "cepm" << QPoint(3000, 1500) << 0;
        QTest::newRow("button-less move ends the carrying") << "cnpm" << QPoint(3000, 1500) << 0;
        QTest::newRow("left and right together move nothing") << "cpb" << QPoint(3000, 1500) << 0;
        QTest::newRow("two drags of one carry are one step") << "cpmpx" << QPoint(8985, 5985) << 1;
        QTest::newRow("a carry is undone whole") << "cpmpxnu" << QPoint(3000, 1500) << 0;
        QTest::newRow("two carries, one undone") << "cpmncpxnu" << QPoint(6300, 4950) << 1;
    }

    void moving()
    {
        QFETCH(QString, steps);
        QFETCH(QPoint, expected);
        QFETCH(int, history);
        Editing f;
        PlotWindow *w = f.openTable("T.plt");
        for (QChar step : steps) {
            switch (step.unicode()) {
            case 'c': click(w, w->iconItem(1)->pos().toPoint() + QPoint(5, 5)); break;
            case 'p': press(w, QPoint(400, 300), Qt::LeftButton); break;
            case 'm': move(w, QPoint(420, 330), Qt::LeftButton); break;
            case 'n': move(w, QPoint(500, 20), Qt::NoButton); break;
            case 'b': move(w, QPoint(420, 330), Qt::LeftButton | Qt::RightButton); break;
            case 'e': // as the user presses it: in the active window, on the table
                f.main->show();
                QApplication::setActiveWindow(f.main.get());
                w->view()->setFocus();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                break;
            case 'x': move(w, QPoint(5000, 5000), Qt::LeftButton); break;
            case 'u': f.main->undoAction()->trigger(); break;
            }
        }
        QCOMPARE(w->document()->undoStack()->index(), history);
        QCOMPARE(f.saved(w).mid(2, 4), (QStringList{"A", " 1 ", QStringLiteral(" %1 ").arg(expected.y()),
                                                    QStringLiteral(" %1 ").arg(expected.x())}));
    }

    void carriedKeepsItsStackingPlace_data()
    {
        QTest::addColumn<bool>("putDown");
        QTest::newRow("while carried") << false;
        QTest::newRow("put down") << true;
    }

    void carriedKeepsItsStackingPlace()
    {
        // Icon A is carried so that it lies partly under note N, which was
        // loaded after it and so stacks above it.
        QFETCH(bool, putDown);
        Editing f;
        PlotWindow *w = f.openTable("T.plt");
        const QColor background = w->view()->viewport()->grab().toImage().pixelColor(500, 350);
        click(w, QPoint(205, 105));
        press(w, QPoint(205, 105), Qt::LeftButton);
        move(w, QPoint(230, 190), Qt::LeftButton);
        if (putDown)
            move(w, QPoint(500, 20), Qt::NoButton);
        QCOMPARE(w->carrying()->carriedIcon(), putDown ? 0 : 1);

        const QImage shown = w->view()->viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(240, 195), w->iconPicture("1").toImage().pixelColor(0, 0));
        QCOMPARE(shown.pixelColor(240, 210), QColor(255, 255, 128));
        QCOMPARE(shown.pixelColor(205, 105), background);
        const PlotView::Target onIcon = w->view()->targetAt(QPoint(240, 195));
        QCOMPARE(int(onIcon.kind), int(PlotView::Target::Icon));
        QCOMPARE(onIcon.element, 1);
        QCOMPARE(int(w->view()->targetAt(QPoint(240, 210)).kind), int(PlotView::Target::Note));
    }

    void menuActions_data()
    {
        QTest::addColumn<MenuRow>("row");
        QTest::newRow("icon: X changes nothing") << MenuRow{false, "X", "", "A", true, 0, ""};
        QTest::newRow("icon: Edit, Cancel keeps the text")
            << MenuRow{false, "Edit", "<cancel>", "A", true, 0, ""};
        QTest::newRow("icon: Edit, OK on nothing empties")
            << MenuRow{false, "Edit", "", "", true, 0, "Undo Edit Icon"};
        QTest::newRow("icon: Cut") << MenuRow{false, "Cut", "", "A", false, 1, "Undo Cut Icon"};
        QTest::newRow("icon: Delete") << MenuRow{false, "Delete", "", "", false, 0, "Undo Delete Icon"};
        QTest::newRow("note: Edit") << MenuRow{true, "Edit", "M", "M", true, 0, "Undo Edit Note"};
        QTest::newRow("note: Cut") << MenuRow{true, "Cut", "", "N", false, -1, "Undo Cut Note"};
        QTest::newRow("note: Delete") << MenuRow{true, "Delete", "", "", false, 0, "Undo Delete Note"};
    }

    void menuActions()
    {
        QFETCH(MenuRow, row);
        const auto &[note, button, input, text, visible, clipboardNumber, step] = row;
        Editing f;
        f.main->clipboard().iconSetName = "before";
        if (input == u"<cancel>")
            f.services.cancelInput();
        else
            f.services.answerInput(input);
        PlotWindow *w = f.openTable("T.plt");
        ActionMenuFrame *menu = w->actionMenuFrame();
        const QHash<QString, QPushButton *> buttons{{"X", menu->closeButton()}, {"Edit", menu->editButton()},
                                                    {"Cut", menu->cutButton()}, {"Delete", menu->deleteButton()}};
        MouseInput::rightClickThen(w, note ? QPoint(210, 210) : QPoint(205, 105), buttons[button]);
        QVERIFY(!menu->isVisible());
        QVERIFY(!w->actionMenu()->isWaiting());
        const PlotElement &element = w->document()->element(note ? ElementKind::Note : ElementKind::Icon, 1);
        const QString original = note ? "N" : "A";
        QCOMPARE(element.text, text);
        QCOMPARE(element.live, visible);
        QCOMPARE(int(f.main->clipboard().number), clipboardNumber);
        if (button == u"Edit") {
            const auto asked = f.services.callsOf("askText").first();
            QCOMPARE(asked.text, note ? "Note: " : "Info: ");
            QCOMPARE(asked.title, note ? "Note" : "Icon Name");
            QCOMPARE(asked.defaultText, original);
        }
        if (button == u"Cut")
            QCOMPARE(f.main->clipboard().iconSetName, note ? "before" : "BasicSet");

        // Undo makes the same element what it was, and redo does the step
        // again; the cut clipboard stays as the step left it.
        QCOMPARE(f.main->undoAction()->isEnabled(), !step.isEmpty());
        QCOMPARE(w->isWindowModified(), !step.isEmpty());
        if (step.isEmpty())
            return;
        QCOMPARE(f.main->undoAction()->text(), step);
        f.main->undoAction()->trigger();
        QCOMPARE(element.text, original);
        QVERIFY(element.live);
        QCOMPARE(int(f.main->clipboard().number), clipboardNumber);
        QCOMPARE(f.main->redoAction()->text(), QString(step).replace("Undo", "Redo"));
        f.main->redoAction()->trigger();
        QCOMPARE(element.text, text);
        QCOMPARE(element.live, visible);
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
        QVERIFY(w->actionMenuFrame()->isVisible()); // the other wait goes on
        QVERIFY(w->actionMenu()->isWaiting());
        QTest::mouseClick(w->actionMenuFrame()->editButton(), Qt::LeftButton);
        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).text, "placed");
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).left, 6000.0f);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, "edited");
        QCOMPARE(w->document()->element(ElementKind::Icon, 2).text, "B");
        QVERIFY(!w->placing()->isWaiting());
        QVERIFY(!w->actionMenu()->isWaiting());
    }

    void numbersBeyondSixteenBits()
    {
        // Element numbers past 32767 (a table read with more icon records
        // than can be added) and icon numbers past 16 bits stay whole: the
        // icon past the limit can be carried, and an icon numbered 40000,
        // which has no picture, pastes as 40000 at a placed icon's size.
        Editing f;
        QStringList lines{"bg.jpg", "BasicSet"};
        for (int n = 1; n <= 32770; ++n)
            lines << QStringLiteral("i%1").arg(n) << " 40000 " << " 0 " << " 0 ";
        PlotWindow *w = f.openTable("Big.plt", lines << "[Notes]" << "[End]");
        const int last = w->document()->count(ElementKind::Icon);
        QCOMPARE(last, 32770);
        // Only the last icon (one pixel: it has no picture) is left where
        // the mouse can pick it up.
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

    void cutIconPastesIntoTablesOfItsSet()
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
        // Sets are told apart by their names as written, even where the
        // folder is the same (another set's refusal: e2e_session).
        QStringList lowerCase = kTable;
        lowerCase[1] = "basicset";
        PlotWindow *other = f.openTable("Lower.plt", lowerCase);
        pasteAt(other, QPoint(50, 50));
        QCOMPARE(other->document()->count(ElementKind::Icon), 2);
        const auto messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, kWrongSet);
        QCOMPARE(messages[0].icon, MessageIcon::None);
        QCOMPARE(messages[0].title, "Quenbrack");
        QCOMPARE(f.main->clipboard().number, qint16(2)); // kept for another try
        QCOMPARE(f.saved(to).mid(10, 8),
                 (QStringList{"B", " 2 ", " 4500 ", " 600 ", "B", " 2 ", " 4500 ", " 1200 "}));
    }

    void cutNotePastesByItsNumber()
    {
        Editing f;
        PlotWindow *w = f.openTable("T.plt");
        PlotWindow *other = f.openTable("Other.plt", {"bg.jpg", "Other", "[Notes]"});
        // A note numbered -1 goes into a table of any set, as a note.
        cutAt(w, QPoint(210, 210));
        pasteAt(other, QPoint(70, 80));
        QCOMPARE(other->document()->count(ElementKind::Note), 1);
        QCOMPARE(other->document()->element(ElementKind::Note, 1).text, "N");
        QCOMPARE(other->document()->element(ElementKind::Note, 1).left, 1050.0f);

        // Note "Five" was read with the number 5: it pastes as icon 5, and only
        // where the clipboard's icon set matches.
        cutAt(w, QPoint(210, 310));
        QCOMPARE(f.main->clipboard().number, qint16(5));
        pasteAt(w, QPoint(50, 50));
        QCOMPARE(w->document()->count(ElementKind::Icon), 2);
        QCOMPARE(f.services.callsOf("message").size(), 1);
        f.main->clipboard().iconSetName = "BasicSet";
        pasteAt(w, QPoint(50, 50));
        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).number, 5);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).text, "Five");
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
        QStringList lines = {"bg.jpg", "BasicSet"};
        if (notes)
            lines << "[Notes]";
        for (int n = 0; n < 32767; ++n)
            lines << "x" << (notes ? "-1 " : " 1 ") << " 0 " << " 0 ";
        if (!notes)
            lines << "[Notes]";
        PlotWindow *w = f.openTable("Full.plt", lines);
        MouseInput::rightClickThen(w, QPoint(300, 300),
                                   notes ? w->palette()->notePicture() : w->palette()->slot(1));
        f.main->clipboard().number = notes ? -1 : 1;
        f.main->clipboard().iconSetName = "BasicSet";
        pasteAt(w, QPoint(300, 300));

        QCOMPARE(w->document()->count(notes ? ElementKind::Note : ElementKind::Icon), 32767);
        QVERIFY(f.services.callsOf("askText").isEmpty());
        const auto messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), 2);
        const QString kind = notes ? "note" : "icon";
        QCOMPARE(messages[0].text, QStringLiteral("This Plot Table already holds 32767 %1s, the most "
                                                  "it can hold. No %1 was added.").arg(kind));
        QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
