// The main window: start-up, opening documents and their limits, File > Open.

#include "DocumentFixture.h"
#include "RegFunc.h"
#include "TerminationWatcher.h"

#include <QFile>
#include <QMenu>
#include <QtTest>

#include <csignal>

namespace {
const QStringList kSmallTable = {"bg.jpg", "Set", "Pier", " 1 ", " 150 ", " 300 ", "[Notes]",
                                 "[End]"};
}

class TestMDIForm : public QObject
{
    Q_OBJECT
private slots:
    void startup_data();
    void startup();
    void fiftyFirstDocumentRefused();
    void openPathRefused();
    void sameFileUnderAnotherPathOpensTwice_data();
    void sameFileUnderAnotherPathOpensTwice();
    void closeAndReopen();
    void fileOpen_data();
    void fileOpen();
    void testfile_data();
    void testfile();
    void closingMainWindowSavesEveryTable();
    void terminationSavesEveryTable();
    void menus();
};

void TestMDIForm::startup_data()
{
    // Arguments as the platform splits them; %1 is the program folder.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("opened");
    QTest::newRow("no arguments") << QStringList() << QString();
    QTest::newRow("quoted path") << QStringList{"\"%1/Plot Tables/A.plt\""}
                                 << "%1/Plot Tables/A.plt";
    QTest::newRow("two names are one path") << QStringList{"%1/Plot", "Tables/A.plt"}
                                            << "%1/Plot Tables/A.plt";
    QTest::newRow("quote in the middle") << QStringList{"%1/Plot Tab\"les/A.plt"}
                                         << "%1/Plot Tables/A.plt";
    QTest::newRow("relative path passed on as it is") << QStringList{"Plot Tables/A.plt"}
                                                      << "Plot Tables/A.plt";
}

void TestMDIForm::startup()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, opened);
    DocumentFixture f;
    f.table(QStringLiteral("A.plt"), kSmallTable);
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(60, 40));
    for (QString &argument : arguments)
        argument = argument.arg(f.folder.path());

    // The table opens before the settings are written.
    f.services.onMessage([](const ScriptedServices::Call &) {});
    f.main->MDIForm_Load(MDIForm1::commandLineText(arguments));

    if (opened.isEmpty()) {
        QCOMPARE(f.main->docCnt, qint16(0));
        QVERIFY(f.main->docWindows().isEmpty());
    } else {
        QCOMPARE(f.main->docCnt, qint16(1));
        QCOMPARE(f.main->docWindows().first()->windowTitle(), opened.arg(f.folder.path()));
        QCOMPARE(f.main->docWindows().first()->iconElementCount(), 1);
    }
    QVERIFY(f.services.calls.isEmpty());
    QFile store(RegFunc::machineStorePath());
    QVERIFY(store.open(QIODevice::ReadOnly));
    QVERIFY(store.readAll().contains("\nPath=" + f.folder.path().toUtf8() + "\n"));
}

void TestMDIForm::fiftyFirstDocumentRefused()
{
    DocumentFixture f;
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(20, 20));
    for (int n = 1; n <= 51; ++n)
        f.table(QStringLiteral("T%1.plt").arg(n), kSmallTable);
    for (int n = 1; n <= 50; ++n)
        QVERIFY(f.open(f.folder.file(QStringLiteral("Plot Tables/T%1.plt").arg(n))));
    QCOMPARE(f.main->docCnt, qint16(50));
    f.main->PlotFileName = QStringLiteral("unchanged");

    QVERIFY(!f.open(f.folder.file(QStringLiteral("Plot Tables/T51.plt"))));
    QCOMPARE(f.main->docCnt, qint16(50));
    QCOMPARE(f.main->PlotFileName, QStringLiteral("unchanged"));
    QCOMPARE(f.services.calls.size(), 1);
    const ScriptedServices::Call &call = f.services.calls.first();
    QCOMPARE(call.text,
             QStringLiteral("You already have the maximum number of documents (50) open."));
    QCOMPARE(call.title, QStringLiteral("Document Count"));
    QCOMPARE(call.icon, MessageIcon::Information);

    DocumentFixture::close(f.main->docWindows().at(7));
    QCOMPARE(f.main->docCnt, qint16(49));
    QVERIFY(f.open(f.folder.file(QStringLiteral("Plot Tables/T51.plt"))));
    QCOMPARE(f.main->docCnt, qint16(50));
    QCOMPARE(f.main->docWindows().size(), 50);

    // The main window closed with 50 open: each one saves its own edit.
    for (frmPlotFile *window : f.main->docWindows())
        window->doc.Image1[1].text = window->windowTitle().section(u'/', -1);
    QVERIFY(f.main->close());
    QCOMPARE(f.main->docCnt, qint16(0));
    for (int n = 1; n <= 51; ++n) {
        const QString name = QStringLiteral("T%1.plt").arg(n);
        QStringList expected = kSmallTable;
        if (n != 8) // closed before the end, unchanged
            expected[2] = name;
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/") + name),
                 TestProgramFolder::crlf(expected));
    }
    // Opened and closed one after another, fifty times.
    for (int round = 0; round < 50; ++round)
        DocumentFixture::close(f.open(f.folder.file(QStringLiteral("Plot Tables/T1.plt"))));
    QCOMPARE(f.main->docCnt, qint16(0));
    QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/T1.plt")).count("T1.plt"), 1);
}

void TestMDIForm::openPathRefused()
{
    DocumentFixture f;
    const QString path = f.table(QStringLiteral("A.plt"), kSmallTable);
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(20, 20));
    const QString other = f.table(QStringLiteral("B.plt"), kSmallTable);
    QVERIFY(f.open(path));
    QVERIFY(f.open(other));
    QVERIFY(!f.open(path));
    QCOMPARE(f.main->docCnt, qint16(2));
    QCOMPARE(f.main->PlotFileName, other);
    QCOMPARE(f.services.calls.size(), 1);
    QCOMPARE(f.services.calls.first().text, QStringLiteral("This Plot Table is already open!"));
    QCOMPARE(f.services.calls.first().title, QStringLiteral("Quenbrack"));
    QCOMPARE(f.services.calls.first().icon, MessageIcon::None);
}

void TestMDIForm::sameFileUnderAnotherPathOpensTwice_data()
{
    QTest::addColumn<QString>("otherForm");
    QTest::newRow("other letter case") << "%1/plot tables/a.PLT";
    QTest::newRow("relative path") << "Plot Tables/A.plt";
    QTest::newRow("doubled separator") << "%1/Plot Tables//A.plt";
    QTest::newRow("dot folder") << "%1/./Plot Tables/A.plt";
}

void TestMDIForm::sameFileUnderAnotherPathOpensTwice()
{
    QFETCH(QString, otherForm);
    DocumentFixture f;
    const QString path = f.table(QStringLiteral("A.plt"), kSmallTable);
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(20, 20));
    QVERIFY(f.open(path));
    frmPlotFile *second = f.open(otherForm.arg(f.folder.path()));
    QVERIFY(second);
    QCOMPARE(f.main->docCnt, qint16(2));
    QCOMPARE(second->iconElementCount(), 1); // the same file was read
    QVERIFY(f.services.calls.isEmpty());
}

void TestMDIForm::closeAndReopen()
{
    DocumentFixture f;
    const QString path = f.table(QStringLiteral("A.plt"), kSmallTable);
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(20, 20));
    DocumentFixture::close(f.open(path));
    QCOMPARE(f.main->docCnt, qint16(0));
    QVERIFY(f.open(path));
    QCOMPARE(f.main->docCnt, qint16(1));
    QCOMPARE(f.main->docWindows().size(), 1);
}

void TestMDIForm::fileOpen_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("chosen") << "%1/Plot Tables/A.plt";
}

void TestMDIForm::fileOpen()
{
    QFETCH(QString, answer);
    DocumentFixture f;
    f.table(QStringLiteral("A.plt"), kSmallTable);
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(20, 20));
    f.main->cd().FileName = QStringLiteral("left over");
    f.services.answerOpen(answer.arg(f.folder.path()));
    f.main->MenuOpen->trigger();

    const auto dialogs = f.services.callsOf(QStringLiteral("ShowOpen"));
    QCOMPARE(dialogs.size(), 1);
    const CommonDialog &cd = dialogs.first().dialog;
    QCOMPARE(cd.DialogTitle, QStringLiteral("Open a Plot Table"));
    QCOMPARE(cd.Filter, QStringLiteral("Plot Tables|*.plt"));
    QCOMPARE(cd.InitDir, f.folder.path() + QStringLiteral("/Plot Tables"));
    QCOMPARE(cd.FileName, QString());
    QVERIFY(cd.CancelError);
    QCOMPARE(f.services.calls.size(), 1); // no message either way
    QCOMPARE(f.main->docCnt, qint16(answer.isEmpty() ? 0 : 1));
    if (!answer.isEmpty())
        QCOMPARE(f.main->docWindows().first()->windowTitle(), answer.arg(f.folder.path()));
}

void TestMDIForm::testfile_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("readable");
    QTest::newRow("folder") << "Plot Tables" << false;
    QTest::newRow("missing file") << "Plot Tables/none.plt" << false;
    QTest::newRow("file in a missing folder") << "Gone/none.plt" << false;
    QTest::newRow("empty readable file") << "Plot Tables/empty.plt" << true;
}

void TestMDIForm::testfile()
{
    QFETCH(QString, relative);
    QFETCH(bool, readable);
    TestProgramFolder folder;
    folder.writeBytes(QStringLiteral("Plot Tables/empty.plt"), QByteArray());
    QCOMPARE(MDIForm1::testfile(folder.file(relative)), readable);
}

void TestMDIForm::closingMainWindowSavesEveryTable()
{
    DocumentFixture f;
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(20, 20));
    QStringList paths;
    for (const char *name : {"A.plt", "B.plt", "C.plt"}) {
        paths << f.table(QLatin1String(name), kSmallTable);
        frmPlotFile *window = f.open(paths.last());
        window->doc.Image1[1].visible = false; // deleted: left out on saving
    }
    QVERIFY(f.main->close());
    QCOMPARE(f.main->docCnt, qint16(0));
    for (const QString &path : paths)
        QCOMPARE(f.folder.readBytes(path),
                 TestProgramFolder::crlf({"bg.jpg", "Set", "[Notes]", "[End]"}));
}

void TestMDIForm::terminationSavesEveryTable()
{
    DocumentFixture f;
    f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(20, 20));
    const QString path = f.table(QStringLiteral("A.plt"), kSmallTable);
    f.open(path)->doc.Image1[1].visible = false;
    auto *watcher = new TerminationWatcher(f.main.get());
    raise(SIGTERM);
    QTRY_COMPARE(f.main->docCnt, qint16(0));
    QCOMPARE(f.folder.readBytes(path), TestProgramFolder::crlf({"bg.jpg", "Set", "[Notes]", "[End]"}));
    delete watcher;
}

void TestMDIForm::menus()
{
    DocumentFixture f;
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Quenbrack"));
    QCOMPARE(f.main->MenuFile->title(), QStringLiteral("&File"));
    QCOMPARE(f.main->MenuHelp->title(), QStringLiteral("&Help"));
    QStringList items;
    for (QAction *action : f.main->MenuFile->actions() + f.main->MenuHelp->actions()) {
        QVERIFY(!action->isSeparator());
        QVERIFY(action->shortcut().isEmpty());
        items << action->text();
    }
    QCOMPARE(items, (QStringList{"&New", "&Open", "&Info", "&About"}));
}

QTEST_MAIN(TestMDIForm)
#include "tst_mdiform.moc"
