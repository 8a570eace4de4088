// A journal killed at random moments keeps every record appended more than
// a second before the kill, and nothing but whole records.

#include "JournalFile.h"
#include "JournalWriter.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <thread>

namespace {

// The process that gets killed: appends record after record (the text
// counts them) and says on stdout which one it just handed over.
int runVictim(const QString &journal)
{
    JournalWriter writer;
    if (!writer.start(journal, TableIdentity(), QByteArray("base")))
        return 2;
    for (int k = 1;; ++k) {
        JournalRecord record{JournalRecord::Text, ElementKind::Icon, 1, {}};
        record.value.text = QString::number(k);
        writer.append(record);
        std::printf("%d\n", k);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

struct Victim
{
    QProcess process;
    QString journal;
    QElapsedTimer clock;
    QList<QPair<int, qint64>> handedOver; // record, ms since start
    qint64 killAt = 0;
};

} // namespace

class TestJournalKill : public QObject
{
    Q_OBJECT
private slots:
    void killedAtRandomMoments()
    {
        QTemporaryDir dir;
        constexpr int kills = 100;
        constexpr int atOnce = 5;
        int checked = 0;
        for (int round = 0; round < kills / atOnce; ++round) {
            std::vector<std::unique_ptr<Victim>> victims;
            for (int v = 0; v < atOnce; ++v) {
                auto victim = std::make_unique<Victim>();
                victim->journal = dir.filePath(QStringLiteral("t%1-%2.plt.journal").arg(round).arg(v));
                victim->process.start(QCoreApplication::applicationFilePath(),
                                      {QStringLiteral("--victim"), victim->journal});
                QVERIFY(victim->process.waitForStarted());
                victim->clock.start();
                victims.push_back(std::move(victim));
            }
            for (bool running = true; running;) {
                running = false;
                for (auto &victim : victims) {
                    if (victim->process.state() == QProcess::NotRunning)
                        continue;
                    running = true;
                    victim->process.waitForReadyRead(5);
                    while (victim->process.canReadLine()) {
                        const int k = victim->process.readLine().trimmed().toInt();
                        victim->handedOver.append({k, victim->clock.elapsed()});
                        // Killed a little over a second after its first
                        // record, at a moment no one chooses.
                        if (victim->killAt == 0)
                            victim->killAt = victim->clock.elapsed() + 1050
                                             + QRandomGenerator::global()->bounded(400);
                    }
                    if (victim->killAt != 0 && victim->clock.elapsed() >= victim->killAt) {
                        victim->process.kill(); // SIGKILL
                        victim->process.waitForFinished();
                    }
                }
            }
            for (auto &victim : victims) {
                const qint64 killedAt = victim->clock.elapsed();
                int mustHave = 0;
                for (const auto &[k, at] : victim->handedOver)
                    if (at < victim->killAt - 1000)
                        mustHave = k;
                QVERIFY2(mustHave > 0, "no record was a second old when the kill came");
                const JournalFile::ReadResult read = JournalFile::read(victim->journal);
                QVERIFY2(read.ok, qPrintable(read.errorString));
                QCOMPARE(read.base, QByteArray("base"));
                QVERIFY2(read.records.size() >= mustHave,
                         qPrintable(QStringLiteral("%1 of %2 records after %3 ms")
                                        .arg(read.records.size())
                                        .arg(mustHave)
                                        .arg(killedAt)));
                for (int i = 0; i < read.records.size(); ++i)
                    QCOMPARE(read.records[i].value.text, QString::number(i + 1));
                ++checked;
            }
        }
        QCOMPARE(checked, kills);
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
