// Building a document window from its file.

#include "DocumentFixture.h"
#include "IconItem.h"
#include "NoteItem.h"
#include "PaletteFrame.h"
#include "PlotView.h"
#include "Twips.h"

#include <QBuffer>
#include <QDir>
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

// A small JPEG whose header claims another size: a decoder sizes its picture
// from the header, and the file stays a few hundred bytes.
QByteArray jpegClaiming(QSize size)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    QByteArray bytes = buffer.data();
    // The baseline frame header: FF C0, length, precision, height, width.
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    Q_ASSERT(frame > 0);
    bytes[frame + 5] = char(size.height() >> 8);
    bytes[frame + 6] = char(size.height() & 0xFF);
    bytes[frame + 7] = char(size.width() >> 8);
    bytes[frame + 8] = char(size.width() & 0xFF);
    return bytes;
}
}

class TestLoading : public QObject
{
    Q_OBJECT
private slots:
    void elementsAtTheirPlaces()
    {
        DocumentFixture f;
        f.folder.writePicture(QStringLiteral("Plot Templates/harbour.jpg"), QSize(600, 400),
                              Qt::black);
        f.folder.writeIconSet(QStringLiteral("BasicSet"), 12, QSize(24, 20));
        PlotWindow *w = f.open(f.table(QStringLiteral("Harbour.plt"), kTable));
        QVERIFY(w);
        QVERIFY(f.services.calls.isEmpty());
        QCOMPARE(w->windowTitle(), f.folder.file(QStringLiteral("Plot Tables/Harbour.plt[*]")));

        // The client area is the background picture: 9000 x 6000 twips.
        QCOMPARE(w->document()->element(ElementKind::Icon, 0).width, 9000.0f);
        QCOMPARE(w->document()->element(ElementKind::Icon, 0).height, 6000.0f);
        QCOMPARE(w->view()->size(), QSize(600, 400));

        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->count(ElementKind::Note), 2);
        const IconItem *pier = w->iconItem(1);
        QCOMPARE(pier->toolTip(), QStringLiteral("Pier"));
        QCOMPARE(pier->pos(), QPointF(200, 100));
        QCOMPARE(pier->boundingRect().size(), QSizeF(24, 20));
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).width, 360.0f);
        // A missing picture: listed, live, 15 x 15 twips, no message.
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).number, 99);
        QCOMPARE(w->document()->element(ElementKind::Icon, 3).width, 15.0f);
        QVERIFY(w->iconItem(3)->isVisible());
        QCOMPARE(w->noteItem(1)->pos(), QPointF(40, 200));
        QCOMPARE(w->document()->element(ElementKind::Note, 2).number, 7); // a note keeps the number read

        QCOMPARE(w->palette()->iconSetCount(), qint16(12));
        QCOMPARE(w->palette()->pageScrollBar()->maximum(), 12);
        QVERIFY(!w->palette()->isVisible());

        // Both notes, whatever was painted before them, fill their boxes pale
        // yellow; the background shows beside them.
        const QImage shown = w->view()->grab().toImage();
        for (const QPoint corner : {QPoint(40, 200), QPoint(6, 3)}) {
            QCOMPARE(shown.pixelColor(corner + QPoint(86, 62)), QColor(255, 255, 128));
            QCOMPARE(shown.pixelColor(corner + QPoint(1, 1)), QColor(255, 255, 128));
        }
        QCOMPARE(shown.pixelColor(QPoint(140, 300)).value(), 0);
    }

    void missingBackground_data()
    {
        QTest::addColumn<QString>("backgroundLine");
        QTest::newRow("missing file") << "harbour.jpg";
        QTest::newRow("not a picture") << "notes.txt";
        QTest::newRow("empty name") << "";
    }

    void missingBackground()
    {
        QFETCH(QString, backgroundLine);
        DocumentFixture f;
        f.folder.writeBytes(QStringLiteral("Plot Templates/notes.txt"), "just text");
        QStringList lines = kTable;
        lines[0] = backgroundLine;
        PlotWindow *w = f.open(f.table(QStringLiteral("Harbour.plt"), lines));
        QVERIFY(w);

        QCOMPARE(f.services.calls.size(), 1);
        const ScriptedServices::Call &message = f.services.calls.first();
        QCOMPARE(message.text,
                 QStringLiteral("Missing File: \r\n'") + f.folder.path()
                     + QStringLiteral("/Plot Templates/") + backgroundLine
                     + QStringLiteral("'\r\ncannot be found in the 'Plot Templates' directory.\r\n\r\n"
                                      "This file may have been moved or renamed. Please replace this "
                                      "file or edit the 'Plot Template' to reflect it's new name."));
        QCOMPARE(message.title, QStringLiteral("Quenbrack"));
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        // The window opens all the same, with its elements.
        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->element(ElementKind::Icon, 0).width, 15.0f);
    }

    void largeBackground_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("message"); // empty: shown without one
        QTest::newRow("8000 x 8000, a scanned floor plan") << QSize(8000, 8000) << QString();
        QTest::newRow("beyond what one picture may take")
            << QSize(30000, 30000)
            << QStringLiteral("Picture Too Large: \r\n'%1/Plot Templates/harbour.jpg'\r\n"
                              "is 30000 x 30000 pixels, more than this computer can hold for "
                              "one picture.\r\n\r\nPlease make the picture smaller, or edit the "
                              "'Plot Template' to name a smaller one.");
    }

    void largeBackground()
    {
        QFETCH(QSize, size);
        QFETCH(QString, message);
        DocumentFixture f;
        f.folder.writeBytes(QStringLiteral("Plot Templates/harbour.jpg"), jpegClaiming(size));
        PlotWindow *w = f.open(f.table(QStringLiteral("Harbour.plt"), kTable));
        QVERIFY(w);
        const PlotElement &background = w->document()->element(ElementKind::Icon, 0);
        if (message.isEmpty()) {
            QCOMPARE(f.services.calls.size(), 0);
            QCOMPARE(background.width, float(Twips::fromPixels(size.width())));
            return;
        }
        QCOMPARE(f.services.calls.size(), 1);
        QCOMPARE(f.services.calls.first().text, message.arg(f.folder.path()));
        QCOMPARE(f.services.calls.first().icon, MessageIcon::Exclamation);
        QCOMPARE(background.width, 15.0f);
    }

    void namesResolveWithoutRegardToCase()
    {
        DocumentFixture f;
        QDir(f.folder.path()).rmdir(QStringLiteral("Icons"));
        f.folder.writePicture(QStringLiteral("Plot Templates/HARBOUR.JPG"), QSize(90, 60));
        f.folder.writePicture(QStringLiteral("icons/basicset/ICON_2.JPG"), QSize(30, 30));
        f.folder.writePicture(QStringLiteral("icons/basicset/icon_1.jpg"), QSize(30, 30));
        // The plot table path itself, below the program folder, too.
        f.table(QStringLiteral("Harbour.plt"), kTable);
        PlotWindow *w = f.open(f.folder.path() + QStringLiteral("/plot tables/HARBOUR.plt"));
        QVERIFY(f.services.calls.isEmpty());
        QCOMPARE(w->document()->count(ElementKind::Icon), 3);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).width, 450.0f);
        QCOMPARE(w->palette()->iconSetCount(), qint16(2));
        // Smaller than a window frame allows: the client area asks for the
        // picture's size and the platform may give more.
        QCOMPARE(w->sizeHint(), QSize(90, 60));
    }
};

QTEST_MAIN(TestLoading)
#include "tst_loading.moc"
