// Counting an icon set: the unbroken run icon_1.jpg ... icon_N.jpg.

#include "CaseInsensitivePath.h"
#include "IconSet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestIconSet : public QObject
{
    Q_OBJECT
private slots:
    void count_data();
    void count();
    void stopsAt32767();
};

void TestIconSet::count_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("setName");
    QTest::addColumn<int>("expected");

    QStringList twelve;
    for (int n = 1; n <= 12; ++n)
        twelve << QStringLiteral("Icons/BasicSet/icon_%1.jpg").arg(n);
    QTest::newRow("twelve") << twelve << "BasicSet" << 12;
    QTest::newRow("gap after five")
        << QStringList{"Icons/S/icon_1.jpg", "Icons/S/icon_2.jpg", "Icons/S/icon_3.jpg",
                       "Icons/S/icon_4.jpg", "Icons/S/icon_5.jpg", "Icons/S/icon_7.jpg"}
        << "S" << 5;
    QTest::newRow("only icon_0") << QStringList{"Icons/S/icon_0.jpg"} << "S" << 0;
    QTest::newRow("only icon_01") << QStringList{"Icons/S/icon_01.jpg"} << "S" << 0;
    QTest::newRow("other files only") << QStringList{"Icons/S/readme.txt"} << "S" << 0;
    QTest::newRow("mixed case")
        << QStringList{"icons/S/icon_1.jpg", "icons/S/Icon_2.Jpg", "icons/S/ICON_3.JPG"}
        << "S" << 3;
    QTest::newRow("set named in other case")
        << QStringList{"Icons/BasicSet/icon_1.jpg", "Icons/BasicSet/icon_2.jpg"} << "basicset"
        << 2;
    QTest::newRow("missing set folder") << QStringList{"Icons/S/icon_1.jpg"} << "Other" << 0;
    QTest::newRow("empty set name") << QStringList{"Icons/S/icon_1.jpg"} << "" << 0;
    QTest::newRow("folder in place of a picture")
        << QStringList{"Icons/S/icon_1.jpg", "Icons/S/icon_2.jpg/inside"} << "S" << 1;
}

void TestIconSet::count()
{
    QFETCH(QStringList, files);
    QFETCH(QString, setName);
    QFETCH(int, expected);
    QTemporaryDir root;
    for (const QString &relative : files) {
        const QString path = root.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(int(IconSet::count(CaseInsensitivePath(root.path()), setName)), expected);
}

void TestIconSet::stopsAt32767()
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("Icons/Big"));
    for (int n = 1; n <= 32768; ++n) {
        QFile file(root.filePath(QStringLiteral("Icons/Big/icon_%1.jpg").arg(n)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(int(IconSet::count(CaseInsensitivePath(root.path()), QStringLiteral("Big"))), 32767);
}

QTEST_GUILESS_MAIN(TestIconSet)
#include "tst_iconset.moc"
