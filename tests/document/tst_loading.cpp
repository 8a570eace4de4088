// Building a document window from its file. Whatever the file or its
// pictures hold, the window opens, nothing crashes, and a file the program
// did not understand is never overwritten.

#include "DocumentFixture.h"
#include "IconItem.h"
#include "NoteItem.h"
#include "PaletteFrame.h"
#include "PlotView.h"

#include <QBuffer>
#include <QScrollBar>
#include <QtTest>

namespace {
const QStringList kTable = {"harbour.jpg", "BasicSet",
                            "Pier", " 2 ", " 1500 ", " 3000 ",
                            "", " 3 ", " 600 ", " 4215 ",
                            "Gone", " 99 ", " 15 ", " 30 ",
                            "[Notes]",
                            "Gate", "-1 ", " 3000 ", " 600 ",
                            "Odd", " 7 ", " 45 ", " 90 ",
                            "[End]"};

QByteArray jpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return buffer.data();
}

// A small JPEG whose header claims another size: a decoder sizes its picture
// from the header, and the file stays a few hundred bytes.
QByteArray jpegClaiming(int side)
{
    QByteArray bytes = jpeg(QSize(16, 16));
    // The baseline frame header: FF C0, length, precision, height, width.
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    for (qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(side >> 8);
        bytes[at + 1] = char(side & 0xFF);
    }
    return bytes;
}

QByteArray table(const QString &background, const QString &iconSet)
{
    return TestProgramFolder::crlf(
        {background, iconSet, "Pier", " 1 ", " 150 ", " 300 ", "[Notes]", "[End]"});
}
} // namespace

class TestLoading : public QObject
{
    Q_OBJECT
private slots:
    // The names in the table find their pictures whatever their letter case.
    void elementsAtTheirPlaces()
    {
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/HARBOUR.JPG", QSize(600, 400), Qt::black);
        f.folder.writeIconSet("basicset", 12, QSize(24, 20));
        PlotWindow *w = f.open(f.table("Harbour.plt", kTable));
        QVERIFY(w);
        QVERIFY(f.services.calls.isEmpty());
        QCOMPARE(w->windowTitle(), f.folder.file("Plot Tables/Harbour.plt[*]"));
        const PlotDocument *doc = w->document();
        const auto sizeOf = [doc](int k) {
            const PlotElement &e = doc->element(ElementKind::Icon, k);
            return QSizeF(e.width, e.height);
        };
        // The client area is the background picture: 9000 x 6000 twips.
        QCOMPARE(sizeOf(0), QSizeF(9000, 6000));
        QCOMPARE(w->view()->size(), QSize(600, 400));
        QCOMPARE(w->sizeHint(), QSize(600, 400));
        QCOMPARE(doc->count(ElementKind::Icon), 3);
        QCOMPARE(doc->count(ElementKind::Note), 2);
        QCOMPARE(w->iconItem(1)->toolTip(), "Pier");
        QCOMPARE(w->iconItem(1)->pos(), QPointF(200, 100));
        QCOMPARE(w->iconItem(1)->boundingRect().size(), QSizeF(24, 20));
        QCOMPARE(sizeOf(1).width(), 360.0);
        // A missing picture: listed, live, 15 x 15 twips, no message.
        QCOMPARE(sizeOf(3), QSizeF(15, 15));
        QVERIFY(w->iconItem(3)->isVisible());
        QCOMPARE(w->noteItem(1)->pos(), QPointF(40, 200));
        QCOMPARE(doc->element(ElementKind::Note, 2).number, 7); // a note keeps the number read
        QCOMPARE(w->palette()->iconSetCount(), qint16(12));
        QCOMPARE(w->palette()->pageScrollBar()->maximum(), 12);
        QVERIFY(!w->palette()->isVisible());

        // Both notes, whatever was painted before them, fill their boxes pale
        // yellow; the background shows beside them.
        const QImage shown = w->view()->grab().toImage();
        for (const QPoint corner : {QPoint(40, 200), QPoint(6, 3)})
            for (const QPoint inside : {QPoint(86, 62), QPoint(1, 1)})
                QCOMPARE(shown.pixelColor(corner + inside), QColor(255, 255, 128));
        QCOMPARE(shown.pixelColor(QPoint(140, 300)).value(), 0);
    }

    void backgroundMessages_data()
    {
        // bytes: Plot Templates/<line> (none when empty); message: %1 is the
        // picture's path, empty when none is shown.
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<float>("width");
        const QString missing = "Missing File: \r\n'%1'\r\ncannot be found in the 'Plot Templates' "
                                "directory.\r\n\r\nThis file may have been moved or renamed. Please "
                                "replace this file or edit the 'Plot Template' to reflect it's new "
                                "name.";
        QTest::newRow("missing file") << "harbour.jpg" << QByteArray() << missing << 15.0f;
        QTest::newRow("not a picture") << "notes.txt" << QByteArray("just text") << missing << 15.0f;
        QTest::newRow("empty name") << "" << QByteArray() << missing << 15.0f;
        QTest::newRow("8000 x 8000, a scanned floor plan")
            << "harbour.jpg" << jpegClaiming(8000) << QString() << 120000.0f;
        QTest::newRow("beyond what one picture may take")
            << "harbour.jpg" << jpegClaiming(30000)
            << "Picture Too Large: \r\n'%1'\r\nis 30000 x 30000 pixels, more than this computer "
               "can hold for one picture.\r\n\r\nPlease make the picture smaller, or edit the "
               "'Plot Template' to name a smaller one."
            << 15.0f;
    }

    void backgroundMessages()
    {
        QFETCH(QString, line);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(float, width);
        DocumentFixture f;
        if (!bytes.isEmpty())
            f.folder.writeBytes("Plot Templates/" + line, bytes);
        QStringList lines = kTable;
        lines[0] = line;
        const QString path = f.table("Harbour.plt", lines);
        PlotWindow *w = f.open(path);
        QVERIFY(w);
        QCOMPARE(f.services.calls.size(), int(!message.isEmpty()));
        if (!message.isEmpty()) {
            const ScriptedServices::Call &shown = f.services.calls.first();
            QCOMPARE(shown.text, message.arg(f.folder.path() + "/Plot Templates/" + line));
            QCOMPARE(shown.title, "Quenbrack");
            QCOMPARE(shown.icon, MessageIcon::Exclamation);
        }
        // The window opens all the same, with its elements, and writes them back.
        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->element(ElementKind::Icon, 0).width, width);
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(path), TestProgramFolder::crlf(lines));
    }

    void opensAndKeepsWhatItDidNotUnderstand_data()
    {
        // extra: a file put beside ("path", a trailing "/" for a folder);
        // understood: written back on close; message: the missing-background
        // message is shown.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QByteArray>("extraBytes");
        QTest::addColumn<bool>("understood");
        QTest::addColumn<bool>("message");
        const QByteArray none;
        QTest::newRow("empty file") << none << "" << none << false << true;
        QTest::newRow("one line") << QByteArray("bg.jpg") << "" << none << false << false;
        QTest::newRow("binary garbage")
            << QByteArray("\x00\x01\xfe\xff\r\r\n\x00", 8) << "" << none << false << true;
        QTest::newRow("a JPEG renamed to .plt") << jpeg(QSize(16, 16)) << "" << none << false << true;
        QTest::newRow("100 MB single line")
            << QByteArray(100 * 1024 * 1024, 'x') << "" << none << false << true;
        QTest::newRow("record cut short")
            << QByteArray("bg.jpg\r\nSet\r\nPier\r\n 1 ") << "" << none << false << false;
        QTest::newRow("numbers out of range")
            << TestProgramFolder::crlf({"bg.jpg", "Set", "a", "99999999999", "1e40", "NaN", "b",
                                        "-0", "-0", "1e-50", "[Notes]", "[End]"})
            << "" << none << true << false;
        QTest::newRow("truncated JPEG") << table("cut.jpg", "Set") << "Plot Templates/cut.jpg"
                                        << jpeg(QSize(200, 100)).left(300) << true << true;
        QTest::newRow("icon set name leaving the folder")
            << table("bg.jpg", "../../..") << "" << none << true << false;
        QTest::newRow("folder where the background should be")
            << table("dir.jpg", "Set") << "Plot Templates/dir.jpg/" << none << true << true;
        QTest::newRow("folder where an icon should be")
            << table("bg.jpg", "Set") << "Icons/Set/icon_2.jpg/" << none << true << false;
    }

    void opensAndKeepsWhatItDidNotUnderstand()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, extra);
        QFETCH(QByteArray, extraBytes);
        QFETCH(bool, understood);
        QFETCH(bool, message);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/bg.jpg", QSize(90, 60));
        f.folder.writeIconSet("Set", 3);
        if (extra.endsWith(u'/'))
            QDir(f.folder.path()).mkpath(extra);
        else if (!extra.isEmpty())
            f.folder.writeBytes(extra, extraBytes);
        f.folder.writeBytes("Plot Tables/T.plt", file);
        const QString path = f.folder.file("Plot Tables/T.plt");
        const QString other = f.folder.file("Plot Tables/Saved.plt");
        f.services.answerSave(file.isEmpty() ? QString() : other); // an empty one cancels

        PlotWindow *w = f.open(path);
        QVERIFY(w);
        const auto messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), int(message));
        if (message) {
            QVERIFY(messages[0].text.startsWith("Missing File: "));
            QVERIFY(messages[0].text.size() < 1000);
        }
        DocumentFixture::close(w);
        QCOMPARE(f.main->tableWindowCount(), 0);
        // What was not understood is left as it was, and the user told so
        // and offered another place, where the table then is.
        QCOMPARE(!f.services.callsOf("saveFile").isEmpty(), !understood);
        QCOMPARE(QFile::exists(other), !understood && !file.isEmpty());
        if (!understood) {
            QCOMPARE(f.folder.readBytes(path), file);
            const QString told = f.services.callsOf("message").constLast().text;
            QVERIFY(told.contains(u'\'' + path + u'\'') && told.contains("left untouched"));
        } else {
            QVERIFY(f.folder.readBytes(path).endsWith("[Notes]\r\n[End]\r\n"));
        }
    }
};

QTEST_MAIN(TestLoading)
#include "tst_loading.moc"
