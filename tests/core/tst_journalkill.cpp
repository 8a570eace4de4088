// A journal killed at random moments keeps every record appended more than
// a second before the kill, and nothing but whole records.

#include "JournalFile.h"
#include "JournalWriter.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <thread>

namespace {

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

class TestJournalKill : public QObject
{
    Q_OBJECT
private slots:
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
                QList<QPair<int, qint64>> said;
                for (const QByteArray &line : victim->readAllStandardOutput().trimmed().split('\n'))
                    said.append({line.split(' ').value(0).toInt(), line.split(' ').value(1).toLongLong()});
                qint64 killAt = 0;
                for (const auto &[k, at] : said)
                    killAt = k == 0 ? at : killAt;
                int mustHave = 0;
                for (const auto &[k, at] : said)
                    mustHave = k > 0 && at < killAt - 1000 ? k : mustHave;
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
    TestJournalKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journalkill.moc"
