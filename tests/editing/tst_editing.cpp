// Placing, moving, the action menu, and cut and paste, driven through the
// real widgets as a user would.

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

using MouseInput::click;
using MouseInput::move;
using MouseInput::press;

struct Editing : DocumentFixture
{
    Editing()
    {
        folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(600, 400));
        folder.writeIconSet(QStringLiteral("BasicSet"), 25);
        folder.writeIconSet(QStringLiteral("Other"), 5);
    }
    PlotWindow *openTable(const QString &name, QStringList lines = kTable)
    {
        return open(table(name, lines));
    }
    QStringList saved(PlotWindow *w)
    {
        const QString path = w->path();
        close(w);
        return QString::fromLatin1(folder.readBytes(path)).split(QStringLiteral("\r\n"));
    }
};

// Escape as the user presses it: in the active window, on the table.
void pressEscape(DocumentFixture &f, PlotWindow *w)
{
    f.main->show();
    QApplication::setActiveWindow(f.main.get());
    w->view()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

void pasteAt(PlotWindow *w, QPoint at)
{
    press(w, at, Qt::RightButton);
    QTest::mouseClick(w->palette()->pasteButton(), Qt::LeftButton);
}
void cutAt(PlotWindow *w, QPoint at)
{
    press(w, at, Qt::RightButton);
    QTest::mouseClick(w->actionMenuFrame()->cutButton(), Qt::LeftButton);
}
} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
private slots:
    void placing_data()
    {
        // page: palette pages turned forward; slot: 1..10, or 0 for the note.
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("record");
        QTest::newRow("icon from the third page") << 2 << 3 << "  Lighthouse " << QPoint(100, 80)
                                                  << QStringList{"  Lighthouse ", " 23 ", " 1200 ", " 1500 "};
        QTest::newRow("note, Cancel") << 0 << 0 << "" << QPoint(30, 45)
                                      << QStringList{"", "-1 ", " 675 ", " 450 "};
    }

    void placing()
    {
        QFETCH(int, pages);
        QFETCH(int, slot);
        QFETCH(QString, answer);
        QFETCH(QPoint, at);
        QFETCH(QStringList, record);
        Editing f;
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        press(w, at, Qt::RightButton);
        press(w, QPoint(300, 300), Qt::RightButton); // while it waits: changes nothing
        QVERIFY(w->palette()->isVisible());
        QCOMPARE(w->palette()->pos(), at);
        QVERIFY(w->placing()->isWaiting());
        for (int page = 0; page < pages; ++page)
            w->palette()->pageScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        if (!answer.isEmpty())
            f.services.answerInput(answer);
        QTest::mouseClick(slot ? w->palette()->slot(slot) : w->palette()->notePicture(), Qt::LeftButton);

        QVERIFY(!w->palette()->isVisible());
        QVERIFY(!w->placing()->isWaiting());
        QCOMPARE(w->document()->count(ElementKind::Icon) + w->document()->count(ElementKind::Note), 5);
        const auto inputs = f.services.callsOf(QStringLiteral("askText"));
        QCOMPARE(inputs.size(), 1);
        QCOMPARE(inputs[0].text, slot ? QStringLiteral("Info: ") : QStringLiteral("Note: "));
        QCOMPARE(inputs[0].title, QStringLiteral("Quenbrack"));
        QCOMPARE(inputs[0].defaultText, QString());
        if (slot)
            QCOMPARE(w->document()->element(ElementKind::Icon, 3).width, 360.0f); // the picture's 24 pixels
        QCOMPARE(f.saved(w).mid(slot ? 10 : 19, 4), record);
    }

    void moving_data()
    {
        // Icon A lies at (200, 100) pixels. Steps: "c" click A, "p" left press
        // on the background at (400, 300), "a" left press on A, "m" move to
        // (420, 330) with the left button, "n" a move with no button, "b" a
        // move with left and right together, "e" Escape, "x" a left move far
        // past the picture's bottom-right corner, "u" Undo.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QPoint>("expected");
        QTest::addColumn<int>("history"); // steps to undo afterwards
        QTest::newRow("click, then drag over the background") << "cpm" << QPoint(6300, 4950) << 1;
        QTest::newRow("drag starting on the picked-up element") << "cam" << QPoint(6300, 4950) << 1;
        QTest::newRow("press on an element and drag in one gesture") << "am" << QPoint(6300, 4950) << 1;
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
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        for (QChar step : steps) {
            switch (step.unicode()) {
            case 'c': click(w, w->iconItem(1)->pos().toPoint() + QPoint(5, 5)); break;
            case 'p': press(w, QPoint(400, 300), Qt::LeftButton); break;
            case 'a': press(w, QPoint(205, 105), Qt::LeftButton); break;
            case 'm': move(w, QPoint(420, 330), Qt::LeftButton); break;
            case 'n': move(w, QPoint(500, 20), Qt::NoButton); break;
            case 'b': move(w, QPoint(420, 330), Qt::LeftButton | Qt::RightButton); break;
            case 'e': pressEscape(f, w); break;
            case 'x': move(w, QPoint(5000, 5000), Qt::LeftButton); break;
            case 'u': f.main->undoAction()->trigger(); break;
            }
        }
        QCOMPARE(w->document()->undoStack()->index(), history);
        const QStringList file = f.saved(w);
        QCOMPARE(file.mid(2, 4), (QStringList{"A", " 1 ", QStringLiteral(" %1 ").arg(expected.y()),
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
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        const QColor background = w->view()->viewport()->grab().toImage().pixelColor(500, 350);
        click(w, QPoint(205, 105));
        press(w, QPoint(205, 105), Qt::LeftButton);
        move(w, QPoint(230, 190), Qt::LeftButton);
        if (putDown)
            move(w, QPoint(500, 20), Qt::NoButton);
        QCOMPARE(w->carrying()->carriedIcon(), qint16(putDown ? 0 : 1));

        const QImage shown = w->view()->viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(240, 195), w->iconPicture(QStringLiteral("1")).toImage().pixelColor(0, 0));
        QCOMPARE(shown.pixelColor(240, 210), QColor(255, 255, 128));
        QCOMPARE(shown.pixelColor(205, 105), background);
        const PlotView::Target onIcon = w->view()->targetAt(QPoint(240, 195));
        QCOMPARE(int(onIcon.kind), int(PlotView::Target::Icon));
        QCOMPARE(onIcon.element, 1);
        QCOMPARE(int(w->view()->targetAt(QPoint(240, 210)).kind), int(PlotView::Target::Note));
    }

    void menuAppliesToTheFirstElementOnly()
    {
        Editing f;
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        press(w, QPoint(205, 105), Qt::RightButton); // A
        QCOMPARE(w->actionMenuFrame()->pos(), QPoint(224, 100)); // Left + 365 twips
        press(w, QPoint(305, 105), Qt::RightButton); // B, while the menu waits
        QCOMPARE(w->actionMenuFrame()->pos(), QPoint(224, 100));
        QTest::mouseClick(w->actionMenuFrame()->deleteButton(), Qt::LeftButton);
        QVERIFY(!w->document()->element(ElementKind::Icon, 1).live);
        QVERIFY(w->document()->element(ElementKind::Icon, 2).live);
    }

    void menuActions_data()
    {
        QTest::addColumn<bool>("note");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("input"); // "<cancel>" for Cancel
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("clipboardNumber");
        QTest::addColumn<QString>("step"); // the Edit menu's Undo afterwards
        const QString cancel = QStringLiteral("<cancel>");
        QTest::newRow("icon: X changes nothing") << false << "X" << "" << "A" << true << 0 << "";
        QTest::newRow("icon: Edit, Cancel keeps the text")
            << false << "Edit" << cancel << "A" << true << 0 << "";
        QTest::newRow("icon: Edit, OK on nothing empties")
            << false << "Edit" << "" << "" << true << 0 << "Undo Edit Icon";
        QTest::newRow("icon: Cut") << false << "Cut" << "" << "A" << false << 1 << "Undo Cut Icon";
        QTest::newRow("icon: Delete")
            << false << "Delete" << "" << "" << false << 0 << "Undo Delete Icon";
        QTest::newRow("note: Edit") << true << "Edit" << "M" << "M" << true << 0 << "Undo Edit Note";
        QTest::newRow("note: Cut") << true << "Cut" << "" << "N" << false << -1 << "Undo Cut Note";
        QTest::newRow("note: Delete")
            << true << "Delete" << "" << "" << false << 0 << "Undo Delete Note";
    }

    void menuActions()
    {
        QFETCH(bool, note);
        QFETCH(QString, button);
        QFETCH(QString, input);
        QFETCH(QString, text);
        QFETCH(bool, visible);
        QFETCH(int, clipboardNumber);
        QFETCH(QString, step);
        Editing f;
        f.main->clipboard().iconSetName = QStringLiteral("before");
        if (input == u"<cancel>")
            f.services.cancelInput();
        else
            f.services.answerInput(input);
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        press(w, note ? QPoint(210, 210) : QPoint(205, 105), Qt::RightButton);
        QPushButton *pushed = button == u"X"      ? w->actionMenuFrame()->closeButton()
                              : button == u"Edit" ? w->actionMenuFrame()->editButton()
                              : button == u"Cut"  ? w->actionMenuFrame()->cutButton()
                                                  : w->actionMenuFrame()->deleteButton();
        QTest::mouseClick(pushed, Qt::LeftButton);
        QVERIFY(!w->actionMenuFrame()->isVisible());
        QVERIFY(!w->actionMenu()->isWaiting());
        const ElementKind kind = note ? ElementKind::Note : ElementKind::Icon;
        const PlotElement &element = w->document()->element(kind, 1);
        QCOMPARE(element.text, text);
        QCOMPARE(element.live, visible);
        QCOMPARE(int(f.main->clipboard().number), clipboardNumber);
        if (button == u"Edit") {
            const auto asked = f.services.callsOf(QStringLiteral("askText")).first();
            QCOMPARE(asked.text, note ? QStringLiteral("Note: ") : QStringLiteral("Info: "));
            QCOMPARE(asked.title, note ? QStringLiteral("Note") : QStringLiteral("Icon Name"));
            QCOMPARE(asked.defaultText, note ? QStringLiteral("N") : QStringLiteral("A"));
        }
        if (button == u"Cut")
            QCOMPARE(f.main->clipboard().iconSetName, note ? QStringLiteral("before") : QStringLiteral("BasicSet"));

        // Undo makes the same element what it was, and redo does the step
        // again; the cut clipboard stays as the step left it.
        QCOMPARE(f.main->undoAction()->isEnabled(), !step.isEmpty());
        QCOMPARE(w->isWindowModified(), !step.isEmpty());
        if (step.isEmpty())
            return;
        QCOMPARE(f.main->undoAction()->text(), step);
        f.main->undoAction()->trigger();
        QCOMPARE(element.text, note ? QStringLiteral("N") : QStringLiteral("A"));
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
        QTest::newRow("menu inside the palette's wait") << true;
        QTest::newRow("palette inside the menu's wait") << false;
    }

    void waitsNest()
    {
        QFETCH(bool, paletteFirst);
        Editing f;
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        if (paletteFirst) {
            press(w, QPoint(400, 300), Qt::RightButton);
            press(w, QPoint(205, 105), Qt::RightButton);
        } else {
            press(w, QPoint(205, 105), Qt::RightButton);
            press(w, QPoint(400, 300), Qt::RightButton);
        }
        QVERIFY(w->palette()->isVisible());
        QVERIFY(w->actionMenuFrame()->isVisible());
        f.services.answerInput(QStringLiteral("placed"));
        f.services.answerInput(QStringLiteral("edited"));
        QTest::mouseClick(w->palette()->slot(2), Qt::LeftButton);
        QVERIFY(w->actionMenuFrame()->isVisible()); // the other wait goes on
        QVERIFY(w->actionMenu()->isWaiting());
        QTest::mouseClick(w->actionMenuFrame()->editButton(), Qt::LeftButton);
        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).text, QStringLiteral("placed"));
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).left, 6000.0f);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("edited"));
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
        lines << "[Notes]" << "[End]";
        PlotWindow *w = f.openTable(QStringLiteral("Big.plt"), lines);
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
        PlotWindow *to = f.openTable(QStringLiteral("T.plt"));
        pasteAt(to, QPoint(10, 200));
        const PlotElement &pasted = to->document()->element(ElementKind::Icon, 3);
        QCOMPARE(pasted.number, 40000);
        QCOMPARE(QSizeF(pasted.width, pasted.height), QSizeF(360, 375));
    }

    void cutIconPastesIntoTablesOfItsSet()
    {
        Editing f;
        PlotWindow *from = f.openTable(QStringLiteral("From.plt"));
        pasteAt(from, QPoint(50, 50)); // nothing cut yet: nothing happens
        QCOMPARE(from->document()->count(ElementKind::Icon) + from->document()->count(ElementKind::Note), 4);
        QVERIFY(f.services.calls.isEmpty());
        cutAt(from, QPoint(305, 105)); // B
        QVERIFY(!f.saved(from).contains(QStringLiteral("B"))); // the cut outlives its window

        PlotWindow *to = f.openTable(QStringLiteral("To.plt"));
        for (int n = 1; n <= 2; ++n)
            pasteAt(to, QPoint(40 * n, 300));
        // Sets are told apart by their names as written, even where the
        // folder is the same.
        QStringList lowerCase = kTable;
        lowerCase[1] = QStringLiteral("basicset");
        for (const QStringList &lines : {lowerCase, QStringList{"bg.jpg", "Other", "[Notes]"}}) {
            PlotWindow *other = f.openTable(QStringLiteral("To%1.plt").arg(lines.size()), lines);
            const int icons = other->document()->count(ElementKind::Icon);
            pasteAt(other, QPoint(50, 50));
            QCOMPARE(other->document()->count(ElementKind::Icon), icons);
        }
        const auto messages = f.services.callsOf(QStringLiteral("message"));
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text,
                 QStringLiteral("Sorry, paste not possible. This Plot Table uses a different icon set!"
                                "\r\nYou may re-paste this icon back to its original location to avoid "
                                "loosing it."));
        QCOMPARE(messages[0].icon, MessageIcon::None);
        QCOMPARE(messages[0].title, QStringLiteral("Quenbrack"));
        QCOMPARE(f.main->clipboard().number, qint16(2)); // kept for another try
        QCOMPARE(f.saved(to).mid(10, 8),
                 (QStringList{"B", " 2 ", " 4500 ", " 600 ", "B", " 2 ", " 4500 ", " 1200 "}));
    }

    void cutNotePastesByItsNumber()
    {
        Editing f;
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        PlotWindow *other = f.openTable(QStringLiteral("Other.plt"), {"bg.jpg", "Other", "[Notes]"});
        // A note numbered -1 goes into a table of any set, as a note.
        cutAt(w, QPoint(210, 210));
        pasteAt(other, QPoint(70, 80));
        QCOMPARE(other->document()->count(ElementKind::Note), 1);
        QCOMPARE(other->document()->element(ElementKind::Note, 1).text, QStringLiteral("N"));
        QCOMPARE(other->document()->element(ElementKind::Note, 1).left, 1050.0f);

        // Note "Five" was read with the number 5: it pastes as icon 5, and only
        // where the clipboard's icon set matches.
        cutAt(w, QPoint(210, 310));
        QCOMPARE(f.main->clipboard().number, qint16(5));
        pasteAt(w, QPoint(50, 50));
        QCOMPARE(w->document()->count(ElementKind::Icon), 2);
        QCOMPARE(f.services.callsOf(QStringLiteral("message")).size(), 1);
        f.main->clipboard().iconSetName = QStringLiteral("BasicSet");
        pasteAt(w, QPoint(50, 50));
        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).number, 5);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).text, QStringLiteral("Five"));
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
        PlotWindow *w = f.openTable(QStringLiteral("Full.plt"), lines);
        press(w, QPoint(300, 300), Qt::RightButton);
        QTest::mouseClick(notes ? w->palette()->notePicture() : w->palette()->slot(1), Qt::LeftButton);
        f.main->clipboard().number = notes ? -1 : 1;
        f.main->clipboard().iconSetName = QStringLiteral("BasicSet");
        press(w, QPoint(300, 300), Qt::RightButton);
        QTest::mouseClick(w->palette()->pasteButton(), Qt::LeftButton);

        QCOMPARE(notes ? w->document()->count(ElementKind::Note) : w->document()->count(ElementKind::Icon), 32767);
        QVERIFY(f.services.callsOf(QStringLiteral("askText")).isEmpty());
        const auto messages = f.services.callsOf(QStringLiteral("message"));
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].text, notes ? QStringLiteral("This Plot Table already holds 32767 notes, "
                                                          "the most it can hold. No note was added.")
                                         : QStringLiteral("This Plot Table already holds 32767 icons, "
                                                          "the most it can hold. No icon was added."));
        QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
    }

    void closingWhileWaiting_data()
    {
        QTest::addColumn<bool>("menu");
        QTest::newRow("palette waits") << false;
        QTest::newRow("menu waits") << true;
    }

    void closingWhileWaiting()
    {
        QFETCH(bool, menu);
        Editing f;
        PlotWindow *w = f.openTable(QStringLiteral("T.plt"));
        if (menu)
            press(w, QPoint(205, 105), Qt::RightButton);
        else
            press(w, QPoint(50, 50), Qt::RightButton);
        const QString path = w->path();
        DocumentFixture::close(w);
        QCOMPARE(f.main->tableWindowCount(), int(0));
        QVERIFY(f.services.calls.isEmpty());
        QCOMPARE(f.folder.readBytes(path), TestProgramFolder::crlf(kTable));
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
