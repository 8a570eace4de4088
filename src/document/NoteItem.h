#pragma once

#include "ElementItem.h"

struct PlotElement;

// One note on the document's scene: a pale yellow box with its text,
// word-wrapped; a text longer than the box holds ends its last line with
// "...", and the tooltip shows it whole.
class NoteItem : public ElementItem
{
public:
    enum { Type = Note };

    explicit NoteItem(int elementNumber);

    void mirror(const PlotElement &element);

    const QString &text() const { return m_text; }
    // False when the box cuts the text short, which the note's tooltip
    // then shows whole. Measured only when asked, so that thousands of
    // notes cost nothing for it.
    bool showsWholeText() const;
    // The lines as the note shows them at actual size, when it cuts its
    // text short; empty when the text shows whole.
    QStringList shortenedLines() const;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

private:
    void paintTextAsLines(QPainter *painter, const QRectF &box) const;
    // The lines that fit, the last one cut short with "..."; made when the
    // note is first painted that way, and again after its text changed.
    struct Line
    {
        QPointF at;
        QString text;
    };
    const QList<Line> &elidedLines() const;

    QString m_text;
    mutable QList<Line> m_elided;
    mutable bool m_elidedKnown = false;
    // Whether the text fits, measured once: a note is painted again and
    // again as others move over it.
    mutable enum { Unmeasured, Fits, Overflows } m_fit = Unmeasured;
};
