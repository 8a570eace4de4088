// The journal never writes through anything but a file of its own, notices
// a journal taken away while it runs, and reads damaged, newer or huge
// journals without losing what is intact or running out of memory.

#include "JournalReader.h"
#include "JournalWriter.h"
#include "OneLine.h"
#include "PlotTableWriter.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

JournalRecord retyped(int element, const QString &text)
{
    JournalRecord record{JournalRecord::Text, ElementKind::Icon, element, {}};
    record.value.text = text;
    return record;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

class TestJournalGuard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void neverWritesThroughAnotherFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a file elsewhere") << "link";
        QTest::newRow("dangling link") << "dangling";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
    }

    void neverWritesThroughAnotherFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath("victim");
        QVERIFY(writeFile(victim, "precious"));
        const QString path = m_dir.filePath(kind + ".plt.journal");
        const QByteArray name = QFile::encodeName(path);
        if (kind == "link")
            QVERIFY(::symlink(QFile::encodeName(victim).constData(), name.constData()) == 0);
        else if (kind == "dangling")
            QVERIFY(::symlink(QFile::encodeName(elsewhere.filePath("none")).constData(),
                              name.constData()) == 0);
        else if (kind == "fifo")
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        else
            QVERIFY(QDir().mkpath(path));

        JournalWriter writer;
        QVERIFY(!writer.start(path, TableIdentity(), "base")); // a FIFO would block here
        QVERIFY(writer.errorString().contains(path));
        writer.append(retyped(1, "x"));
        writer.discard();
        QCOMPARE(readAll(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo::exists(elsewhere.filePath("none")));
        // Reading leaves it alone too, without waiting on the FIFO.
        JournalReader reader;
        QVERIFY(!reader.open(path));
        QCOMPARE(reader.status(), JournalReader::NotRegular);
        QVERIFY(QFileInfo(path).isSymLink() || QFileInfo::exists(path));
    }

    // A journal deleted or renamed away is written again in full; one
    // replaced by another file is neither written nor deleted.
    void noticesAJournalTakenAway_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("restarted");
        QTest::newRow("deleted") << "delete" << true;
        QTest::newRow("renamed away") << "rename" << true;
        QTest::newRow("replaced by another file") << "replace" << false;
    }

    void noticesAJournalTakenAway()
    {
        QFETCH(QString, how);
        QFETCH(bool, restarted);
        const QString path = m_dir.filePath(how + ".plt.journal");
        JournalWriter writer;
        QSignalSpy renewed(&writer, &JournalWriter::restarted);
        QSignalSpy failed(&writer, &JournalWriter::failed);
        QVERIFY(writer.start(path, TableIdentity(), "base"));
        writer.append(retyped(1, "before"));
        QVERIFY(writer.flush());
        if (how == "delete")
            QVERIFY(QFile::remove(path));
        else if (how == "rename")
            QVERIFY(QFile::rename(path, path + ".moved"));
        else
            QVERIFY(QFile::remove(path) && writeFile(path, "someone else's"));
        writer.append(retyped(1, "after"));
        QCOMPARE(writer.flush(), restarted);
        QTRY_COMPARE(renewed.size() + failed.size(), 1);
        QCOMPARE(renewed.size(), int(restarted));
        if (restarted) {
            const JournalFile::ReadResult read = JournalFile::read(path);
            QVERIFY(read.ok);
            QCOMPARE(read.base, QByteArray("base"));
            QCOMPARE(read.records, QList<JournalRecord>({retyped(1, "before"), retyped(1, "after")}));
        }
        writer.discard();
        QCOMPARE(QFileInfo::exists(path), !restarted);
        if (!restarted)
            QCOMPARE(readAll(path), QByteArray("someone else's"));
    }

    // Damage is kept to what it hits: one copy of the identity, the table's
    // copy, or the version; never the records behind them.
    void damagedHeaders_data()
    {
        QTest::addColumn<qsizetype>("at");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("baseIntact");
        const qsizetype identity = JournalFile::MagicSize + 4;
        const qsizetype second = identity + JournalFile::IdentitySize;
        const qsizetype base = JournalFile::headerSize(JournalFile::Version);
        QTest::newRow("intact") << qsizetype(-1) << int(JournalReader::Ok) << 2 << true;
        QTest::newRow("first identity") << identity + 3 << int(JournalReader::Ok) << 2 << true;
        QTest::newRow("second identity") << second + 3 << int(JournalReader::Ok) << 2 << true;
        QTest::newRow("first CRC") << second - 1 << int(JournalReader::Ok) << 2 << true;
        QTest::newRow("base length") << base + 1 << int(JournalReader::Ok) << 2 << true;
        QTest::newRow("base byte") << base + 6 << int(JournalReader::Ok) << 2 << false;
        QTest::newRow("version, newer") << identity - 1 << int(JournalReader::Newer) << 0 << false;
        QTest::newRow("text line") << qsizetype(2) << int(JournalReader::Damaged) << 0 << false;
    }

    void damagedHeaders()
    {
        QFETCH(qsizetype, at);
        QFETCH(int, status);
        QFETCH(int, records);
        QFETCH(bool, baseIntact);
        const QString table = m_dir.filePath("Bay.plt");
        QVERIFY(writeFile(table, "bay.jpg\r\nSet\r\n[Notes]\r\n[End]\r\n"));
        const QString path = m_dir.filePath("damaged.journal");
        QFile::remove(path);
        {
            JournalWriter writer;
            QVERIFY(writer.start(path, JournalFile::identify(table), readAll(table)));
            writer.append(retyped(1, "one"));
            writer.append(retyped(1, "two"));
            QVERIFY(writer.flush());
        }
        QByteArray bytes = readAll(path);
        if (at >= 0)
            bytes[at] = char(bytes[at] ^ 0x40);
        QVERIFY(writeFile(path, bytes));
        JournalReader reader;
        QCOMPARE(reader.open(path), status == JournalReader::Ok);
        QCOMPARE(int(reader.status()), status);
        int read = 0;
        for (JournalRecord record; reader.next(record);)
            ++read;
        QCOMPARE(read, records);
        QCOMPARE(reader.baseIntact(), baseIntact);
        if (status == JournalReader::Ok)
            QVERIFY(reader.identity() == JournalFile::identify(table));
    }

    void hugeJournalIsNotRead()
    {
        const QString path = m_dir.filePath("huge.journal");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(JournalReader::MaxSize + 1)); // sparse: costs no disk
        file.close();
        JournalReader reader;
        QVERIFY(!reader.open(path));
        QCOMPARE(reader.status(), JournalReader::TooLarge);
    }

    void textsAreOneLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("CR LF") << "Pasted\r\n[Notes]\r\nline3" << "Pasted [Notes] line3";
        QTest::newRow("LF, CR, LF CR") << "a\nb\rc\n\rd" << "a b c  d";
        QTest::newRow("ends") << "\r\nx\r" << " x ";
        QTest::newRow("none") << "Tide at six" << "Tide at six";
    }

    void textsAreOneLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        QCOMPARE(oneLine(text), line);
        PlotTable table;
        table.icons[table.icons.add()].text = text;
        table.icons[1].live = true;
        PlotTableWriter writer;
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QCOMPARE(writer.write(buffer, table), text == line);
        QCOMPARE(buffer.data().isEmpty(), text != line);
    }
};

QTEST_GUILESS_MAIN(TestJournalGuard)
#include "tst_journalguard.moc"
