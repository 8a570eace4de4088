#include "Legend.h"

#include "FindCommand.h"
#include "TableContent.h"
#include "TableRenderer.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr qreal kPadding = 4;
constexpr qreal kNumberWidth = 40;
// Pictures larger than this are shown smaller: a row is a line of a list.
constexpr qreal kLargestPicture = 48;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

QFont legendFont(const QPaintDevice *device, bool bold = false)
{
    QFont font = TableRenderer::fontOn(device, 9.0);
    font.setBold(bold);
    return font;
}

QSizeF pictureSize(const QPixmap &picture)
{
    if (picture.isNull())
        return QSizeF(0, 0);
    return QSizeF(picture.size()).scaled(QSizeF(kLargestPicture, kLargestPicture),
                                         picture.width() > kLargestPicture
                                                 || picture.height() > kLargestPicture
                                             ? Qt::KeepAspectRatio
                                             : Qt::IgnoreAspectRatio)
        .boundedTo(QSizeF(picture.size()));
}

qreal textLeft()
{
    return kNumberWidth + kLargestPicture + 2 * kPadding;
}

} // namespace

Legend::Legend(const TableContent &content)
{
    const PlotTable &table = content.table();
    for (int n = 1; n <= table.icons.count(); ++n) {
        const PlotElement &icon = table.icons[n];
        if (!icon.live)
            continue;
        m_elements.append(n);
        m_rows.append({int(m_rows.size()) + 1,
                       icon.pictureKey.isEmpty() ? QPixmap() : content.iconPicture(icon.pictureKey),
                       FindCommand::entryText(true, icon.text)});
    }
}

std::unique_ptr<Legend> Legend::numbering(const TableContent &content, TableRenderer &renderer,
                                          bool wanted)
{
    if (!wanted)
        return nullptr;
    auto legend = std::make_unique<Legend>(content);
    renderer.setIconNumbers(legend->numbers());
    return legend;
}

QHash<int, int> Legend::numbers() const
{
    QHash<int, int> numbers;
    numbers.reserve(m_rows.size());
    for (int k = 0; k < m_rows.size(); ++k)
        numbers.insert(m_elements[k], m_rows[k].number);
    return numbers;
}

qreal Legend::rowHeight(const Row &row, qreal width, const QPaintDevice *device) const
{
    const QFontMetricsF metrics(legendFont(device), const_cast<QPaintDevice *>(device));
    const QRectF text = metrics.boundingRect(QRectF(0, 0, width - textLeft(), 1e6), kTextFlags,
                                             row.text);
    return std::max(pictureSize(row.picture).height(), text.height()) + kPadding;
}

QVector<int> Legend::columnStarts(qreal columnWidth, qreal height, qreal firstHeight,
                                  const QPaintDevice *device) const
{
    QVector<int> starts{0};
    qreal room = firstHeight;
    for (int k = 0; k < m_rows.size(); ++k) {
        const qreal needed = rowHeight(m_rows[k], columnWidth, device);
        // A row taller than a whole column goes in one of its own, cut short.
        if (needed > room && k > starts.last()) {
            starts.append(k);
            room = height;
        }
        room -= needed;
    }
    return starts;
}

void Legend::paintRows(QPainter &painter, const QRectF &column, int first, int end) const
{
    painter.save();
    painter.setClipRect(column, Qt::IntersectClip);
    const QFont bold = legendFont(painter.device(), true);
    const QFont plain = legendFont(painter.device());
    qreal top = column.top();
    for (int k = first; k < end && k < m_rows.size(); ++k) {
        const Row &row = m_rows[k];
        const qreal height = rowHeight(row, column.width(), painter.device());
        const QRectF line(column.left(), top, column.width(), height);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(line.left(), top, kNumberWidth, height),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(row.number));
        const QSizeF size = pictureSize(row.picture);
        if (!row.picture.isNull())
            painter.drawPixmap(QRectF(QPointF(line.left() + kNumberWidth + kPadding
                                                  + (kLargestPicture - size.width()) / 2,
                                              top + (height - size.height()) / 2),
                                      size),
                               row.picture, QRectF(row.picture.rect()));
        painter.setFont(plain);
        painter.drawText(QRectF(line.left() + textLeft(), top, line.width() - textLeft(), height),
                         kTextFlags, row.text);
        top += height;
    }
    painter.restore();
}

qreal Legend::panelWidth(qreal height, const QPaintDevice *device) const
{
    if (m_rows.isEmpty())
        return 0;
    return ColumnWidth * columnStarts(ColumnWidth, height - 2 * kPadding,
                                      height - 2 * kPadding, device)
                             .size();
}

void Legend::paintPanel(QPainter &painter, const QRectF &panel) const
{
    painter.fillRect(panel, Qt::white);
    painter.setPen(QColor(160, 160, 160));
    painter.drawLine(panel.topLeft(), panel.bottomLeft());
    const qreal height = panel.height() - 2 * kPadding;
    const QVector<int> starts = columnStarts(ColumnWidth, height, height, painter.device());
    for (int c = 0; c < starts.size(); ++c) {
        const int end = c + 1 < starts.size() ? starts[c + 1] : int(m_rows.size());
        paintRows(painter,
                  QRectF(panel.left() + c * ColumnWidth, panel.top() + kPadding,
                         ColumnWidth - kPadding, height),
                  starts[c], end);
    }
}

int Legend::pageCount(const QRectF &page, const QPaintDevice *device) const
{
    if (m_rows.isEmpty())
        return 0;
    return int(columnStarts(page.width(), page.height(), page.height() - TitleHeight, device).size());
}

void Legend::paintPages(QPainter &painter, QPagedPaintDevice &device, const QRectF &page,
                        const QString &title) const
{
    if (m_rows.isEmpty())
        return;
    const QVector<int> starts =
        columnStarts(page.width(), page.height(), page.height() - TitleHeight, &device);
    for (int p = 0; p < starts.size(); ++p) {
        device.newPage();
        QRectF column = page;
        if (p == 0) {
            QFont font = legendFont(&device, true);
            font.setPointSizeF(font.pointSizeF() * 1.5);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(page.topLeft(), QSizeF(page.width(), TitleHeight)),
                             Qt::AlignLeft | Qt::AlignTop, title);
            column.setTop(page.top() + TitleHeight);
        }
        paintRows(painter, column, starts[p], p + 1 < starts.size() ? starts[p + 1] : count());
    }
}
