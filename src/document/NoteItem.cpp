#include "NoteItem.h"

#include "NoteText.h"
#include "PlotElement.h"
#include "TableRenderer.h"
#include "Twips.h"

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
    // Text is laid out only when the note is painted, so thousands of notes
    // off screen cost nothing.
    if (!isCovered())
        TableRenderer::drawNote(*painter, boundingRect(), m_text);
}

bool NoteItem::showsWholeText() const
{
    return TableRenderer::noteShowsWholeText(boundingRect(), m_text);
}

QStringList NoteItem::shortenedLines() const
{
    QStringList lines;
    if (!showsWholeText())
        for (const NoteText::Line &line :
             NoteText::elided(boundingRect(), m_text, TableRenderer::noteFont()))
            lines << line.text;
    return lines;
}
