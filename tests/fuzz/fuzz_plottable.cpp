// Any bytes through the plot table reader and the number conversions, with
// two properties checked on the way: nothing a read yields is lost or
// changed by writing it and reading it back, and every number that reads
// writes back to the same value.

#include "PlotNumber.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kPoint = QStringLiteral(".");

void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

PlotTableReader::Result readTable(const QByteArray &bytes, PlotTable &table)
{
    QBuffer buffer;
    buffer.setData(bytes);
    PlotTableReader reader;
    reader.setDecimalPoint(kPoint);
    return reader.read(buffer, table);
}

void requireSameElements(const ElementArray &a, const ElementArray &b)
{
    require(a.count() == b.count(), "element count");
    for (int k = 1; k <= a.count(); ++k) {
        require(a[k].text == b[k].text && a[k].number == b[k].number, "text and number");
        require(a[k].top == b[k].top && a[k].left == b[k].left, "place");
        require(a[k].live == b[k].live, "live");
    }
}

void checkNumbers(const QByteArray &bytes)
{
    const QString line = QString::fromLatin1(bytes.left(48));
    float single = 0.0f, singleAgain = 1.0f;
    if (PlotNumber::parseSingle(line, kPoint, &single))
        require(PlotNumber::parseSingle(PlotNumber::formatSingle(single, kPoint), kPoint, &singleAgain)
                    && singleAgain == single,
                "single round trip");
    qint32 whole = 0, wholeAgain = 1;
    if (PlotNumber::parseWhole(line, kPoint, &whole))
        require(PlotNumber::parseWhole(PlotNumber::formatWhole(whole), kPoint, &wholeAgain) && wholeAgain == whole,
                "whole round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkNumbers(bytes);
    PlotTable first, second;
    readTable(bytes, first);
    PlotTableWriter writer;
    writer.setDecimalPoint(kPoint);
    const QByteArray written = writer.encode(first);
    require(readTable(written, second) == PlotTableReader::Complete, "a written table reads as complete");
    require(first.backgroundName == second.backgroundName && first.iconSetName == second.iconSetName, "names");
    requireSameElements(first.icons, second.icons);
    requireSameElements(first.notes, second.notes);
    require(writer.encode(second) == written, "writing is stable");
    return 0;
}
