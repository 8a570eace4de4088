#pragma once

#include "BenchSizes.h"
#include "SilentServices.h"

#include <QPoint>
#include <QVector>

#include <memory>

class BenchProgramFolder;
class FigureTable;
class MDIForm1;
class frmPlotFile;

// The figures of the editor's windows, driven through the real widgets on
// the offscreen platform: opening and closing the large table, carrying an
// icon across it, filling the Find list, the memory it all takes, paging
// the palette and saving a snapshot.
class WindowFigures
{
public:
    WindowFigures(const BenchProgramFolder &folder, const BenchSizes &sizes);
    ~WindowFigures();

    void run(FigureTable &table);

private:
    void measureLargeTable(FigureTable &table);
    void measureTypicalTable(FigureTable &table);

    // Picks up an icon in the clearing and drags it across the table, one
    // timed move after another.
    QVector<double> carryIcon(frmPlotFile *window);
    double fillFindList(frmPlotFile *window);
    QVector<double> turnPages(frmPlotFile *window);
    QVector<double> saveSnapshots(frmPlotFile *window);

    // Closes a window as the user does, through its frame; the time taken
    // until the window is gone, in milliseconds.
    static double closeWindow(frmPlotFile *window);

    const BenchProgramFolder &m_folder;
    BenchSizes m_sizes;
    SilentServices m_services;
    std::unique_ptr<MDIForm1> m_main;
};
