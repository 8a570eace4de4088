#pragma once

class MainWindow;

// File > New: a plot table from a name, a background picture and an icon
// set, written with no icons and no notes and opened at once.
class NewPlotTable
{
public:
    explicit NewPlotTable(MainWindow &main) : m_main(main) {}

    void run();

private:
    MainWindow &m_main;
};
