// The recovery journal gives back exactly the changes that reached the disk,
// stops at the first record a kill or damage cut, and writes only a file of
// its own.

#include "JournalFile.h"
#include "JournalReader.h"
#include "JournalReplay.h"
#include "JournalWriter.h"
#include "ProcessLimits.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <optional>
#include <thread>

using Records = QList<JournalRecord>;

namespace {

constexpr auto Add = JournalRecord::Add, Place = JournalRecord::Place, Text = JournalRecord::Text,
               Live = JournalRecord::Live;

// A change to an icon, or to a note's text.
JournalRecord change(JournalRecord::Type type, qint32 element, const QString &text = {}, float left = 0, float top = 0)
{
    JournalRecord record{type, type == Text ? ElementKind::Note : ElementKind::Icon, element, {}};
    record.value.text = text;
    record.value.left = left;
    record.value.top = top;
    return record;
}

const Records threeRecords = {
    JournalRecord{Add, ElementKind::Icon, 1, {"Quay", 7, 1440.5f, -30.25f, 480, 360, true, " 07 "}},
    change(Place, 1, {}, 100, 200), change(Text, 2, "Tide at six")};
const QByteArray kBase = "bay.jpg\r\nSet\r\n[Notes]\r\n[End]\r\n";

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

QByteArray flipped(const QByteArray &bytes, qsizetype at)
{
    return patched(bytes, at, QByteArray(1, char(bytes[at] ^ 0x10)));
}

QByteArray patched(QByteArray bytes, qsizetype at, float value)
{
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

// Appends record after record (the text counts them) until a thread of its
// own says how many it had handed over a second ago and kills it outright.
int runVictim(const QString &journal)
{
    JournalWriter writer;
    if (!writer.start(journal, TableIdentity(), QByteArray("base")))
        return 2;
    static std::atomic<int> handed{0};
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50 + QRandomGenerator::global()->bounded(400)));
        const int secondOld = handed;
        std::this_thread::sleep_for(std::chrono::seconds(1));
        std::printf("%d\n", secondOld);
        std::fflush(stdout);
        std::raise(SIGKILL);
    }).detach();
    for (int k = 1;; ++k) {
        writer.append(change(Text, 1, QString::number(k)));
        handed = k;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // Writer, file and reader give back every record and the table's
    // identity: of a table read, of one never saved, and of a folder.
    void roundTrip_data()
    {
        QVERIFY(writeFile(m_dir.filePath("Bay.plt"), kBase) && QDir(m_dir.path()).mkpath("Folder.plt"));
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("state");
        QTest::newRow("read") << "Bay.plt" << int(TableIdentity::Present);
        QTest::newRow("never saved") << "Never saved.plt" << int(TableIdentity::Absent);
        QTest::newRow("folder") << "Folder.plt" << int(TableIdentity::Unreadable);
    }

    void roundTrip()
    {
        QFETCH(QString, table);
        QFETCH(int, state);
        const TableIdentity identity = JournalFile::identify(m_dir.filePath(table));
        QCOMPARE(int(identity.state), state);
        const QString path = m_dir.filePath("round.journal"); // the row before left one there
        JournalWriter writer;
        QVERIFY2(writer.start(path, identity, kBase), qPrintable(writer.errorString()));
        const Records all = threeRecords
            + Records{{Add, ElementKind::Note, 2, {"", -1, 0, 0, 1, 2, false, ""}},
                      change(Place, 5, {}, -12.75f, 3.0e7f), change(Place, std::numeric_limits<qint32>::max()),
                      change(Text, 6), change(Text, 7, QString("Ébb\r\n\U0001F30A") + QChar(0xD800)),
                      {Live, ElementKind::Note, 3, {}},
                      {Live, ElementKind::Icon, 4, {"", 0, 0, 0, 0, 0, true, ""}}};
        for (const JournalRecord &r : all)
            writer.append(r);
        QTest::ignoreMessage(QtWarningMsg, "JournalWriter: dropped an invalid record (type 4, element 0)");
        writer.append(change(Live, 0));
        QVERIFY(writer.flush());
        const JournalFile::ReadResult result = JournalFile::read(path);
        QVERIFY(!result.tornTail);
        QVERIFY(result.identity == identity);
        QCOMPARE(result.base, kBase);
        QVERIFY(result.records == all);
    }

    // Whatever a kill or damage left after the last whole record ends the
    // journal there, and costs nothing before it; damage in the header
    // costs only what it hits.
    void readBack_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("complete");
        QTest::addColumn<bool>("torn");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("baseIntact");
        const auto row = [](const QString &name, const QByteArray &file, int complete, bool torn = true,
                            int status = JournalReader::Ok, bool baseIntact = true) {
            QTest::newRow(name.toUtf8().constData()) << file << complete << torn << status << baseIntact;
        };
        const auto journalBytes = [](const Records &records) {
            QByteArray bytes = JournalFile::header({TableIdentity::Present, kBase.size(), 1, QByteArray(32, 'h')}, kBase);
            for (const JournalRecord &r : records)
                bytes += JournalFile::frame(encode(r));
            return bytes;
        };
        const QByteArray whole = journalBytes(threeRecords);
        const qsizetype lastAt = journalBytes(threeRecords.first(2)).size();
        row("intact", whole, 3, false);
        row("header only", journalBytes({}), 0, false);
        for (qsizetype cut = lastAt + 1; cut < whole.size(); ++cut)
            row(QStringLiteral("cut %1 bytes into the last").arg(cut - lastAt), whole.left(cut), 2);
        row("length near 2 GiB", patched(whole, lastAt + 3, "\x7f"), 2);
        row("length 1", patched(whole, lastAt, "\x01"), 2);
        row("payload byte flipped", flipped(whole, lastAt + 6), 2);
        row("CRC byte flipped", flipped(whole, whole.size() - 1), 2);
        row("middle damaged, last intact", flipped(whole, lastAt - 5), 1);
        // A right CRC around a payload that is no record: every payload starts
        // with type, kind and a 4-byte element. Place goes on with left and
        // top; Add with the text (count and units), number, top, left, width.
        const QByteArray live = encode(change(Live, 1));
        const QByteArray place = encode(change(Place, 1, {}, 1, 2)), add = encode(threeRecords[0]);
        const QList<std::pair<const char *, QByteArray>> foreign = {
            {"type 0", patched(live, 0, QByteArray(1, 0))}, {"type 5", patched(live, 0, QByteArray(1, 5))},
            {"kind 2", patched(live, 1, QByteArray(1, 2))}, {"element 0", patched(live, 2, QByteArray(4, 0))},
            {"element -1", patched(live, 2, QByteArray(4, '\xff'))}, {"live byte 2", patched(live, 6, QByteArray(1, 2))},
            {"trailing byte", live + '\0'}, {"left NaN", patched(place, 6, std::nanf(""))},
            {"top infinite", patched(place, 10, float(INFINITY))},
            {"add width NaN", patched(add, 6 + 4 + 2 * 4 + 4 + 4 + 4, float(NAN))},
            {"text count 2^32-1", patched(add, 6, QByteArray(4, '\xff'))}};
        for (const auto &[name, payload] : foreign)
            row(name, whole + JournalFile::frame(payload), 3);
        for (const JournalRecord &r : threeRecords) {
            for (qsizetype size = 0; size < encode(r).size(); ++size)
                row(QStringLiteral("type %1 cut to %2").arg(r.type).arg(size),
                    whole + JournalFile::frame(encode(r).first(size)), 3);
        }
        const qsizetype first = JournalFile::MagicSize + 4, second = first + JournalFile::IdentitySize;
        const qsizetype base = JournalFile::headerSize(JournalFile::Version);
        row("first identity", flipped(whole, first + 3), 3, false);
        row("second identity", flipped(whole, second + 3), 3, false);
        row("first CRC", flipped(whole, second - 1), 3, false);
        row("copy's length", flipped(whole, base + 1), 3, false);
        row("copy's byte", flipped(whole, base + 6), 3, false, JournalReader::Ok, false);
        row("cut in the copy's length", whole.left(base + 2), 0, true, JournalReader::Ok, false);
        row("cut in the copy", whole.left(base + 6), 0, true, JournalReader::Ok, false);
        const int damaged = JournalReader::Damaged;
        row("cut in the version", whole.left(first - 2), 0, false, damaged, false);
        row("version 0", patched(whole, first - 4, QByteArray(4, 0)), 0, false, damaged, false);
        row("cut in an identity", whole.left(first + 10), 0, false, damaged, false);
        row("identity contradicts itself", JournalFile::header({TableIdentity::Absent, 5, 0, {}}), 0, false, damaged, false);
        row("over 1 GB", whole, 0, false, JournalReader::TooLarge, false);
    }

    void readBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, complete);
        QFETCH(bool, torn);
        QFETCH(int, status);
        QFETCH(bool, baseIntact);
        const QString path = m_dir.filePath("read.journal");
        QVERIFY(writeFile(path, file));
        if (status == JournalReader::TooLarge) // sparse: costs no disk
            QVERIFY(QFile::resize(path, JournalReader::MaxSize + 1));
        JournalReader reader;
        QCOMPARE(reader.open(path), status == JournalReader::Ok);
        QCOMPARE(int(reader.status()), status);
        for (int pass = 1; pass <= 2; ++pass) {
            Records records;
            for (JournalRecord record; reader.next(record);)
                records << record;
            QVERIFY(records == threeRecords.first(complete));
            QCOMPARE(reader.tornTail(), torn);
            QCOMPARE(reader.rewind(), status == JournalReader::Ok);
        }
        QCOMPARE(reader.baseIntact(), baseIntact);
        QCOMPARE(reader.base(), baseIntact ? kBase : QByteArray());
    }

    // Replay ends at the first record the table cannot take: what follows
    // was made on top of it. A kind that holds all it can takes no more.
    void replayStopsAtAMisfit()
    {
        PlotTable table;
        const Records records = {threeRecords[0], change(Place, 1, {}, 5, 6), threeRecords[2], change(Place, 1)};
        QCOMPARE(JournalReplay::apply(records, table), 2);
        QCOMPARE(table.icons[1].left, 5.0f);
        QCOMPARE(JournalReplay::misfit(change(Add, IconNumber::Max + 1), IconNumber::Max, 0),
                 "the table holds as many icons as it can");
    }

    // Never through a link, a FIFO or a folder at its path. Deleted or
    // renamed away while open: written again in full. Replaced by another
    // file: neither written nor deleted. On a full disk: said once, however
    // often the writes fail.
    void writesOnlyItsOwnFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("status"); // the reader's at the path in the end
        for (const char *how : {"link", "dangling", "fifo", "folder"})
            QTest::newRow(how) << how << int(JournalReader::NotRegular);
        QTest::newRow("below a file") << "victim/" << int(JournalReader::Unreadable);
        for (const char *how : {"delete", "rename", "full"})
            QTest::newRow(how) << how << int(JournalReader::Missing);
        QTest::newRow("replace") << "replace" << int(JournalReader::Damaged);
    }

    void writesOnlyItsOwnFile()
    {
        QFETCH(QString, how);
        QFETCH(int, status);
        const QString victim = m_dir.filePath("victim"), path = m_dir.filePath(how + ".journal");
        QVERIFY(writeFile(victim, "precious"));
        const QByteArray name = QFile::encodeName(path);
        const QByteArray target = QFile::encodeName(how == "link" ? victim : path + ".none");
        QVERIFY(how == "fifo"     ? ::mkfifo(name, 0600) == 0
                : how == "folder" ? QDir().mkpath(path)
                : how == "link" || how == "dangling" ? ::symlink(target, name) == 0 : true);
        JournalWriter writer;
        QSignalSpy renewed(&writer, &JournalWriter::restarted);
        QSignalSpy failed(&writer, &JournalWriter::failed);
        const bool opens = status == JournalReader::Missing || status == JournalReader::Damaged;
        QCOMPARE(writer.start(path, TableIdentity(), "base"), opens); // a FIFO would block here
        if (opens) {
            const bool restarts = how == "delete" || how == "rename";
            writer.append(change(Text, 1, "before"));
            QVERIFY(writer.flush());
            std::optional<FileSizeLimit> full;
            if (how == "full") // room for "after", not for the next record
                QVERIFY(full.emplace(rlim_t(QFileInfo(path).size() + 30)).ok);
            else
                QVERIFY(how == "rename" ? QFile::rename(path, path + ".moved") : QFile::remove(path));
            QVERIFY(how != "replace" || writeFile(path, "theirs"));
            for (int batch = 0; batch < 3; ++batch) {
                writer.append(change(Text, 1, "after"));
                writer.append(threeRecords[0]);
                QCOMPARE(writer.flush(), restarts);
            }
            QTRY_COMPARE(renewed.size() + failed.size(), 1);
            QTest::qWait(100);
            QCOMPARE(renewed.size() + failed.size(), 1);
            QCOMPARE(renewed.size(), int(restarts));
            QCOMPARE(writer.ok(), restarts);
            QVERIFY(restarts || failed[0][0].toString() == writer.errorString());
            full.reset();
            const JournalFile::ReadResult read = JournalFile::read(path);
            QCOMPARE(read.base, how == "replace" ? QByteArray() : QByteArray("base"));
            QCOMPARE(read.records.size(), restarts ? 7 : how == "full" ? 2 : 0);
        }
        writer.discard();
        QCOMPARE(bytesOf(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo::exists(path + ".none"));
        JournalReader reader;
        reader.open(path);
        QCOMPARE(int(reader.status()), status);
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
                const int mustHave = victim->readAllStandardOutput().trimmed().toInt();
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
