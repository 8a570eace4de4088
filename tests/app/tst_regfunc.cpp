// The settings store on a platform without a registry: an INI file in the
// first machine-wide configuration folder.

#include "RegFunc.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kKey = QStringLiteral("Software\\Brindlemoor\\Products\\Quenbrack");

QString readStore()
{
    QFile file(RegFunc::machineStorePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeKeys(const QString &value)
{
    RegFunc::CreateKey(RegFunc::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Brindlemoor"));
    RegFunc::CreateKey(RegFunc::HKEY_LOCAL_MACHINE,
                       QStringLiteral("Software\\Brindlemoor\\Products"));
    RegFunc::CreateKey(RegFunc::HKEY_LOCAL_MACHINE, kKey);
    RegFunc::SetKeyValue(RegFunc::HKEY_LOCAL_MACHINE, kKey, QStringLiteral("Path"), value);
}
} // namespace

class TestRegFunc : public QObject
{
    Q_OBJECT
private slots:
    void writtenThenOverwritten();
    void otherContentIsKept();
    void refusedSilently();
};

void TestRegFunc::writtenThenOverwritten()
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_DIRS", (dir.path() + QStringLiteral(":/etc/xdg")).toUtf8());
    QCOMPARE(RegFunc::machineStorePath(), dir.path() + QStringLiteral("/Brindlemoor/Quenbrack.ini"));

    writeKeys(QStringLiteral("  /opt/Quen brack  "));
    QCOMPARE(readStore(), QStringLiteral("[Software\\Brindlemoor]\n"
                                         "[Software\\Brindlemoor\\Products]\n"
                                         "[Software\\Brindlemoor\\Products\\Quenbrack]\n"
                                         "Path=/opt/Quen brack\n"));
    writeKeys(QStringLiteral("/usr/local/quenbrack"));
    QCOMPARE(readStore(), QStringLiteral("[Software\\Brindlemoor]\n"
                                         "[Software\\Brindlemoor\\Products]\n"
                                         "[Software\\Brindlemoor\\Products\\Quenbrack]\n"
                                         "Path=/usr/local/quenbrack\n"));
}

void TestRegFunc::otherContentIsKept()
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_DIRS", dir.path().toUtf8());
    QDir().mkpath(dir.filePath(QStringLiteral("Brindlemoor")));
    QFile file(RegFunc::machineStorePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Software\\Brindlemoor\\Products\\Quenbrack]\nPath=/old\nOther=1\n"
               "[Software\\Elsewhere]\nPath=/keep\n");
    file.close();
    writeKeys(QStringLiteral("/new"));
    QCOMPARE(readStore(), QStringLiteral("[Software\\Brindlemoor\\Products\\Quenbrack]\n"
                                         "Path=/new\nOther=1\n"
                                         "[Software\\Elsewhere]\nPath=/keep\n"
                                         "[Software\\Brindlemoor]\n"
                                         "[Software\\Brindlemoor\\Products]\n"));
}

void TestRegFunc::refusedSilently()
{
    // A plain file where the folder should be refuses every write, also
    // for root.
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CONFIG_DIRS", blocker.toUtf8());
    writeKeys(QStringLiteral("/opt/quenbrack"));
    QVERIFY(!QFile::exists(RegFunc::machineStorePath()));
    QCOMPARE(QFileInfo(blocker).size(), 0);
}

QTEST_GUILESS_MAIN(TestRegFunc)
#include "tst_regfunc.moc"
