// Any bytes through the recovery journal's reader and the replay onto the
// table copy it holds, with the properties recovery relies on: a record
// read encodes back to the very payload it came from, a second pass reads
// the same records, and a table replayed from a journal is written and read
// back with every element it held.

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    JournalReader reader;
    if (!reader.open(&buffer))
        return 0;

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
    PlotTableWriter writer;
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    REQUIRE(writer.write(written, table)); // replay leaves no line break in a text
    const auto live = liveCounts(table);
    REQUIRE(!live || (tableReader.read(written.data(), back) == PlotTableReader::Complete && liveCounts(back) == live));
    return 0;
}
