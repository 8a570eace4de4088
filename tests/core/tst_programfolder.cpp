// Names below the program folder resolve without regard to letter case.

#include "CaseInsensitivePath.h"
#include "ProgramFolder.h"

#include <QtTest>

class TestProgramFolder : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;

    void touch(const QString &relative)
    {
        QVERIFY(QDir(m_root.path()).mkpath(QFileInfo(relative).path()));
        QFile file(m_root.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"Icons/BasicSet/icon_1.jpg", "Icons/BasicSet/ICON_3.JPG",
                                 "Plot Tables/Harbour.plt", "Cases/Same.txt", "Cases/same.txt"})
            touch(QLatin1String(name));
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");
        QTest::newRow("exact") << "Icons/BasicSet/icon_1.jpg" << "Icons/BasicSet/icon_1.jpg";
        QTest::newRow("any case") << "plot tables/harbour.PLT" << "Plot Tables/Harbour.plt";
        QTest::newRow("capitals on disk") << "icons/basicset/icon_3.jpg"
                                          << "Icons/BasicSet/ICON_3.JPG";
        QTest::newRow("backslashes") << "ICONS\\BASICSET\\Icon_1.Jpg"
                                     << "Icons/BasicSet/icon_1.jpg";
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
        QCOMPARE(CaseInsensitivePath(m_root.path() + u'/').resolve(relative),
                 m_root.filePath(expected));
    }

    void listingIsReadOncePerResolver()
    {
        // One resolver serves one operation: a file added during it is not
        // seen, the next operation's resolver sees it.
        const CaseInsensitivePath first(m_root.path());
        const QString name = QStringLiteral("icons/basicset/icon_2.jpg");
        QCOMPARE(first.resolve(name), m_root.filePath(QStringLiteral("Icons/BasicSet/icon_2.jpg")));
        touch(QStringLiteral("Icons/BasicSet/ICON_2.JPG"));
        QCOMPARE(first.resolve(name), m_root.filePath(QStringLiteral("Icons/BasicSet/icon_2.jpg")));
        QCOMPARE(CaseInsensitivePath(m_root.path()).resolve(name),
                 m_root.filePath(QStringLiteral("Icons/BasicSet/ICON_2.JPG")));
    }

    void isReadableFile_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("readable");
        QTest::newRow("folder") << "Plot Tables" << false;
        QTest::newRow("missing file") << "Plot Tables/none.plt" << false;
        QTest::newRow("file in a missing folder") << "Gone/none.plt" << false;
        QTest::newRow("empty readable file") << "Plot Tables/empty.plt" << true;
    }

    void isReadableFile()
    {
        QFETCH(QString, relative);
        QFETCH(bool, readable);
        touch("Plot Tables/empty.plt");
        QCOMPARE(ProgramFolder::isReadableFile(m_root.filePath(relative)), readable);
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
