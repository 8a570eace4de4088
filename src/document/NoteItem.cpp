#include "NoteItem.h"

#include "PlotElement.h"
#include "Twips.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

namespace {
// &H0080FFFF&: red 255, green 255, blue 128.
const QColor kNoteColour(255, 255, 128);
constexpr int kTextMargin = 2;
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

bool NoteItem::showsWholeText() const
{
    if (m_text.isEmpty())
        return true;
    const QRectF area = textArea(boundingRect());
    const QRectF needed = QFontMetricsF(noteFont()).boundingRect(area, kTextFlags, m_text);
    // Half a pixel for rounding: a text that just fits is not cut.
    return needed.width() <= area.width() + 0.5 && needed.height() <= area.height() + 0.5;
}
