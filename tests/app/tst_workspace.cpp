// The main window as a desktop program: its commands by menu and keyboard,
// windows that fit, the recent tables, the start page and the status bar.

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
        folder.writePicture("Plot Templates/big.jpg", QSize(2000, 1500));
        folder.writeIconSet("BasicSet", 3);
        for (const char *name : {"A", "B", "C"})
            table(QString("%1.plt").arg(name), {"bg.jpg", "BasicSet", name, " 1 ", " 150 ",
                                                " 300 ", "[Notes]", "Note", "-1 ", " 750 ",
                                                " 1500 ", "[End]"});
        table("Big.plt", {"big.jpg", "BasicSet", "[Notes]", "[End]"});
    }
    PlotWindow *openNamed(const QString &name) { return open(folder.file("Plot Tables/" + name)); }
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
        // Every caption kept, the new commands added, each with its key.
        Workspace f;
        QStringList seen;
        for (QAction *menu : f.main->menuBar()->actions()) {
            seen << menu->text();
            for (QAction *a : menu->menu()->actions())
                seen << "  " + (a->isSeparator() ? "-" : a->text() + ' ' + a->shortcut().toString());
        }
        QCOMPARE(seen, (QStringList{"&File", "  &New Ctrl+N", "  &Open Ctrl+O", "  Open &Recent ",
                                    "  -", "  &Save Ctrl+S", "  Save A&ll ", "  Save &Snapshot ", "  -", "  &Close Ctrl+W", "  -",
                                    "  E&xit Ctrl+Q", "&Edit", "  Undo Ctrl+Z",
                                    "  Redo Ctrl+Shift+Z", "  -", "  &Edit... F2", "  Cu&t Ctrl+X", "  &Delete Del",
                                    "  &Paste Ctrl+V", "  -", "  &Find Ctrl+F", "&View", "&Window",
                                    "  &Tile ", "  &Cascade ", "  -", "  Ne&xt Ctrl+Tab",
                                    "  Pre&vious Ctrl+Shift+Backtab", "  -", "&Help",
                                    "  &Info F1", "  &About "}));
        QVERIFY(f.main->closeAction()->shortcuts().contains(QKeySequence("Ctrl+F4")));
    }

    void shortcuts_data()
    {
        // A, B and C are open, C active; each has its icon renamed, which
        // shows in its file once written.
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("expected"); // open tables, current, written, asked
        QTest::newRow("Ctrl+O") << (Qt::CTRL | Qt::Key_O) << "ABC C - openFile Open a Plot Table";
        QTest::newRow("Ctrl+N") << (Qt::CTRL | Qt::Key_N) << "ABC C - askText Plotting Table Name: ";
        QTest::newRow("F1") << QKeyCombination(Qt::Key_F1) << "ABC Information - ";
        QTest::newRow("Ctrl+W") << (Qt::CTRL | Qt::Key_W) << "AB A C ";
        QTest::newRow("Ctrl+F4") << (Qt::CTRL | Qt::Key_F4) << "AB A C ";
        QTest::newRow("Ctrl+Q") << (Qt::CTRL | Qt::Key_Q) << " - ABC ";
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

    void editCommands_data()
    {
        // The icon of A is picked up by a click, unless `pick` is false;
        // then the keys, B becomes active and the pointer goes to `pointer`
        // on B's picture (off it when negative) before Ctrl+V.
        QTest::addColumn<bool>("pick");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QString>("expected"); // A's icon live, B's icons: text@left,top
        QTest::newRow("Delete") << true << Qt::Key_Delete << QPoint(-1, -1) << "0 B@300,150";
        QTest::newRow("Cut, paste at the pointer")
            << true << Qt::Key_X << QPoint(40, 60) << "0 B@300,150 A@600,900";
        QTest::newRow("Cut, paste with the pointer elsewhere")
            << true << Qt::Key_X << QPoint(-1, -1) << "0 B@300,150 A@0,0";
        QTest::newRow("nothing selected") << false << Qt::Key_X << QPoint(40, 60)
                                          << "1 B@300,150";
    }

    void editCommands()
    {
        QFETCH(bool, pick);
        QFETCH(Qt::Key, key);
        QFETCH(QPoint, pointer);
        QFETCH(QString, expected);
        Workspace f;
        PlotWindow *b = f.openNamed("B.plt");
        PlotWindow *a = f.openNamed("A.plt");
        f.activate();
        if (pick)
            MouseInput::click(a, QPoint(25, 15));
        QCOMPARE(f.main->cutAction()->isEnabled(), pick);
        QTest::keyClick(f.main.get(), key, key == Qt::Key_X ? Qt::ControlModifier : Qt::NoModifier);
        f.main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(b->parentWidget()));
        QWidget *surface = b->view()->viewport();
        QCursor::setPos(pointer.x() < 0 ? f.main->mapToGlobal(QPoint(-50, -50))
                                        : surface->mapToGlobal(pointer));
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
        QTest::addColumn<QString>("open"); // "table", "help" or ""
        QTest::addColumn<QString>("enabled"); // Snapshot Close Cut Delete Paste Find
        QTest::newRow("nothing open") << "" << "000000";
        QTest::newRow("help window") << "help" << "010000";
        // Cut and Delete wait for an element to be selected.
        QTest::newRow("table") << "table" << "110011";
    }

    void commandsNeedATable()
    {
        QFETCH(QString, open);
        QFETCH(QString, enabled);
        Workspace f;
        f.main->show();
        if (open == "table")
            f.openNamed("A.plt");
        if (open == "help")
            f.main->showHelp();
        QString seen;
        for (QAction *a : {f.main->snapshotAction(), f.main->closeAction(), f.main->cutAction(),
                           f.main->deleteAction(), f.main->pasteAction(), f.main->findAction()})
            seen += a->isEnabled() ? '1' : '0';
        QCOMPARE(seen, enabled);
        QCOMPARE(f.main->startPage()->isVisible(), open.isEmpty());
    }

    void windowsFit_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("whole"); // the screen has room for all of it
        QTest::newRow("larger than the workspace") << "A.plt" << true;
        QTest::newRow("larger than the screen") << "Big.plt" << false;
    }

    void windowsFit()
    {
        QFETCH(QString, table);
        QFETCH(bool, whole);
        Workspace f;
        f.main->show();
        f.main->move(f.main->screen()->availableGeometry().topLeft());
        f.main->resize(200, 150);
        QVERIFY(f.openNamed("A.plt")); // the second one cascades further in
        DocumentFixture::close(f.main->tableWindows()[0]);
        f.openNamed("C.plt");
        auto *frame = qobject_cast<QMdiSubWindow *>(f.openNamed(table)->parentWidget());
        QTRY_VERIFY(f.main->mdiArea()->viewport()->rect().contains(frame->geometry()));
        QVERIFY(f.main->screen()->availableGeometry().contains(f.main->frameGeometry()));
        QCOMPARE(frame->size() == frame->sizeHint(), whole);
        QVERIFY(f.main->width() > 200);
    }

    void alreadyOpenComesForward()
    {
        Workspace f;
        f.openNamed("A.plt");
        f.openNamed("B.plt");
        QVERIFY(!f.openNamed("A.plt"));
        QCOMPARE(f.services.calls.size(), 1);
        QCOMPARE(f.current(), "A");
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
        f.main->openRecent(a);
        QCOMPARE(f.main->tableWindowCount(), 2);
        QCOMPARE(f.current(), "A");
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
        QVERIFY(QFileInfo(f.folder.file("Quenbrack.bmp")).size() > 0);
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
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), cut ? text : QString());
    }
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
