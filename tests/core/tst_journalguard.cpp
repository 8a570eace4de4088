// The journal writes only a file of its own, notices one taken away, and
// reads damaged, newer or huge journals without losing what is intact.

#include "JournalReader.h"
#include "JournalWriter.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

JournalRecord retyped(const QString &text)
{
    JournalRecord record{JournalRecord::Text, ElementKind::Icon, 1, {}};
    record.value.text = text;
    return record;
}

QByteArray bytesOf(const QString &path)
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
        for (const char *kind : {"link", "dangling", "fifo", "folder"})
            QTest::newRow(kind) << kind;
    }

    void neverWritesThroughAnotherFile()
    {
        QFETCH(QString, kind);
        const QString victim = m_dir.filePath("victim"), path = m_dir.filePath(kind + ".journal");
        QVERIFY(writeFile(victim, "precious"));
        const QByteArray name = QFile::encodeName(path);
        const QByteArray target = QFile::encodeName(kind == "link" ? victim : path + ".none");
        QVERIFY(kind == "fifo"     ? ::mkfifo(name, 0600) == 0
                : kind == "folder" ? QDir().mkpath(path)
                                   : ::symlink(target, name) == 0);
        JournalWriter writer;
        QVERIFY(!writer.start(path, TableIdentity(), "base")); // a FIFO would block here
        writer.discard();
        QCOMPARE(bytesOf(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo::exists(path + ".none"));
        JournalReader reader;
        QVERIFY(!reader.open(path));
        QCOMPARE(reader.status(), JournalReader::NotRegular);
    }

    // Deleted or renamed away: written again in full. Replaced by another
    // file: neither written nor deleted.
    void noticesAJournalTakenAway_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"delete", "rename", "replace"})
            QTest::newRow(how) << how;
    }

    void noticesAJournalTakenAway()
    {
        QFETCH(QString, how);
        const QString path = m_dir.filePath(how + ".journal");
        const bool restarts = how != "replace";
        JournalWriter writer;
        QSignalSpy renewed(&writer, &JournalWriter::restarted);
        QSignalSpy failed(&writer, &JournalWriter::failed);
        QVERIFY(writer.start(path, TableIdentity(), "base"));
        writer.append(retyped("before"));
        QVERIFY(writer.flush());
        QVERIFY(how == "rename" ? QFile::rename(path, path + ".moved") : QFile::remove(path));
        if (!restarts)
            QVERIFY(writeFile(path, "theirs"));
        writer.append(retyped("after"));
        QCOMPARE(writer.flush(), restarts);
        QTRY_COMPARE(renewed.size() + failed.size(), 1);
        QCOMPARE(renewed.size(), int(restarts));
        const JournalFile::ReadResult read = JournalFile::read(path);
        QCOMPARE(read.base, restarts ? QByteArray("base") : QByteArray());
        QCOMPARE(read.records.size(), restarts ? 2 : 0);
        writer.discard();
        QCOMPARE(bytesOf(path), restarts ? QByteArray() : QByteArray("theirs"));
    }

    // Damage costs only what it hits, never the records behind it.
    void damagedHeaders_data()
    {
        QTest::addColumn<qsizetype>("at");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("baseIntact");
        const qsizetype first = JournalFile::MagicSize + 4, second = first + JournalFile::IdentitySize;
        const qsizetype base = JournalFile::headerSize(JournalFile::Version);
        QTest::newRow("intact") << qsizetype(-1) << int(JournalReader::Ok) << true;
        QTest::newRow("first identity") << first + 3 << int(JournalReader::Ok) << true;
        QTest::newRow("second identity") << second + 3 << int(JournalReader::Ok) << true;
        QTest::newRow("first CRC") << second - 1 << int(JournalReader::Ok) << true;
        QTest::newRow("copy's length") << base + 1 << int(JournalReader::Ok) << true;
        QTest::newRow("copy's byte") << base + 6 << int(JournalReader::Ok) << false;
        QTest::newRow("version") << first - 1 << int(JournalReader::Newer) << false;
        QTest::newRow("text line") << qsizetype(2) << int(JournalReader::Damaged) << false;
        QTest::newRow("over 1 GB") << JournalReader::MaxSize << int(JournalReader::TooLarge) << false;
    }

    void damagedHeaders()
    {
        QFETCH(qsizetype, at);
        QFETCH(int, status);
        QFETCH(bool, baseIntact);
        const QString table = m_dir.filePath("Bay.plt"), path = m_dir.filePath("damaged.journal");
        QVERIFY(writeFile(table, "bay.jpg\r\nSet\r\n[Notes]\r\n[End]\r\n"));
        QFile::remove(path);
        {
            JournalWriter writer;
            QVERIFY(writer.start(path, JournalFile::identify(table), bytesOf(table)));
            writer.append(retyped("one"));
            writer.append(retyped("two"));
            QVERIFY(writer.flush());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        if (at >= bytes.size()) // sparse: costs no disk
            QVERIFY(file.resize(at + 1));
        else if (at >= 0)
            QVERIFY(file.seek(at) && file.putChar(char(bytes[at] ^ 0x40)));
        file.close();
        JournalReader reader;
        QCOMPARE(reader.open(path), status == JournalReader::Ok);
        QCOMPARE(int(reader.status()), status);
        QList<JournalRecord> records;
        for (JournalRecord record; reader.next(record);)
            records << record;
        QCOMPARE(records.size(), status == JournalReader::Ok ? 2 : 0);
        QCOMPARE(reader.baseIntact(), baseIntact);
    }
};

QTEST_GUILESS_MAIN(TestJournalGuard)
#include "tst_journalguard.moc"
