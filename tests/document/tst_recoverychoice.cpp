// Recovery never costs the user work: Cancel leaves table and journal as
// they were, unusable journals are set aside with a word, a partial replay
// says so, and texts stay one line.

#include "DocumentFixture.h"
#include "JournalFile.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"
#include "TableGuard.h"

#include <QtTest>

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

int messagesSaying(const DocumentFixture &f, const QString &text)
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
    // Cancel, and Escape, Alt+F4 or the close button (-1).
    void cancelLeavesTableAndJournal()
    {
        for (int answer : {2, -1}) {
            DocumentFixture f;
            const QString path = editAndCrash(f);
            const QByteArray before = bytesOf(JournalFile::journalPathFor(path));
            f.services.answerChoice(answer);
            QVERIFY(!f.open(path));
            QCOMPARE(f.main->tableWindowCount(), 0);
            QCOMPARE(bytesOf(JournalFile::journalPathFor(path)), before);
            f.services.answerChoice(0); // the next open offers the same
            QCOMPARE(f.open(path)->document()->element(ElementKind::Icon, 1).text, "Pier 2");
        }
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
        QByteArray bytes = bytesOf(journal);
        for (qsizetype at : damage)
            bytes[at] = char(bytes[at] ^ 0x40);
        f.folder.writeBytes("Plot Tables/Harbour.plt.journal", bytes);
        QVERIFY(f.open(f.folder.file("Plot Tables/Harbour.plt")));
        QVERIFY(f.services.callsOf(QStringLiteral("askChoice")).isEmpty());
        QCOMPARE(messagesSaying(f, QStringLiteral("The recovery journal")), 1);
        QCOMPARE(messagesSaying(f, QDir::toNativeSeparators(journal + suffix)), 1);
        QCOMPARE(bytesOf(journal + suffix), bytes);
        QVERIFY(!QFile::exists(journal));
    }

    void partialReplayIsSaid()
    {
        DocumentFixture f;
        const QString path = editAndCrash(f);
        // A change to an icon the table never had, then one that would fit.
        JournalRecord stray{JournalRecord::Place, ElementKind::Icon, 99, {}};
        JournalRecord fits{JournalRecord::Live, ElementKind::Note, 1, {}};
        QFile journal(JournalFile::journalPathFor(path));
        QVERIFY(journal.open(QIODevice::Append));
        journal.write(JournalFile::frame(encode(stray)) + JournalFile::frame(encode(fits)));
        journal.close();
        f.services.answerChoice(0);
        PlotWindow *w = f.open(path);
        QCOMPARE(messagesSaying(f, "2 of 4 changes were recovered; the others could not be "
                                   "applied (a change names an element the table does not have)."),
                 1);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Pier 2"));
        QCOMPARE(JournalFile::read(journal.fileName() + ".unrecovered").records.size(), 5);
    }

    // Whatever a text held, the table read back has what the window showed.
    void lineBreaksNeverSplitARecord()
    {
        const QStringList texts = {"Pasted\r\n[Notes]\r\nline3", "a\n[End]\nb", "x\ry"};
        for (const QString &text : texts) {
            DocumentFixture f;
            PlotWindow *w = f.open(f.table(QStringLiteral("Harbour.plt"), kTable));
            PlotDocument *d = w->document();
            d->edit(ElementKind::Icon, 1, text);
            QVERIFY(d->addNote(text, QPointF(100, 100)) > 0);
            QVERIFY(d->add(ElementKind::Icon, d->element(ElementKind::Note, 1)) > 0);
            const QString line = d->element(ElementKind::Icon, 1).text;
            QCOMPARE(line.size(), text.size() - text.count(QStringLiteral("\r\n")));
            DocumentFixture::close(w);
            PlotTable table;
            QCOMPARE(PlotTableReader().read(f.folder.readBytes("Plot Tables/Harbour.plt"), table),
                     PlotTableReader::Complete);
            QCOMPARE(table.icons.count(), 2);
            QCOMPARE(table.notes.count(), 2);
            QCOMPARE(table.icons[1].text, line);
            QCOMPARE(table.notes[2].text, line);
            // Only a text that never came through the document has a break.
            table.notes[2].text = text;
            QVERIFY(!PlotTableWriter().write(f.folder.file("Plot Tables/Harbour.plt"), table));
        }
    }
};

QTEST_MAIN(TestRecoveryChoice)
#include "tst_recoverychoice.moc"
