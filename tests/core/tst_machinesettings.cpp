// The settings store where there is no registry: an INI file in the first
// machine-wide configuration folder, written silently or not at all.

#include "MachineSettings.h"

#include <QtTest>

static QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TestMachineSettings : public QObject
{
    Q_OBJECT
private slots:
    void writtenOverwrittenRefused()
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
        const QByteArray overwritten =
            keys + "Path=/usr/local/qb\nOther=1\n[Software\\Elsewhere]\nPath=/keep\n";
        QCOMPARE(contents(store), overwritten);

        // With a file where the folder should be, nothing is written, also
        // for root, and nothing is said.
        qputenv("XDG_CONFIG_DIRS", store.toUtf8());
        write("/opt/other");
        QVERIFY(!QFile::exists(MachineSettings::storePath()));
        QCOMPARE(contents(store), overwritten);
    }
};

QTEST_GUILESS_MAIN(TestMachineSettings)
#include "tst_machinesettings.moc"
