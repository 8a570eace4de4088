#include "TablePrinter.h"

#include "Legend.h"
#include "PageTiling.h"
#include "TableContent.h"
#include "Twips.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr qreal kMmPerInch = 25.4;

qreal screenDpi()
{
    return 1440.0 / Twips::perPixel();
}

// The printable part of a page in the screen's pixels, the unit the table
// is printed in at 100%.
QSizeF pageInScreenPixels(const QPrinter &printer)
{
    const QPageLayout layout = printer.pageLayout();
    return layout.paintRect(QPageLayout::Inch).size() * screenDpi();
}

} // namespace

TablePrinter::TablePrinter(const TableContent &content, const PrintOptions &options)
    : m_content(content)
    , m_options(options)
{
}

qreal TablePrinter::scaleOn(const QPrinter &printer) const
{
    if (!m_options.fitToPage)
        return m_options.scale;
    const QRectF extent = m_content.renderer().extent();
    const QSizeF table(Twips::toPixels(extent.width()), Twips::toPixels(extent.height()));
    const QSizeF page = pageInScreenPixels(printer);
    if (table.isEmpty())
        return 1.0;
    return std::min(page.width() / table.width(), page.height() / table.height());
}

int TablePrinter::plotPages(const QPrinter &printer) const
{
    if (m_options.fitToPage)
        return 1;
    const QRectF extent = m_content.renderer().extent();
    const QSizeF table =
        QSizeF(Twips::toPixels(extent.width()), Twips::toPixels(extent.height())) * m_options.scale;
    return PageTiling(table, pageInScreenPixels(printer),
                      m_options.overlapMm / kMmPerInch * screenDpi())
        .count();
}

void TablePrinter::orient(QPrinter &printer) const
{
    if (m_options.orientation != PrintOptions::Automatic) {
        printer.setPageOrientation(m_options.orientation == PrintOptions::Landscape
                                       ? QPageLayout::Landscape
                                       : QPageLayout::Portrait);
        return;
    }
    // The way that takes fewer pages; for one page, or as many either way,
    // the way the table itself is longer.
    const QRectF extent = m_content.renderer().extent();
    const QPageLayout::Orientation lengthwise =
        extent.width() > extent.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    printer.setPageOrientation(QPageLayout::Portrait);
    const int portrait = plotPages(printer);
    printer.setPageOrientation(QPageLayout::Landscape);
    const int landscape = plotPages(printer);
    printer.setPageOrientation(portrait == landscape ? lengthwise
                               : portrait < landscape ? QPageLayout::Portrait
                                                      : QPageLayout::Landscape);
}

bool TablePrinter::print(QPrinter &printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter works in the screen's pixels; the printer's own dots are
    // many more to the inch.
    const qreal dotsPerPixel = printer.resolution() / screenDpi();
    painter.scale(dotsPerPixel, dotsPerPixel);
    const QSizeF page = pageInScreenPixels(printer);

    TableRenderer renderer = m_content.renderer();
    const std::unique_ptr<Legend> legend = Legend::numbering(m_content, renderer, m_options.legend);
    const qreal scale = scaleOn(printer);
    const QRectF extent = renderer.extent();
    const QSizeF table =
        QSizeF(Twips::toPixels(extent.width()), Twips::toPixels(extent.height())) * scale;
    const PageTiling tiling(table, m_options.fitToPage ? table : page,
                            m_options.fitToPage ? 0 : m_options.overlapMm / kMmPerInch * screenDpi());
    QFont labelFont = TableRenderer::noteFont(&printer);
    labelFont.setBold(true);
    for (int row = 0; row < tiling.rows(); ++row) {
        for (int column = 0; column < tiling.columns(); ++column) {
            if (row > 0 || column > 0)
                printer.newPage();
            const QRectF tile = tiling.tile(row, column);
            // The tile in the table's twips, at its scale.
            const QRectF twips(Twips::fromPixels(tile.left() / scale) + extent.left(),
                               Twips::fromPixels(tile.top() / scale) + extent.top(),
                               Twips::fromPixels(tile.width() / scale),
                               Twips::fromPixels(tile.height() / scale));
            renderer.paint(painter, twips, scale);
            if (tiling.count() > 1) {
                // Which piece this is, to lay the pages out again.
                const QString label = QStringLiteral("Row %1, Column %2").arg(row + 1).arg(column + 1);
                painter.setFont(labelFont);
                const QRectF box = painter.boundingRect(QRectF(0, 0, page.width(), page.height()),
                                                        Qt::AlignRight | Qt::AlignBottom, label)
                                       .adjusted(-4, -2, 0, 0);
                painter.fillRect(box, Qt::white);
                painter.setPen(Qt::black);
                painter.drawText(box, Qt::AlignCenter, label);
            }
        }
    }
    if (legend)
        legend->paintPages(painter, printer, QRectF(QPointF(0, 0), page),
                           QStringLiteral("Legend: %1").arg(m_content.name()));
    return painter.end();
}
