#pragma once

#include "JournalRecord.h"
#include "PlotTable.h"

#include <QList>

// Applies journal records to a table as it was read, in order. A record
// that does not fit the table (an element added out of turn, a number
// never handed out) ends the replay: what follows was made on top of it.
namespace JournalReplay {

// Returns how many records were applied.
int apply(const QList<JournalRecord> &records, PlotTable &table);

// Whether a record fits a table with the given element counts.
bool fits(const JournalRecord &record, int icons, int notes);

} // namespace JournalReplay
