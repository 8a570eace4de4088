#pragma once

#include <QString>
#include <QtGlobal>

// What Cut took last, program-wide: Paste in any table window makes a new
// element of it. number is the icon's number in its set, -1 for a note, 0
// while nothing was cut. An icon pastes only into a table of the icon set
// it was cut from.
struct CutClipboard
{
    QString text;
    qint32 number = 0;
    QString iconSetName;
};
