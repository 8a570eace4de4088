// Names below the program folder resolve without regard to letter case.

#include "CaseInsensitivePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}
} // namespace

class TestCaseInsensitivePath : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void resolve_data();
    void resolve();
    void listingIsReadOncePerResolver();

private:
    QTemporaryDir m_root;
};

void TestCaseInsensitivePath::initTestCase()
{
    touch(m_root.filePath(QStringLiteral("Icons/BasicSet/icon_1.jpg")));
    touch(m_root.filePath(QStringLiteral("Icons/BasicSet/ICON_3.JPG")));
    touch(m_root.filePath(QStringLiteral("Plot Tables/Harbour.plt")));
    touch(m_root.filePath(QStringLiteral("Cases/Same.txt")));
    touch(m_root.filePath(QStringLiteral("Cases/same.txt")));
}

void TestCaseInsensitivePath::resolve_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact") << "Icons/BasicSet/icon_1.jpg" << "Icons/BasicSet/icon_1.jpg";
    QTest::newRow("small letters find capitals") << "icons/basicset/icon_3.jpg"
                                                  << "Icons/BasicSet/ICON_3.JPG";
    QTest::newRow("backslashes as separators") << "ICONS\\BASICSET\\Icon_1.Jpg"
                                               << "Icons/BasicSet/icon_1.jpg";
    QTest::newRow("blank in a folder name") << "plot tables/harbour.PLT"
                                            << "Plot Tables/Harbour.plt";
    QTest::newRow("missing file keeps its spelling") << "plot tables/Missing.plt"
                                                     << "Plot Tables/Missing.plt";
    QTest::newRow("missing folder keeps its spelling") << "Nothing/Here.jpg" << "Nothing/Here.jpg";
    QTest::newRow("exact match wins over another case") << "Cases/same.txt" << "Cases/same.txt";
    QTest::newRow("other case takes the first in order") << "cases/SAME.TXT" << "Cases/Same.txt";
    QTest::newRow("doubled separators") << "Icons//BasicSet/" << "Icons/BasicSet";
}

void TestCaseInsensitivePath::resolve()
{
    QFETCH(QString, relative);
    QFETCH(QString, expected);
    const CaseInsensitivePath paths(m_root.path() + u'/');
    QCOMPARE(paths.resolve(relative), m_root.path() + u'/' + expected);
}

void TestCaseInsensitivePath::listingIsReadOncePerResolver()
{
    // One resolver serves one operation: a file added during it is not
    // seen, the next operation's resolver sees it.
    const CaseInsensitivePath first(m_root.path());
    QCOMPARE(first.resolve(QStringLiteral("icons/basicset/icon_2.jpg")),
             m_root.filePath(QStringLiteral("Icons/BasicSet/icon_2.jpg")));
    touch(m_root.filePath(QStringLiteral("Icons/BasicSet/ICON_2.JPG")));
    QCOMPARE(first.resolve(QStringLiteral("icons/basicset/icon_2.jpg")),
             m_root.filePath(QStringLiteral("Icons/BasicSet/icon_2.jpg")));
    const CaseInsensitivePath second(m_root.path());
    QCOMPARE(second.resolve(QStringLiteral("icons/basicset/icon_2.jpg")),
             m_root.filePath(QStringLiteral("Icons/BasicSet/ICON_2.JPG")));
}

QTEST_GUILESS_MAIN(TestCaseInsensitivePath)
#include "tst_caseinsensitivepath.moc"
