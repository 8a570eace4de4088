// Writing the table back when its window closes, and never losing it.

#include "DocumentFixture.h"
#include "PlotTableWriter.h"
#include "ProcessLimits.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

#include <optional>

#include <sys/wait.h>

namespace {

const auto lines = TestProgramFolder::crlf;

const QStringList kExample = {"harbour.jpg", "BasicSet", "Command post", " 12 ", " 1440 ",
                              " 2535 ", "", " 3 ", " 600 ", " 4215 ", "[Notes]",
                              "Check the north gate", "-1 ", " 3000 ", " 600 ", "[End]"};

PlotTable largeTable(const QString &text, int icons)
{
    PlotTable table;
    table.backgroundName = "harbour.jpg";
    table.iconSetName = "BasicSet";
    for (int n = 1; n <= icons; ++n) {
        PlotElement &icon = table.icons[table.icons.add()];
        icon.live = true;
        icon.text = text + QString::number(n);
        icon.number = n % 30 + 1;
        icon.top = float(n % 600);
        icon.left = float(n % 900);
    }
    return table;
}

// Stops a child where it is; false when it had ended, and is reaped.
bool stop(pid_t child)
{
    kill(child, SIGSTOP);
    int status = 0;
    waitpid(child, &status, WUNTRACED);
    return WIFSTOPPED(status);
}

// Whether a process holds a file in folder open: a save's temporary file,
// from its creation to its commit.
bool holdsFileIn(pid_t pid, const QString &folder)
{
    const QString fds = QStringLiteral("/proc/%1/fd/").arg(pid);
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t size = readlink(QFile::encodeName(fds + fd).constData(), target, sizeof target);
        if (size > 0 && QByteArray(target, size).startsWith(prefix))
            return true;
    }
    return false;
}

} // namespace

class TestSaving : public QObject
{
    Q_OBJECT
private slots:
    void closingWritesTheTable_data()
    {
        // hide: icon 2 and note 1 are deleted before closing; an empty table
        // is a file that does not exist yet.
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<bool>("hide");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("example, unchanged") << kExample << false << kExample;
        const QStringList head{"harbour.jpg", "BasicSet", "one", " 1 ", " 0 ", " 0 "};
        const QStringList three{"three", " 3 ", " 0 ", " 0 ", "[Notes]"};
        QTest::newRow("deleted elements left out")
            << head + QStringList{"two", " 2 ", " 0 ", " 0 "} + three
                   + QStringList{"gone", "-1 ", " 0 ", " 0 ", "[End]"}
            << true << head + three + QStringList{"[End]"};
        QTest::newRow("missing file created") << QStringList() << false
                                              << QStringList{"", "", "[Notes]", "[End]"};
    }

    void closingWritesTheTable()
    {
        QFETCH(QStringList, table);
        QFETCH(bool, hide);
        QFETCH(QStringList, written);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/harbour.jpg", QSize(90, 60));
        const QString path = table.isEmpty() ? f.folder.file("Plot Tables/New.plt")
                                             : f.table("Harbour.plt", table);
        PlotWindow *w = f.open(path);
        if (hide) {
            w->document()->setLive(ElementKind::Icon, 2, false);
            w->document()->setLive(ElementKind::Note, 1, false);
        }
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(path), lines(written));
        QVERIFY(f.services.callsOf("saveFile").isEmpty());
    }

    void failedWriteOffersAnotherPlace_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("chooseAnother");
        for (const char *fault : {"deleted", "unwritable", "full"})
            for (bool another : {true, false})
                if (!another || qstrcmp(fault, "full") != 0) // no room elsewhere either
                    QTest::addRow("%s, %s", fault, another ? "another place" : "cancelled")
                        << fault << another;
    }

    void failedWriteOffersAnotherPlace()
    {
        QFETCH(QString, fault);
        QFETCH(bool, chooseAnother);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/harbour.jpg", QSize(90, 60));
        const QString path = f.folder.file("Plot Tables/Sub/Harbour.plt");
        f.folder.writeBytes("Plot Tables/Sub/Harbour.plt", lines(kExample));
        PlotWindow *w = f.open(path);
        w->document()->setText(ElementKind::Icon, 1, "Edited");

        QTemporaryDir elsewhere;
        QVERIFY(::chmod(QFile::encodeName(elsewhere.path()).constData(), 0777) == 0);
        const QString other = elsewhere.filePath("Rescued");
        f.services.answerSave(chooseAnother ? other : QString());

        std::optional<UnwritableFolder> unwritable;
        std::optional<FileSizeLimit> full;
        if (fault == u"deleted")
            QVERIFY(QDir(f.folder.file("Plot Tables/Sub")).removeRecursively());
        else if (fault == u"unwritable")
            unwritable.emplace(f.folder.file("Plot Tables/Sub"));
        else
            full.emplace(100);
        DocumentFixture::close(w);
        unwritable.reset();
        full.reset();

        QCOMPARE(f.main->tableWindowCount(), 0);
        const auto messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().text.startsWith("The Plot Table could not be saved to\r\n'" + path
                                                 + "'\r\n"));
        QCOMPARE(messages.first().icon, MessageIcon::Exclamation);
        QVERIFY(!messages.first().text.contains("Unknown error")); // a reason
        const auto dialogs = f.services.callsOf("saveFile");
        QCOMPARE(dialogs.size(), 1);
        QCOMPARE(dialogs.first().title, "Save Plot Table As");
        if (fault != u"deleted")
            QCOMPARE(f.folder.readBytes(path), lines(kExample)); // the old file is intact
        QCOMPARE(QDir(QFileInfo(path).path()).entryList({"*.plt*"}, QDir::Files).size(),
                 fault == u"deleted" ? 0 : 1 + int(fault == u"unwritable")); // the journal stays there
        QStringList expected = kExample;
        expected[2] = "Edited";
        QCOMPARE(f.folder.readBytes(other + ".plt"), chooseAnother ? lines(expected) : QByteArray());
    }

    void savingKeepsOwnerAndMode_data()
    {
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("group");
        QTest::addColumn<uint>("mode");
        QTest::newRow("another user's private table") << 65534u << 65534u << 0640u;
        QTest::newRow("a shared folder's group") << 0u << 4321u << 0664u;
        QTest::newRow("owner and group without names") << 1234u << 5678u << 0604u;
    }

    void savingKeepsOwnerAndMode()
    {
        QFETCH(uint, owner);
        QFETCH(uint, group);
        QFETCH(uint, mode);
        if (geteuid() != 0)
            QSKIP("giving a file to another user takes root");
        QTemporaryDir dir;
        const QString path = dir.filePath("Harbour.plt");
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(PlotTableWriter().write(path, largeTable("old ", 1)));
        QCOMPARE(::chown(name.constData(), owner, group), 0);
        QCOMPARE(::chmod(name.constData(), mode), 0);

        QVERIFY(PlotTableWriter().write(path, largeTable("icon ", 3)));
        struct stat written = {};
        QCOMPARE(::stat(name.constData(), &written), 0);
        QCOMPARE(uint(written.st_uid), owner);
        QCOMPARE(uint(written.st_gid), group);
        QCOMPARE(uint(written.st_mode & 07777), mode);
    }

    void killedAtRandomMoments()
    {
        // A save killed at any moment leaves the old table or the new one,
        // never a mixture or a truncation.
        QTemporaryDir dir;
        const QString path = dir.filePath("Harbour.plt");
        PlotTableWriter writer;
        const PlotTable oldTable = largeTable("old icon ", 20000);
        const PlotTable newTable = largeTable("new icon, a longer text ", 30000);
        const QByteArray oldBytes = writer.encode(oldTable);
        const QByteArray newBytes = writer.encode(newTable);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(writer.write(path, newTable));
        const quint32 writeMicroseconds = quint32(timer.nsecsElapsed() / 1000);
        QRandomGenerator random(20261206);
        int sawOld = 0, sawNew = 0, whileWriting = 0;
        // Each kill is preceded by a stop, which shows whether it lands while
        // the new table is being written: the child then holds its temporary
        // file open. A moment picked at random over the whole save seldom
        // falls there on a busy machine, so every other child is stopped
        // again and again until it is caught writing.
        for (int run = 0; run < 40; ++run) {
            QVERIFY(writer.write(path, oldTable));
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                PlotTableWriter().write(path, newTable);
                _exit(0);
            }
            bool stopped = false, writing = false;
            do {
                if (stopped)
                    kill(child, SIGCONT);
                // Even runs: anywhere from before the write starts to after it has ended.
                usleep(run % 2 ? random.bounded(50, 300)
                               : random.bounded(writeMicroseconds * 3 / 2 + 1000));
                stopped = stop(child);
                writing = stopped && holdsFileIn(child, dir.path());
            } while (run % 2 && stopped && !writing);
            if (stopped) {
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
            }
            whileWriting += writing;

            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray now = file.readAll();
            QVERIFY2(now == oldBytes || now == newBytes, qPrintable(QStringLiteral("run %1").arg(run)));
            (now == oldBytes ? sawOld : sawNew)++;
        }
        qInfo("old table kept %d times, new table complete %d times, %d kills while writing",
              sawOld, sawNew, whileWriting);
        QVERIFY2(whileWriting > 0, "no kill landed while the new table was being written");
    }
};

QTEST_MAIN(TestSaving)
#include "tst_saving.moc"
