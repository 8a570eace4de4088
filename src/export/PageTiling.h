#pragma once

#include <QRectF>
#include <QSizeF>

// How a table too large for one page is cut into pages: a grid of pages
// each showing a part of the table the page's size, neighbours sharing an
// overlap margin so that nothing falls into the cut. All sizes are in one
// unit of the caller's choosing (the printed table's).
class PageTiling
{
public:
    PageTiling(const QSizeF &table, const QSizeF &page, qreal overlap);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int count() const { return m_columns * m_rows; }

    // The part of the table that the page at a row and column (from 0)
    // shows, from the table's top-left corner.
    QRectF tile(int row, int column) const;

private:
    static int pagesFor(qreal length, qreal page, qreal step);

    QSizeF m_table;
    QSizeF m_page;
    qreal m_stepX = 0;
    qreal m_stepY = 0;
    int m_columns = 1;
    int m_rows = 1;
};
