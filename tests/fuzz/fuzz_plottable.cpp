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

PlotTable readTable(const QByteArray &bytes, PlotTableReader::Result *result = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    PlotTableReader reader;
    reader.setDecimalPoint(kPoint);
    PlotTable table;
    const PlotTableReader::Result read = reader.read(buffer, table);
    if (result)
        *result = read;
    return table;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

void requireSameElements(const ElementArray &a, const ElementArray &b)
{
    if (a.count() != b.count())
        fail("element count");
    for (int k = 1; k <= a.count(); ++k) {
        if (a[k].text != b[k].text)
            fail("text");
        if (a[k].number != b[k].number)
            fail("number");
        if (a[k].top != b[k].top || a[k].left != b[k].left)
            fail("place");
        if (a[k].live != b[k].live)
            fail("live");
    }
}

void checkNumbers(const QByteArray &bytes)
{
    const QString line = QString::fromLatin1(bytes.left(48));
    float single = 0.0f;
    if (PlotNumber::parseSingle(line, kPoint, &single)) {
        float again = 1.0f;
        if (!PlotNumber::parseSingle(PlotNumber::formatSingle(single, kPoint), kPoint, &again)
            || again != single)
            fail("single round trip");
    }
    qint32 whole = 0;
    if (PlotNumber::parseWhole(line, kPoint, &whole)) {
        qint32 again = 1;
        if (!PlotNumber::parseWhole(PlotNumber::formatWhole(whole), kPoint, &again)
            || again != whole)
            fail("whole round trip");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkNumbers(bytes);

    const PlotTable first = readTable(bytes);
    PlotTableWriter writer;
    writer.setDecimalPoint(kPoint);
    const QByteArray written = writer.encode(first);
    PlotTableReader::Result result;
    const PlotTable second = readTable(written, &result);
    if (result != PlotTableReader::Complete)
        fail("a written table reads as complete");
    if (first.backgroundName != second.backgroundName || first.iconSetName != second.iconSetName)
        fail("names");
    requireSameElements(first.icons, second.icons);
    requireSameElements(first.notes, second.notes);
    if (writer.encode(second) != written)
        fail("writing is stable");
    return 0;
}
