#pragma once

#include "BenchSizes.h"

class BenchProgramFolder;
class FigureTable;

// The figures that need no window: reading and writing the large table
// against the bare cost of moving its bytes, and counting an icon set.
class TableFileFigures
{
public:
    TableFileFigures(const BenchProgramFolder &folder, const BenchSizes &sizes);

    void run(FigureTable &table);

private:
    void measureRead(FigureTable &table);
    void measureWrite(FigureTable &table);
    void measureCount(FigureTable &table);

    const BenchProgramFolder &m_folder;
    BenchSizes m_sizes;
};
