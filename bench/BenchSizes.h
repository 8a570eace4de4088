#pragma once

#include <QSize>

// How much data the benchmark makes and how often it repeats each figure.
// The full sizes are the ones the targets are set for; the small ones only
// prove that every figure still runs.
struct BenchSizes
{
    int icons = 32767;         // icons of the large table
    int notes = 32767;         // notes of the large table
    int pictureKinds = 100;    // distinct icon numbers the large table uses
    int countedSet = 5000;     // pictures of the set that is counted
    int pagedSet = 2000;       // pictures of the set the palette pages through
    QSize background{2000, 1500};
    int runs = 9;              // repeats of each figure that opens or writes
    int fileRuns = 31;         // repeats of read and write: short, so more of them
    int moves = 101;           // mouse moves timed
    int pageTurns = 21;        // page turns timed

    static BenchSizes full() { return BenchSizes(); }

    static BenchSizes small()
    {
        BenchSizes sizes;
        sizes.icons = 1500;
        sizes.notes = 1500;
        sizes.pictureKinds = 20;
        sizes.countedSet = 200;
        sizes.pagedSet = 120;
        sizes.runs = 5;
        sizes.fileRuns = 5;
        sizes.moves = 21;
        sizes.pageTurns = 5;
        return sizes;
    }
};
