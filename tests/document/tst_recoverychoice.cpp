// Recovery never costs the user work: Cancel leaves table and journal as
// they were, unusable journals are set aside with a word, a partial replay
// says so, the journal's file is only ever our own, and texts stay one line.

#include "DocumentFixture.h"
#include "JournalFile.h"
#include "PlotTableReader.h"
#include "TableGuard.h"

#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

namespace {

const QStringList kTable = {"harbour.jpg", "BasicSet", "Pier", " 1 ", " 1500 ", " 1500 ",
                            "[Notes]", "Gate", "-1 ", " 3000 ", " 600 ", "[End]"};

// Two steps, then the program ends as a kill ends it.
QString editAndCrash(DocumentFixture &f)
{
    const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
    PlotWindow *w = f.open(path);
    w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Pier 2"));
    w->document()->remove(ElementKind::Note, 1);
    w->guard()->journal().flush();
    f.main = std::make_unique<MainWindow>(f.folder.path(), f.services);
    return path;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int messagesNaming(const DocumentFixture &f, const QString &text)
{
    int count = 0;
    for (const auto &call : f.services.callsOf(QStringLiteral("message")))
        count += call.text.contains(text);
    return count;
}

} // namespace

class TestRecoveryChoice : public QObject
{
    Q_OBJECT
private slots:
    void cancelLeavesTableAndJournal_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Cancel") << 2;
        QTest::newRow("Escape, Alt+F4, the close button") << -1;
    }

    void cancelLeavesTableAndJournal()
    {
        QFETCH(int, answer);
        DocumentFixture f;
        const QString path = editAndCrash(f);
        const QString journal = JournalFile::journalPathFor(path);
        const QByteArray before = bytesOf(journal);
        f.services.answerChoice(answer);
        QVERIFY(!f.open(path));
        QCOMPARE(f.main->tableWindowCount(), 0);
        QCOMPARE(bytesOf(journal), before);
        // The next open offers the same.
        f.services.answerChoice(0);
        PlotWindow *w = f.open(path);
        QVERIFY(w);
        QCOMPARE(f.services.callsOf(QStringLiteral("askChoice")).size(), 2);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Pier 2"));
        QVERIFY(!w->document()->element(ElementKind::Note, 1).live);
    }

    void unusableJournalIsSetAside_data()
    {
        QTest::addColumn<qsizetype>("at");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("not a journal") << qsizetype(0) << ".unreadable";
        QTest::newRow("both identities damaged") << qsizetype(-1) << ".unreadable";
        QTest::newRow("a later format") << JournalFile::MagicSize + 3 << ".newer";
    }

    void unusableJournalIsSetAside()
    {
        QFETCH(qsizetype, at);
        QFETCH(QString, suffix);
        DocumentFixture f;
        const QString path = editAndCrash(f);
        const QString journal = JournalFile::journalPathFor(path);
        QByteArray bytes = bytesOf(journal);
        const qsizetype first = JournalFile::MagicSize + 4;
        for (qsizetype k : at >= 0 ? QList<qsizetype>{at}
                                   : QList<qsizetype>{first, first + JournalFile::IdentitySize})
            bytes[k] = char(bytes[k] ^ 0x40);
        f.folder.writeBytes(QFileInfo(journal).fileName().prepend("Plot Tables/"), bytes);
        QVERIFY(f.open(path));
        QVERIFY(f.services.callsOf(QStringLiteral("askChoice")).isEmpty());
        QCOMPARE(messagesNaming(f, QStringLiteral("The recovery journal")), 1);
        QCOMPARE(messagesNaming(f, QDir::toNativeSeparators(journal + suffix)), 1);
        QCOMPARE(bytesOf(journal + suffix), bytes);
        QVERIFY(!QFile::exists(journal));
    }

    void partialReplayIsSaid()
    {
        DocumentFixture f;
        const QString path = editAndCrash(f);
        // A change to an icon the table never had, then one that would fit.
        JournalRecord stray{JournalRecord::Place, ElementKind::Icon, 99, {}};
        JournalRecord fits{JournalRecord::Text, ElementKind::Icon, 1, {}};
        fits.value.text = QStringLiteral("never reached");
        QFile journal(JournalFile::journalPathFor(path));
        QVERIFY(journal.open(QIODevice::Append));
        journal.write(JournalFile::frame(encode(stray)) + JournalFile::frame(encode(fits)));
        journal.close();
        f.services.answerChoice(0);
        PlotWindow *w = f.open(path);
        QCOMPARE(messagesNaming(f, QStringLiteral("2 of 4 changes were recovered; the others could "
                                                  "not be applied (a change names an element the "
                                                  "table does not have).")),
                 1);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Pier 2"));
        // What could not be applied is still on disk.
        QCOMPARE(JournalFile::read(journal.fileName() + ".unrecovered").records.size(), 5);
    }

    void recoveredCopyIsNamedForItself()
    {
        DocumentFixture f;
        const QString path = editAndCrash(f);
        QStringList theirs = kTable;
        theirs[2] = QStringLiteral("Their pier");
        f.table(QStringLiteral("Harbour.plt"), theirs);
        const QString copy = f.folder.file(QStringLiteral("Plot Tables/Harbour (recovered).plt"));
        f.services.answerSave(copy);
        DocumentFixture::close(f.open(path));
        const auto asked = f.services.callsOf(QStringLiteral("saveFile"));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(QFileInfo(asked[0].defaultText).fileName(), QStringLiteral("Harbour (recovered).plt"));
        QVERIFY(!QFile::exists(JournalFile::journalPathFor(path)));
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")),
                 TestProgramFolder::crlf(theirs));
        // Opened again, nothing is asked or said.
        const int said = messagesNaming(f, QStringLiteral("not closed properly"));
        DocumentFixture::close(f.open(path));
        QCOMPARE(messagesNaming(f, QStringLiteral("not closed properly")), said);
        QCOMPARE(f.services.callsOf(QStringLiteral("saveFile")).size(), 1);
    }

    void journalIsOnlyEverOurOwnFile()
    {
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath("victim");
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("precious") == 8);
        file.close();
        QVERIFY(::symlink(QFile::encodeName(victim).constData(),
                          QFile::encodeName(JournalFile::journalPathFor(path)).constData())
                == 0);
        PlotWindow *w = f.open(path);
        QSignalSpy said(w, &PlotWindow::statusMessage);
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Pier 2"));
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Pier 3"));
        QCOMPARE(said.size(), 1);
        QVERIFY(said[0][0].toString().contains(QStringLiteral("cannot be recovered")));
        DocumentFixture::close(w);
        QCOMPARE(bytesOf(victim), QByteArray("precious"));
        QVERIFY(QFileInfo(JournalFile::journalPathFor(path)).isSymLink());
    }

    void vanishedJournalIsWrittenAgain()
    {
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        PlotWindow *w = f.open(path);
        QSignalSpy said(w, &PlotWindow::statusMessage);
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Pier 2"));
        QVERIFY(w->guard()->journal().flush());
        QVERIFY(QFile::remove(JournalFile::journalPathFor(path)));
        w->document()->remove(ElementKind::Note, 1);
        QVERIFY(w->guard()->journal().flush());
        QTRY_COMPARE(said.size(), 1);
        QVERIFY(said[0][0].toString().contains(QStringLiteral("a new one holds every change")));
        f.main = std::make_unique<MainWindow>(f.folder.path(), f.services);
        f.services.answerChoice(0);
        w = f.open(path);
        QVERIFY(f.services.callsOf(QStringLiteral("askChoice"))[0].text.contains(
            QStringLiteral("Recover the 2 changes")));
    }

    // Whatever a text held, the table read back has what the window showed.
    void lineBreaksNeverSplitARecord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("pasted with CR LF and a marker") << "Pasted\r\n[Notes]\r\nline3";
        QTest::newRow("LF and [End]") << "a\n[End]\nb";
        QTest::newRow("a lone CR") << "x\ry";
    }

    void lineBreaksNeverSplitARecord()
    {
        QFETCH(QString, text);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        PlotWindow *w = f.open(path);
        PlotDocument *d = w->document();
        d->edit(ElementKind::Icon, 1, text);
        const int note = d->addNote(text, QPointF(100, 100));
        PlotElement pasted = d->element(ElementKind::Icon, 1);
        pasted.text = text;
        const int icon = d->add(ElementKind::Icon, pasted);
        QVERIFY(note > 0 && icon > 0);
        const QString line = d->element(ElementKind::Icon, 1).text;
        QVERIFY(!line.contains(u'\r') && !line.contains(u'\n'));
        QCOMPARE(line.size(), text.size() - text.count(QStringLiteral("\r\n")));
        DocumentFixture::close(w);
        PlotTable table;
        QCOMPARE(PlotTableReader().read(f.folder.readBytes("Plot Tables/Harbour.plt"), table),
                 PlotTableReader::Complete);
        QCOMPARE(table.icons.count(), 2);
        QCOMPARE(table.notes.count(), 2);
        QCOMPARE(table.icons[2].text, line);
        QCOMPARE(table.notes[2].text, line);
    }
};

QTEST_MAIN(TestRecoveryChoice)
#include "tst_recoverychoice.moc"
