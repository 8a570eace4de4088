// The command line's export, run as the real program with no display.

#include <QProcess>
#include <QtTest>

namespace {

const QString kProgram = QStringLiteral(QUENBRACK_PROGRAM_DIR);
const QString kBinary = kProgram + QStringLiteral("/quenbrack");
const QString kHarbour = kProgram + QStringLiteral("/Plot Tables/Harbour.plt");

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
};

Result quenbrack(const QStringList &arguments, const QString &folder)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(kBinary, arguments);
    Result result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

} // namespace

class TestExportCommand : public QObject
{
    Q_OBJECT
private slots:
    void writesWithoutADisplay_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "out.png" << QStringList() << QByteArray("\x89PNG");
        QTest::newRow("jpeg") << "out.JPEG" << QStringList{"--scale", "50"} << QByteArray("\xff\xd8");
        QTest::newRow("bmp") << "out.bmp" << QStringList() << QByteArray("BM");
        QTest::newRow("pdf") << "out.pdf" << QStringList{"--legend"} << QByteArray("%PDF");
        QTest::newRow("svg") << "out.svg" << QStringList() << QByteArray("<?xml");
    }
    void writesWithoutADisplay()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, magic);
        QTemporaryDir dir;
        // Not in the current folder: found below the program's own folder.
        const Result r = quenbrack(QStringList{"--export", output} + options
                                       + QStringList{"Plot Tables/Harbour.plt"},
                                   dir.path());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, output + u'\n');
        QFile file(dir.filePath(output));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(8).startsWith(magic));
        if (output.endsWith(".JPEG"))
            QCOMPARE(QImage(file.fileName()).size(), QSize(450, 300));
    }

    void manyTablesIntoAFolder()
    {
        QTemporaryDir dir;
        const Result r = quenbrack({"--export-dir", dir.path(), "--format", "svg", kHarbour,
                                    kProgram + "/Plot Tables/Office Floor.plt"},
                                   dir.path());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.count(u'\n'), 2);
        QVERIFY(QFile::exists(dir.filePath("Harbour.svg")));
        QVERIFY(QFile::exists(dir.filePath("Office Floor.svg")));
        // A second table of the same name would take the first one's file.
        QDir(dir.path()).mkdir("copy");
        QVERIFY(QFile::copy(kHarbour, dir.filePath("copy/Harbour.plt")));
        const Result twice = quenbrack({"--export-dir", dir.path(), kHarbour, "copy/Harbour.plt"},
                                       dir.path());
        QCOMPARE(twice.exitCode, 1);
        QCOMPARE(twice.out.count(u'\n'), 1);
        QVERIFY2(twice.err.contains("already the export of another table"), qPrintable(twice.err));
    }

    void badInputChangesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing table") << QStringList{"--export", "old.png", "nowhere.plt"} << 1
                                       << "no such plot table";
        QTest::newRow("no plot table") << QStringList{"--export", "old.png", "notes.txt"} << 1
                                       << "no Plot Table";
        QTest::newRow("unknown kind") << QStringList{"--export", "old.gif", kHarbour} << 2
                                      << "unknown kind of file";
        QTest::newRow("no such folder")
            << QStringList{"--export", "gone/old.png", kHarbour} << 1 << "does not exist";
        QTest::newRow("unwritable folder")
            << QStringList{"--export", "locked/old.png", kHarbour} << 1 << "cannot be written";
        QTest::newRow("too large") << QStringList{"--export", "old.png", "far.plt"} << 1
                                   << "40024 x 24 pixels";
        QTest::newRow("bad scale") << QStringList{"--export", "old.png", "--scale", "x", kHarbour}
                                   << 2 << "--scale";
    }
    void badInputChangesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("locked");
        for (const char *name : {"old.png", "old.gif", "locked/old.png", "notes.txt"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("before\r\n");
        }
        // Without its background, a table reaches as far as its icons do.
        QFile far(dir.filePath("far.plt"));
        QVERIFY(far.open(QIODevice::WriteOnly));
        far.write("none.jpg\r\nBasicSet\r\nA\r\n 1 \r\n 0 \r\n 600000 \r\n[Notes]\r\n[End]\r\n");
        far.close();
        QFile(dir.filePath("locked")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const Result r = quenbrack(arguments, dir.path());
        QFile(dir.filePath("locked")).setPermissions(QFile::ReadOwner | QFile::WriteOwner
                                                     | QFile::ExeOwner);
        if (QTest::currentDataTag() == QLatin1String("unwritable folder") && r.exitCode == 0)
            QSKIP("running as a user whom permissions do not stop");
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QFile old(dir.filePath(arguments[1]));
        if (old.exists()) {
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("before\r\n"));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    }

    void missingBackgroundIsAWarning()
    {
        QTemporaryDir dir;
        QFile table(dir.filePath("t.plt"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("nothere.jpg\r\nBasicSet\r\nA\r\n 1 \r\n 1500 \r\n 3000 \r\n[Notes]\r\n[End]\r\n");
        table.close();
        const Result r = quenbrack({"--export", "t.png", "t.plt"}, dir.path());
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.contains("warning") && r.err.contains("nothere.jpg"), qPrintable(r.err));
        // As far as the icon reaches, from the table's corner.
        QCOMPARE(QImage(dir.filePath("t.png")).size(), QSize(200 + 24, 100 + 24));
    }

    void helpAndVersion()
    {
        QVERIFY(quenbrack({"--version"}, QDir::tempPath()).out.startsWith("Quenbrack 1."));
        QVERIFY(quenbrack({"--help"}, QDir::tempPath()).out.contains("--export-dir"));
    }
};

QTEST_MAIN(TestExportCommand)
#include "tst_exportcommand.moc"
