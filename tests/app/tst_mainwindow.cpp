// The main window: start-up, opening documents and their limits, closing.

#include "DocumentFixture.h"
#include "MachineSettings.h"
#include "TerminationWatcher.h"

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
        Tables f;
        f.services.answerOpen(QString()); // Cancel: nothing happens
        f.main->openAction()->trigger();
        QCOMPARE(f.main->tableWindowCount(), int(0));
        f.services.answerOpen(f.path(1));
        f.main->openAction()->trigger();
        QCOMPARE(f.services.calls.size(), 2); // the dialogs, no message
        for (const ScriptedServices::Call &call : f.services.calls) {
            QCOMPARE(call.dialog.title, "Open a Plot Table");
            QCOMPARE(call.dialog.filter, "Plot Tables|*.plt");
            QCOMPARE(call.dialog.folder, f.folder.file("Plot Tables"));
            QCOMPARE(call.dialog.path, QString());
        }
        QCOMPARE(f.main->tableWindowCount(), int(1));
        QCOMPARE(f.main->tableWindows()[0]->path(), f.path(1));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
