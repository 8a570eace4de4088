// Any bytes through the recovery journal's reader and the replay onto the
// table copy it holds, with the properties recovery relies on: reading
// never fails in a way that takes more than the bytes given, a record read
// encodes back to the very payload it came from, a second pass reads the
// same records, and a table replayed from a journal is written and read
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

namespace {

void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// The live icons and notes of a table; `marker` is set when a live text is
// a marker line on its own, which reads back as that marker: the file format
// has no way to say otherwise, and this is not the journal's.
QPair<int, int> liveCounts(const PlotTable &table, bool *marker = nullptr)
{
    QPair<int, int> live;
    for (const bool icons : {true, false}) {
        const ElementArray &elements = icons ? table.icons : table.notes;
        for (int n = 1; n <= elements.count(); ++n) {
            const PlotElement &e = elements[n];
            (icons ? live.first : live.second) += e.live;
            const QStringView text = trimBlanks(e.text);
            if (marker && e.live && (text == u"[Notes]" || text == u"[End]"))
                *marker = true;
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

    PlotTable table;
    PlotTableReader tableReader;
    tableReader.setDecimalPoint(QStringLiteral("."));
    tableReader.read(reader.base(), table);
    QList<JournalRecord> records;
    JournalRecord record, again;
    bool replaying = true;
    while (reader.next(record)) {
        require(decode(encode(record), again) && again == record, "a record read encodes back to itself");
        records.append(record);
        replaying = replaying && JournalReplay::apply(record, table);
    }
    require(reader.rewind(), "rewind");
    for (const JournalRecord &first : std::as_const(records))
        require(reader.next(record) && record == first, "a second pass reads the same records");
    require(!reader.next(record), "a second pass ends where the first did");

    PlotTableWriter writer;
    writer.setDecimalPoint(QStringLiteral("."));
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    require(writer.write(written, table), "a replayed table is written");
    bool marker = false;
    const QPair<int, int> live = liveCounts(table, &marker);
    PlotTable back;
    require(marker
                || (tableReader.read(written.data(), back) == PlotTableReader::Complete
                    && liveCounts(back) == live),
            "a replayed table reads back with every element");
    return 0;
}
