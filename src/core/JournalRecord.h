#pragma once

#include "PlotElement.h"

#include <QByteArray>
#include <QByteArrayView>

// One change made to an open plot table, as the recovery journal keeps it
// until the table is saved. Replaying the records in order onto the table as
// it was read rebuilds the table as it was when the editor stopped.
struct JournalRecord
{
    // The values are written to disk: never renumber them.
    enum Type : quint8 {
        Add = 1,   // a new element: every field of value
        Place = 2, // moved: value.left and value.top
        Text = 3,  // retyped: value.text
        Live = 4   // cut, deleted or brought back: value.live
    };

    Type type = Add;
    ElementKind kind = ElementKind::Icon;
    // Numbers start at 1 and are never given to a second element, so a
    // record names its element even after others were deleted.
    qint32 element = 0;
    // Only the fields the type carries mean anything; the others are left
    // at their defaults by decode().
    PlotElement value;

    // Whether the record can be written and read back: a known type and
    // kind, an element number of 1 or more, and finite coordinates. A NaN
    // place would be refused when replaying and end the replay there, so
    // it must never reach the journal.
    bool isValid() const;
};

// Equal when the type, kind and element are, and so are the fields the type
// carries: two Place records that differ only in text are the same change.
bool operator==(const JournalRecord &a, const JournalRecord &b);
inline bool operator!=(const JournalRecord &a, const JournalRecord &b)
{
    return !(a == b);
}

// The record's payload: little-endian numbers, floats as their IEEE bits,
// strings as a quint32 count of UTF-16 units followed by the units, so any
// QString comes back unit for unit.
QByteArray encode(const JournalRecord &record);

// Reads a payload made by encode(). True only when payload is exactly one
// valid record, with nothing left over; otherwise record is left as it was.
// Never reads outside payload, whatever its bytes.
bool decode(QByteArrayView payload, JournalRecord &record);
