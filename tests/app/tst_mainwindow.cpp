// The main window: start-up, opening and making documents and their limits,
// Help, closing.

#include "AboutBox.h"
#include "DocumentFixture.h"
#include "HelpWindow.h"
#include "MachineSettings.h"
#include "TerminationWatcher.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include <csignal>

// A program folder holding Plot Tables/T1.plt .. T51.plt.
struct Tables : DocumentFixture
{
    Tables()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(20, 20));
        for (int n = 1; n <= 51; ++n)
            table(QString("T%1.plt").arg(n), {"bg.jpg", "Set", "Pier", " 1 ", " 150 ", " 300 ",
                                               "[Notes]", "[End]"});
    }
    QString path(int n) const { return folder.file(QString("Plot Tables/T%1.plt").arg(n)); }
    // "%1" stands for the program folder.
    QString expand(QString form) const { return form.replace("%1", folder.path()); }
};

// The calls on the services in order, each as "kind text|title|default|icon",
// the open dialog as "openFile title|filter|folder", a choice with its
// choices after the icon.
static QStringList asked(const ScriptedServices &services)
{
    QStringList log;
    for (const ScriptedServices::Call &c : services.calls) {
        QStringList fields;
        if (c.kind == "openFile")
            fields << c.dialog.title << c.dialog.filter << c.dialog.folder;
        else
            fields << c.text << c.title << c.defaultText << QString::number(int(c.icon));
        if (c.kind == "askTextFromList")
            fields << c.arguments;
        log << c.kind + ' ' + fields.join('|');
    }
    return log;
}

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
        QTest::newRow("quoted path") << QStringList{"\"%1/Plot Tables/T1.plt\""} << t1;
        QTest::newRow("two names are one path") << QStringList{"%1/Plot", "Tables/T1.plt"} << t1;
        QTest::newRow("quote in the middle") << QStringList{"%1/Plot Tab\"les/T1.plt"} << t1;
        QTest::newRow("relative path") << QStringList{"Plot Tables/T1.plt"} << "Plot Tables/T1.plt";
    }

    void startup()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, opened);
        Tables f;
        f.main->start(
            MainWindow::commandLineText(arguments.replaceInStrings("%1", f.folder.path())));
        QCOMPARE(f.main->tableWindowCount(), int(!opened.isEmpty()));
        if (!opened.isEmpty())
            QCOMPARE(f.main->tableWindows()[0]->path(), f.expand(opened));
        QVERIFY(f.services.calls.isEmpty());
        QVERIFY(f.folder.readBytes(MachineSettings::storePath())
                    .contains("\nPath=" + f.folder.path().toUtf8() + "\n"));
    }

    void openWhileOthersAreOpen_data()
    {
        // T1 .. T<open> are open when `again` is asked for; no message: it opens.
        QTest::addColumn<int>("open");
        QTest::addColumn<QString>("again");
        QTest::addColumn<QStringList>("message"); // text, title, icon
        QTest::newRow("51st document")
            << 50 << "%1/Plot Tables/T51.plt"
            << QStringList{"You already have the maximum number of documents (50) open.",
                           "Document Count", "Information"};
        QTest::newRow("path already open") << 1 << "%1/Plot Tables/T1.plt"
                                           << QStringList{"This Plot Table is already open!",
                                                          "Quenbrack", "None"};
        // The same file under another path form is the same table.
        const QStringList open = {"This Plot Table is already open!", "Quenbrack", "None"};
        QTest::newRow("other letter case") << 1 << "%1/plot tables/t1.PLT" << open;
        QTest::newRow("relative path") << 1 << "Plot Tables/T1.plt" << open;
        QTest::newRow("dot folder") << 1 << "%1/./Plot Tables/T1.plt" << open;
    }

    void openWhileOthersAreOpen()
    {
        QFETCH(int, open);
        QFETCH(QString, again);
        QFETCH(QStringList, message);
        Tables f;
        for (int n = 1; n <= open; ++n)
            QVERIFY(f.open(f.path(n)));
        QCOMPARE(f.open(f.expand(again)) != nullptr, message.isEmpty());
        QCOMPARE(f.main->tableWindowCount(), int(message.isEmpty() ? open + 1 : open));
        QCOMPARE(f.services.calls.size(), message.isEmpty() ? 0 : 1);
        if (message.isEmpty())
            return;
        const ScriptedServices::Call &call = f.services.calls[0];
        const char *icons[] = {"None", "Exclamation", "Information"};
        QCOMPARE((QStringList{call.text, call.title, icons[int(call.icon)]}), message);
        // Once a window closes it opens; fifty rounds of it leave the count as
        // it was (and nothing behind, under LeakSanitizer).
        for (int round = 0; round < 50; ++round) {
            DocumentFixture::close(f.main->tableWindows().last());
            QVERIFY(f.open(f.expand(again)));
        }
        QCOMPARE(f.main->tableWindowCount(), int(open));
        QCOMPARE(f.main->tableWindows().size(), open);
    }

    void terminationSavesEveryTable()
    {
        // SIGTERM closes the main window, which closes every table first.
        Tables f;
        for (int n = 1; n <= 50; ++n)
            f.open(f.path(n))->document()->setText(ElementKind::Icon, 1, QString("edit %1").arg(n));
        TerminationWatcher watcher(f.main.get());
        raise(SIGTERM);
        QTRY_COMPARE(f.main->tableWindowCount(), int(0));
        for (int n = 1; n <= 50; ++n)
            QVERIFY(f.folder.readBytes(f.path(n))
                        .startsWith("bg.jpg\r\nSet\r\nedit " + QByteArray::number(n) + "\r\n"));
    }

    void terminationWhileATableLoads()
    {
        // The signal comes while a table's "Missing File" box is up: the
        // tables that finished loading are written, the program ends.
        Tables f;
        f.open(f.path(1))->document()->setText(ElementKind::Icon, 1, QStringLiteral("kept"));
        const QString missing = f.folder.file(QStringLiteral("Plot Tables/missing.plt"));
        f.folder.writeBytes(QStringLiteral("Plot Tables/missing.plt"),
                            "gone.jpg\r\nSet\r\n[Notes]\r\n[End]\r\n");
        f.services.onMessage([&](const ScriptedServices::Call &) { f.main->endBySignal(); });
        f.open(missing);
        QVERIFY(f.folder.readBytes(f.path(1)).startsWith("bg.jpg\r\nSet\r\nkept\r\n"));
    }

    void fileOpen()
    {
        // Cancel does nothing; the dialog opens in Plot Tables either way.
        Tables f;
        f.services.answerOpen(QString());
        f.main->openAction()->trigger();
        QCOMPARE(f.main->tableWindowCount(), int(0));
        f.services.answerOpen(f.path(1));
        f.main->openAction()->trigger();
        const QString dialog = "openFile Open a Plot Table|Plot Tables|*.plt|" + f.folder.file("Plot Tables");
        QCOMPARE(asked(f.services), (QStringList{dialog, dialog}));
        QCOMPARE(f.services.calls[0].dialog.path, QString()); // no name put forward
        QCOMPARE(f.main->tableWindows()[0]->path(), f.path(1));
    }

    void create_data()
    {
        // name: "<Cancel>" cancels the question; picture: chosen in
        // Elsewhere/ (90 x 60), "" cancels the dialog. The sets S and
        // BasicSet are there; another set is warned about.
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
    }

    void create()
    {
        QFETCH(QString, name);
        QFETCH(QString, picture);
        QFETCH(QString, iconSet);
        QFETCH(QString, file);
        DocumentFixture f;
        QDir(f.folder.file("Plot Tables")).removeRecursively(); // New makes it anew
        f.folder.writePicture("Plot Templates/map.jpg", QSize(30, 20));
        f.folder.writeIconSet("S", 1);
        f.folder.writeIconSet("BasicSet", 2);
        QDir().mkpath(f.folder.file("Icons/Empty"));
        if (!picture.isEmpty())
            f.folder.writePicture("Elsewhere/" + picture, QSize(90, 60));
        if (name == "<Cancel>")
            f.services.cancelInput();
        else
            f.services.answerInput(name);
        f.services.answerOpen(picture.isEmpty() ? "" : f.folder.file("Elsewhere/" + picture));
        f.services.answerInput(iconSet);
        f.main->newAction()->trigger();

        QStringList questions{
            "askText Plotting Table Name: |Quenbrack||0",
            "openFile Choose background Image File|JPG Files|*.jpg|BMP Files|*.bmp|JPEG Files|"
            "*.jpeg|GIF Files|*.gif|" + f.folder.file("Plot Templates"),
            "askTextFromList Icon Set (Directory Name): |Choose Icon Set|BasicSet|0|BasicSet|Empty|S",
            "message There is no icon set \"Nowhere\" in the Icons folder, so the palette of "
            "this Plot Table will be empty until its pictures are put there.|Quenbrack||1"};
        const int asks = name == "<Cancel>" ? 1 : picture.isEmpty() ? 2 : 3;
        QCOMPARE(asked(f.services), questions.mid(0, iconSet == "Nowhere" ? 4 : asks));
        const QDir tables(f.folder.file("Plot Tables"));
        // Nothing but the table, and the lock of its open window.
        QStringList made = tables.entryList(QDir::Files | QDir::Hidden);
        made.removeAll(u'.' + file + QStringLiteral(".lock"));
        QCOMPARE(made.size(), file.isEmpty() ? 0 : 1);
        QCOMPARE(f.main->tableWindowCount(), int(!file.isEmpty()));
        if (file.isEmpty())
            return;
        QCOMPARE(f.folder.readBytes(tables.filePath(file)),
                 TestProgramFolder::crlf({picture, iconSet, "[Notes]", "[End]"}));
        QCOMPARE(f.main->tableWindows()[0]->path(), tables.filePath(file));
        // The background is the chosen picture's copy in Plot Templates, or
        // the picture of that name, in any case, that was there before.
        QCOMPARE(f.main->tableWindows()[0]->sizeHint(),
                 picture == "MAP.jpg" ? QSize(30, 20) : QSize(90, 60));
    }

    void takenNameIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("existing");
        QTest::newRow("after removing characters") << "a:b" << "ab.plt";
        // Names below the program folder are matched without regard to case.
        QTest::newRow("other letter case") << "harbour" << "Harbour.plt";
        QTest::newRow("other case of the suffix") << "Pier" << "pier.PLT";
    }

    void takenNameIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, existing);
        DocumentFixture f;
        f.folder.writeBytes("Plot Tables/" + existing, "mine");
        f.services.answerInput(name);
        f.main->newAction()->trigger();
        QCOMPARE(asked(f.services), (QStringList{"askText Plotting Table Name: |Quenbrack||0",
                                                 "message File already exists!|Quenbrack||0"}));
        QCOMPARE(QDir(f.folder.file("Plot Tables")).entryList(QDir::Files),
                 QStringList{existing});
        QCOMPARE(f.folder.readBytes("Plot Tables/" + existing), QByteArray("mine"));
    }

    void helpHasOneWindowEach()
    {
        DocumentFixture f;
        f.main->show();
        // Info twice gives one window; closed and opened again, it reads the page anew.
        for (const QString page : {"First page", "Second page"}) {
            f.folder.writeBytes("help.htm", "<p>" + page.toUtf8() + "</p>");
            f.main->infoAction()->trigger();
            f.main->infoAction()->trigger();
            HelpWindow *help = f.main->helpWindow();
            QCOMPARE(f.main->findChildren<QMdiSubWindow *>().size(), 1);
            QCOMPARE(f.main->tableWindowCount(), int(0));
            QCOMPARE(help->windowTitle(), "Information");
            QCOMPARE(help->browser()->toPlainText(), page);
            QCOMPARE(help->parentWidget()->width(), 767); // 11500 twips
            for (const QSize size : {QSize(900, 700), QSize(20, 10)}) {
                help->parentWidget()->resize(size);
                QCOMPARE(help->browser()->geometry(), help->rect());
            }
            help->parentWidget()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!f.main->helpWindow());
        }

        f.main->aboutAction()->trigger();
        AboutBox *about = f.main->aboutBox();
        f.main->aboutAction()->trigger();
        QCOMPARE(f.main->aboutBox(), about);
        QVERIFY(about->isWindow());
        QCOMPARE(about->windowTitle(), "About Quenbrack");
        QCOMPARE(about->versionLabel()->text(), "Version 1.0.1");
        QVERIFY(about->okButton()->isDefault());
        // Closing the main window leaves the box open; Escape closes it.
        f.main->close();
        QVERIFY(about->isVisible());
        QTest::keyClick(about, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.main->aboutBox());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
