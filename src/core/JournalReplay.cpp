#include "JournalReplay.h"

namespace JournalReplay {

bool fits(const JournalRecord &record, int icons, int notes)
{
    const int count = record.kind == ElementKind::Icon ? icons : notes;
    if (record.type == JournalRecord::Add)
        return record.element == count + 1;
    return record.element >= 1 && record.element <= count;
}

int apply(const QList<JournalRecord> &records, PlotTable &table)
{
    int applied = 0;
    for (const JournalRecord &record : records) {
        if (!fits(record, table.icons.count(), table.notes.count()))
            break;
        ElementArray &elements = record.kind == ElementKind::Icon ? table.icons : table.notes;
        const int n = record.type == JournalRecord::Add ? elements.add() : record.element;
        PlotElement &element = elements[n];
        switch (record.type) {
        case JournalRecord::Add:
            element = record.value;
            element.live = true;
            break;
        case JournalRecord::Place:
            element.left = record.value.left;
            element.top = record.value.top;
            break;
        case JournalRecord::Text:
            element.text = record.value.text;
            break;
        case JournalRecord::Live:
            element.live = record.value.live;
            break;
        }
        ++applied;
    }
    return applied;
}

} // namespace JournalReplay
