#include "JournalReplay.h"

#include "OneLine.h"

namespace JournalReplay {

QString misfit(const JournalRecord &record, int icons, int notes)
{
    const bool icon = record.kind == ElementKind::Icon;
    const int count = icon ? icons : notes;
    if (record.type == JournalRecord::Add && count >= IconNumber::Max)
        return icon ? QStringLiteral("the table holds as many icons as it can")
                    : QStringLiteral("the table holds as many notes as it can");
    const bool named = record.type == JournalRecord::Add
        ? record.element == count + 1
        : record.element >= 1 && record.element <= count;
    if (!named)
        return QStringLiteral("a change names an element the table does not have");
    return QString();
}

bool apply(const JournalRecord &record, PlotTable &table)
{
    if (!fits(record, table.icons.count(), table.notes.count()))
        return false;
    ElementArray &elements = record.kind == ElementKind::Icon ? table.icons : table.notes;
    const int n = record.type == JournalRecord::Add ? elements.add() : record.element;
    PlotElement &element = elements[n];
    switch (record.type) {
    case JournalRecord::Add:
        element = record.value;
        element.text = oneLine(element.text);
        element.live = true;
        break;
    case JournalRecord::Place:
        element.left = record.value.left;
        element.top = record.value.top;
        break;
    case JournalRecord::Text:
        element.text = oneLine(record.value.text);
        break;
    case JournalRecord::Live:
        element.live = record.value.live;
        break;
    }
    return true;
}

bool startsStep(const JournalRecord *before, const JournalRecord &record)
{
    const bool sameElement =
        before && before->kind == record.kind && before->element == record.element;
    const bool continues =
        sameElement
        && ((record.type == JournalRecord::Place && before->type == JournalRecord::Place)
            || (record.type == JournalRecord::Text && before->type == JournalRecord::Add)
            || (record.type == JournalRecord::Live && !record.value.live
                && before->type == JournalRecord::Text && before->value.text.isEmpty()));
    return !continues;
}

int apply(const QList<JournalRecord> &records, PlotTable &table)
{
    int applied = 0;
    while (applied < records.size() && apply(records[applied], table))
        ++applied;
    return applied;
}

} // namespace JournalReplay
