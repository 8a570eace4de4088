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

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

int liveCount(const ElementArray &elements)
{
    int live = 0;
    for (int n = 1; n <= elements.count(); ++n)
        live += elements[n].live;
    return live;
}

// A text that is a marker line on its own reads back as that marker; the
// file format has no way to say otherwise, and this is not the journal's.
bool holdsMarker(const PlotTable &table)
{
    for (const ElementArray *elements : {&table.icons, &table.notes}) {
        for (int n = 1; n <= elements->count(); ++n) {
            const QStringView text = trimBlanks((*elements)[n].text);
            if ((*elements)[n].live && (text == u"[Notes]" || text == u"[End]"))
                return true;
        }
    }
    return false;
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
    JournalRecord record;
    bool replaying = true;
    while (reader.next(record)) {
        JournalRecord again;
        if (!decode(encode(record), again) || again != record)
            fail("a record read encodes back to itself");
        records.append(record);
        replaying = replaying && JournalReplay::apply(record, table);
    }
    if (!reader.rewind())
        fail("rewind");
    for (const JournalRecord &first : std::as_const(records)) {
        if (!reader.next(record) || record != first)
            fail("a second pass reads the same records");
    }
    if (reader.next(record))
        fail("a second pass ends where the first did");

    PlotTableWriter writer;
    writer.setDecimalPoint(QStringLiteral("."));
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    if (!writer.write(written, table))
        fail("a replayed table is written");
    if (holdsMarker(table))
        return 0;
    PlotTable back;
    if (tableReader.read(written.data(), back) != PlotTableReader::Complete
        || liveCount(back.icons) != liveCount(table.icons)
        || liveCount(back.notes) != liveCount(table.notes))
        fail("a replayed table reads back with every element");
    return 0;
}
