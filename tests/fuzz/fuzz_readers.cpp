// Any bytes through the plot table reader or, when they open as one, the
// recovery journal's reader and the replay onto the table copy it holds,
// with the properties saving and recovery rely on.

#include "Blanks.h"
#include "JournalReader.h"
#include "JournalReplay.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#define REQUIRE(holds) \
    do { if (!(holds)) { std::fprintf(stderr, "property broken: %s\n", #holds); std::abort(); } } while (false)

namespace {

void requireSameElements(const ElementArray &a, const ElementArray &b)
{
    REQUIRE(a.count() == b.count());
    for (int k = 1; k <= a.count(); ++k) {
        REQUIRE(a[k].text == b[k].text && a[k].number == b[k].number);
        REQUIRE(a[k].top == b[k].top && a[k].left == b[k].left && a[k].live == b[k].live);
    }
}

// Nothing a read yields is lost or changed by writing it and reading it
// back, every number on a place or number line included.
void checkTable(const QByteArray &bytes)
{
    PlotTable first, second;
    PlotTableReader reader;
    reader.setDecimalPoint(QStringLiteral("."));
    reader.read(bytes, first);
    PlotTableWriter writer;
    writer.setDecimalPoint(QStringLiteral("."));
    const QByteArray written = writer.encode(first);
    REQUIRE(reader.read(written, second) == PlotTableReader::Complete);
    REQUIRE(first.backgroundName == second.backgroundName && first.iconSetName == second.iconSetName);
    requireSameElements(first.icons, second.icons);
    requireSameElements(first.notes, second.notes);
    REQUIRE(writer.encode(second) == written);
}

// The live icons and notes of a table, or none when a live text is a marker
// line on its own, which reads back as that marker: the file format has no
// way to say otherwise, and this is not the journal's.
std::optional<QPair<int, int>> liveCounts(const PlotTable &table)
{
    QPair<int, int> live;
    for (const bool icons : {true, false}) {
        const ElementArray &elements = icons ? table.icons : table.notes;
        for (int n = 1; n <= elements.count(); ++n) {
            const QStringView text = trimBlanks(elements[n].text);
            if (elements[n].live && (text == u"[Notes]" || text == u"[End]"))
                return std::nullopt;
            (icons ? live.first : live.second) += elements[n].live;
        }
    }
    return live;
}

// False when the bytes do not open as a journal.
bool checkJournal(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    JournalReader reader;
    if (!reader.open(&buffer))
        return false;
    PlotTable table, back;
    PlotTableReader tableReader;
    tableReader.read(reader.base(), table);
    QList<JournalRecord> records;
    JournalRecord record, again;
    while (reader.next(record)) {
        REQUIRE(decode(encode(record), again) && again == record);
        records.append(record);
    }
    REQUIRE(reader.rewind());
    for (const JournalRecord &first : std::as_const(records))
        REQUIRE(reader.next(record) && record == first);
    REQUIRE(!reader.next(record));

    JournalReplay::apply(records, table);
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    REQUIRE(PlotTableWriter().write(written, table)); // replay leaves no line break in a text
    const auto live = liveCounts(table);
    REQUIRE(!live || (tableReader.read(written.data(), back) == PlotTableReader::Complete && liveCounts(back) == live));
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!checkJournal(bytes))
        checkTable(bytes);
    return 0;
}
