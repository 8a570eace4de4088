#pragma once

#include "ElementArray.h"
#include "PlotTextCodec.h"

// Everything a plot table file holds: the names of its pictures and its
// icons and notes in file order. The reader fills it, the writer writes it.
struct PlotTable
{
    PlotTable();
    PlotTable(const PlotElement &iconTemplate, const PlotElement &noteTemplate);

    QString backgroundName;
    QString iconSetName;
    ElementArray icons;
    ElementArray notes;
    // How the file was read, and so how it is written back: an unedited
    // table keeps its bytes.
    PlotTextCodec::Encoding encoding = PlotTextCodec::Encoding::Windows1252;
};

// The note template: caption "Note", 1335 x 975 twips.
PlotElement noteTemplate();
