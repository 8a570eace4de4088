#include "NoteText.h"

#include <QFontMetricsF>
#include <QTextLayout>

bool NoteText::fits(const QRectF &box, const QString &text, const QFont &font)
{
    if (text.isEmpty())
        return true;
    const QRectF inner = area(box);
    if (text.size() > mostShown(inner))
        return false;
    return within(QFontMetricsF(font).boundingRect(inner, Flags, text), inner);
}

QList<NoteText::Line> NoteText::elided(const QRectF &box, const QString &text, const QFont &font)
{
    const QRectF inner = area(box);
    const QFontMetricsF metrics(font);
    QString shownText = text.left(mostShown(inner));
    shownText.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(shownText, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<QTextLine> lines;
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(inner.width());
        if (!lines.isEmpty() && height + line.height() > inner.height())
            break;
        line.setPosition(QPointF(0, height));
        height += line.height();
        lines.append(line);
    }
    layout.endLayout();
    const QString dots = QStringLiteral("...");
    QList<Line> result;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QTextLine &line = lines[i];
        const bool last = i + 1 == lines.size();
        QString shown = last ? shownText.mid(line.textStart())
                             : shownText.mid(line.textStart(), line.textLength());
        shown.replace(QChar::LineSeparator, u' ');
        if (last) {
            // The rest of the text, cut where it and the dots fit the line.
            shown = shown.trimmed();
            while (!shown.isEmpty() && metrics.horizontalAdvance(shown + dots) > inner.width())
                shown.chop(1);
            shown = shown.trimmed() + dots;
        }
        result.append({inner.topLeft() + QPointF(0, line.y() + line.ascent()), shown});
    }
    return result;
}
