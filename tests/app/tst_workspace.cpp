// The main window as a desktop program: its commands by menu and keyboard,
// Save when it must not write, titles that name any path, windows that fit,
// its place kept, the recent tables, the start page and the status bar. The
// journeys "mainwindow" and "flow" make the plain rounds (Ctrl+O, F1, Ctrl+W,
// Delete, Ctrl+X and Ctrl+V at the pointer, Ctrl+Q, a table larger than the
// screen); these are the cases around them.

#include "DocumentFixture.h"
#include "CompassMdiArea.h"
#include "FindPanel.h"
#include "HelpWindow.h"
#include "MouseInput.h"
#include "NoteItem.h"
#include "PlotView.h"
#include "RecentTables.h"
#include "StartPage.h"
#include "TableStatusBar.h"
#include "WindowMenu.h"
#include "WindowTitle.h"

#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolTip>
#include <QtTest>

namespace {

// Three tables of one icon at (20, 10) pixels and one note at (100, 50).
struct Workspace : DocumentFixture
{
    Workspace()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(300, 200));
        folder.writePicture("Plot Templates/tall.jpg", QSize(100, 330));
        folder.writeIconSet("BasicSet", 3);
        for (const char *name : {"A", "B", "C"})
            openLines(QString("%1.plt").arg(name), name, "Note", "bg.jpg", false);
    }
    // Writes the table with LF line ends, which only a write makes CR LF.
    PlotWindow *openLines(const QString &name, const QString &icon = "A",
                          const QString &note = "Note", const QString &background = "bg.jpg",
                          bool andOpen = true)
    {
        folder.writeBytes("Plot Tables/" + name,
                          QString("%1\nBasicSet\n%2\n 1 \n 150 \n 300 \n[Notes]\n"
                                  "%3\n-1 \n 750 \n 1500 \n[End]\n")
                              .arg(background, icon, note).toLatin1());
        return andOpen ? openNamed(name) : nullptr;
    }
    PlotWindow *openNamed(const QString &name) { return open(folder.file("Plot Tables/" + name)); }
    QByteArray bytes(const QString &name) const { return folder.readBytes("Plot Tables/" + name); }
    // Shortcuts go to the active window, as the user's keys do.
    void activate()
    {
        main->show();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
    }
    static QString nameOf(QMdiSubWindow *frame)
    {
        return frame ? QFileInfo(frame->widget()->windowTitle()).completeBaseName() : "-";
    }
    QString current() const { return nameOf(main->mdiArea()->currentSubWindow()); }
};

} // namespace

class TestWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void viewMenuActsOnTheActiveTable()
    {
        Workspace f;
        QMenu *view = f.main->viewMenu();
        emit view->aboutToShow(); // no table: nothing to choose
        QCOMPARE(view->actions().size(), 4);
        QVERIFY(!view->actions().first()->isEnabled());
        PlotWindow *a = f.openNamed("A.plt");
        PlotWindow *b = f.openNamed("B.plt");
        emit view->aboutToShow();
        QCOMPARE(view->actions(), b->zoomActions());
        view->actions()[0]->trigger(); // Zoom In
        QVERIFY(b->view()->zoom() > 1.0);
        QCOMPARE(a->view()->zoom(), 1.0);
    }

    void menus()
    {
        // The captions that must stay as they are, and the keys that neither
        // a journey nor the shortcut case below goes through.
        Workspace f;
        QStringList seen;
        for (QAction *menu : f.main->menuBar()->actions()) {
            seen << menu->text();
            for (QAction *a : menu->menu()->actions())
                seen << a->text() + ' ' + a->shortcut().toString();
        }
        for (const char *caption :
             {"&File", "&Help", "&Info F1", "&About ", "Save &Snapshot ", "&Export... Ctrl+E",
              "Undo Ctrl+Z", "Redo Ctrl+Shift+Z", "&Edit... F2"})
            QVERIFY2(seen.contains(caption), caption);
    }

    void shortcuts_data()
    {
        // A, B and C are open, C active; each has its icon renamed, which
        // shows in its file once written.
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("expected"); // open tables, current, written, asked
        QTest::newRow("Ctrl+N") << (Qt::CTRL | Qt::Key_N) << "ABC C - askText Plotting Table Name: ";
        QTest::newRow("Ctrl+F4") << (Qt::CTRL | Qt::Key_F4) << "AB A C ";
        QTest::newRow("Ctrl+Tab") << (Qt::CTRL | Qt::Key_Tab) << "ABC A - ";
        QTest::newRow("Ctrl+Shift+Tab") << (Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab) << "ABC B - ";
    }

    void shortcuts()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, expected);
        Workspace f;
        for (const char *name : {"A", "B", "C"})
            f.openNamed(QString("%1.plt").arg(name))->document()->setText(ElementKind::Icon, 1,
                                                                          "renamed");
        f.activate();
        QTest::keyClick(f.main.get(), key.key(), key.keyboardModifiers());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QString open, written, asked;
        for (PlotWindow *w : f.main->tableWindows())
            open += QFileInfo(w->path()).completeBaseName();
        for (const char *name : {"A", "B", "C"})
            if (f.folder.readBytes(QString("Plot Tables/%1.plt").arg(name)).contains("renamed"))
                written += name;
        for (const ScriptedServices::Call &call : f.services.calls)
            asked += call.kind + ' ' + (call.text.isEmpty() ? call.title : call.text);
        QCOMPARE(QStringList({open, f.current(), written.isEmpty() ? "-" : written, asked})
                     .join(' '),
                 expected);
    }

    void cutAndPaste_data()
    {
        // The icon of A is picked up by a click, unless `pick` is false; then
        // Ctrl+X, B becomes active and the pointer goes to `pointer` on B's
        // picture (off it when negative) before Ctrl+V.
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QString>("expected"); // A's icon live, B's icons: text@left,top
        QTest::newRow("pointer elsewhere") << true << QPoint(-1, -1) << "0 B@300,150 A@0,0";
        QTest::newRow("nothing selected") << false << QPoint(40, 60) << "1 B@300,150";
    }

    void cutAndPaste()
    {
        QFETCH(bool, pick);
        QFETCH(QPoint, pointer);
        QFETCH(QString, expected);
        Workspace f;
        PlotWindow *b = f.openNamed("B.plt");
        PlotWindow *a = f.openNamed("A.plt");
        f.activate();
        if (pick)
            MouseInput::click(a, QPoint(25, 15));
        QCOMPARE(f.main->cutAction()->isEnabled(), pick);
        QTest::keyClick(f.main.get(), Qt::Key_X, Qt::ControlModifier);
        f.main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(b->parentWidget()));
        QCursor::setPos(pointer.x() < 0 ? f.main->mapToGlobal(QPoint(-50, -50))
                                        : b->view()->viewport()->mapToGlobal(pointer));
        QTest::keyClick(f.main.get(), Qt::Key_V, Qt::ControlModifier);
        QString seen = QString::number(a->document()->element(ElementKind::Icon, 1).live);
        for (int n = 1; n <= b->document()->count(ElementKind::Icon); ++n) {
            const PlotElement &icon = b->document()->element(ElementKind::Icon, n);
            seen += QString(" %1@%2,%3").arg(icon.text).arg(icon.left).arg(icon.top);
        }
        QCOMPARE(seen, expected);
    }

    void commandsNeedATable_data()
    {
        // With a table, the journeys use them all (and Cut waits for a pick).
        QTest::addColumn<QString>("open"); // "help" or ""
        QTest::addColumn<QString>("enabled"); // Snapshot Close Cut Delete Paste Find
        QTest::newRow("nothing open") << "" << "000000";
        QTest::newRow("help window") << "help" << "010000";
    }

    void commandsNeedATable()
    {
        QFETCH(QString, open);
        QFETCH(QString, enabled);
        Workspace f;
        f.main->show();
        if (open == "help")
            f.main->showHelp();
        QString seen;
        for (QAction *a : {f.main->snapshotAction(), f.main->closeAction(), f.main->cutAction(),
                           f.main->deleteAction(), f.main->pasteAction(), f.main->findAction()})
            seen += a->isEnabled() ? '1' : '0';
        QCOMPARE(seen, enabled);
        QCOMPARE(f.main->startPage()->isVisible(), open.isEmpty());
    }

    void saveWritesOnlyWhatChanged_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("answer"); // to "changed on disk": Overwrite, -, Cancel; -1 unasked
        QTest::newRow("never changed") << false << -1;
        QTest::newRow("changed on disk, overwritten") << true << 0;
        QTest::newRow("changed on disk, cancelled") << true << 2;
    }

    void saveWritesOnlyWhatChanged()
    {
        QFETCH(bool, change);
        QFETCH(int, answer);
        Workspace f;
        PlotWindow *w = f.openLines("T.plt");
        if (change) {
            w->document()->edit(ElementKind::Icon, 1, "Moved on");
            f.folder.writeBytes("Plot Tables/T.plt", f.bytes("T.plt") + "\n");
            f.services.answerChoice(answer);
        }
        const QByteArray before = f.bytes("T.plt");
        f.main->saveAction()->trigger();
        const bool written = answer == 0;
        QCOMPARE(f.bytes("T.plt") != before, written);
        QCOMPARE(w->isWindowModified(), change && !written);
        // What was written is what the window goes on from: closing asks
        // nothing more.
        DocumentFixture::close(w);
        QCOMPARE(f.services.callsOf("askChoice").size(), answer == 2 ? 2 : change ? 1 : 0);
    }

    void titles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("shown");
        QTest::newRow("changed") << "C:/t/a.plt" << true << "C:/t/a.plt*";
        QTest::newRow("saved") << "C:/t/a.plt" << false << "C:/t/a.plt";
        QTest::newRow("a mark inside") << "C:/[*]/a[*].plt" << true << "C:/[*]/a[*].plt*";
        QTest::newRow("a mark at the end") << "a[*]" << false << "a[*]";
        QTest::newRow("two marks at the end") << "a[*][*]" << true << "a[*][*]*";
    }

    void titles()
    {
        QFETCH(QString, path);
        QFETCH(bool, modified);
        QFETCH(QString, shown);
        QCOMPARE(WindowTitle::shown(WindowTitle::forFile(path), modified), shown);
        QWidget window; // as Qt itself reads it for the title bar
        window.setWindowTitle(WindowTitle::forFile(path));
        window.setWindowModified(modified);
        window.show();
        QCOMPARE(window.windowHandle()->title(), shown);
    }

    void windowsFit()
    {
        Workspace f;
        f.main->show();
        f.main->move(f.main->screen()->availableGeometry().topLeft());
        f.main->resize(400, 300);
        // Too tall only: the main window grows all the same.
        auto *frame = qobject_cast<QMdiSubWindow *>(f.openLines("T.plt", "A", "N", "tall.jpg")->parentWidget());
        QTRY_COMPARE(frame->size(), frame->sizeHint());
        emit f.main->windowMenu()->aboutToShow();
        QCOMPARE(f.main->windowMenu()->windowActions()[0]->text(), "&1 " + f.folder.file("Plot Tables/T.plt"));
        // The help window, at most the workspace's size, lies inside it.
        f.main->resize(500, 400);
        f.main->showHelp();
        QVERIFY(f.main->mdiArea()->viewport()->rect().contains(f.main->helpWindow()->parentWidget()->geometry()));
    }

    void placeKept()
    {
        Workspace f;
        f.main->show();
        f.main->resize(420, 310);
        f.main->close();
        QCOMPARE(MainWindow(f.folder.path(), f.services).size(), QSize(420, 310));
        f.main->showMaximized();
        f.main->close();
        QVERIFY(MainWindow(f.folder.path(), f.services).isMaximized());
    }

    void recentTables()
    {
        Workspace f;
        const QString a = f.folder.file("Plot Tables/A.plt");
        const QString b = f.folder.file("Plot Tables/B.plt");
        f.openNamed("A.plt");
        f.openNamed("B.plt");
        // Another form of an open table's path is that table.
        QCOMPARE(f.main->recentTables()->paths(), (QStringList{b, a}));
        // A table already open comes forward, by name or from the list.
        f.main->openRecent(a);
        QCOMPARE(f.main->tableWindowCount(), 2);
        QCOMPARE(f.current(), "A");
        QVERIFY(!f.openNamed("B.plt"));
        QCOMPARE(f.services.callsOf("message").size(), 2); // "already open", each time
        QCOMPARE(f.current(), "B");
        while (!f.main->tableWindows().isEmpty())
            DocumentFixture::close(f.main->tableWindows()[0]);
        QTRY_VERIFY(f.main->startPage()->isVisible());
        QVERIFY(f.main->startPage()->text().contains(">B</a>"));
        QStringList entries;
        for (QAction *action : f.main->recentMenu()->actions())
            entries << action->text();
        QCOMPARE(entries, (QStringList{"&1 B.plt", "&2 A.plt"}));

        // A table gone from disk leaves the list with a message.
        f.services.calls.clear();
        QFile::remove(b);
        f.main->recentMenu()->actions()[0]->trigger();
        QCOMPARE(f.services.callsOf("message").size(), 1);
        QVERIFY(f.services.calls[0].text.contains(QDir::toNativeSeparators(b)));
        QCOMPARE(f.main->recentTables()->paths(), QStringList{a});
        QCOMPARE(f.main->tableWindowCount(), 0);
        emit f.main->startPage()->linkActivated("recent:0");
        QCOMPARE(f.current(), "A");
        QVERIFY(!f.main->startPage()->isVisible());

        // Only the last ten are kept.
        for (int n = 1; n <= 12; ++n)
            f.open(f.table(QString("T%1.plt").arg(n), {"bg.jpg", "S", "[Notes]", "[End]"}));
        QCOMPARE(f.main->recentTables()->paths().size(), RecentTables::MaxCount);
        QVERIFY(f.main->recentTables()->paths().first().endsWith("T12.plt"));
    }

    void statusBar()
    {
        Workspace f;
        TableStatusBar *bar = f.main->tableStatusBar();
        QCOMPARE(bar->countsText(), QString());
        PlotWindow *a = f.openNamed("A.plt");
        QCOMPARE(bar->countsText(), "1 icon, 1 note");
        a->addNote("more", QPointF(0, 0));
        a->document()->setLive(ElementKind::Icon, 1, false);
        QCOMPARE(bar->countsText(), "0 icons, 2 notes");
        PlotWindow *b = f.openNamed("B.plt");
        b->addIcon(2, "x", QPointF(0, 0));
        QCOMPARE(bar->countsText(), "2 icons, 1 note");
        MouseInput::move(b, QPoint(40, 31), Qt::NoButton);
        QCOMPARE(bar->pointerText(), "Pointer: 40, 31 px");
        DocumentFixture::close(b);
        QCOMPARE(bar->countsText(), "0 icons, 2 notes");
        QCOMPARE(bar->pointerText(), QString());
    }

    void snapshotSays_data()
    {
        QTest::addColumn<bool>("programStarts");
        QTest::addColumn<QString>("message");
        QTest::newRow("image program") << true << "Snapshot saved to %1 and opened in the "
                                                  "image program.";
        QTest::newRow("no image program") << false << "Snapshot saved to %1. No image program "
                                                      "could be started to show it.";
    }

    void snapshotSays()
    {
        QFETCH(bool, programStarts);
        QFETCH(QString, message);
        Workspace f;
        f.services.programStarts = programStarts;
        f.openNamed("A.plt");
        f.main->snapshotAction()->trigger();
        QCOMPARE(f.main->tableStatusBar()->currentMessage(),
                 message.arg(QDir::toNativeSeparators(f.folder.file("Quenbrack.bmp"))));
    }

    void noteTooltip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cut"); // the 89 x 65 pixel box cuts it short
        QTest::newRow("fits") << "Divers" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("too many lines") << QString("Divers down here, keep clear. ").repeated(8)
                                        << true;
        QTest::newRow("a word too wide") << "Supercalifragilisticexpialidocious" << true;
    }

    void noteTooltip()
    {
        QFETCH(QString, text);
        QFETCH(bool, cut);
        Workspace f;
        PlotWindow *a = f.openNamed("A.plt");
        a->document()->setText(ElementKind::Note, 1, text);
        f.activate();
        QToolTip::hideText();
        QWidget *surface = a->view()->viewport();
        const QPoint on(110, 60);
        QHelpEvent help(QEvent::ToolTip, on, surface->mapToGlobal(on));
        QApplication::sendEvent(surface, &help);
        QCOMPARE(a->noteItem(1)->showsWholeText(), !cut);
        // The lines shown are the text's start, and say that it goes on.
        const QString shown = a->noteItem(1)->shortenedLines().join("");
        QCOMPARE(shown.endsWith("..."), cut);
        if (cut)
            QVERIFY(QString(text).remove(' ').startsWith(QString(shown).remove(' ').chopped(3)));
        else
            QVERIFY(shown.isEmpty());
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), cut ? text : QString());
    }
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
