#pragma once

#include "PlotTable.h"

#include <QString>

class QIODevice;

// Writes a plot table: the two names, the live icons, "[Notes]", the live
// notes and "[End]", every line ended by CR LF. Hidden (cut or deleted)
// elements and the templates are left out.
class PlotTableWriter
{
public:
    // Both refuse a table with a line break in a text (see errorString()).
    bool write(QIODevice &device, const PlotTable &table);

    // Writes through a temporary file that replaces the old one only once
    // everything is on disk, so a failure in the middle never leaves a
    // truncated table behind.
    bool write(const QString &path, const PlotTable &table);

    // The first version of a table, as File > New writes it.
    bool writeNew(const QString &path, const QString &backgroundName, const QString &iconSetName);

    QString errorString() const { return m_errorString; }

    void setDecimalPoint(const QString &decimalPoint) { m_decimalPoint = decimalPoint; }

    // A file that may be written but sits in a folder that may not (as on
    // many shared folders) has no room beside it for the temporary file:
    // with this set it is then written in place. A crash in the middle
    // leaves it cut short, so only a caller that has the changes safe
    // elsewhere (the journal on disk) or nothing to lose sets it.
    void setDirectWriteFallback(bool enabled) { m_directWriteFallback = enabled; }

    // The file's bytes, for callers that write them elsewhere.
    QByteArray encode(const PlotTable &table) const;

private:
    bool refusesLineBreak(const PlotTable &table);
    bool writeBytes(const QString &path, const QByteArray &bytes);
    bool writeThroughSaveFile(const QString &path, const QByteArray &bytes);

    QString m_errorString;
    QString m_decimalPoint;
    bool m_directWriteFallback = false;
};
