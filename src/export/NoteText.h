#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

// A note's text in its box: whether it fits, and the lines it shows when it
// does not, the last one ending in "..." so that the reader sees there is
// more (the tooltip shows it whole).
class NoteText
{
public:
    struct Line
    {
        QPointF at; // the baseline's start
        QString text;
    };

    static constexpr int Margin = 2;
    static constexpr int Flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

    static QRectF area(const QRectF &box)
    {
        return box.adjusted(Margin, Margin, -Margin, -Margin);
    }
    // More characters than an area can show, however narrow they are: a
    // text longer than this cannot fit, and what lies past it is never laid
    // out.
    static qsizetype mostShown(const QRectF &area)
    {
        return qsizetype(area.width() * area.height() / 16.0) + 64;
    }
    // Whether text laid out as `needed` stays inside `area`; half a pixel
    // for rounding, so that a text that just fits is not cut.
    static bool within(const QRectF &needed, const QRectF &area)
    {
        return needed.width() <= area.width() + 0.5 && needed.height() <= area.height() + 0.5;
    }
    static bool fits(const QRectF &box, const QString &text, const QFont &font);
    static QList<Line> elided(const QRectF &box, const QString &text, const QFont &font);
};
