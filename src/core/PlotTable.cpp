#include "PlotTable.h"

PlotElement noteTemplate()
{
    PlotElement note;
    note.text = QStringLiteral("Note");
    note.width = 1335.0f;
    note.height = 975.0f;
    return note;
}

PlotTable::PlotTable()
    : icons(PlotElement())
    , notes(noteTemplate())
{
}

PlotTable::PlotTable(const PlotElement &iconTemplate, const PlotElement &noteTemplate)
    : icons(iconTemplate)
    , notes(noteTemplate)
{
}
