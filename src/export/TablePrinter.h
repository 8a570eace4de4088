#pragma once

#include <QString>

class QPainter;
class QPrinter;
class TableContent;

// How to print a table.
struct PrintOptions
{
    enum Orientation { Automatic, Portrait, Landscape };

    // The whole table on one page, or at `scale` over as many pages as it
    // takes (1 = as large as the screen shows it at 100%).
    bool fitToPage = true;
    qreal scale = 1.0;
    // What neighbouring pages both show, in millimetres.
    qreal overlapMm = 10;
    Orientation orientation = Automatic;
    bool legend = false;
};

// Prints a table on a printer (or into a PDF file through one): the plot on
// one page or cut into pages with their row and column in a corner, then
// the legend when asked for.
class TablePrinter
{
public:
    TablePrinter(const TableContent &content, const PrintOptions &options);

    // Turns the page the way the table fits best, unless the options say
    // which way.
    void orient(QPrinter &printer) const;
    // The pages the plot takes on the printer as it is set up now.
    int plotPages(const QPrinter &printer) const;
    // False when the printer could not be started.
    bool print(QPrinter &printer) const;

private:
    qreal scaleOn(const QPrinter &printer) const;

    const TableContent &m_content;
    PrintOptions m_options;
};
