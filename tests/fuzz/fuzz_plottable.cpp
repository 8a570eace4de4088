// Any bytes through the plot table reader and the number conversions: what
// a read yields is neither lost nor changed by writing and reading it back,
// and every number that reads writes back to the same value.

#include "PlotNumber.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define REQUIRE(holds) \
    do { if (!(holds)) { std::fprintf(stderr, "property broken: %s\n", #holds); std::abort(); } } while (false)

namespace {

const QString kPoint = QStringLiteral(".");

void requireSameElements(const ElementArray &a, const ElementArray &b)
{
    REQUIRE(a.count() == b.count());
    for (int k = 1; k <= a.count(); ++k) {
        REQUIRE(a[k].text == b[k].text && a[k].number == b[k].number);
        REQUIRE(a[k].top == b[k].top && a[k].left == b[k].left && a[k].live == b[k].live);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString line = QString::fromLatin1(bytes.left(48));
    float single = 0.0f, singleAgain = 1.0f;
    if (PlotNumber::parseSingle(line, kPoint, &single))
        REQUIRE(PlotNumber::parseSingle(PlotNumber::formatSingle(single, kPoint), kPoint, &singleAgain)
                && singleAgain == single);
    qint32 whole = 0, wholeAgain = 1;
    if (PlotNumber::parseWhole(line, kPoint, &whole))
        REQUIRE(PlotNumber::parseWhole(PlotNumber::formatWhole(whole), kPoint, &wholeAgain) && wholeAgain == whole);

    PlotTable first, second;
    PlotTableReader reader;
    reader.setDecimalPoint(kPoint);
    reader.read(bytes, first);
    PlotTableWriter writer;
    writer.setDecimalPoint(kPoint);
    const QByteArray written = writer.encode(first);
    REQUIRE(reader.read(written, second) == PlotTableReader::Complete);
    REQUIRE(first.backgroundName == second.backgroundName && first.iconSetName == second.iconSetName);
    requireSameElements(first.icons, second.icons);
    requireSameElements(first.notes, second.notes);
    REQUIRE(writer.encode(second) == written);
    return 0;
}
