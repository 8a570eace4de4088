#include "NoteItem.h"

#include "PlotElement.h"
#include "Twips.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionGraphicsItem>
#include <QTextLayout>

#include <cmath>

namespace {
// &H0080FFFF&: red 255, green 255, blue 128.
const QColor kNoteColour(255, 255, 128);
constexpr int kTextMargin = 2;
// The note's 8-point text, in pixels at actual size.
constexpr qreal kTextPixels = 11.0;
// Below this height on screen letters cannot be read; they are shown as
// grey lines where the text runs, which costs no text layout.
constexpr qreal kSmallestReadablePixels = 5.0;

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QFont noteFont()
{
    QFont font = QApplication::font();
    font.setPointSizeF(8.0);
    return font;
}

QRectF textArea(const QRectF &box)
{
    return box.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
}

// More characters than an area can show, however narrow they are: what
// lies past them is never laid out.
qsizetype mostShown(const QRectF &area)
{
    return qsizetype(area.width() * area.height() / 16.0) + 64;
}
} // namespace

NoteItem::NoteItem(int elementNumber)
    : ElementItem(Note, elementNumber)
{
}

void NoteItem::mirror(const PlotElement &element)
{
    const QSizeF size(Twips::toPixels(element.width), Twips::toPixels(element.height));
    // The text is shared with the element's: the same data is the same
    // text, without comparing a long one on every move.
    if (element.text.constData() != m_text.constData() || element.text.size() != m_text.size()
        || size != boundingRect().size()) {
        m_text = element.text;
        m_elidedKnown = false;
        m_elided.clear();
        m_fit = Unmeasured;
    }
    setGeometry(QPointF(Twips::toPixels(element.left), Twips::toPixels(element.top)), size);
    setShown(element.live);
    repaint();
}

void NoteItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (isCovered())
        return;
    const QRectF box = boundingRect();
    painter->fillRect(box, kNoteColour);
    if (m_text.isEmpty())
        return;
    const qreal scale = QStyleOptionGraphicsItem::levelOfDetailFromTransform(painter->worldTransform());
    if (scale * kTextPixels < kSmallestReadablePixels) {
        paintTextAsLines(painter, box);
        return;
    }
    // Text is laid out only when the note is painted, so thousands of notes
    // off screen cost nothing.
    // The view does not save painter state between items, so the clip that
    // keeps long texts inside the box must not outlive this note.
    painter->save();
    painter->setFont(noteFont());
    painter->setPen(QApplication::palette().color(QPalette::WindowText));
    painter->setClipRect(box, Qt::IntersectClip);
    const QRectF area = textArea(box);
    if (m_fit == Unmeasured && m_text.size() > mostShown(area))
        m_fit = Overflows;
    if (m_fit != Overflows) {
        // The text is laid out to be drawn anyway; that layout also tells,
        // the first time, whether it fits, at no cost of its own.
        QRectF needed;
        painter->drawText(area, kTextFlags, m_text, &needed);
        if (m_fit == Unmeasured)
            m_fit = needed.width() <= area.width() + 0.5 && needed.height() <= area.height() + 0.5
                        ? Fits
                        : Overflows;
        if (m_fit == Overflows)
            painter->fillRect(box, kNoteColour);
    }
    if (m_fit == Overflows) {
        for (const Line &line : elidedLines())
            painter->drawText(line.at, line.text);
    }
    painter->restore();
}

void NoteItem::paintTextAsLines(QPainter *painter, const QRectF &box) const
{
    // About half a letter height per character, wrapped at the box's width.
    const QRectF area = box.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    const qreal lineHeight = kTextPixels * 1.2;
    qreal remaining = m_text.size() * kTextPixels * 0.5;
    const QColor ink = QApplication::palette().color(QPalette::WindowText);
    QColor grey(ink);
    grey.setAlphaF(0.35);
    for (qreal top = area.top(); remaining > 0 && top + kTextPixels <= area.bottom();
         top += lineHeight) {
        const qreal width = std::min(remaining, area.width());
        painter->fillRect(QRectF(area.left(), top + kTextPixels * 0.3, width, kTextPixels * 0.5),
                          grey);
        remaining -= area.width();
    }
}

const QList<NoteItem::Line> &NoteItem::elidedLines() const
{
    if (m_elidedKnown)
        return m_elided;
    m_elidedKnown = true;
    const QRectF area = textArea(boundingRect());
    const QFont font = noteFont();
    const QFontMetricsF metrics(font);
    QString text = m_text.left(mostShown(area));
    text.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<QTextLine> lines;
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        if (!lines.isEmpty() && height + line.height() > area.height())
            break;
        line.setPosition(QPointF(0, height));
        height += line.height();
        lines.append(line);
    }
    layout.endLayout();
    const QString dots = QStringLiteral("...");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QTextLine &line = lines[i];
        const bool last = i + 1 == lines.size();
        QString shown = last ? text.mid(line.textStart()) : text.mid(line.textStart(), line.textLength());
        shown.replace(QChar::LineSeparator, u' ');
        if (last) {
            // The rest of the text, cut where it and the dots fit the line.
            shown = shown.trimmed();
            while (!shown.isEmpty() && metrics.horizontalAdvance(shown + dots) > area.width())
                shown.chop(1);
            shown = shown.trimmed() + dots;
        }
        m_elided.append({area.topLeft() + QPointF(0, line.y() + line.ascent()), shown});
    }
    return m_elided;
}

QStringList NoteItem::shortenedLines() const
{
    QStringList lines;
    if (!showsWholeText())
        for (const Line &line : elidedLines())
            lines << line.text;
    return lines;
}

bool NoteItem::showsWholeText() const
{
    if (m_fit != Unmeasured)
        return m_fit == Fits;
    m_fit = Fits;
    if (m_text.isEmpty())
        return true;
    const QRectF area = textArea(boundingRect());
    if (m_text.size() > mostShown(area)) {
        m_fit = Overflows;
        return false;
    }
    const QRectF needed = QFontMetricsF(noteFont()).boundingRect(area, kTextFlags, m_text);
    // Half a pixel for rounding: a text that just fits is not cut.
    if (needed.width() > area.width() + 0.5 || needed.height() > area.height() + 0.5)
        m_fit = Overflows;
    return m_fit == Fits;
}
