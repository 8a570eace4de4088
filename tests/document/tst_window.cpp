// A table's window from its opening to its close: whatever the file or its pictures hold, the window
// opens, a file not understood is never overwritten, what cannot be written is said and another place
// offered; its zoom and snapshot. Tables written as the user left them, placing at a zoom and the
// snapshot as on screen: e2e_session, e2e_recovery, e2e_surface.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "IconItem.h"
#include "MouseInput.h"
#include "NoteItem.h"
#include "PaletteFrame.h"
#include "PlotTableWriter.h"
#include "PlotView.h"
#include "ProcessLimits.h"
#include "ZoomController.h"

#include <QBuffer>
#include <QImageReader>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <optional>

namespace {
const auto lines = TestProgramFolder::crlf;
const QStringList kTable = {"harbour.jpg", "BasicSet", "Pier", " 2 ", " 1500 ", " 3000 ", "", " 3 ", " 600 ",
                            " 4215 ", "Gone", " 99 ", " 15 ", " 30 ", "[Notes]", "Gate", "-1 ", " 3000 ",
                            " 600 ", "Odd", " 7 ", " 45 ", " 90 ", "[End]"};

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
// Icon A at (200, 100), 24 x 25 pixels, on a 600 x 400 white background.
const QStringList kZoomed = {"bg.jpg", "Set", "A", " 1 ", " 1500 ", " 3000 ", "[Notes]", "[End]"};

struct Zoomed : DocumentFixture
{
    Zoomed()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(600, 400), Qt::white);
        folder.writeIconSet("Set", 3, QSize(24, 25));
        w = open(table("T.plt", kZoomed));
    }
    QImage shown() const { return w->view()->viewport()->grab().toImage(); }
    // Save Snapshot from the palette opened at `at` in `window`; the file written.
    QImage snapshot(QPoint at, PlotWindow *window = nullptr)
    {
        window = window ? window : w;
        MouseInput::press(window, at, Qt::RightButton);
        QTest::mouseClick(window->palette()->snapshotButton(), Qt::LeftButton);
        return QImage(folder.file("Quenbrack.bmp"), "BMP");
    }
    PlotWindow *w;
};

} // namespace

class TestWindow : public QObject
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
        QVERIFY(w && f.services.calls.isEmpty());
        const PlotDocument *doc = w->document();
        const auto sizeOf = [doc](int k) {
            return QSizeF(doc->element(ElementKind::Icon, k).width, doc->element(ElementKind::Icon, k).height);
        };
        // The client area is the background picture: 9000 x 6000 twips.
        QCOMPARE(sizeOf(0), QSizeF(9000, 6000));
        QCOMPARE(w->sizeHint(), QSize(600, 400));
        QCOMPARE(QList<int>({doc->count(ElementKind::Icon), doc->count(ElementKind::Note)}), QList<int>({3, 2}));
        QCOMPARE(w->iconItem(1)->toolTip(), "Pier");
        QCOMPARE(w->iconItem(1)->pos(), QPointF(200, 100));
        QCOMPARE(sizeOf(1), QSizeF(360, 300));
        QCOMPARE(w->iconItem(1)->boundingRect().size(), QSizeF(24, 20));
        // A missing picture: listed, live, 15 x 15 twips, no message.
        QVERIFY(sizeOf(3) == QSizeF(15, 15) && w->iconItem(3)->isVisible());
        QCOMPARE(w->noteItem(1)->pos(), QPointF(40, 200));
        QCOMPARE(doc->element(ElementKind::Note, 2).number, 7); // a note keeps the number read
        QCOMPARE(w->palette()->pageScrollBar()->maximum(), 12);
        // Both notes, whatever was painted before them, fill their boxes pale
        // yellow; the background shows beside them.
        const QImage shown = w->view()->grab().toImage();
        for (const QPoint corner : {QPoint(40, 200), QPoint(6, 3)})
            for (const QPoint inside : {QPoint(86, 62), QPoint(1, 1)})
                QCOMPARE(shown.pixelColor(corner + inside), QColor(255, 255, 128));
        QCOMPARE(shown.pixelColor(QPoint(140, 300)).value(), 0);
    }

    void opensAndKeepsWhatItDidNotUnderstand_data()
    {
        // extra: a file put beside (a trailing "/" for a folder, "-" for no table at all); told: how
        // the one message begins, %1 the background's path; kept: 0 the file left as it was and
        // another place offered, 1 written on close, 2 written back byte for byte.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QByteArray>("extraBytes");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("kept");
        const QByteArray none;
        const QString missing = "Missing File: \r\n'%1'\r\ncannot be found in the 'Plot Templates' "
                                "directory.\r\n\r\nThis file may have been moved or renamed. Please "
                                "replace this file or edit the 'Plot Template' to reflect it's new name.";
        const auto harbour = [](const char *background) { return lines(QStringList{background} + kTable.mid(1)); };
        const auto table = [](const char *background, const char *iconSet) {
            return lines({background, iconSet, "Pier", " 1 ", " 150 ", " 300 ", "[Notes]", "[End]"});
        };
        QTest::newRow("background missing") << harbour("harbour.jpg") << "" << none << missing << 2;
        QTest::newRow("background not a picture")
            << harbour("notes.txt") << "Plot Templates/notes.txt" << QByteArray("just text") << missing << 2;
        QTest::newRow("8000 x 8000, a scanned floor plan")
            << harbour("harbour.jpg") << "Plot Templates/harbour.jpg" << jpegClaiming(8000) << "" << 2;
        QTest::newRow("beyond what one picture may take")
            << harbour("harbour.jpg") << "Plot Templates/harbour.jpg" << jpegClaiming(30000)
            << "Picture Too Large: \r\n'%1'\r\nis 30000 x 30000 pixels, more than this computer "
               "can hold for one picture.\r\n\r\nPlease make the picture smaller, or edit the "
               "'Plot Template' to name a smaller one." << 2;
        QTest::newRow("no file yet: made") << lines({"", "", "[Notes]", "[End]"}) << "-" << none << missing << 2;
        QTest::newRow("empty file") << none << "" << none << "Missing File: " << 0;
        QTest::newRow("one line") << QByteArray("bg.jpg") << "" << none << "" << 0;
        QTest::newRow("binary garbage") << QByteArray("\x00\x01\xfe\xff\r\r\n\x00", 8) << "" << none << "Missing File: " << 0;
        QTest::newRow("a JPEG renamed to .plt") << jpeg(QSize(16, 16)) << "" << none << "Missing File: " << 0;
        QTest::newRow("100 MB single line") << QByteArray(100 * 1024 * 1024, 'x') << "" << none << "Missing File: " << 0;
        QTest::newRow("record cut short") << QByteArray("bg.jpg\r\nSet\r\nPier\r\n 1 ") << "" << none << "" << 0;
        QTest::newRow("numbers out of range")
            << lines({"bg.jpg", "Set", "a", "99999999999", "1e40", "NaN", "b", "-0", "-0", "1e-50", "[Notes]", "[End]"})
            << "" << none << "" << 1;
        QTest::newRow("truncated JPEG") << table("cut.jpg", "Set") << "Plot Templates/cut.jpg"
                                        << jpeg(QSize(200, 100)).left(300) << missing << 2;
        QTest::newRow("icon set name leaving the folder") << table("bg.jpg", "../../..") << "" << none << "" << 2;
        QTest::newRow("folder where the background should be")
            << table("dir.jpg", "Set") << "Plot Templates/dir.jpg/" << none << missing << 2;
        QTest::newRow("folder where an icon should be")
            << table("bg.jpg", "Set") << "Icons/Set/icon_2.jpg/" << none << "" << 2;
    }

    void opensAndKeepsWhatItDidNotUnderstand()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, extra);
        QFETCH(QByteArray, extraBytes);
        QFETCH(QString, told);
        QFETCH(int, kept);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/bg.jpg", QSize(90, 60));
        f.folder.writeIconSet("Set", 3);
        if (extra.endsWith(u'/'))
            QDir(f.folder.path()).mkpath(extra);
        else if (!extraBytes.isEmpty())
            f.folder.writeBytes(extra, extraBytes);
        if (extra != u"-")
            f.folder.writeBytes("Plot Tables/T.plt", file);
        const QString path = f.folder.file("Plot Tables/T.plt"), other = f.folder.file("Plot Tables/Saved.plt");
        const qsizetype end = file.indexOf('\r');
        const QString background = f.folder.file("Plot Templates/" + QString::fromLatin1(file.left(end < 0 ? 64 : end)));
        f.services.answerSave(file.isEmpty() ? QString() : other); // an empty one cancels
        PlotWindow *w = f.open(path);
        QVERIFY(w);
        const auto messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), int(!told.isEmpty()));
        QVERIFY(told.isEmpty() || messages[0].text.startsWith(told.contains("%1") ? told.arg(background) : told));
        QVERIFY(told.isEmpty() || (messages[0].text.size() < 1000 && messages[0].title == "Quenbrack"
                                   && messages[0].icon == MessageIcon::Exclamation));
        // A background that shows is the client area, in twips; else 15.
        QCOMPARE(w->document()->element(ElementKind::Icon, 0).width,
                 told.isEmpty() ? 15.0f * QImageReader(background).size().width() : 15.0f);
        DocumentFixture::close(w);
        QCOMPARE(f.main->tableWindowCount(), 0);
        // What was not understood is left as it was, and the user told so
        // and offered another place, where the table then is.
        QCOMPARE(!f.services.callsOf("saveFile").isEmpty(), !kept);
        QCOMPARE(QFile::exists(other), !kept && !file.isEmpty());
        if (!kept) {
            const QString said = f.services.callsOf("message").constLast().text;
            QVERIFY(said.contains(u'\'' + path + u'\'') && said.contains("left untouched"));
        }
        if (kept == 1)
            QVERIFY(f.folder.readBytes(path).endsWith("[Notes]\r\n[End]\r\n"));
        else
            QCOMPARE(f.folder.readBytes(path), file);
    }

    void failedWriteOffersAnotherPlace_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("chooseAnother");
        for (const char *fault : {"deleted", "unwritable", "full"})
            for (bool another : {true, false})
                if (!another || qstrcmp(fault, "full") != 0) // no room elsewhere either
                    QTest::addRow("%s, %s", fault, another ? "another place" : "cancelled") << fault << another;
    }

    void failedWriteOffersAnotherPlace()
    {
        QFETCH(QString, fault);
        QFETCH(bool, chooseAnother);
        DocumentFixture f;
        f.folder.writePicture("Plot Templates/harbour.jpg", QSize(90, 60));
        const QString path = f.folder.file("Plot Tables/Sub/Harbour.plt");
        f.folder.writeBytes("Plot Tables/Sub/Harbour.plt", lines(kTable));
        PlotWindow *w = f.open(path);
        w->document()->setText(ElementKind::Icon, 1, "Edited");
        QTemporaryDir elsewhere;
        QVERIFY(::chmod(QFile::encodeName(elsewhere.path()).constData(), 0777) == 0);
        const QString other = elsewhere.filePath("Rescued");
        f.services.answerSave(chooseAnother ? other : QString());
        {
            std::optional<UnwritableFolder> unwritable;
            std::optional<FileSizeLimit> full;
            if (fault == u"deleted")
                QVERIFY(QDir(f.folder.file("Plot Tables/Sub")).removeRecursively());
            else if (fault == u"unwritable")
                unwritable.emplace(f.folder.file("Plot Tables/Sub"));
            else
                full.emplace(100);
            DocumentFixture::close(w);
        }
        QCOMPARE(f.main->tableWindowCount(), 0);
        const auto messages = f.services.callsOf("message");
        QVERIFY(messages.size() == 1 && messages[0].icon == MessageIcon::Exclamation);
        QVERIFY(messages[0].text.startsWith("The Plot Table could not be saved to\r\n'" + path + "'\r\n"));
        QVERIFY(!messages[0].text.contains("Unknown error")); // a reason
        const auto dialogs = f.services.callsOf("saveFile");
        QVERIFY(dialogs.size() == 1 && dialogs[0].title == "Save Plot Table As");
        if (fault != u"deleted")
            QCOMPARE(f.folder.readBytes(path), lines(kTable)); // the old file is intact
        QCOMPARE(QDir(QFileInfo(path).path()).entryList({"*.plt*"}, QDir::Files).size(),
                 fault == u"deleted" ? 0 : 1 + int(fault == u"unwritable")); // the journal stays there
        const QStringList edited = kTable.mid(0, 2) + QStringList{"Edited"} + kTable.mid(3);
        QCOMPARE(f.folder.readBytes(other + ".plt"), chooseAnother ? lines(edited) : QByteArray());
    }

    void savingKeepsOwnerAndMode_data()
    {
        QTest::addColumn<QList<uint>>("kept"); // owner, group, mode
        QTest::newRow("another user's private table") << QList<uint>{65534, 65534, 0640};
        QTest::newRow("a shared folder's group") << QList<uint>{0, 4321, 0664};
        QTest::newRow("owner and group without names") << QList<uint>{1234, 5678, 0604};
    }

    void savingKeepsOwnerAndMode()
    {
        QFETCH(QList<uint>, kept);
        if (geteuid() != 0)
            QSKIP("giving a file to another user takes root");
        QTemporaryDir dir;
        const QString path = dir.filePath("Harbour.plt");
        const QByteArray name = QFile::encodeName(path);
        PlotTable table;
        QVERIFY(PlotTableWriter().write(path, table));
        QVERIFY(::chown(name.constData(), kept[0], kept[1]) == 0 && ::chmod(name.constData(), kept[2]) == 0);
        table.backgroundName = "harbour.jpg";
        QVERIFY(PlotTableWriter().write(path, table));
        struct stat written = {};
        QCOMPARE(::stat(name.constData(), &written), 0);
        QCOMPARE(QList<uint>({written.st_uid, written.st_gid, written.st_mode & 07777u}), kept);
    }

    void gesturesInTwips_data()
    {
        QTest::addColumn<qreal>("zoom");
        QTest::newRow("50%") << 0.5;
        QTest::newRow("200%") << 2.0;
    }

    void gesturesInTwips()
    {
        QFETCH(qreal, zoom);
        Zoomed f;
        f.w->view()->setZoom(zoom, QPoint(0, 0));
        const QPoint onA(qRound(205 * zoom), qRound(105 * zoom));
        // The action menu opens Left + 365 twips beside the icon.
        MouseInput::press(f.w, onA, Qt::RightButton);
        QCOMPARE(f.w->actionMenuFrame()->pos(), QPoint(qRound((3000 + 365) / 15.0 * zoom), qRound(100 * zoom)));
        QTest::mouseClick(f.w->actionMenuFrame()->closeButton(), Qt::LeftButton);
        // Carrying puts the icon's corner at the pointer.
        MouseInput::press(f.w, onA, Qt::LeftButton);
        MouseInput::move(f.w, QPoint(250, 150), Qt::LeftButton);
        MouseInput::release(f.w, QPoint(250, 150), Qt::LeftButton);
        const PlotElement &icon = f.w->document()->element(ElementKind::Icon, 1);
        QCOMPARE(QPointF(icon.left, icon.top), QPointF(250 / zoom * 15, 150 / zoom * 15));
    }

    void zoomSteps()
    {
        Zoomed f;
        PlotView *view = f.w->view();
        f.open(f.table("Other.plt", kZoomed));
        // A window half the table's size fits it at 50%, without scroll bars.
        auto *frame = qobject_cast<QMdiSubWindow *>(f.w->parentWidget());
        frame->resize(frame->size() - QSize(300, 200));
        ZoomController *zoom = f.w->zoomController();
        const auto after = [&](QAction *action) {
            action->trigger();
            return view->zoom();
        };
        QCOMPARE(after(zoom->fitWindowAction()), 0.5);
        QVERIFY(!view->horizontalScrollBar()->isVisibleTo(view));
        QCOMPARE(after(zoom->zoomInAction()), 0.667);
        after(zoom->zoomOutAction());
        QCOMPARE(after(zoom->zoomOutAction()), 0.333);
        QVERIFY(zoom->actualSizeAction()->isEnabled());
        QCOMPARE(after(zoom->actualSizeAction()), 1.0);
        QVERIFY(!zoom->actualSizeAction()->isEnabled());
        QCOMPARE(f.main->tableWindows().last()->view()->zoom(), 1.0); // its own zoom
        // Ctrl + wheel zooms around the pointer: the point under it stays.
        const QPointF pointer(150, 100), before = view->viewportTransform().inverted().map(pointer);
        for (int notch = 0; notch < 2; ++notch) {
            QWheelEvent wheel(pointer, view->viewport()->mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::ControlModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view->viewport(), &wheel);
        }
        QVERIFY(view->zoom() == 1.5 && view->horizontalScrollBar()->value() > 0);
        QVERIFY((view->viewportTransform().inverted().map(pointer) - before).manhattanLength() < 1.5);
    }

    void snapshotOfTheClientArea()
    {
        Zoomed f;
        const QImage actual = f.snapshot(QPoint(500, 300));
        f.w->view()->setZoom(0.5, QPoint(0, 0));
        QCOMPARE(f.snapshot(QPoint(500, 300)), actual); // at actual size
        QCOMPARE(f.w->view()->zoom(), 0.5);
        f.w->view()->setZoom(1.0, QPoint(0, 0));
        // With A's action menu open and a placement waiting: the menu is in
        // the picture and nothing is placed.
        MouseInput::press(f.w, QPoint(205, 105), Qt::RightButton);
        const QImage shot = f.snapshot(QPoint(400, 20));
        QVERIFY(!f.w->placing()->isWaiting() && f.w->document()->count(ElementKind::Icon) == 1);
        QCOMPARE(shot.pixelColor(450, 150), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(f.w->actionMenuFrame()->pos() + QPoint(5, 30)), QColor(64, 64, 64));
        // Another window's snapshot replaces the file; with no image program
        // to start, nothing is reported either.
        f.services.programStarts = false;
        f.folder.writePicture("Plot Templates/small.bmp", QSize(240, 260));
        PlotWindow *other = f.open(f.table("S.plt", {"small.bmp", "Set", "[Notes]", "[End]"}));
        QCOMPARE(f.snapshot(QPoint(10, 10), other).size(), QSize(240, 260));
        QVERIFY(f.services.callsOf("message").isEmpty());
    }

    void lowZoomPictureFollowsChanges()
    {
        Zoomed f;
        f.w->view()->setZoom(0.5, QPoint(0, 0));
        const QColor icon = f.shown().pixelColor(106, 56);
        QVERIFY(icon != QColor(Qt::white));
        f.w->document()->move(ElementKind::Icon, 1, QPointF(6000, 4500)); // to (400, 300)
        QCoreApplication::processEvents();
        QCOMPARE(f.shown().pixelColor(106, 56), QColor(Qt::white));
        QCOMPARE(f.shown().pixelColor(206, 156), icon);
        f.w->document()->setLive(ElementKind::Icon, 1, false);
        QCoreApplication::processEvents();
        QCOMPARE(f.shown().pixelColor(206, 156), QColor(Qt::white));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
