#pragma once

class MDIForm1;

// File > New: a plot table from a name, a background picture and an icon
// set, written with no icons and no notes and opened at once.
class NewPlotTable
{
public:
    explicit NewPlotTable(MDIForm1 &main) : m_main(main) {}

    void run();

private:
    MDIForm1 &m_main;
};
