// The program folder: names below it resolve without regard to letter case,
// an icon set is the unbroken run icon_1.jpg ... icon_N.jpg, and the folder
// is recorded in the machine's settings silently or not at all.

#include "CaseInsensitivePath.h"
#include "IconSet.h"
#include "MachineSettings.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool touch(const QString &root, const QString &relative)
{
    QFile file(root + u'/' + relative);
    return QDir(root).mkpath(QFileInfo(relative).path()) && file.open(QIODevice::WriteOnly);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ProgramFolderTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;

private slots:
    void initTestCase()
    {
        for (const char *name : {"Icons/BasicSet/icon_1.jpg", "Icons/BasicSet/ICON_3.JPG",
                                 "Plot Tables/Harbour.plt", "Cases/Same.txt", "Cases/same.txt"})
            QVERIFY(touch(m_root.path(), name));
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");
        QTest::newRow("exact") << "Icons/BasicSet/icon_1.jpg" << "Icons/BasicSet/icon_1.jpg";
        QTest::newRow("any case") << "plot tables/harbour.PLT" << "Plot Tables/Harbour.plt";
        QTest::newRow("capitals on disk") << "icons/basicset/icon_3.jpg" << "Icons/BasicSet/ICON_3.JPG";
        QTest::newRow("backslashes") << "ICONS\\BASICSET\\Icon_1.Jpg" << "Icons/BasicSet/icon_1.jpg";
        QTest::newRow("doubled separators") << "Icons//BasicSet/" << "Icons/BasicSet";
        QTest::newRow("missing file") << "plot tables/Missing.plt" << "Plot Tables/Missing.plt";
        QTest::newRow("missing folder") << "Nothing/Here.jpg" << "Nothing/Here.jpg";
        QTest::newRow("exact match wins") << "Cases/same.txt" << "Cases/same.txt";
        QTest::newRow("else the first in order") << "cases/SAME.TXT" << "Cases/Same.txt";
    }

    void resolve()
    {
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QCOMPARE(CaseInsensitivePath(m_root.path() + u'/').resolve(relative), m_root.filePath(expected));
    }

    void countIconSet_data()
    {
        // Icons/S holds icon_1.jpg .. icon_<run>.jpg and the other entries,
        // a folder where the name ends in "/", unreadable where it starts
        // with "!".
        QTest::addColumn<int>("run");
        QTest::addColumn<QStringList>("others");
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("expected");
        QTest::newRow("twelve") << 12 << QStringList() << "S" << 12;
        QTest::newRow("gap after five") << 5 << QStringList{"icon_7.jpg"} << "S" << 5;
        QTest::newRow("only icon_0") << 0 << QStringList{"icon_0.jpg"} << "S" << 0;
        QTest::newRow("only icon_01") << 0 << QStringList{"icon_01.jpg"} << "S" << 0;
        QTest::newRow("mixed case") << 0 << QStringList{"icon_1.jpg", "Icon_2.Jpg", "ICON_3.JPG"} << "s" << 3;
        QTest::newRow("missing set folder") << 1 << QStringList() << "Other" << 0;
        QTest::newRow("empty set name") << 1 << QStringList() << "" << 0;
        QTest::newRow("folder for a picture") << 1 << QStringList{"icon_2.jpg/"} << "S" << 1;
        QTest::newRow("unreadable picture") << 2 << QStringList{"!icon_3.jpg", "icon_4.jpg"} << "S" << 2;
        QTest::newRow("stops at 32767") << 32768 << QStringList() << "S" << 32767;
    }

    void countIconSet()
    {
        QFETCH(int, run);
        QFETCH(QStringList, others);
        QFETCH(QString, set);
        QFETCH(int, expected);
        QTemporaryDir root;
        QDir folder(root.filePath("Icons/S"));
        QVERIFY(folder.mkpath("."));
        for (int n = 1; n <= run; ++n)
            others << QStringLiteral("icon_%1.jpg").arg(n);
        for (QString name : std::as_const(others)) {
            const bool unreadable = name.startsWith(u'!');
            QFile file(folder.filePath(name.remove(u'!')));
            QVERIFY(name.endsWith(u'/') ? folder.mkdir(name) : file.open(QIODevice::WriteOnly));
            if (unreadable)
                file.setPermissions(QFileDevice::WriteOwner);
        }
        // Root reads anything: the count runs as "nobody" in a folder all may enter.
        for (const QString &entered : {root.path(), root.filePath("Icons"), folder.path()})
            QVERIFY(::chmod(QFile::encodeName(entered).constData(), 0755) == 0);
        const bool wasRoot = geteuid() == 0 && seteuid(65534) == 0;
        const int counted = IconSet::count(CaseInsensitivePath(root.path()), set);
        QVERIFY(!wasRoot || seteuid(0) == 0);
        QCOMPARE(counted, expected);
    }

    void settingsWrittenOverwrittenRefused()
    {
        // What start-up does: the key with its parents, then the value.
        const auto write = [](const QString &value) {
            QString key = "Software";
            for (const char *name : {"Brindlemoor", "Products", "Quenbrack"})
                MachineSettings::createKey(key += '\\' + QString(name));
            MachineSettings::setValue(key, "Path", value);
        };
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_DIRS", (dir.path() + ":/etc/xdg").toUtf8());
        const QString store = dir.filePath("Brindlemoor/Quenbrack.ini");
        QCOMPARE(MachineSettings::storePath(), store);
        const QByteArray keys = "[Software\\Brindlemoor]\n[Software\\Brindlemoor\\Products]\n"
                                "[Software\\Brindlemoor\\Products\\Quenbrack]\n";
        write("  /opt/Quen brack  ");
        QCOMPARE(contents(store), keys + "Path=/opt/Quen brack\n");
        // Another value and another product's section survive an overwrite.
        QFile file(store);
        QVERIFY(file.open(QIODevice::Append));
        file.write("Other=1\n[Software\\Elsewhere]\nPath=/keep\n");
        file.close();
        write("/usr/local/qb");
        const QByteArray overwritten = keys + "Path=/usr/local/qb\nOther=1\n[Software\\Elsewhere]\nPath=/keep\n";
        QCOMPARE(contents(store), overwritten);
        // With a file where the folder should be, nothing is written, also
        // for root, and nothing is said.
        qputenv("XDG_CONFIG_DIRS", store.toUtf8());
        write("/opt/other");
        QVERIFY(!QFile::exists(MachineSettings::storePath()));
        QCOMPARE(contents(store), overwritten);
    }
};

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "tst_programfolder.moc"
