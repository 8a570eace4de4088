// A save killed at any moment leaves the old table or the new one, never a
// mixture or a truncation.

#include "PlotTableWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

PlotTable largeTable(const QString &text, int icons)
{
    PlotTable table;
    table.backgroundName = QStringLiteral("harbour.jpg");
    table.iconSetName = QStringLiteral("BasicSet");
    for (int n = 1; n <= icons; ++n) {
        const int k = table.Image1.Load();
        table.Image1[k].visible = true;
        table.Image1[k].text = text + QString::number(n);
        table.Image1[k].number = n % 30 + 1;
        table.Image1[k].top = float(n % 600);
        table.Image1[k].left = float(n % 900);
    }
    return table;
}

} // namespace

class TestKilledSave : public QObject
{
    Q_OBJECT
private slots:
    void killedAtRandomMoments();
};

void TestKilledSave::killedAtRandomMoments()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Harbour.plt"));
    PlotTableWriter writer;
    const PlotTable oldTable = largeTable(QStringLiteral("old icon "), 20000);
    const PlotTable newTable = largeTable(QStringLiteral("new icon, a longer text "), 30000);
    const QByteArray oldBytes = writer.encode(oldTable);
    const QByteArray newBytes = writer.encode(newTable);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(writer.write(path, newTable));
    const quint32 writeMicroseconds = quint32(timer.nsecsElapsed() / 1000);
    QRandomGenerator random(20261206);
    int sawOld = 0;
    int sawNew = 0;
    for (int run = 0; run < 40; ++run) {
        QVERIFY(writer.write(path, oldTable));
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            PlotTableWriter().write(path, newTable);
            _exit(0);
        }
        // Anywhere from before the write starts to after it has ended.
        usleep(random.bounded(writeMicroseconds * 3 / 2 + 1000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray now = file.readAll();
        QVERIFY2(now == oldBytes || now == newBytes, qPrintable(QStringLiteral("run %1").arg(run)));
        (now == oldBytes ? sawOld : sawNew)++;
    }
    qInfo("old table kept %d times, new table complete %d times, %lld temporary files left",
          sawOld, sawNew, qlonglong(QDir(dir.path()).entryList(QDir::Files).size() - 1));
}

QTEST_GUILESS_MAIN(TestKilledSave)
#include "tst_killedsave.moc"
