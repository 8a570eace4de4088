// The main window as a desktop program, around the plain rounds that the journeys "session", "mainwindow"
// and "flow" make (File > New, Ctrl+O, F1, Ctrl+W, Delete, Ctrl+X and Ctrl+V at the pointer, Ctrl+Q, a table
// larger than the screen).

#include "AboutBox.h"
#include "CompassMdiArea.h"
#include "DocumentFixture.h"
#include "HelpWindow.h"
#include "MachineSettings.h"
#include "MouseInput.h"
#include "NoteItem.h"
#include "PlotView.h"
#include "RecentTables.h"
#include "StartPage.h"
#include "TableStatusBar.h"
#include "TerminationWatcher.h"
#include "WindowMenu.h"
#include "WindowTitle.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QToolTip>
#include <QMenuBar>
#include <QtTest>

#include <csignal>

namespace {

// Tables A, B, C (and T1 .. T<count>) of one icon at (20, 10) pixels and one note at (100, 50) on a
// 300 x 200 picture, with LF line ends, which only a write makes CR LF.
struct Tables : DocumentFixture
{
    explicit Tables(int count = 0)
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(300, 200));
        folder.writePicture("Plot Templates/tall.jpg", QSize(100, 330));
        folder.writeIconSet("BasicSet", 3);
        for (const QString name : {"A", "B", "C"})
            write(name + ".plt", name);
        for (int n = 1; n <= count; ++n)
            write(QString("T%1.plt").arg(n));
    }

    void write(const QString &name, const QString &icon = "A", const QString &background = "bg.jpg")
    {
        const QString lines = "%1\nBasicSet\n%2\n 1 \n 150 \n 300 \n[Notes]\nNote\n-1 \n 750 \n 1500 \n[End]\n";
        folder.writeBytes("Plot Tables/" + name, lines.arg(background, icon).toLatin1());
    }
    QString path(int n) const { return folder.file(QString("Plot Tables/T%1.plt").arg(n)); }
    // "%1" stands for the program folder.
    QString expand(QString form) const { return form.replace("%1", folder.path()); }
    PlotWindow *openNamed(const QString &name) { return open(folder.file("Plot Tables/" + name)); }
    QByteArray bytes(const QString &name) const { return folder.readBytes("Plot Tables/" + name); }
    // Shortcuts go to the active window, as the user's keys do.
    void activate()
    {
        main->show();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
    }
    QString current() const
    {
        const QMdiSubWindow *frame = main->mdiArea()->currentSubWindow();
        return frame ? QFileInfo(frame->widget()->windowTitle()).completeBaseName() : "-";
    }

    // Snapshot, Close, Cut, Delete, Paste and Find: 1 where enabled.
    QString enabledCommands() const
    {
        QString seen;
        for (QAction *a : {main->snapshotAction(), main->closeAction(), main->cutAction(),
                           main->deleteAction(), main->pasteAction(), main->findAction()})
            seen += a->isEnabled() ? '1' : '0';
        return seen;
    }
};

// The calls on the services in order, each as "kind text|title|default|icon", the open dialog as
// "openFile title|filter|folder", a choice with its choices after the icon.
QStringList asked(const ScriptedServices &services)
{
    QStringList log;
    for (const ScriptedServices::Call &c : services.calls) {
        QStringList fields{c.text, c.title, c.defaultText, QString::number(int(c.icon))};
        if (c.kind == "openFile")
            fields = QStringList{c.dialog.title, c.dialog.filter, c.dialog.folder};
        log << c.kind + ' ' + (fields + (c.kind == "askTextFromList" ? c.arguments : QStringList())).join('|');
    }
    return log;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startup_data()
    {
        // The arguments as the platform splits them.
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opened");
        const QString t1 = "%1/Plot Tables/T1.plt";
        QTest::newRow("no arguments") << QStringList() << QString();
        QTest::newRow("quoted path") << QStringList{'"' + t1 + '"'} << t1;
        QTest::newRow("two names are one path") << QStringList{"%1/Plot", "Tables/T1.plt"} << t1;
        QTest::newRow("quote in the middle") << QStringList{"%1/Plot Tab\"les/T1.plt"} << t1;
        QTest::newRow("relative path") << QStringList{"Plot Tables/T1.plt"} << "Plot Tables/T1.plt";
    }

    void startup()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, opened);
        Tables f(1);
        f.main->start(MainWindow::commandLineText(arguments.replaceInStrings("%1", f.folder.path())));
        QCOMPARE(f.main->tableWindowCount() ? f.main->tableWindows()[0]->path() : QString(), f.expand(opened));
        QVERIFY(f.services.calls.isEmpty());
        QVERIFY(f.folder.readBytes(MachineSettings::storePath()).contains("\nPath=" + f.folder.path().toUtf8() + '\n'));
    }

    void openWhileOthersAreOpen_data()
    {
        // T1 .. T<open> are open when `again` is asked for, and refused.
        QTest::addColumn<int>("open");
        QTest::addColumn<QString>("again");
        QTest::addColumn<QString>("message"); // text|title||icon
        const QString already = "This Plot Table is already open!|Quenbrack||0";
        QTest::newRow("51st document") << 50 << "%1/Plot Tables/T51.plt"
                                       << "You already have the maximum number of documents (50) open.|Document Count||2";
        QTest::newRow("path already open") << 1 << "%1/Plot Tables/T1.plt" << already;
        // The same file under another path form is the same table.
        QTest::newRow("other letter case") << 1 << "%1/plot tables/t1.PLT" << already;
        QTest::newRow("relative path") << 1 << "Plot Tables/T1.plt" << already;
        QTest::newRow("dot folder") << 1 << "%1/./Plot Tables/T1.plt" << already;
    }

    void openWhileOthersAreOpen()
    {
        QFETCH(int, open);
        QFETCH(QString, again);
        QFETCH(QString, message);
        Tables f(open + 1);
        for (int n = 1; n <= open; ++n)
            QVERIFY(f.open(f.path(n)));
        QVERIFY(!f.open(f.expand(again)));
        QCOMPARE(asked(f.services), QStringList{"message " + message});
        // Once a window closes it opens; fifty rounds of it leave the count as it was (and nothing behind,
        // under LeakSanitizer).
        for (int round = 0; round < 50; ++round) {
            DocumentFixture::close(f.main->tableWindows().last());
            QVERIFY(f.open(f.expand(again)));
        }
        QCOMPARE(f.main->tableWindowCount(), open);
        QCOMPARE(f.main->tableWindows().size(), open);
    }

    void terminationSavesEveryTable()
    {
        // SIGTERM closes the main window, which closes every table first.
        Tables f(50);
        for (int n = 1; n <= 50; ++n)
            f.open(f.path(n))->document()->setText(ElementKind::Icon, 1, QString("edit %1").arg(n));
        TerminationWatcher watcher(f.main.get());
        raise(SIGTERM);
        QTRY_COMPARE(f.main->tableWindowCount(), 0);
        for (int n = 1; n <= 50; ++n)
            QVERIFY(f.folder.readBytes(f.path(n)).contains("\r\nedit " + QByteArray::number(n) + "\r\n"));
    }

    void terminationWhileATableLoads()
    {
        // The signal comes while a table's "Missing File" box is up: the tables that finished loading are
        // written, the program ends.
        Tables f;
        f.openNamed("A.plt")->document()->setText(ElementKind::Icon, 1, "kept");
        f.services.onMessage([&](const ScriptedServices::Call &) { f.main->endBySignal(); });
        f.open(f.table("missing.plt", {"gone.jpg", "Set", "[Notes]", "[End]"}));
        QVERIFY(f.bytes("A.plt").contains("\r\nkept\r\n"));
    }

    void create_data()
    {
        // name: "<Cancel>" cancels the question; picture: chosen in Elsewhere/ (90 x 60), "" cancels the
        // dialog. The sets S and BasicSet are there; another set is warned about. file: the table made, or
        // "!" and the one there already under that name, which refuses it (matched in any case).
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("iconSet");
        QTest::addColumn<QString>("file");
        QTest::newRow("nine characters removed") << "a/b:c?\"|*<>\\" << "h.jpg" << "S" << "abc.plt";
        QTest::newRow(".plt appended") << "x.plt" << "h.jpg" << "S" << "x.plt.plt";
        QTest::newRow("empty name") << "" << "h.jpg" << "S" << ".plt";
        QTest::newRow("name cancelled") << "<Cancel>" << "h.jpg" << "S" << "";
        QTest::newRow("icon set cancelled") << "H" << "h.jpg" << "" << "H.plt";
        QTest::newRow("icon set of another case") << "H" << "h.jpg" << "basicset" << "H.plt";
        QTest::newRow("icon set not there") << "H" << "h.jpg" << "Nowhere" << "H.plt";
        QTest::newRow("picture cancelled") << "H" << "" << "S" << "";
        QTest::newRow("picture of that name kept") << "H" << "MAP.jpg" << "S" << "H.plt";
        QTest::newRow("taken after removing characters") << "a:b" << "h.jpg" << "S" << "!ab.plt";
        QTest::newRow("taken in another case") << "harbour" << "h.jpg" << "S" << "!Harbour.plt";
        QTest::newRow("taken, suffix in another case") << "Pier" << "h.jpg" << "S" << "!pier.PLT";
    }

    void create()
    {
        QFETCH(QString, name);
        QFETCH(QString, picture);
        QFETCH(QString, iconSet);
        QFETCH(QString, file);
        DocumentFixture f;
        QDir tables(f.folder.file("Plot Tables"));
        tables.removeRecursively(); // New makes it anew
        const bool taken = file.startsWith('!');
        if (taken)
            f.folder.writeBytes("Plot Tables/" + file.remove(0, 1), "mine");
        f.folder.writePicture("Plot Templates/map.jpg", QSize(30, 20));
        f.folder.writeIconSet("S", 1);
        f.folder.writeIconSet("BasicSet", 2);
        QDir().mkpath(f.folder.file("Icons/Empty"));
        if (!picture.isEmpty())
            f.folder.writePicture("Elsewhere/" + picture, QSize(90, 60));
        name == "<Cancel>" ? f.services.cancelInput() : f.services.answerInput(name);
        f.services.answerOpen(picture.isEmpty() ? "" : f.folder.file("Elsewhere/" + picture));
        f.services.answerInput(iconSet);
        f.main->newAction()->trigger();

        const QStringList questions{
            "askText Plotting Table Name: |Quenbrack||0",
            "openFile Choose background Image File|JPG Files|*.jpg|BMP Files|*.bmp|JPEG Files|"
            "*.jpeg|GIF Files|*.gif|" + f.folder.file("Plot Templates"),
            "askTextFromList Icon Set (Directory Name): |Choose Icon Set|BasicSet|0|BasicSet|Empty|S",
            "message There is no icon set \"Nowhere\" in the Icons folder, so the palette of "
            "this Plot Table will be empty until its pictures are put there.|Quenbrack||1"};
        const int asks = taken || name == "<Cancel>" ? 1 : picture.isEmpty() ? 2 : iconSet == "Nowhere" ? 4 : 3;
        QCOMPARE(asked(f.services), questions.mid(0, asks) + (taken ? QStringList{
                     "message File already exists!|Quenbrack||0"} : QStringList()));
        // Nothing but the table, and the lock of its open window.
        QStringList made = tables.entryList(QDir::Files | QDir::Hidden);
        made.removeAll('.' + file + ".lock");
        QCOMPARE(made, file.isEmpty() ? QStringList() : QStringList{file});
        QCOMPARE(f.main->tableWindowCount(), int(!file.isEmpty() && !taken));
        if (taken)
            QCOMPARE(f.folder.readBytes(tables.filePath(file)), QByteArray("mine"));
        if (file.isEmpty() || taken)
            return;
        QCOMPARE(f.folder.readBytes(tables.filePath(file)),
                 TestProgramFolder::crlf({picture, iconSet, "[Notes]", "[End]"}));
        QCOMPARE(f.main->tableWindows()[0]->path(), tables.filePath(file));
        // The background is the chosen picture's copy in Plot Templates, or the picture of that name, in any
        // case, that was there before.
        QCOMPARE(f.main->tableWindows()[0]->sizeHint(), picture == "MAP.jpg" ? QSize(30, 20) : QSize(90, 60));
    }

    void helpHasOneWindowEach()
    {
        // Info twice gives one window, which leaves only Close to the table commands; closed and opened
        // again, it reads the page anew.
        Tables f;
        f.main->show();
        QCOMPARE(f.enabledCommands(), "000000");
        for (const QString page : {"First page", "Second page"}) {
            f.folder.writeBytes("help.htm", "<p>" + page.toUtf8() + "</p>");
            f.main->infoAction()->trigger();
            f.main->infoAction()->trigger();
            HelpWindow *help = f.main->helpWindow();
            QCOMPARE(f.main->findChildren<QMdiSubWindow *>().size(), 1);
            QCOMPARE(f.enabledCommands(), "010000");
            QVERIFY(!f.main->startPage()->isVisible());
            QCOMPARE((QStringList{help->windowTitle(), help->browser()->toPlainText()}), (QStringList{"Information", page}));
            QCOMPARE(help->parentWidget()->width(), 767); // 11500 twips
            for (const QSize size : {QSize(900, 700), QSize(20, 10)}) {
                help->parentWidget()->resize(size);
                QCOMPARE(help->browser()->geometry(), help->rect());
            }
            help->parentWidget()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!f.main->helpWindow());
        }
        // At most the workspace's size, it lies inside it.
        f.main->resize(500, 400);
        f.main->showHelp();
        QVERIFY(f.main->mdiArea()->viewport()->rect().contains(f.main->helpWindow()->parentWidget()->geometry()));

        f.main->aboutAction()->trigger();
        AboutBox *about = f.main->aboutBox();
        f.main->aboutAction()->trigger();
        QCOMPARE(f.main->aboutBox(), about);
        QVERIFY(about->isWindow() && about->okButton()->isDefault());
        QCOMPARE((QStringList{about->windowTitle(), about->versionLabel()->text()}),
                 (QStringList{"About Quenbrack", "Version 1.0.1"}));
        // Closing the main window leaves the box open; Escape closes it.
        f.main->close();
        QVERIFY(about->isVisible());
        QTest::keyClick(about, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.main->aboutBox());
    }

    void captions()
    {
        // The commands' own words, which users and the help page know them by, and a key no row below presses.
        Tables f;
        QStringList seen;
        for (QAction *menu : f.main->menuBar()->actions())
            for (QAction *a : menu->menu()->actions())
                seen << menu->text() + ' ' + a->text() + ' ' + a->shortcut().toString();
        for (const char *caption : {"&File Save &Snapshot ", "&File &Export... Ctrl+E", "&Help &Info F1", "&Help &About "})
            QVERIFY2(seen.contains(caption), caption);
    }

    void shortcuts_data()
    {
        // A, B and C are open, C active; each has its icon renamed, which shows in its file once written.
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected"); // open tables, current, written, its icon, asked
        QTest::newRow("Ctrl+N") << "Ctrl+N" << "ABC C - renamed askText Plotting Table Name: |Quenbrack||0";
        // Cancelled: nothing opens.
        QTest::newRow("Ctrl+O") << "Ctrl+O" << "ABC C - renamed openFile Open a Plot Table|Plot Tables|*.plt|%1/Plot Tables";
        QTest::newRow("Ctrl+F4") << "Ctrl+F4" << "AB A C renamed ";
        QTest::newRow("Ctrl+Tab") << "Ctrl+Tab" << "ABC A - renamed ";
        QTest::newRow("Ctrl+Shift+Tab") << "Ctrl+Shift+Backtab" << "ABC B - renamed ";
        QTest::newRow("Ctrl+Z") << "Ctrl+Z" << "ABC C - C ";
        QTest::newRow("Ctrl+Shift+Z") << "Ctrl+Z Ctrl+Shift+Z" << "ABC C - renamed ";
        QTest::newRow("Ctrl+Y") << "Ctrl+Z Ctrl+Y" << "ABC C - renamed ";
    }

    void shortcuts()
    {
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        Tables f;
        for (const QString name : {"A", "B", "C"})
            f.openNamed(name + ".plt")->document()->edit(ElementKind::Icon, 1, "renamed");
        f.activate();
        for (const QString &name : keys.split(' ')) {
            const QKeyCombination key = QKeySequence(name)[0];
            QTest::keyClick(f.main.get(), key.key(), key.keyboardModifiers());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QString open, written, icon;
        for (PlotWindow *w : f.main->tableWindows()) {
            open += QFileInfo(w->path()).completeBaseName();
            if (w->parentWidget() == f.main->mdiArea()->currentSubWindow())
                icon = w->document()->element(ElementKind::Icon, 1).text;
        }
        for (const QString name : {"A", "B", "C"})
            if (f.bytes(name + ".plt").contains("renamed"))
                written += name;
        QCOMPARE(QStringList({open, f.current(), written.isEmpty() ? "-" : written, icon, asked(f.services).join(' ')})
                     .join(' '),
                 f.expand(expected));
    }

    void cutWaitsForAPickAndPastesAtTheCorner()
    {
        // Pasted with the pointer off the table, the icon goes to the picture's corner.
        Tables f;
        PlotWindow *b = f.openNamed("B.plt");
        PlotWindow *a = f.openNamed("A.plt");
        f.activate();
        QCOMPARE(f.enabledCommands(), "110011");
        MouseInput::click(a, QPoint(25, 15));
        QCOMPARE(f.enabledCommands(), "111111");
        QTest::keyClick(f.main.get(), Qt::Key_X, Qt::ControlModifier);
        f.main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(b->parentWidget()));
        QCursor::setPos(f.main->mapToGlobal(QPoint(-50, -50)));
        QTest::keyClick(f.main.get(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!a->document()->element(ElementKind::Icon, 1).live);
        const PlotElement &pasted = b->document()->element(ElementKind::Icon, 2);
        QCOMPARE(QString("%1@%2,%3").arg(pasted.text).arg(pasted.left).arg(pasted.top), "A@0,0");
    }

    void fileCommands_data()
    {
        // On A, beside B. With an answer, A changed on disk meanwhile, and that answers the question
        // (Overwrite, -, Cancel). Then whether A was written, is still marked changed, the questions asked
        // once it closes too, and the status bar's message; %1 is the program folder.
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("expected");
        const QString a = "%1/Plot Tables/A.plt";
        QTest::newRow("never changed") << "Save" << false << -1 << "000 " + a + " has no changes to save.";
        QTest::newRow("changed on disk, overwritten") << "Save" << true << 0 << "101 Saved " + a + '.';
        // What was written is what the window goes on from: closing asks nothing more.
        QTest::newRow("changed on disk, cancelled") << "Save" << true << 2 << "012 " + a + " was not saved.";
        QTest::newRow("save all") << "Save All" << true << -1 << "100 Saved " + a + '.';
        QTest::newRow("snapshot shown")
            << "Snapshot" << true << -1 << "010 Snapshot saved to %1/Quenbrack.bmp and opened in the image program.";
        QTest::newRow("no image program") << "Snapshot, no program" << true << -1
            << "010 Snapshot saved to %1/Quenbrack.bmp. No image program could be started to show it.";
    }

    void fileCommands()
    {
        QFETCH(QString, command);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(QString, expected);
        Tables f;
        f.openNamed("B.plt");
        PlotWindow *a = f.openNamed("A.plt");
        if (edited)
            a->document()->edit(ElementKind::Icon, 1, "changed");
        if (answer >= 0) {
            f.folder.writeBytes("Plot Tables/A.plt", f.bytes("A.plt") + "\n");
            f.services.answerChoice(answer);
        }
        f.services.programStarts = !command.endsWith("no program");
        const QByteArray before = f.bytes("A.plt");
        (command == "Save" ? f.main->saveAction() : command == "Save All" ? f.main->saveAllAction()
                                                                           : f.main->snapshotAction())->trigger();
        QString seen = QString::number(f.bytes("A.plt") != before) + QString::number(a->isWindowModified());
        const QString message = f.main->tableStatusBar()->currentMessage();
        DocumentFixture::close(a);
        QCOMPARE(seen + QString::number(f.services.callsOf("askChoice").size()) + ' ' + message, f.expand(expected));
    }

    void titles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("shown");
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

    void windowsFitAndPlaceIsKept()
    {
        Tables f;
        f.main->show();
        f.main->move(f.main->screen()->availableGeometry().topLeft());
        f.main->resize(400, 300);
        // Too tall only: the main window grows all the same.
        f.write("T.plt", "A", "tall.jpg");
        auto *frame = qobject_cast<QMdiSubWindow *>(f.openNamed("T.plt")->parentWidget());
        QTRY_COMPARE(frame->size(), frame->sizeHint());
        DocumentFixture::close(f.main->tableWindows()[0]);
        f.main->resize(420, 310);
        f.main->close();
        QCOMPARE(MainWindow(f.folder.path(), f.services).size(), QSize(420, 310));
        f.main->showMaximized();
        f.main->close();
        QVERIFY(MainWindow(f.folder.path(), f.services).isMaximized());
    }

    void recentTables()
    {
        Tables f;
        const QString a = f.folder.file("Plot Tables/A.plt"), b = f.folder.file("Plot Tables/B.plt");
        f.openNamed("A.plt");
        f.openNamed("B.plt");
        QCOMPARE(f.main->recentTables()->paths(), (QStringList{b, a}));
        // The Window menu names each table by its path and brings it forward.
        emit f.main->windowMenu()->aboutToShow();
        QCOMPARE(f.main->windowMenu()->windowActions()[0]->text(), "&1 " + a);
        f.main->windowMenu()->windowActions()[0]->trigger();
        QCOMPARE(f.current(), "A");
        // A table already open comes forward, by name (even minimised) or from the list.
        qobject_cast<QMdiSubWindow *>(f.main->tableWindows()[1]->parentWidget())->showMinimized();
        QVERIFY(!f.openNamed("B.plt"));
        QCOMPARE(f.current(), "B");
        QVERIFY(!f.main->mdiArea()->currentSubWindow()->isMinimized());
        f.main->openRecent(a);
        QCOMPARE(f.current(), "A");
        QCOMPARE(f.services.callsOf("message").size(), 2); // "already open", each time: nothing more opens
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

    void followsTheActiveTable()
    {
        // The View menu and the status bar.
        Tables f;
        QMenu *view = f.main->viewMenu();
        TableStatusBar *bar = f.main->tableStatusBar();
        emit view->aboutToShow(); // no table: nothing to choose
        QCOMPARE(view->actions().size(), 4);
        QVERIFY(!view->actions().first()->isEnabled());
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
        emit view->aboutToShow();
        QCOMPARE(view->actions(), b->zoomActions());
        view->actions()[0]->trigger(); // Zoom In
        QVERIFY(b->view()->zoom() > 1.0);
        QCOMPARE(a->view()->zoom(), 1.0);
        DocumentFixture::close(b);
        QCOMPARE(bar->countsText(), "0 icons, 2 notes");
        QCOMPARE(bar->pointerText(), QString());
    }

    void noteTooltip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cut"); // the 89 x 65 pixel box cuts it short
        QTest::newRow("fits") << "Divers" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("too many lines") << QString("Divers down here, keep clear. ").repeated(8) << true;
        QTest::newRow("a word too wide") << "Supercalifragilisticexpialidocious" << true;
    }

    void noteTooltip()
    {
        QFETCH(QString, text);
        QFETCH(bool, cut);
        Tables f;
        PlotWindow *a = f.openNamed("A.plt");
        a->document()->setText(ElementKind::Note, 1, text);
        f.activate();
        QToolTip::hideText();
        QWidget *surface = a->view()->viewport();
        QHelpEvent help(QEvent::ToolTip, QPoint(110, 60), surface->mapToGlobal(QPoint(110, 60)));
        QApplication::sendEvent(surface, &help);
        QCOMPARE(a->noteItem(1)->showsWholeText(), !cut);
        // The lines shown are the text's start, and say that it goes on.
        const QString shown = a->noteItem(1)->shortenedLines().join("");
        QCOMPARE(shown.endsWith("..."), cut);
        QVERIFY(cut ? QString(text).remove(' ').startsWith(QString(shown).remove(' ').chopped(3)) : shown.isEmpty());
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), cut ? text : QString());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
