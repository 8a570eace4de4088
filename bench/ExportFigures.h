#pragma once

#include "BenchSizes.h"

#include <QString>
#include <QStringList>

class BenchProgramFolder;
class FigureTable;

// The command line's export of the large table, timed from the start of
// the process to its end, as a user or a script sees it, with the peak
// memory the process took.
class ExportFigures
{
public:
    ExportFigures(const BenchProgramFolder &folder, const BenchSizes &sizes);

    void run(FigureTable &table);

private:
    struct Run
    {
        double milliseconds = 0;
        double peakMegabytes = 0;
        bool written = false;
    };
    Run exportOnce(const QStringList &arguments) const;

    const BenchProgramFolder &m_folder;
    BenchSizes m_sizes;
    QString m_program;
};
