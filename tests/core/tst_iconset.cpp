// Counting an icon set: the unbroken run icon_1.jpg ... icon_N.jpg.

#include "CaseInsensitivePath.h"
#include "IconSet.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestIconSet : public QObject
{
    Q_OBJECT
private slots:
    void count_data()
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
        QTest::newRow("mixed case") << 0 << QStringList{"icon_1.jpg", "Icon_2.Jpg", "ICON_3.JPG"}
                                    << "s" << 3;
        QTest::newRow("missing set folder") << 1 << QStringList() << "Other" << 0;
        QTest::newRow("empty set name") << 1 << QStringList() << "" << 0;
        QTest::newRow("folder for a picture") << 1 << QStringList{"icon_2.jpg/"} << "S" << 1;
        QTest::newRow("unreadable picture") << 2 << QStringList{"!icon_3.jpg", "icon_4.jpg"} << "S"
                                            << 2;
        QTest::newRow("stops at 32767") << 32768 << QStringList() << "S" << 32767;
    }

    void count()
    {
        QFETCH(int, run);
        QFETCH(QStringList, others);
        QFETCH(QString, set);
        QFETCH(int, expected);
        QTemporaryDir root;
        QDir folder(root.filePath(QStringLiteral("Icons/S")));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
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
};

QTEST_GUILESS_MAIN(TestIconSet)
#include "tst_iconset.moc"
