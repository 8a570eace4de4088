#pragma once

#include "PlotElement.h"

#include <QHash>
#include <QPixmap>
#include <QRectF>
#include <QVector>

#include <functional>

class QFont;
class QPaintDevice;
class QPainter;
struct PlotTable;

// Paints a table as its view shows it at actual size: the background
// picture, every live icon's picture at its place, every live note as a
// pale yellow box with its text. Nothing of the editing (locate marker,
// pop-ups, the outline of a picked-up element) is drawn.
//
// The screen, the snapshot, export and printing all draw through here, so
// that a table looks the same wherever it goes. Notes are drawn as text,
// which a PDF or SVG keeps searchable.
class TableRenderer
{
public:
    // The picture of an icon by its picture key; null when there is none.
    using IconPicture = std::function<QPixmap(const QString &pictureKey)>;
    // Told how far painting has come; false asks it to stop.
    using Progress = std::function<bool(int done, int total)>;

    struct Entry
    {
        ElementKind kind;
        int n;
    };

    TableRenderer(const PlotTable &table, const QPixmap &background, IconPicture iconPicture);

    // How the elements stack, bottom first. By default every icon, then
    // every note, in element order, as a table opens.
    void setStackingOrder(QVector<Entry> order) { m_order = std::move(order); }
    // Elements left out although live: the screen draws carried ones apart.
    void setSkipped(std::function<bool(const Entry &)> skipped) { m_skipped = std::move(skipped); }
    // Numbers drawn beside icons (by element), for a legend that lists them.
    void setIconNumbers(QHash<int, int> numbers) { m_numbers = std::move(numbers); }

    // The table's extent in twips: the background picture's, or without
    // one, as far as its elements reach.
    QRectF extent() const;

    // Paints the part `twips` of the table with its top-left corner at the
    // painter's origin, `scale` device pixels to a pixel of the table.
    // False when progress asked to stop.
    bool paint(QPainter &painter, const QRectF &twips, qreal scale,
               const Progress &progress = {}) const;

    // White under the background picture at the table's top-left corner,
    // in the part `area` (table pixels).
    static void drawBackground(QPainter &painter, const QRectF &area, const QPixmap &background);
    // The drawing of one element, shared with the scene's items.
    static void drawIcon(QPainter &painter, const QPointF &topLeft, const QPixmap &picture);
    static void drawNote(QPainter &painter, const QRectF &box, const QString &text);
    // A legend number beside an icon's box.
    static void drawNumber(QPainter &painter, const QRectF &iconBox, int number);
    // The notes' font on a device; without one, on the screen.
    static QFont noteFont(const QPaintDevice *device = nullptr);
    // A font of so many points on the screen, for a device.
    static QFont fontOn(const QPaintDevice *device, qreal points);
    // Whether a note's box shows all of its text.
    static bool noteShowsWholeText(const QRectF &box, const QString &text);

    static QRectF pixelsOf(const PlotElement &element);

private:
    QVector<Entry> visibleEntries(const QRectF &area, bool pixelsOnly) const;

    const PlotTable &m_table;
    QPixmap m_background;
    IconPicture m_iconPicture;
    QVector<Entry> m_order;
    QHash<int, int> m_numbers;
    std::function<bool(const Entry &)> m_skipped;
};
