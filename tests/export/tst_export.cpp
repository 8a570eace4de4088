// Export and printing: what the renderer puts into pictures, PDF and SVG
// files, how pages are cut, and that a failed export leaves files alone.

#include "PageTiling.h"
#include "TableContent.h"
#include "TableExporter.h"
#include "TablePrinter.h"
#include "TestProgramFolder.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kProgram = QStringLiteral(QUENBRACK_PROGRAM_DIR);
const QString kHarbour = kProgram + QStringLiteral("/Plot Tables/Harbour.plt");

QString run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Wrapping puts line ends into a note's text; words are what must be there.
QString words(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

int pdfPages(const QString &file)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", {file}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private slots:
    void iconsAreAtTheirPlaces_data()
    {
        QTest::addColumn<int>("icon");
        QTest::newRow("first") << 1;
        QTest::newRow("middle") << 7;
        QTest::newRow("last") << 13;
    }
    void iconsAreAtTheirPlaces()
    {
        QFETCH(int, icon);
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        QVERIFY(content.isValid());
        QTemporaryDir dir;
        TableExporter exporter(content);
        QVERIFY2(exporter.write({dir.filePath("h.png"), "png", 1.0, 96, false}),
                 qPrintable(exporter.errorString()));
        const QImage out(dir.filePath("h.png"));
        QCOMPARE(out.size(), content.background().size());
        const PlotElement &element = content.table().icons[icon];
        const QImage picture(ProgramFolder(kProgram).iconFile(content.table().iconSetName,
                                                               element.pictureKey));
        QVERIFY(!picture.isNull());
        const QPoint at(qRound(element.left / 15), qRound(element.top / 15));
        for (const QPoint p : {QPoint(1, 1), QPoint(picture.width() / 2, picture.height() / 2),
                               QPoint(picture.width() - 2, picture.height() - 2)})
            QCOMPARE(out.pixelColor(at + p), picture.pixelColor(p));
    }

    void pdfKeepsEveryText()
    {
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        QTemporaryDir dir;
        QVERIFY(TableExporter(content).write({dir.filePath("h.pdf"), "pdf", 1.0, 96, true}));
        const QString text = words(run("pdftotext", {dir.filePath("h.pdf"), "-"}));
        QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) is needed");
        for (const ElementArray *elements : {&content.table().icons, &content.table().notes})
            for (int n = 1; n <= elements->count(); ++n)
                QVERIFY2(text.contains(words((*elements)[n].text)),
                         qPrintable((*elements)[n].text));
        QCOMPARE(pdfPages(dir.filePath("h.pdf")), 2); // the plot, then the legend
    }

    void svgIsXmlWithTheTablesBox()
    {
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        QTemporaryDir dir;
        QVERIFY(TableExporter(content).write({dir.filePath("h.svg"), "svg", 2.0, 96, false}));
        QFile file(dir.filePath("h.svg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString viewBox;
        QString texts;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("svg"))
                viewBox = xml.attributes().value("viewBox").toString();
            if (xml.isStartElement() && xml.name() == QLatin1String("text"))
                texts += xml.readElementText() + u' ';
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QSize size = content.background().size();
        QCOMPARE(viewBox, QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height()));
        for (int n = 1; n <= content.table().notes.count(); ++n)
            QVERIFY(words(texts).contains(words(content.table().notes[n].text)));
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
        printer.setPageOrientation(QPageLayout::Landscape);
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
        QVERIFY(run("pdftotext", {dir.filePath("p.pdf"), "-"}).contains("Row 2, Column 2"));
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
    }
    void failureLeavesTheFileAlone()
    {
        QFETCH(QString, format);
        QFETCH(bool, cancel);
        QFETCH(qreal, scale);
        QFETCH(QString, message);
        const TableContent content(kHarbour, ProgramFolder(kProgram));
        QTemporaryDir dir;
        const QString path = dir.filePath("out." + format);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("before") == 6);
        old.close();
        TableExporter exporter(content);
        QVERIFY(!exporter.write({path, format, scale, 96, false},
                                [cancel](int, int) { return !cancel; }));
        QCOMPARE(exporter.wasCancelled(), cancel);
        QVERIFY2(exporter.errorString().contains(message),
                 qPrintable(exporter.errorString()));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("before"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out." + format});
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
