#include "TableRenderer.h"

#include "NoteText.h"
#include "PlotTable.h"
#include "Twips.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// &H0080FFFF&: red 255, green 255, blue 128.
const QColor kNoteColour(255, 255, 128);
// The note's 8-point text, in pixels at actual size.
constexpr qreal kTextPixels = 11.0;
// Below this height on screen letters cannot be read; they are shown as
// grey lines where the text runs, which costs no text layout.
constexpr qreal kSmallestReadablePixels = 5.0;
constexpr int kTextFlags = NoteText::Flags;
// Elements painted between two reports of progress.
constexpr int kProgressStep = 2048;

QRectF textArea(const QRectF &box)
{
    return NoteText::area(box);
}

QColor ink()
{
    return QGuiApplication::palette().color(QPalette::WindowText);
}

void paintTextAsLines(QPainter &painter, const QRectF &box, const QString &text)
{
    // About half a letter height per character, wrapped at the box's width.
    const QRectF area = textArea(box);
    const qreal lineHeight = kTextPixels * 1.2;
    qreal remaining = text.size() * kTextPixels * 0.5;
    QColor grey(ink());
    grey.setAlphaF(0.35);
    for (qreal top = area.top(); remaining > 0 && top + kTextPixels <= area.bottom();
         top += lineHeight) {
        const qreal width = std::min(remaining, area.width());
        painter.fillRect(QRectF(area.left(), top + kTextPixels * 0.3, width, kTextPixels * 0.5),
                         grey);
        remaining -= area.width();
    }
}

bool isRaster(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

// Which pixels of an area notes already paint over: one byte per pixel,
// set once a note's box covers it.
class Coverage
{
public:
    explicit Coverage(const QRect &area)
        : m_area(area)
        , m_bytes(size_t(area.width()) * size_t(area.height()), 0)
    {
    }

    void cover(const QRect &rect)
    {
        const QRect part = rect & m_area;
        for (int y = part.top(); y <= part.bottom(); ++y)
            std::memset(row(y) + (part.left() - m_area.left()), 1, size_t(part.width()));
    }

    bool covers(const QRect &rect)
    {
        const QRect part = rect & m_area;
        for (int y = part.top(); y <= part.bottom(); ++y)
            if (std::memchr(row(y) + (part.left() - m_area.left()), 0, size_t(part.width())))
                return false;
        return true;
    }

private:
    uchar *row(int y) { return m_bytes.data() + size_t(y - m_area.top()) * size_t(m_area.width()); }

    QRect m_area;
    std::vector<uchar> m_bytes;
};

} // namespace

TableRenderer::TableRenderer(const PlotTable &table, const QPixmap &background,
                             IconPicture iconPicture)
    : m_table(table)
    , m_background(background)
    , m_iconPicture(std::move(iconPicture))
{
}

QRectF TableRenderer::pixelsOf(const PlotElement &element)
{
    return QRectF(Twips::toPixels(element.left), Twips::toPixels(element.top),
                  Twips::toPixels(element.width), Twips::toPixels(element.height));
}

QRectF TableRenderer::extent() const
{
    if (!m_background.isNull())
        return QRectF(0, 0, Twips::fromPixels(m_background.width()),
                      Twips::fromPixels(m_background.height()));
    // Without its picture a table still shows its elements: as far as they
    // reach from the top-left corner, and a pixel at least.
    QRectF reach(0, 0, Twips::fromPixels(1), Twips::fromPixels(1));
    for (const ElementArray *elements : {&m_table.icons, &m_table.notes}) {
        for (int n = 1; n <= elements->count(); ++n) {
            const PlotElement &element = (*elements)[n];
            if (element.live)
                reach |= QRectF(element.left, element.top, element.width, element.height);
        }
    }
    return reach.intersected(QRectF(0, 0, reach.right(), reach.bottom()));
}

QVector<TableRenderer::Entry> TableRenderer::visibleEntries(const QRectF &area,
                                                            bool pixelsOnly) const
{
    QVector<Entry> order = m_order;
    if (order.isEmpty()) {
        order.reserve(m_table.icons.count() + m_table.notes.count());
        for (int n = 1; n <= m_table.icons.count(); ++n)
            order.append({ElementKind::Icon, n});
        for (int n = 1; n <= m_table.notes.count(); ++n)
            order.append({ElementKind::Note, n});
    }
    auto element = [this](const Entry &entry) -> const PlotElement & {
        return entry.kind == ElementKind::Icon ? m_table.icons[entry.n] : m_table.notes[entry.n];
    };
    QVector<Entry> shown;
    shown.reserve(order.size());
    // A crowded table stacks dozens of notes over every spot; what lies
    // entirely under notes above it would paint nothing that shows. Where
    // only pixels count it is left out; a PDF or SVG keeps every note's
    // text, hidden or not, and leaves out only the pictures of hidden icons.
    Coverage coverage(area.toAlignedRect());
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        const PlotElement &e = element(*it);
        const QRectF box = pixelsOf(e);
        if (!e.live || !box.intersects(area) || (m_skipped && m_skipped(*it)))
            continue;
        const QRect aligned = box.toAlignedRect();
        const QRect reach = QRectF(aligned) == box ? aligned : aligned.adjusted(-1, -1, 1, 1);
        if ((pixelsOnly || it->kind == ElementKind::Icon) && coverage.covers(reach))
            continue;
        shown.append(*it);
        if (it->kind == ElementKind::Note)
            coverage.cover(QRect(QPoint(int(std::ceil(box.left())), int(std::ceil(box.top()))),
                                 QPoint(int(std::floor(box.right())) - 1,
                                        int(std::floor(box.bottom())) - 1)));
    }
    std::reverse(shown.begin(), shown.end());
    return shown;
}

bool TableRenderer::paint(QPainter &painter, const QRectF &twips, qreal scale,
                          const Progress &progress) const
{
    const QRectF area(Twips::toPixels(twips.left()), Twips::toPixels(twips.top()),
                      Twips::toPixels(twips.width()), Twips::toPixels(twips.height()));
    painter.save();
    painter.scale(scale, scale);
    painter.translate(-area.topLeft());
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale != 1.0);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawBackground(painter, area, m_background);

    const QVector<Entry> entries = visibleEntries(area, isRaster(painter));
    const int total = int(entries.size());
    bool going = true;
    for (int k = 0; k < total && going; ++k) {
        const Entry &entry = entries[k];
        if (entry.kind == ElementKind::Icon) {
            const PlotElement &icon = m_table.icons[entry.n];
            if (!icon.pictureKey.isEmpty())
                drawIcon(painter, pixelsOf(icon).topLeft(), m_iconPicture(icon.pictureKey));
        } else {
            const PlotElement &note = m_table.notes[entry.n];
            drawNote(painter, pixelsOf(note), note.text);
        }
        if (progress && (k + 1) % kProgressStep == 0)
            going = progress(k + 1, total);
    }
    // The numbers go over everything, so that none is hidden by a note.
    for (auto it = m_numbers.cbegin(); it != m_numbers.cend() && going; ++it) {
        const PlotElement &icon = m_table.icons[it.key()];
        if (icon.live)
            drawNumber(painter, pixelsOf(icon), it.value());
    }
    if (going && progress)
        going = progress(total, total);
    painter.restore();
    return going;
}

void TableRenderer::drawBackground(QPainter &painter, const QRectF &area,
                                   const QPixmap &background)
{
    painter.fillRect(area, Qt::white);
    if (!background.isNull())
        painter.drawPixmap(QPointF(0, 0), background);
}

void TableRenderer::drawIcon(QPainter &painter, const QPointF &topLeft, const QPixmap &picture)
{
    // A picture that could not be loaded shows nothing, as it always has.
    if (!picture.isNull())
        painter.drawPixmap(topLeft, picture);
}

void TableRenderer::drawNote(QPainter &painter, const QRectF &box, const QString &text)
{
    // An SVG file starts a group for every change of the painter's state and
    // keeps no clip: its notes change the state as little as they can, and
    // are left with the painter's pen, brush and font set.
    const QPaintEngine *engine = painter.paintEngine();
    const bool svg = engine && engine->type() == QPaintEngine::SVG;
    if (svg) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kNoteColour);
        painter.drawRect(box);
    } else {
        painter.fillRect(box, kNoteColour);
    }
    if (text.isEmpty())
        return;
    const qreal scale = QStyleOptionGraphicsItem::levelOfDetailFromTransform(painter.worldTransform());
    // Lines for text too small to read, on screen and in pictures; a PDF or
    // SVG keeps the text, which a reader can zoom into and search.
    const bool raster = isRaster(painter);
    if (scale * kTextPixels < kSmallestReadablePixels && raster) {
        paintTextAsLines(painter, box, text);
        return;
    }
    if (svg) {
        painter.setFont(noteFont(painter.device()));
        painter.setPen(ink());
        painter.drawText(textArea(box), kTextFlags, text);
        return;
    }
    // The scene does not save painter state between items, so the clip that
    // keeps long texts inside the box must not outlive this note.
    painter.save();
    const QFont font = noteFont(painter.device());
    painter.setFont(font);
    painter.setPen(ink());
    painter.setClipRect(box, Qt::IntersectClip);
    const QRectF area = textArea(box);
    // A PDF keeps the whole text, clipped, for searching; a picture shows
    // where a text goes on, as the screen does.
    bool overflows = raster && text.size() > NoteText::mostShown(area);
    if (!overflows) {
        // The text is laid out to be drawn anyway; that layout also tells
        // whether it fits, at no cost of its own.
        QRectF needed;
        painter.drawText(area, kTextFlags, text, &needed);
        overflows = raster && !NoteText::within(needed, area);
        if (overflows)
            painter.fillRect(box, kNoteColour);
    }
    if (overflows)
        for (const NoteText::Line &line : NoteText::elided(box, text, font))
            painter.drawText(line.at, line.text);
    painter.restore();
}

void TableRenderer::drawNumber(QPainter &painter, const QRectF &iconBox, int number)
{
    QFont font = noteFont(painter.device());
    font.setBold(true);
    const QString text = QString::number(number);
    const QFontMetricsF metrics(font, painter.device());
    const QSizeF size(metrics.horizontalAdvance(text) + 4, metrics.height());
    // Just right of the icon's top edge, where it hides little of it.
    const QRectF label(QPointF(iconBox.right() + 1, iconBox.top()), size);
    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(QColor(40, 40, 40), 0));
    painter.setBrush(Qt::white);
    painter.drawRect(label);
    painter.setPen(Qt::black);
    painter.drawText(label, Qt::AlignCenter, text);
    painter.restore();
}

QFont TableRenderer::fontOn(const QPaintDevice *device, qreal points)
{
    QFont font = QGuiApplication::font();
    // As many points as on the screen in table pixels on any other device
    // (a printer's 1200 dots per inch, a PDF's 96), whose painter scales
    // the table's pixels to its own.
    const qreal screenDpi = 1440.0 / Twips::perPixel();
    const int deviceDpi = device ? device->logicalDpiY() : 0;
    font.setPointSizeF(deviceDpi > 0 ? points * screenDpi / deviceDpi : points);
    // A PDF's text is searched and copied: "fl" and "ffi" joined into one
    // letter would not be found.
    const int type = device ? device->devType() : QInternal::Widget;
    if (type != QInternal::Widget && type != QInternal::Image && type != QInternal::Pixmap)
        font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont TableRenderer::noteFont(const QPaintDevice *device)
{
    return fontOn(device, 8.0);
}

bool TableRenderer::noteShowsWholeText(const QRectF &box, const QString &text)
{
    return NoteText::fits(box, text, noteFont());
}
