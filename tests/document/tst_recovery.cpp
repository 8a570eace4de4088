// What survives a program that ends without closing its tables: the
// recovery journal, the question at the next open, and closing over a file
// that someone else changed meanwhile.

#include "DocumentFixture.h"
#include "JournalFile.h"
#include "TableGuard.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QFileInfo>
#include <QUndoStack>
#include <QtTest>

namespace {

const QStringList kTable = {"harbour.jpg", "BasicSet", "Pier", " 1 ", " 1500 ", " 1500 ",
                            "[Notes]", "Gate", "-1 ", " 3000 ", " 600 ", "[End]"};

// Three edits of three kinds, each one step, as a user makes them.
void editThreeTimes(PlotWindow *w)
{
    PlotDocument *d = w->document();
    d->edit(ElementKind::Icon, 1, QStringLiteral("Pier 2"));
    d->carry(7, {{ElementKind::Icon, 1}}, QPointF(2000, 2100));
    d->carry(7, {{ElementKind::Icon, 1}}, QPointF(2400, 2500));
    d->remove(ElementKind::Note, 1);
}

const QStringList kEdited = {"harbour.jpg", "BasicSet", "Pier 2", " 1 ", " 2500 ", " 2400 ",
                             "[Notes]", "[End]"};

// The program ends without closing anything, as a kill or a crash ends it.
void crash(DocumentFixture &f)
{
    // What the writer would have had on disk by the end of a second.
    for (PlotWindow *w : f.main->tableWindows())
        w->guard()->journal().flush();
    f.main.reset();
    f.main = std::make_unique<MainWindow>(f.folder.path(), f.services);
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    void recoversAfterACrash_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("Yes: the edits come back and are written")
            << 0 << TestProgramFolder::crlf(kEdited);
        QTest::newRow("No: the table as it was, the edits kept beside it")
            << 1 << TestProgramFolder::crlf(kTable);
    }

    void recoversAfterACrash()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, written);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        const QString journal = JournalFile::journalPathFor(path);
        PlotWindow *w = f.open(path);
        QVERIFY(!QFile::exists(journal)); // a table only looked at leaves nothing
        editThreeTimes(w);
        crash(f);
        QVERIFY(QFile::exists(journal));

        f.services.answerChoice(answer);
        w = f.open(path);
        const auto asked = f.services.callsOf(QStringLiteral("askChoice"));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].title, QStringLiteral("Recover Plot Table"));
        QVERIFY(asked[0].text.contains(QDir::toNativeSeparators(path)));
        QVERIFY(asked[0].text.contains(QStringLiteral("Recover the 3 changes made then?")));
        QCOMPARE(asked[0].arguments, QStringList({"&Yes", "&No", "Cancel"}));
        QCOMPARE(asked[0].defaultText, QStringLiteral("&Yes"));
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour (recovered).plt")),
                 answer == 1 ? TestProgramFolder::crlf(kEdited) : QByteArray());
        // Recovered edits are steps like any other.
        QCOMPARE(w->isWindowModified(), answer == 0);
        QCOMPARE(w->document()->undoStack()->count(), answer == 0 ? 3 : 0);

        // A second crash before closing loses nothing either.
        crash(f);
        f.services.answerChoice(answer == 0 ? 0 : 1);
        w = f.open(path);
        QCOMPARE(f.services.callsOf(QStringLiteral("askChoice")).size(), answer == 0 ? 2 : 1);
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")), written);
        QVERIFY(!QFile::exists(journal));
    }

    void tornRecordIsIgnored()
    {
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        editThreeTimes(f.open(path));
        crash(f);
        // A kill in the middle of writing a record leaves part of it.
        QFile journal(JournalFile::journalPathFor(path));
        QVERIFY(journal.open(QIODevice::Append));
        journal.write(QByteArray("\x30\x00\x00\x00\x03\x01", 6));
        journal.close();
        f.services.answerChoice(0);
        PlotWindow *w = f.open(path);
        QVERIFY(f.services.calls.last().text.contains(QStringLiteral("Recover the 3 changes")));
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")),
                 TestProgramFolder::crlf(kEdited));
    }

    void neverReplaysOntoAnotherTable()
    {
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        editThreeTimes(f.open(path));
        crash(f);
        // Someone else writes the table before it is opened again.
        QStringList theirs = kTable;
        theirs[2] = QStringLiteral("Their pier");
        f.table(QStringLiteral("Harbour.plt"), theirs);
        const QString copy = f.folder.file(QStringLiteral("Plot Tables/Recovered.plt"));
        f.services.answerSave(copy);
        PlotWindow *w = f.open(path);
        QVERIFY(f.services.callsOf(QStringLiteral("askChoice")).isEmpty());
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Recovered.plt")),
                 TestProgramFolder::crlf(kEdited));
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Their pier"));
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")),
                 TestProgramFolder::crlf(theirs));
        // Proposed under a name of its own; once saved, its journal is gone
        // and the next open says nothing more.
        DocumentFixture::close(f.open(path));
        const auto asked = f.services.callsOf(QStringLiteral("saveFile"));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(QFileInfo(asked[0].defaultText).fileName(), "Harbour (recovered).plt");
        int told = 0;
        for (const auto &message : f.services.callsOf(QStringLiteral("message")))
            told += message.title == u"Recover Plot Table";
        QCOMPARE(told, 1);
    }

    void changedOnDiskIsNotOverwrittenSilently_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Overwrite") << 0;
        QTest::newRow("Save As... (the default)") << 1;
        QTest::newRow("Keep Open (Escape)") << -1;
    }

    void changedOnDiskIsNotOverwrittenSilently()
    {
        QFETCH(int, answer);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        PlotWindow *w = f.open(path);
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Ours"));
        QStringList theirs = kTable;
        theirs[2] = QStringLiteral("Theirs");
        f.table(QStringLiteral("Harbour.plt"), theirs);
        const QString copy = f.folder.file(QStringLiteral("Plot Tables/Ours.plt"));
        f.services.answerChoice(answer);
        f.services.answerSave(copy);
        DocumentFixture::close(w);

        const auto asked = f.services.callsOf(QStringLiteral("askChoice"));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].defaultText, QStringLiteral("&Save As..."));
        QCOMPARE(f.main->tableWindowCount(), answer == -1 ? 1 : 0);
        QStringList ours = kTable;
        ours[2] = QStringLiteral("Ours");
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")),
                 TestProgramFolder::crlf(answer == 0 ? ours : theirs));
        QCOMPARE(QFile::exists(copy), answer == 1);
    }

    void journalThatCannotBeWrittenIsSaidOnce()
    {
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        QVERIFY(QDir().mkpath(JournalFile::journalPathFor(path))); // no file can go there
        PlotWindow *w = f.open(path);
        QSignalSpy said(w, &PlotWindow::statusMessage);
        editThreeTimes(w);
        QCOMPARE(said.size(), 1);
        QVERIFY(said[0][0].toString().startsWith(
            QStringLiteral("Changes to this Plot Table cannot be recovered after a crash")));
        DocumentFixture::close(w); // the table itself is written as ever
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")),
                 TestProgramFolder::crlf(kEdited));
    }

    void terminationKeepsWhatCannotBeWritten()
    {
        // A signal while the table cannot be written: no question is asked,
        // and the journal stays for the next start.
        DocumentFixture f;
        f.folder.writeBytes(QStringLiteral("Plot Tables/Sub/Harbour.plt"),
                            TestProgramFolder::crlf(kTable));
        const QString path = f.folder.file(QStringLiteral("Plot Tables/Sub/Harbour.plt"));
        editThreeTimes(f.open(path));
        QStringList theirs = kTable;
        theirs[2] = QStringLiteral("Theirs");
        f.folder.writeBytes(QStringLiteral("Plot Tables/Sub/Harbour.plt"),
                            TestProgramFolder::crlf(theirs));
        f.main->endBySignal();
        QCOMPARE(f.main->tableWindowCount(), 0);
        QVERIFY(f.services.callsOf(QStringLiteral("askChoice")).isEmpty());
        QVERIFY(f.services.callsOf(QStringLiteral("saveFile")).isEmpty());
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Sub/Harbour.plt")),
                 TestProgramFolder::crlf(theirs));
        QVERIFY(JournalFile::read(JournalFile::journalPathFor(path)).records.size() >= 3);
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
