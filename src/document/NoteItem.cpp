#include "NoteItem.h"

#include "PlotElement.h"
#include "Twips.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionGraphicsItem>

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
} // namespace

NoteItem::NoteItem(int elementNumber)
    : ElementItem(Note, elementNumber)
{
}

void NoteItem::mirror(const PlotElement &element)
{
    setGeometry(QPointF(Twips::toPixels(element.left), Twips::toPixels(element.top)),
                QSizeF(Twips::toPixels(element.width), Twips::toPixels(element.height)));
    m_text = element.text;
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
    painter->drawText(textArea(box), kTextFlags, m_text);
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

bool NoteItem::showsWholeText() const
{
    if (m_text.isEmpty())
        return true;
    const QRectF area = textArea(boundingRect());
    const QRectF needed = QFontMetricsF(noteFont()).boundingRect(area, kTextFlags, m_text);
    // Half a pixel for rounding: a text that just fits is not cut.
    return needed.width() <= area.width() + 0.5 && needed.height() <= area.height() + 0.5;
}
