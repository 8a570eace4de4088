#pragma once

#include "PlotTable.h"

#include <QString>

class QIODevice;

// Reads a plot table file into a PlotTable. Every record becomes an
// element made from its array's template, live, with the fields its lines
// give; a line that does not convert, and a field the end of the file cuts
// off, keep the template's value.
class PlotTableReader
{
public:
    enum Result {
        Complete,   // the "[Notes]" line was reached
        Incomplete, // the file ended before its "[Notes]" line
        OpenFailed, // the file could not be opened or read
    };

    Result read(QIODevice &device, PlotTable &table);
    Result read(const QString &path, PlotTable &table);
    // The file's bytes, already read.
    Result read(const QByteArray &bytes, PlotTable &table);

    QString errorString() const { return m_errorString; }

    // The decimal point that number lines use besides "."; the locale's by
    // default.
    void setDecimalPoint(const QString &decimalPoint) { m_decimalPoint = decimalPoint; }

private:
    QString m_errorString;
    QString m_decimalPoint;
};
