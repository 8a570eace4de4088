#pragma once

class PlotWindow;
class QWidget;

// File > Export and File > Print on a table's window, as it is now.
namespace OutputCommands {

// Asks where to and how, then writes, with a progress dialog that can be
// cancelled when it takes longer than half a second.
void exportTable(PlotWindow &window, QWidget *parent);

// Asks how to print, then shows the print preview, from which the user
// prints, to paper or to a PDF file.
void printTable(PlotWindow &window, QWidget *parent);

} // namespace OutputCommands
