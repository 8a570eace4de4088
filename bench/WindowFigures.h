#pragma once

#include "BenchSizes.h"
#include "SilentServices.h"

#include <QPoint>
#include <QVector>

#include <memory>

class BenchProgramFolder;
class FigureTable;
class MainWindow;
class PlotWindow;

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
    // The large table opened in a main window that fills a 1600 x 1200
    // screen, until the program is idle again.
    void measureWholeScreen(FigureTable &table);

    // Picks up an icon in the clearing and drags it across the table, one
    // timed move after another.
    QVector<double> carryIcon(PlotWindow *window);
    // Zoom figures on the large table: the first paint after Fit Window,
    // scroll steps at that zoom in a window half the size, and carry steps
    // at 50% when asked for.
    void measureZoom(PlotWindow *window, QVector<double> &fitMs, QVector<double> &scrollMs,
                     QVector<double> *carryMs);
    double fillFindList(PlotWindow *window);
    QVector<double> turnPages(PlotWindow *window);
    QVector<double> saveSnapshots(PlotWindow *window);

    // Closes a window as the user does, through its frame; the time taken
    // until the window is gone, in milliseconds.
    static double closeWindow(PlotWindow *window);

    const BenchProgramFolder &m_folder;
    BenchSizes m_sizes;
    SilentServices m_services;
    std::unique_ptr<MainWindow> m_main;
};
