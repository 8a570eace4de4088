// Whatever a plot table file or its pictures hold, the window opens, nothing
// crashes, and a file the program did not understand is never overwritten.

#include "DocumentFixture.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

namespace {

QByteArray jpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// A small JPEG whose frame header claims 30,000 x 30,000 pixels.
QByteArray hugeJpeg()
{
    QByteArray bytes = jpeg(QSize(8, 8));
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    for (qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(30000 >> 8);
        bytes[at + 1] = char(30000 & 0xff);
    }
    return bytes;
}

QByteArray table(const QString &background, const QString &iconSet, const QStringList &icon)
{
    return TestProgramFolder::crlf(QStringList{background, iconSet} + icon
                                   + QStringList{"[Notes]", "[End]"});
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT
private slots:
    void opensAndKeepsWhatItDidNotUnderstand_data()
    {
        // file: the .plt bytes; extra: a file to put beside ("path=bytes", a
        // trailing "/" for a folder); understood: written back on close;
        // message: the missing-background message is shown.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QByteArray>("extraBytes");
        QTest::addColumn<bool>("understood");
        QTest::addColumn<bool>("message");
        const QStringList pier{"Pier", " 1 ", " 150 ", " 300 "};
        const QByteArray good = table("bg.jpg", "Set", pier);

        QTest::newRow("empty file") << QByteArray() << "" << QByteArray() << false << true;
        QTest::newRow("one line") << QByteArray("bg.jpg") << "" << QByteArray() << false << false;
        QTest::newRow("binary garbage") << QByteArray("\x00\x01\xfe\xff\r\r\n\x00", 8) << ""
                                        << QByteArray() << false << true;
        QTest::newRow("a JPEG renamed to .plt") << jpeg(QSize(16, 16)) << "" << QByteArray() << false
                                                << true;
        QTest::newRow("100 MB single line") << QByteArray(100 * 1024 * 1024, 'x') << ""
                                            << QByteArray() << false << true;
        QTest::newRow("record cut short") << QByteArray("bg.jpg\r\nSet\r\nPier\r\n 1 ") << ""
                                          << QByteArray() << false << false;
        QTest::newRow("numbers out of range")
            << table("bg.jpg", "Set", {"a", "99999999999", "1e40", "NaN", "b", "-0", "-0", "1e-50"})
            << "" << QByteArray() << true << false;
        QTest::newRow("background not a picture") << table("notes.txt", "Set", pier)
                                                  << "Plot Templates/notes.txt" << QByteArray("text")
                                                  << true << true;
        QTest::newRow("truncated JPEG") << table("cut.jpg", "Set", pier) << "Plot Templates/cut.jpg"
                                        << jpeg(QSize(200, 100)).left(300) << true << true;
        QTest::newRow("30000 x 30000 picture") << table("huge.jpg", "Set", pier)
                                               << "Plot Templates/huge.jpg" << hugeJpeg() << true
                                               << true;
        QTest::newRow("icon set name leaving the folder") << table("bg.jpg", "../../..", pier) << ""
                                                          << QByteArray() << true << false;
        QTest::newRow("folder where the background should be")
            << table("dir.jpg", "Set", pier) << "Plot Templates/dir.jpg/" << QByteArray() << true
            << true;
        QTest::newRow("folder where an icon should be") << good << "Icons/Set/icon_2.jpg/"
                                                        << QByteArray() << true << false;
    }

    void opensAndKeepsWhatItDidNotUnderstand()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, extra);
        QFETCH(QByteArray, extraBytes);
        QFETCH(bool, understood);
        QFETCH(bool, message);
        DocumentFixture f;
        f.folder.writePicture(QStringLiteral("Plot Templates/bg.jpg"), QSize(90, 60));
        f.folder.writeIconSet(QStringLiteral("Set"), 3);
        if (extra.endsWith(u'/'))
            QDir(f.folder.path()).mkpath(extra);
        else if (!extra.isEmpty())
            f.folder.writeBytes(extra, extraBytes);
        f.folder.writeBytes(QStringLiteral("Plot Tables/T.plt"), file);
        const QString path = f.folder.file(QStringLiteral("Plot Tables/T.plt"));

        PlotWindow *w = f.open(path);
        QVERIFY(w);
        QCOMPARE(f.main->tableWindowCount(), int(1));
        const auto messages = f.services.callsOf(QStringLiteral("message"));
        QCOMPARE(messages.size(), message ? 1 : 0);
        if (message) {
            QVERIFY(messages[0].text.startsWith(QStringLiteral("Missing File: "))
                    || messages[0].text.startsWith(QStringLiteral("Picture Too Large: ")));
            QVERIFY(messages[0].text.size() < 1000);
        }
        DocumentFixture::close(w);
        QCOMPARE(f.main->tableWindowCount(), int(0));
        const bool offered = !f.services.callsOf(QStringLiteral("saveFile")).isEmpty();
        QCOMPARE(offered, !understood);
        if (!understood)
            QCOMPARE(f.folder.readBytes(path), file);
        else
            QVERIFY(f.folder.readBytes(path).endsWith("[Notes]\r\n[End]\r\n"));
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
