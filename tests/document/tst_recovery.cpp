// What survives a program that ends without closing its tables: the
// recovery journal, the question at the next open (Cancel costs nothing,
// unusable journals are set aside with a word, a partial replay says so),
// closing over a file that someone else changed meanwhile, and texts that
// stay one line.

#include "DocumentFixture.h"
#include "JournalFile.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"
#include "TableGuard.h"

#include <QUndoStack>
#include <QtTest>

namespace {

const QStringList kTable = {"harbour.jpg", "BasicSet", "Pier", " 1 ", " 1500 ", " 1500 ",
                            "[Notes]", "Gate", "-1 ", " 3000 ", " 600 ", "[End]"};
const QStringList kEdited = {"harbour.jpg", "BasicSet", "Pier 2", " 1 ", " 2500 ", " 2400 ",
                             "[Notes]", "[End]"};
const QString kHarbour = "Plot Tables/Harbour.plt";

const auto crlf = TestProgramFolder::crlf;

QStringList withFirstText(const QString &text)
{
    QStringList lines = kTable;
    lines[2] = text;
    return lines;
}

// Three steps of three kinds as a user makes them: five records.
void editThreeTimes(PlotWindow *w)
{
    PlotDocument *d = w->document();
    d->edit(ElementKind::Icon, 1, QStringLiteral("Pier 2"));
    d->carry(7, {{ElementKind::Icon, 1}}, QPointF(2000, 2100));
    d->carry(7, {{ElementKind::Icon, 1}}, QPointF(2400, 2500));
    d->remove(ElementKind::Note, 1);
}

// The program ends without closing anything, as a kill or a crash ends it.
void crash(DocumentFixture &f)
{
    // What the writer would have had on disk by the end of a second.
    for (PlotWindow *w : f.main->tableWindows())
        w->guard()->journal().flush();
    f.main.reset();
    f.main = std::make_unique<MainWindow>(f.folder.path(), f.services);
}

QString editAndCrash(DocumentFixture &f)
{
    const QString path = f.table("Harbour.plt", kTable);
    editThreeTimes(f.open(path));
    crash(f);
    return path;
}

int messagesSaying(const DocumentFixture &f, const QString &text)
{
    int count = 0;
    for (const auto &call : f.services.callsOf("message"))
        count += call.text.contains(text) || call.title == text;
    return count;
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    // Cancel leaves table and journal as they were (Escape and No are
    // made by the end-to-end journey); Yes replays the edits as undoable
    // steps, and a second crash before closing loses nothing either.
    void recoversAfterACrash()
    {
        DocumentFixture f;
        const QString path = f.table("Harbour.plt", kTable), journal = JournalFile::journalPathFor(path);
        PlotWindow *w = f.open(path);
        QVERIFY(!QFile::exists(journal)); // a table only looked at leaves nothing
        editThreeTimes(w);
        crash(f);
        // A kill in the middle of writing a record leaves part of it.
        const QByteArray before = f.folder.readBytes(journal) + QByteArray("\x30\x00\x00\x00\x03\x01", 6);
        f.folder.writeBytes(kHarbour + ".journal", before);
        f.services.answerChoice(2);
        QVERIFY(!f.open(path));
        QCOMPARE(f.main->tableWindowCount(), 0);
        QCOMPARE(f.folder.readBytes(journal), before);
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(kTable));

        for (int asks : {2, 3}) {
            f.services.answerChoice(0);
            w = f.open(path);
            const auto asked = f.services.callsOf("askChoice");
            QCOMPARE(asked.size(), asks);
            QCOMPARE(asked.last().title, QStringLiteral("Recover Plot Table"));
            QVERIFY(asked.last().text.contains(QDir::toNativeSeparators(path)));
            QVERIFY(asked.last().text.contains(QStringLiteral("Recover the 3 changes made then?")));
            QCOMPARE(asked.last().arguments, QStringList({"&Yes", "&No", "Cancel"}));
            QCOMPARE(asked.last().defaultText, QStringLiteral("&Yes"));
            QVERIFY(w->isWindowModified());
            QCOMPARE(w->document()->undoStack()->count(), 3);
            if (asks == 2)
                crash(f);
        }
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(kEdited));
        QVERIFY(!QFile::exists(journal));
        QVERIFY(!QFile::exists(f.folder.file("Plot Tables/Harbour (recovered).plt")));
    }

    void neverReplaysOntoAnotherTable()
    {
        DocumentFixture f;
        const QString path = editAndCrash(f);
        // Someone else writes the table before it is opened again.
        f.table("Harbour.plt", withFirstText("Their pier"));
        f.services.answerSave(f.folder.file("Plot Tables/Recovered.plt"));
        PlotWindow *w = f.open(path);
        QVERIFY(f.services.callsOf("askChoice").isEmpty());
        QCOMPARE(f.folder.readBytes("Plot Tables/Recovered.plt"), crlf(kEdited));
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Their pier"));
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(withFirstText("Their pier")));
        // Proposed under a name of its own; once saved, its journal is gone
        // and the next open says nothing more.
        DocumentFixture::close(f.open(path));
        const auto asked = f.services.callsOf("saveFile");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(QFileInfo(asked[0].defaultText).fileName(), "Harbour (recovered).plt");
        QCOMPARE(messagesSaying(f, "Recover Plot Table"), 1);
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
        PlotWindow *w = f.open(f.table("Harbour.plt", kTable));
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Ours"));
        f.table("Harbour.plt", withFirstText("Theirs"));
        const QString copy = f.folder.file("Plot Tables/Ours.plt");
        f.services.answerChoice(answer);
        f.services.answerSave(copy);
        DocumentFixture::close(w);
        const auto asked = f.services.callsOf("askChoice");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].defaultText, QStringLiteral("&Save As..."));
        QCOMPARE(f.main->tableWindowCount(), answer == -1 ? 1 : 0);
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(withFirstText(answer ? "Theirs" : "Ours")));
        QCOMPARE(QFile::exists(copy), answer == 1);
    }

    void journalThatCannotBeWrittenIsSaidOnce()
    {
        DocumentFixture f;
        const QString path = f.table("Harbour.plt", kTable);
        QVERIFY(QDir().mkpath(JournalFile::journalPathFor(path))); // no file can go there
        PlotWindow *w = f.open(path);
        QSignalSpy said(w, &PlotWindow::statusMessage);
        editThreeTimes(w);
        QCOMPARE(said.size(), 1);
        QVERIFY(said[0][0].toString().startsWith("Changes to this Plot Table cannot be recovered after a crash"));
        DocumentFixture::close(w); // the table itself is written as ever
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(kEdited));
    }

    void terminationKeepsWhatCannotBeWritten()
    {
        // A signal while the table cannot be written: no question is asked,
        // and the journal stays for the next start.
        DocumentFixture f;
        const QString sub = "Plot Tables/Sub/Harbour.plt", path = f.folder.file(sub);
        f.folder.writeBytes(sub, crlf(kTable));
        editThreeTimes(f.open(path));
        f.folder.writeBytes(sub, crlf(withFirstText("Theirs")));
        f.main->endBySignal();
        QCOMPARE(f.main->tableWindowCount(), 0);
        QVERIFY(f.services.callsOf("askChoice").isEmpty());
        QVERIFY(f.services.callsOf("saveFile").isEmpty());
        QCOMPARE(f.folder.readBytes(sub), crlf(withFirstText("Theirs")));
        QVERIFY(JournalFile::read(JournalFile::journalPathFor(path)).records.size() >= 3);
    }

    void unusableJournalIsSetAside_data()
    {
        QTest::addColumn<QList<qsizetype>>("damage");
        QTest::addColumn<QString>("suffix");
        const qsizetype first = JournalFile::MagicSize + 4;
        QTest::newRow("not a journal") << QList<qsizetype>{0} << ".unreadable";
        QTest::newRow("both identities damaged")
            << QList<qsizetype>{first, first + JournalFile::IdentitySize} << ".unreadable";
        QTest::newRow("a later format") << QList<qsizetype>{first - 1} << ".newer";
    }

    void unusableJournalIsSetAside()
    {
        QFETCH(QList<qsizetype>, damage);
        QFETCH(QString, suffix);
        DocumentFixture f;
        const QString journal = JournalFile::journalPathFor(editAndCrash(f));
        QByteArray bytes = f.folder.readBytes(journal);
        for (qsizetype at : damage)
            bytes[at] = char(bytes[at] ^ 0x40);
        f.folder.writeBytes(kHarbour + ".journal", bytes);
        QVERIFY(f.open(f.folder.file(kHarbour)));
        QVERIFY(f.services.callsOf("askChoice").isEmpty());
        QCOMPARE(messagesSaying(f, "The recovery journal"), 1);
        QCOMPARE(messagesSaying(f, QDir::toNativeSeparators(journal + suffix)), 1);
        QCOMPARE(f.folder.readBytes(journal + suffix), bytes);
        QVERIFY(!QFile::exists(journal));
    }

    void partialReplayIsSaid()
    {
        DocumentFixture f;
        const QString path = editAndCrash(f);
        // A change to an icon the table never had, then one that would fit.
        JournalRecord stray{JournalRecord::Place, ElementKind::Icon, 99, {}};
        JournalRecord fits{JournalRecord::Live, ElementKind::Note, 1, {}};
        const QString journal = JournalFile::journalPathFor(path);
        f.folder.writeBytes(kHarbour + ".journal", f.folder.readBytes(journal) + JournalFile::frame(encode(stray))
                                                      + JournalFile::frame(encode(fits)));
        f.services.answerChoice(0);
        PlotWindow *w = f.open(path);
        QCOMPARE(messagesSaying(f, "3 of 5 changes were recovered; the others could not be "
                                   "applied (a change names an element the table does not have)."),
                 1);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Pier 2"));
        QCOMPARE(JournalFile::read(journal + ".unrecovered").records.size(), 7);
    }

    // Whatever a text held, the table read back has what the window showed.
    void lineBreaksNeverSplitARecord()
    {
        for (const QString text : {"Pasted\r\n[Notes]\r\nline3", "a\n[End]\nb", "x\ry"}) {
            DocumentFixture f;
            PlotWindow *w = f.open(f.table("Harbour.plt", kTable));
            PlotDocument *d = w->document();
            d->edit(ElementKind::Icon, 1, text);
            QVERIFY(d->addNote(text, QPointF(100, 100)) > 0);
            QVERIFY(d->add(ElementKind::Icon, d->element(ElementKind::Note, 1)) > 0);
            const QString line = d->element(ElementKind::Icon, 1).text;
            QCOMPARE(line.size(), text.size() - text.count("\r\n"));
            DocumentFixture::close(w);
            PlotTable table;
            QCOMPARE(PlotTableReader().read(f.folder.readBytes(kHarbour), table), PlotTableReader::Complete);
            QCOMPARE(table.icons.count(), 2);
            QCOMPARE(table.notes.count(), 2);
            QCOMPARE(table.icons[1].text, line);
            QCOMPARE(table.notes[2].text, line);
            // Only a text that never came through the document has a break.
            table.notes[2].text = text;
            QVERIFY(!PlotTableWriter().write(f.folder.file(kHarbour), table));
        }
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
