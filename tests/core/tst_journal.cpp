// The recovery journal gives back exactly the changes that reached the disk,
// stops at the first record a kill damaged, writes only a file of its own,
// notices one taken away, and reads damaged, newer or huge journals without
// losing what is intact. A writer killed at random moments keeps every
// record appended more than a second before the kill.

#include "JournalFile.h"
#include "JournalReader.h"
#include "JournalWriter.h"
#include "ProcessLimits.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <QtTest>

#include <cmath>
#include <cstdio>
#include <limits>
#include <thread>

using Records = QList<JournalRecord>;
Q_DECLARE_METATYPE(JournalRecord)

namespace {

JournalRecord change(JournalRecord::Type type, qint32 element, PlotElement value = {},
                     ElementKind kind = ElementKind::Icon)
{
    return JournalRecord{type, kind, element, value};
}

JournalRecord placed(qint32 element, float left, float top)
{
    PlotElement value;
    value.left = left;
    value.top = top;
    return change(JournalRecord::Place, element, value);
}

JournalRecord retyped(qint32 element, const QString &text)
{
    PlotElement value;
    value.text = text;
    return change(JournalRecord::Text, element, value, ElementKind::Note);
}

const Records threeRecords = {
    change(JournalRecord::Add, 1, {"Quay", 7, 1440.5f, -30.25f, 480, 360, true, " 07 "}),
    placed(1, 100, 200), retyped(2, "Tide at six")};

QByteArray journalBytes(const Records &records)
{
    QByteArray bytes = JournalFile::header(TableIdentity());
    for (const JournalRecord &r : records)
        bytes += JournalFile::frame(encode(r));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray patched(QByteArray bytes, qsizetype at, const QByteArray &with)
{
    return bytes.replace(at, with.size(), with);
}

QByteArray floatBytes(float value)
{
    const float little = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&little), 4);
}

// The process that gets killed: appends record after record (the text
// counts them) and says on stdout which one it just handed over, and when.
// A thread of its own kills it outright a little over a second after its
// first record, at a moment no one chooses.
int runVictim(const QString &journal)
{
    JournalWriter writer;
    if (!writer.start(journal, TableIdentity(), QByteArray("base")))
        return 2;
    QElapsedTimer clock;
    clock.start();
    std::thread([&clock] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1050 + QRandomGenerator::global()->bounded(400)));
        std::printf("0 %lld\n", clock.elapsed());
        std::fflush(stdout);
        std::raise(SIGKILL);
    }).detach();
    for (int k = 1;; ++k) {
        JournalRecord record{JournalRecord::Text, ElementKind::Icon, 1, {}};
        record.value.text = QString::number(k);
        writer.append(record);
        std::printf("%d %lld\n", k, clock.elapsed());
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(m_dir.filePath("Bay.plt"), "bay.jpg\r\nSet\r\n[Notes]\r\n[End]\r\n"));
        QVERIFY(QDir(m_dir.path()).mkpath("Folder.plt"));
    }

    // Writer, file and reader give back each record and the table's identity:
    // of a table read, of one never saved, and of a folder in its place.
    void roundTrip_data()
    {
        QTest::addColumn<JournalRecord>("record");
        QTest::addColumn<QString>("table");
        const qint32 last = std::numeric_limits<qint32>::max();
        QTest::newRow("add icon") << threeRecords[0] << "Bay.plt";
        QTest::newRow("add hidden note, no key")
            << change(JournalRecord::Add, 2, {"", -1, 0, 0, 1, 2, false, ""}, ElementKind::Note) << "Never saved.plt";
        QTest::newRow("place") << placed(5, -12.75f, 3.0e7f) << "Bay.plt";
        QTest::newRow("place at zero, last number") << placed(last, 0, 0) << "Folder.plt";
        QTest::newRow("text empty") << retyped(6, QString()) << "Bay.plt";
        QTest::newRow("text any UTF-16") << retyped(7, QString("Ébb\r\n\U0001F30A") + QChar(0xD800)) << "Bay.plt";
        QTest::newRow("live false") << change(JournalRecord::Live, 3, {}, ElementKind::Note) << "Bay.plt";
        QTest::newRow("live true") << change(JournalRecord::Live, 4, {"", 0, 0, 0, 0, 0, true, ""}) << "Bay.plt";
    }

    void roundTrip()
    {
        QFETCH(JournalRecord, record);
        QFETCH(QString, table);
        const TableIdentity identity = JournalFile::identify(m_dir.filePath(table));
        QCOMPARE(identity.state, table == "Bay.plt"      ? TableIdentity::Present
                                 : table == "Folder.plt" ? TableIdentity::Unreadable
                                                         : TableIdentity::Absent);
        const QString path = JournalFile::journalPathFor(m_dir.filePath(table));
        JournalWriter writer;
        QVERIFY2(writer.start(path, identity), qPrintable(writer.errorString()));
        // Between two others, so a wrong frame length shows on a neighbour.
        const Records written = {threeRecords[2], record, threeRecords[1]};
        for (const JournalRecord &r : written)
            writer.append(r);
        QVERIFY(writer.flush());
        const JournalFile::ReadResult result = JournalFile::read(path);
        QVERIFY2(result.ok, qPrintable(result.errorString));
        QVERIFY(!result.tornTail);
        QVERIFY(result.identity == identity);
        QVERIFY(result.records == written);
    }

    // Whatever a kill or damage left after the last whole record ends the
    // journal there, and costs nothing before it.
    void tornTail_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("complete");
        const QByteArray whole = journalBytes(threeRecords);
        const qsizetype lastAt = journalBytes(threeRecords.first(2)).size();
        const auto flipped = [&](qsizetype at) { return patched(whole, at, QByteArray(1, char(whole[at] ^ 0x10))); };
        QTest::newRow("intact") << whole << 3;
        QTest::newRow("header only") << journalBytes({}) << 0;
        for (qsizetype cut = lastAt + 1; cut < whole.size(); ++cut)
            QTest::addRow("cut %lld bytes into the last", qlonglong(cut - lastAt)) << whole.left(cut) << 2;
        QTest::newRow("length near 2 GiB") << patched(whole, lastAt + 3, "\x7f") << 2;
        QTest::newRow("length 1") << patched(whole, lastAt, "\x01") << 2;
        QTest::newRow("payload byte flipped") << flipped(lastAt + 6) << 2;
        QTest::newRow("CRC byte flipped") << flipped(whole.size() - 1) << 2;
        QTest::newRow("middle damaged, last intact") << flipped(lastAt - 5) << 1;
        // A right CRC around a payload that is no record: every payload starts
        // with type, kind and a 4-byte element. Place goes on with left and
        // top; Add with the text (count and units), number, top, left, width.
        const QByteArray live = encode(change(JournalRecord::Live, 1));
        const QByteArray place = encode(placed(1, 1, 2)), add = encode(threeRecords[0]);
        const auto foreign = [&](const char *name, const QByteArray &payload) {
            QTest::newRow(name) << whole + JournalFile::frame(payload) << 3;
        };
        foreign("type 0", patched(live, 0, QByteArray(1, 0)));
        foreign("type 5", patched(live, 0, QByteArray(1, 5)));
        foreign("kind 2", patched(live, 1, QByteArray(1, 2)));
        foreign("element 0", patched(live, 2, QByteArray(4, 0)));
        foreign("element -1", patched(live, 2, QByteArray(4, '\xff')));
        foreign("live byte 2", patched(live, 6, QByteArray(1, 2)));
        foreign("trailing byte", live + '\0');
        foreign("left NaN", patched(place, 6, floatBytes(std::nanf(""))));
        foreign("top infinite", patched(place, 10, floatBytes(INFINITY)));
        foreign("add width NaN", patched(add, 6 + 4 + 2 * 4 + 4 + 4 + 4, floatBytes(NAN)));
        foreign("text count 2^32-1", patched(add, 6, QByteArray(4, '\xff')));
        for (const JournalRecord &r : threeRecords) {
            const QByteArray payload = encode(r);
            for (qsizetype size = 0; size < payload.size(); ++size)
                QTest::addRow("type %d cut to %lld", int(r.type), qlonglong(size))
                    << whole + JournalFile::frame(payload.first(size)) << 3;
        }
    }

    void tornTail()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, complete);
        const QString path = m_dir.filePath("torn.journal");
        QVERIFY(writeFile(path, file));
        const JournalFile::ReadResult result = JournalFile::read(path);
        QVERIFY2(result.ok, qPrintable(result.errorString));
        QVERIFY(result.records == threeRecords.first(complete));
        QCOMPARE(result.tornTail, file != journalBytes(threeRecords.first(complete)));
    }

    void writeFailureReportedOnce()
    {
        const QString path = m_dir.filePath("full.journal");
        JournalWriter writer;
        QSignalSpy failures(&writer, &JournalWriter::failed);
        QVERIFY(writer.start(path, TableIdentity()));
        // Every write past the header fails as on a full disk.
        FileSizeLimit full(rlim_t(QFileInfo(path).size() + 30));
        QVERIFY(full.ok);
        for (int batch = 0; batch < 3; ++batch) {
            for (const JournalRecord &r : threeRecords)
                writer.append(r);
            QVERIFY(!writer.flush());
        }
        QVERIFY(failures.wait(2000));
        QTest::qWait(100);
        QCOMPARE(failures.count(), 1);
        QVERIFY(!writer.ok());
        QCOMPARE(failures.first().first().toString(), writer.errorString());
    }

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
        writer.append(retyped(1, "before"));
        QVERIFY(writer.flush());
        QVERIFY(how == "rename" ? QFile::rename(path, path + ".moved") : QFile::remove(path));
        QVERIFY(restarts || writeFile(path, "theirs"));
        writer.append(retyped(1, "after"));
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
        const int ok = JournalReader::Ok;
        QTest::newRow("intact") << qsizetype(-1) << ok << true;
        QTest::newRow("first identity") << first + 3 << ok << true;
        QTest::newRow("second identity") << second + 3 << ok << true;
        QTest::newRow("first CRC") << second - 1 << ok << true;
        QTest::newRow("copy's length") << base + 1 << ok << true;
        QTest::newRow("copy's byte") << base + 6 << ok << false;
        QTest::newRow("over 1 GB") << JournalReader::MaxSize << int(JournalReader::TooLarge) << false;
    }

    void damagedHeaders()
    {
        QFETCH(qsizetype, at);
        QFETCH(int, status);
        QFETCH(bool, baseIntact);
        const QString table = m_dir.filePath("Bay.plt"), path = m_dir.filePath("damaged.journal");
        QFile::remove(path);
        {
            JournalWriter writer;
            QVERIFY(writer.start(path, JournalFile::identify(table), bytesOf(table)));
            writer.append(retyped(1, "one"));
            writer.append(retyped(1, "two"));
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
        Records records;
        for (JournalRecord record; reader.next(record);)
            records << record;
        QCOMPARE(records.size(), status == JournalReader::Ok ? 2 : 0);
        QCOMPARE(reader.baseIntact(), baseIntact);
    }

    void killedAtRandomMoments()
    {
        QTemporaryDir dir;
        constexpr int kills = 100, atOnce = 5;
        for (int round = 0; round < kills / atOnce; ++round) {
            std::vector<std::unique_ptr<QProcess>> victims;
            for (int v = 0; v < atOnce; ++v) {
                auto &victim = victims.emplace_back(std::make_unique<QProcess>());
                victim->start(QCoreApplication::applicationFilePath(),
                              {"--victim", dir.filePath(QStringLiteral("t%1-%2.plt.journal").arg(round).arg(v))});
                QVERIFY(victim->waitForStarted());
            }
            for (auto &victim : victims) {
                QVERIFY(victim->waitForFinished(20000));
                QCOMPARE(victim->exitStatus(), QProcess::CrashExit);
                // "<record> <ms>" per record handed over, "0 <ms>" for the kill.
                const QList<QByteArray> said = victim->readAllStandardOutput().trimmed().split('\n');
                qint64 killAt = 0;
                for (const QByteArray &line : said)
                    killAt = line.startsWith("0 ") ? line.mid(2).toLongLong() : killAt;
                int mustHave = 0;
                for (const QByteArray &line : said) {
                    const int k = line.split(' ').value(0).toInt();
                    mustHave = k > 0 && line.split(' ').value(1).toLongLong() < killAt - 1000 ? k : mustHave;
                }
                QVERIFY2(mustHave > 0, "no record was a second old when the kill came");
                const JournalFile::ReadResult read = JournalFile::read(victim->arguments().last());
                QVERIFY2(read.ok, qPrintable(read.errorString));
                QCOMPARE(read.base, QByteArray("base"));
                QVERIFY2(read.records.size() >= mustHave,
                         qPrintable(QStringLiteral("%1 of %2 records").arg(read.records.size()).arg(mustHave)));
                for (int i = 0; i < read.records.size(); ++i)
                    QCOMPARE(read.records[i].value.text, QString::number(i + 1));
            }
        }
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--victim") == 0)
        return runVictim(QString::fromLocal8Bit(argv[2]));
    TestJournal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journal.moc"
