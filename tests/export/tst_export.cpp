// Export and printing: what the renderer puts into pictures, PDF and SVG
// files, how pages are cut, that a failed export leaves files alone, what an
// open window's export draws, and the command line's export run as the real
// program with no display.

#include "DocumentFixture.h"
#include "ExportDialog.h"
#include "Legend.h"
#include "PageTiling.h"
#include "TableContent.h"
#include "TableExporter.h"
#include "TablePrinter.h"

#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kProgram = QStringLiteral(QUENBRACK_PROGRAM_DIR);
const QString kHarbour = kProgram + QStringLiteral("/Plot Tables/Harbour.plt");
const QColor kNote(255, 255, 128);
const QColor kIcon(Qt::darkCyan);

struct Result
{
    int exitCode = -1;
    QString out, err;
};

// The program (a tool, or quenbrack itself with no display) run in a folder.
Result run(const QString &tool, const QStringList &arguments, const QString &folder = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(tool.isEmpty() ? kProgram + "/quenbrack" : tool, arguments);
    Result result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

// Wrapping puts line ends into a note's text; words are what must be there.
QString words(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

int pdfPages(const QString &file)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", {file}).out);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

struct Svg
{
    QString viewBox;
    int images = 0;
    QStringList texts;
    bool valid = false;
};

Svg readSvg(const QString &path)
{
    QFile file(path);
    Svg svg;
    if (!file.open(QIODevice::ReadOnly))
        return svg;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            svg.viewBox = xml.attributes().value("viewBox").toString();
        else if (xml.name() == QLatin1String("image"))
            ++svg.images;
        else if (xml.name() == QLatin1String("text"))
            svg.texts << xml.readElementText();
    }
    svg.valid = !xml.hasError();
    return svg;
}

// A white 200 x 100 table: icon 1 at (10, 10) under note 1 at (0, 0),
// note 2 ("Top") exactly over note 1 ("Below").
PlotWindow *crowded(DocumentFixture &f)
{
    f.folder.writePicture("Plot Templates/white.bmp", QSize(200, 100), Qt::white);
    f.folder.writePicture("Icons/Set/icon_1.jpg", QSize(24, 24), kIcon);
    return f.open(f.table("Crowded.plt", {"white.bmp", "Set", "Icon", " 1 ", " 150 ", " 150 ",
                                          "[Notes]", "Below", "-1 ", " 0 ", " 0 ", "Top", "-1 ",
                                          " 0 ", " 0 ", "[End]"}));
}

// JPEG moves a colour by a few steps.
bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 12;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private slots:
    void pdfAndSvgKeepEveryText()
    {
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        QTemporaryDir dir;
        QVERIFY(TableExporter(content).write({dir.filePath("h.pdf"), "pdf", 1.0, 96, true}));
        QVERIFY(TableExporter(content).write({dir.filePath("h.svg"), "svg", 2.0, 96, false}));
        const QString pdf = words(run("pdftotext", {dir.filePath("h.pdf"), "-"}).out);
        QVERIFY2(!pdf.isEmpty(), "pdftotext (poppler-utils) is needed");
        for (const ElementArray *elements : {&content.table().icons, &content.table().notes})
            for (int n = 1; n <= elements->count(); ++n)
                QVERIFY2(pdf.contains(words((*elements)[n].text)), qPrintable((*elements)[n].text));
        QCOMPARE(pdfPages(dir.filePath("h.pdf")), 2); // the plot, then the legend
        // The SVG is well-formed XML at the table's own size, scale aside.
        const Svg svg = readSvg(dir.filePath("h.svg"));
        QVERIFY(svg.valid);
        const QSize size = content.background().size();
        QCOMPARE(svg.viewBox, QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height()));
        for (int n = 1; n <= content.table().notes.count(); ++n)
            QVERIFY(words(svg.texts.join(' ')).contains(words(content.table().notes[n].text)));
    }

    void pagesCoverTheTable_data()
    {
        QTest::addColumn<QSizeF>("table");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<qreal>("overlap");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("fits") << QSizeF(100, 100) << QSizeF(100, 150) << 10.0 << 1 << 1;
        QTest::newRow("just over") << QSizeF(101, 100) << QSizeF(100, 100) << 10.0 << 2 << 1;
        QTest::newRow("overlap counts") << QSizeF(190, 181) << QSizeF(100, 100) << 10.0 << 2 << 2;
        QTest::newRow("needs a third") << QSizeF(191, 100) << QSizeF(100, 100) << 10.0 << 3 << 1;
        QTest::newRow("overlap capped") << QSizeF(300, 100) << QSizeF(100, 100) << 500.0 << 5 << 1;
    }
    void pagesCoverTheTable()
    {
        QFETCH(QSizeF, table);
        QFETCH(QSizeF, page);
        QFETCH(qreal, overlap);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const PageTiling tiling(table, page, overlap);
        QCOMPARE(tiling.columns(), columns);
        QCOMPARE(tiling.rows(), rows);
        // The last page reaches the table's far corner.
        const QRectF last = tiling.tile(tiling.rows() - 1, tiling.columns() - 1);
        QCOMPARE(last.bottomRight(), QPointF(table.width(), table.height()));
    }

    void printsTwoByTwoPages_data()
    {
        QTest::addColumn<bool>("legend");
        QTest::addColumn<int>("pages");
        QTest::newRow("plot") << false << 4;
        QTest::newRow("with legend") << true << 5;
    }
    void printsTwoByTwoPages()
    {
        QFETCH(bool, legend);
        QFETCH(int, pages);
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("p.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        // 900 x 600 pixels at 150% on about 1030 x 700 pixels of landscape A4.
        PrintOptions options;
        options.fitToPage = false;
        options.scale = 1.5;
        options.orientation = PrintOptions::Landscape;
        options.legend = legend;
        const TablePrinter tablePrinter(content, options);
        tablePrinter.orient(printer);
        QCOMPARE(tablePrinter.plotPages(printer), 4);
        QVERIFY(tablePrinter.print(printer));
        QCOMPARE(pdfPages(dir.filePath("p.pdf")), pages);
        QVERIFY(run("pdftotext", {dir.filePath("p.pdf"), "-"}).out.contains("Row 2, Column 2"));
    }

    void failureLeavesTheFileAlone_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        QTest::newRow("too large") << "png" << 60.0 << false << "54000 x 36000 pixels";
        QTest::newRow("cancelled picture") << "png" << 1.0 << true << "";
        QTest::newRow("cancelled pdf") << "pdf" << 1.0 << true << "";
        QTest::newRow("cancelled svg") << "svg" << 1.0 << true << "";
    }
    void failureLeavesTheFileAlone()
    {
        QFETCH(QString, format);
        QFETCH(bool, cancel);
        QFETCH(qreal, scale);
        QFETCH(QString, message);
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        const TestProgramFolder dir;
        const QString name = "out." + format;
        dir.writeBytes(name, "before");
        TableExporter exporter(content);
        QVERIFY(!exporter.write({dir.file(name), format, scale, 96, false},
                                [cancel](int, int) { return !cancel; }));
        QCOMPARE(exporter.wasCancelled(), cancel);
        QVERIFY2(exporter.errorString().contains(message), qPrintable(exporter.errorString()));
        QCOMPARE(dir.readBytes(name), QByteArray("before"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name});
    }

    // Beside a picture or drawing, the legend lists every icon; a table too
    // short for one column of them gets more columns, each drawn.
    void legendBesideThePlot_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("png") << "png";
        QTest::newRow("svg") << "svg";
    }
    void legendBesideThePlot()
    {
        QFETCH(QString, format);
        const TestProgramFolder folder;
        folder.writePicture("Plot Templates/white.bmp", QSize(200, 100), Qt::white);
        folder.writeIconSet("Set", 1);
        QStringList lines{"white.bmp", "Set"};
        for (int n = 1; n <= 6; ++n)
            lines << QStringLiteral("Icon %1").arg(n) << " 1 " << " 150 " << QString::number(n * 300);
        folder.writeBytes("Plot Tables/L.plt", TestProgramFolder::crlf(lines << "[Notes]" << "[End]"));
        const TableContent content(folder.file("Plot Tables/L.plt"), ProgramFolder(folder.path()));
        const QString path = folder.file("l." + format);
        QVERIFY(TableExporter(content).write({path, format, 1.0, 96, true}));
        const int columns = 2;
        if (format == QLatin1String("svg")) {
            const Svg svg = readSvg(path);
            QCOMPARE(svg.viewBox, QStringLiteral("0 0 %1 100").arg(200 + columns * Legend::ColumnWidth));
            for (int n = 1; n <= 6; ++n)
                QVERIFY(svg.texts.join(' ').contains(QStringLiteral("Icon %1").arg(n)));
            return;
        }
        const QImage out(path);
        QCOMPARE(out.size(), QSize(200 + columns * Legend::ColumnWidth, 100));
        for (int c = 0; c < columns; ++c) {
            int ink = 0;
            for (int x = 210 + c * Legend::ColumnWidth; x < 200 + (c + 1) * Legend::ColumnWidth; ++x)
                for (int y = 0; y < 100; ++y)
                    ink += qGray(out.pixel(x, y)) < 128;
            QVERIFY2(ink > 50, qPrintable(QStringLiteral("column %1 is blank").arg(c)));
        }
    }

    // From an open window: what is drawn follows the window's stacking.
    void windowFollowsItsStacking_data()
    {
        QTest::addColumn<bool>("noteLast");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("icon placed over the notes") << false << kIcon;
        QTest::newRow("note placed over the icon") << true << kNote;
    }
    void windowFollowsItsStacking()
    {
        QFETCH(bool, noteLast);
        QFETCH(QColor, shown);
        DocumentFixture f;
        PlotWindow *w = crowded(f);
        QTemporaryDir dir;
        // What is hidden stays out of pictures but keeps its text.
        QVERIFY(TableExporter(TableContent(*w)).write({dir.filePath("c.svg"), "svg", 1.0, 96, false}));
        const Svg svg = readSvg(dir.filePath("c.svg"));
        QCOMPARE(svg.images, 1); // the background; not the icon under the notes
        QCOMPARE(svg.texts, (QStringList{"Below", "Top"}));
        // Added while the window is open, at (120, 40) pixels.
        if (noteLast)
            w->addIcon(1, "Later icon", QPointF(1800, 600));
        w->addNote("Later note", QPointF(1650, 450));
        if (!noteLast)
            w->addIcon(1, "Later icon", QPointF(1800, 600));
        const TableContent content(*w);
        QVERIFY(TableExporter(content).write({dir.filePath("w.png"), "png", 1.0, 96, false}));
        const QImage out(dir.filePath("w.png"));
        QVERIFY2(near(out.pixelColor(132, 52), shown), qPrintable(out.pixelColor(132, 52).name()));
        QCOMPARE(out.pixelColor(20, 20), kNote); // icon 1 lies under note 1
    }

    void dialogRemembersAndReports_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("written") << "out.pdf" << "";
        QTest::newRow("no such folder") << "gone/out.png" << "does not exist";
    }
    void dialogRemembersAndReports()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        DocumentFixture f;
        crowded(f);
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(name);
        f.services.answerSave(path);
        // Answered from inside the modal dialog's event loop.
        QTimer::singleShot(0, [path] {
            auto *dialog = qobject_cast<ExportDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            for (QPushButton *button : dialog->findChildren<QPushButton *>())
                if (button->text() == QLatin1String("&Browse..."))
                    button->click();
            dialog->okButton()->click();
        });
        f.main->exportAction()->trigger();
        QCOMPARE(QFile::exists(path), message.isEmpty());
        const QList<ScriptedServices::Call> messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(messages[0].text.contains(message), qPrintable(messages[0].text));
            return;
        }
        // The next export starts where this one went, with its kind of file.
        ExportDialog again("Next", QSize(10, 10), f.services);
        QCOMPARE(QDir::fromNativeSeparators(again.pathField()->text()),
                 QFileInfo(path).absolutePath() + "/Next." + QFileInfo(name).suffix());
    }

    void commandWritesWithoutADisplay_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QByteArray>("magic");
        QTest::addColumn<QSize>("size"); // of a picture
        // Not in the current folder: found below the program's own folder.
        const QString harbour = "Plot Tables/Harbour.plt";
        QTest::newRow("png") << "out.png" << QStringList() << harbour << QByteArray("\x89PNG")
                             << QSize(900, 600);
        QTest::newRow("jpeg") << "out.JPEG" << QStringList{"--scale", "50"} << harbour
                              << QByteArray("\xff\xd8") << QSize(450, 300);
        QTest::newRow("bmp") << "out.bmp" << QStringList() << harbour << QByteArray("BM")
                             << QSize(900, 600);
        QTest::newRow("pdf") << "out.pdf" << QStringList{"--legend"} << harbour
                             << QByteArray("%PDF") << QSize();
        QTest::newRow("svg") << "out.svg" << QStringList() << harbour << QByteArray("<?xml")
                             << QSize();
        // A missing background is a warning; the picture reaches as far as
        // the icon does, from the table's corner.
        QTest::newRow("no background") << "t.png" << QStringList() << "t.plt"
                                       << QByteArray("\x89PNG") << QSize(200 + 24, 100 + 24);
    }
    void commandWritesWithoutADisplay()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, options);
        QFETCH(QString, table);
        QFETCH(QByteArray, magic);
        QFETCH(QSize, size);
        const TestProgramFolder dir;
        dir.writeBytes("t.plt", "nothere.jpg\r\nBasicSet\r\nA\r\n 1 \r\n 1500 \r\n 3000 \r\n"
                                "[Notes]\r\n[End]\r\n");
        const Result r = run({}, QStringList{"--export", output} + options + QStringList{table},
                             dir.path());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, output + u'\n');
        QCOMPARE(r.err.contains("warning") && r.err.contains("nothere.jpg"), table == "t.plt");
        QVERIFY(dir.readBytes(output).startsWith(magic));
        if (size.isValid())
            QCOMPARE(QImage(dir.file(output)).size(), size);
        if (QTest::currentDataTag() != QLatin1String("png"))
            return;
        // The first, a middle and the last icon, each at its place.
        const QImage out(dir.file(output));
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        for (int icon : {1, 7, 13}) {
            const PlotElement &element = content.table().icons[icon];
            const QImage picture(ProgramFolder(kProgram).iconFile(content.table().iconSetName,
                                                                   element.pictureKey));
            QVERIFY(!picture.isNull());
            const QPoint at(qRound(element.left / 15), qRound(element.top / 15));
            for (const QPoint p : {QPoint(1, 1), QPoint(picture.width() / 2, picture.height() / 2),
                                   QPoint(picture.width() - 2, picture.height() - 2)})
                QCOMPARE(out.pixelColor(at + p), picture.pixelColor(p));
        }
    }

    void commandManyTablesIntoAFolder()
    {
        QTemporaryDir dir;
        const Result r = run({}, {"--export-dir", dir.path(), "--format", "JPEG", kHarbour,
                                  kProgram + "/Plot Tables/Office Floor.plt"},
                             dir.path());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.count(u'\n'), 2);
        QVERIFY(QFile::exists(dir.filePath("Harbour.jpg")));
        QVERIFY(QFile::exists(dir.filePath("Office Floor.jpg")));
        // A second table of the same name would take the first one's file.
        QDir(dir.path()).mkdir("copy");
        QVERIFY(QFile::copy(kHarbour, dir.filePath("copy/Harbour.plt")));
        const Result twice = run({}, {"--export-dir", dir.path(), kHarbour, "copy/Harbour.plt"},
                                 dir.path());
        QCOMPARE(twice.exitCode, 1);
        QCOMPARE(twice.out.count(u'\n'), 1);
        QVERIFY2(twice.err.contains("already the export of another table"), qPrintable(twice.err));
        QVERIFY(run({}, {"--version"}).out.startsWith("Quenbrack 1."));
        QVERIFY(run({}, {"--help"}).out.contains("--export-dir"));
    }

    void commandBadInputChangesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing table") << QStringList{"--export", "old.png", "nowhere.plt"} << 1
                                       << "no such plot table";
        QTest::newRow("no plot table") << QStringList{"--export", "old.png", "notes.txt"} << 1
                                       << "no Plot Table";
        QTest::newRow("unknown kind") << QStringList{"--export", "old.gif", kHarbour} << 2
                                      << "unknown kind of file";
        QTest::newRow("no such folder")
            << QStringList{"--export", "gone/old.png", kHarbour} << 1 << "does not exist";
        QTest::newRow("unwritable folder")
            << QStringList{"--export", "locked/old.png", kHarbour} << 1 << "cannot be written";
        QTest::newRow("too large") << QStringList{"--export", "old.png", "far.plt"} << 1
                                   << "40024 x 24 pixels";
        QTest::newRow("bad scale") << QStringList{"--export", "old.png", "--scale", "x", kHarbour}
                                   << 2 << "--scale";
        QTest::newRow("unknown option") << QStringList{"--export", "old.png", "--bold", kHarbour}
                                        << 2 << "bold";
        QTest::newRow("file and folder")
            << QStringList{"--export", "old.png", "--export-dir", ".", kHarbour} << 2 << "either";
        QTest::newRow("two tables") << QStringList{"--export", "old.png", kHarbour, kHarbour} << 2
                                    << "exactly one";
        QTest::newRow("no table") << QStringList{"--export-dir", "."} << 2 << "name the tables";
        QTest::newRow("unknown format")
            << QStringList{"--export-dir", ".", "--format", "gif", kHarbour} << 2 << "unknown format";
        QTest::newRow("no such export folder")
            << QStringList{"--export-dir", "gone", kHarbour} << 1 << "no such folder";
    }
    void commandBadInputChangesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const TestProgramFolder dir;
        for (const char *name : {"old.png", "old.gif", "locked/old.png", "notes.txt"})
            dir.writeBytes(QString::fromLatin1(name), "before\r\n");
        // Without its background, a table reaches as far as its icons do.
        dir.writeBytes("far.plt", "none.jpg\r\nBasicSet\r\nA\r\n 1 \r\n 0 \r\n 600000 \r\n"
                                  "[Notes]\r\n[End]\r\n");
        QFile locked(dir.file("locked"));
        locked.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const Result r = run({}, arguments, dir.path());
        locked.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (QTest::currentDataTag() == QLatin1String("unwritable folder") && r.exitCode == 0)
            QSKIP("running as a user whom permissions do not stop");
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        for (const char *name : {"old.png", "old.gif", "locked/old.png", "notes.txt"})
            QCOMPARE(dir.readBytes(QString::fromLatin1(name)), QByteArray("before\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
