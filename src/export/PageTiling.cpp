#include "PageTiling.h"

#include <algorithm>
#include <cmath>

namespace {
// A rounding error of the page's size must not make one more page.
constexpr qreal kSlack = 1e-6;
}

PageTiling::PageTiling(const QSizeF &table, const QSizeF &page, qreal overlap)
    : m_table(table)
    , m_page(page)
{
    // An overlap of half a page or more would never get across the table.
    const qreal width = std::max(page.width(), kSlack);
    const qreal height = std::max(page.height(), kSlack);
    m_stepX = width - std::clamp(overlap, 0.0, width / 2);
    m_stepY = height - std::clamp(overlap, 0.0, height / 2);
    m_columns = pagesFor(table.width(), width, m_stepX);
    m_rows = pagesFor(table.height(), height, m_stepY);
}

int PageTiling::pagesFor(qreal length, qreal page, qreal step)
{
    if (length <= page * (1 + kSlack))
        return 1;
    return 1 + int(std::ceil((length - page) / step - kSlack));
}

QRectF PageTiling::tile(int row, int column) const
{
    const QRectF page(column * m_stepX, row * m_stepY, m_page.width(), m_page.height());
    return page.intersected(QRectF(QPointF(0, 0), m_table));
}
