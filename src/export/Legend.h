#pragma once

#include <QHash>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QVector>

#include <memory>

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;
class TableContent;
class TableRenderer;

// The key to a table's icons on paper or in a picture, where no tooltip
// shows their texts: every live icon with its picture, the number drawn
// beside it on the plot, and its text, in the order Find lists them.
//
// Sizes are in pixels of the screen (96 to the inch at 100%); the painter
// scales them to its device.
class Legend
{
public:
    explicit Legend(const TableContent &content);
    // The legend a drawing asks for, its numbers given to the renderer that
    // draws the icons; none when it is not wanted.
    static std::unique_ptr<Legend> numbering(const TableContent &content, TableRenderer &renderer,
                                             bool wanted);

    int count() const { return int(m_rows.size()); }
    // Icon element -> its number in the legend.
    QHash<int, int> numbers() const;

    // The legend laid out in columns `columnWidth` wide and at most
    // `height` high, the first column `firstHeight` high (a page's title
    // takes the rest): the index of the first row of each column.
    QVector<int> columnStarts(qreal columnWidth, qreal height, qreal firstHeight,
                              const QPaintDevice *device) const;
    // Paints rows [first, end) from the top of `column`.
    void paintRows(QPainter &painter, const QRectF &column, int first, int end) const;
    // The panel beside a picture `height` pixels high: its width.
    qreal panelWidth(qreal height, const QPaintDevice *device) const;
    void paintPanel(QPainter &painter, const QRectF &panel) const;

    // Paints the legend on pages of the size `page` (painter units), each
    // begun with newPage(), under a title on the first.
    void paintPages(QPainter &painter, QPagedPaintDevice &device, const QRectF &page,
                    const QString &title) const;
    int pageCount(const QRectF &page, const QPaintDevice *device) const;

    static constexpr qreal ColumnWidth = 320;
    static constexpr qreal TitleHeight = 36;

private:
    struct Row
    {
        int number;
        QPixmap picture;
        QString text;
    };
    qreal rowHeight(const Row &row, qreal width, const QPaintDevice *device) const;

    QVector<Row> m_rows;
    QVector<int> m_elements;
};
