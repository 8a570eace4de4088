#pragma once

#include "ElementArray.h"

// Everything a plot table file holds: the names of its pictures and its
// icons and notes in file order. The reader fills it, the writer writes it.
struct PlotTable
{
    PlotTable();
    PlotTable(const PlotElement &iconTemplate, const PlotElement &noteTemplate);

    QString backgroundName;
    QString iconSetName;
    ElementArray Image1;
    ElementArray Label1;
};

// The note template of the document window: caption "Note", 1335 x 975 twips.
PlotElement noteTemplate();
