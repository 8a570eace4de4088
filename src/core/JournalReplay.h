#pragma once

#include "JournalRecord.h"
#include "PlotTable.h"

#include <QList>
#include <QString>

// Applies journal records to a table as it was read, in order. A record
// that does not fit the table (an element added out of turn, a number
// never handed out, a kind that holds all it can) ends the replay: what
// follows was made on top of it.
namespace JournalReplay {

// Returns how many records were applied.
int apply(const QList<JournalRecord> &records, PlotTable &table);
// One record; false, with the table as it was, when it does not fit.
bool apply(const JournalRecord &record, PlotTable &table);

// Why a record does not fit a table with the given element counts; empty
// when it fits.
QString misfit(const JournalRecord &record, int icons, int notes);
inline bool fits(const JournalRecord &record, int icons, int notes)
{
    return misfit(record, icons, notes).isEmpty();
}

// Whether record begins a step of the user's, after the record before it
// (none for the first): a placement with its text is one step, a deletion
// (text cleared, element gone) is one, and so is a carry however many moves
// it journaled.
bool startsStep(const JournalRecord *before, const JournalRecord &record);

} // namespace JournalReplay
