#pragma once

#include "ProgramFolder.h"

#include <QString>

class WindowServices;
struct PlotTable;

// Writes a closing window's table to its file. Closing cannot be refused,
// so when the file cannot be written, or must not be (it held something
// that was not read as a plot table), the user is told why and asked for
// another place; only a cancel in that dialog drops the table.
class PlotTableSaver
{
public:
    PlotTableSaver(WindowServices &services, const ProgramFolder &folder);

    // keepReason: empty to write the file, otherwise why the file at path
    // must be left as it is. Returns the path written, empty when the user
    // chose not to save.
    QString save(const QString &path, const PlotTable &table, const QString &keepReason);
    // Asks for a place first, with path's name as the proposal.
    QString saveAs(const QString &path, const PlotTable &table);

    // See PlotTableWriter::setDirectWriteFallback.
    void setDirectWriteFallback(bool enabled) { m_directWriteFallback = enabled; }

private:
    QString writeOrAskAgain(QString target, const PlotTable &table);
    QString askForPlace(const QString &path);

    WindowServices &m_services;
    ProgramFolder m_folder;
    bool m_directWriteFallback = false;
};
