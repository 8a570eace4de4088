#pragma once

#include "BenchSizes.h"
#include "SilentServices.h"

#include <QVector>

#include <memory>

class BenchProgramFolder;
class FigureTable;
class MainWindow;
class PlotWindow;

// What keeping a table's history and journal costs, on the large table:
// undo and redo of a move, the memory of 10,000 steps, the journal's share
// of an edit on the UI thread, and replaying 10,000 journal records.
class HistoryFigures
{
public:
    HistoryFigures(const BenchProgramFolder &folder, const BenchSizes &sizes);
    ~HistoryFigures();

    void run(FigureTable &table);

private:
    void undoAndRedo(PlotWindow *window, FigureTable &table);
    void historyMemory(PlotWindow *window, FigureTable &table);
    void journalShare(FigureTable &table);
    void replay(FigureTable &table);

    const BenchProgramFolder &m_folder;
    BenchSizes m_sizes;
    SilentServices m_services;
    std::unique_ptr<MainWindow> m_main;
};
