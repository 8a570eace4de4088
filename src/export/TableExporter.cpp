#include "TableExporter.h"

#include "Legend.h"
#include "PictureCache.h"
#include "TableContent.h"
#include "Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace {

// The raster painter draws on pictures up to this many pixels a side.
constexpr int kLongestSide = 32767;
// A legend page: A4 with a margin, in the screen's pixels.
constexpr qreal kLegendMarginMm = 15;

qreal screenDpi()
{
    return 1440.0 / Twips::perPixel();
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

TableExporter::TableExporter(const TableContent &content)
    : m_content(content)
{
}

QStringList TableExporter::formats()
{
    return {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("bmp"),
            QStringLiteral("pdf"), QStringLiteral("svg")};
}

QString TableExporter::formatOf(const QString &path)
{
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpeg"))
        suffix = QStringLiteral("jpg");
    return formats().contains(suffix) ? suffix : QString();
}

bool TableExporter::isPicture(const QString &format)
{
    return format == QLatin1String("png") || format == QLatin1String("jpg")
           || format == QLatin1String("bmp");
}

qint64 TableExporter::pictureLimitBytes()
{
    return qint64(pictureLimitMegabytes()) * 1024 * 1024;
}

QSizeF TableExporter::tablePixels() const
{
    const QRectF extent = m_content.renderer().extent();
    return QSizeF(Twips::toPixels(extent.width()), Twips::toPixels(extent.height()));
}

QSize TableExporter::pictureSize(const ExportOptions &options, const Legend *legend) const
{
    const QSizeF table = tablePixels() * options.scale;
    qreal width = table.width();
    if (legend)
        width += legend->panelWidth(tablePixels().height(), nullptr) * options.scale;
    return QSize(qMax(1, int(std::ceil(width - 1e-6))), qMax(1, int(std::ceil(table.height() - 1e-6))));
}

bool TableExporter::write(const ExportOptions &options, const TableRenderer::Progress &progress)
{
    m_error.clear();
    m_cancelled = false;
    const QString path = nativePath(options.path);
    if (!formats().contains(options.format)) {
        m_error = QStringLiteral("%1: unknown kind of file; the name must end in .%2")
                      .arg(path, formats().join(QStringLiteral(", .")));
        return false;
    }
    const QFileInfo info(options.path);
    if (!info.absoluteDir().exists()) {
        m_error = QStringLiteral("%1: the folder %2 does not exist")
                      .arg(path, nativePath(info.absolutePath()));
        return false;
    }
    if (info.isDir()) {
        m_error = QStringLiteral("%1: is a folder").arg(path);
        return false;
    }
    TableRenderer renderer = m_content.renderer();
    const std::unique_ptr<Legend> legend = Legend::numbering(m_content, renderer, options.legend);
    if (isPicture(options.format)) {
        // Said before anything is drawn: a picture too large to hold would
        // fail at the end, or take the memory the rest of the desktop needs.
        const QSize size = pictureSize(options, legend.get());
        const qint64 bytes = qint64(size.width()) * size.height() * 4;
        if (bytes > pictureLimitBytes() || size.width() > kLongestSide
            || size.height() > kLongestSide) {
            m_error = QStringLiteral("%1: the picture would be %2 x %3 pixels, more than this "
                                     "computer can hold for one picture (%4 MB, at most %5 "
                                     "pixels a side); choose a smaller scale, or PDF or SVG, "
                                     "which have no such limit")
                          .arg(path)
                          .arg(size.width())
                          .arg(size.height())
                          .arg(pictureLimitMegabytes())
                          .arg(kLongestSide);
            return false;
        }
    }
    // Written beside the file and put in its place at the end: a failure
    // or a cancel leaves whatever was there before.
    QSaveFile file(options.path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("%1: cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    bool drawn;
    if (options.format == QLatin1String("pdf"))
        drawn = writePdf(file, options, renderer, legend.get(), progress);
    else if (options.format == QLatin1String("svg"))
        drawn = writeSvg(file, options, renderer, legend.get(), progress);
    else
        drawn = writePicture(file, options, renderer, legend.get(), progress);
    if (!drawn) {
        file.cancelWriting();
        if (m_error.isEmpty() && !m_cancelled)
            m_error = QStringLiteral("%1: cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    if (!file.commit()) {
        m_error = QStringLiteral("%1: cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool TableExporter::writePicture(QIODevice &device, const ExportOptions &options,
                                 TableRenderer &renderer, const Legend *legend,
                                 const TableRenderer::Progress &progress)
{
    const QSize size = pictureSize(options, legend);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        // A null picture is 0 x 0; the message gives the size asked for.
        m_error = QStringLiteral("%1: not enough memory for a picture of %2 x %3 pixels")
                      .arg(nativePath(options.path))
                      .arg(size.width())
                      .arg(size.height());
        return false;
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    if (!renderer.paint(painter, renderer.extent(), options.scale, progress)) {
        m_cancelled = true;
        return false;
    }
    if (legend) {
        const QSizeF table = tablePixels();
        painter.scale(options.scale, options.scale);
        legend->paintPanel(painter, QRectF(table.width(), 0,
                                           image.width() / options.scale - table.width(),
                                           table.height()));
    }
    painter.end();
    QImageWriter writer(&device, options.format.toLatin1());
    if (options.format == QLatin1String("jpg"))
        writer.setQuality(92);
    if (!writer.write(image)) {
        m_error = QStringLiteral("%1: cannot be written: %2")
                      .arg(nativePath(options.path), writer.errorString());
        return false;
    }
    return true;
}

bool TableExporter::writePdf(QIODevice &device, const ExportOptions &options,
                             TableRenderer &renderer, const Legend *legend,
                             const TableRenderer::Progress &progress)
{
    const int dpi = qMax(1, options.dpi);
    const QSizeF table = tablePixels();
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Quenbrack"));
    writer.setTitle(m_content.name());
    // The painter's unit is the screen's pixel, whatever the page's dpi:
    // fonts and pictures keep their proportions to the table.
    writer.setResolution(int(std::lround(screenDpi())));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(table.width() / dpi, table.height() / dpi),
                                 QPageSize::Inch, QString(), QPageSize::ExactMatch));
    QPainter painter;
    if (!painter.begin(&writer)) {
        m_error = QStringLiteral("%1: cannot be written").arg(nativePath(options.path));
        return false;
    }
    if (!renderer.paint(painter, renderer.extent(), screenDpi() / dpi, progress)) {
        m_cancelled = true;
        return false;
    }
    if (legend && legend->count() > 0) {
        // The legend on pages of paper size after the plot.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kLegendMarginMm, kLegendMarginMm,
                                                   kLegendMarginMm, kLegendMarginMm),
                                         QPageLayout::Millimeter));
        const QRectF page(QPointF(0, 0),
                          writer.pageLayout().paintRectPixels(writer.resolution()).size());
        legend->paintPages(painter, writer, page, QStringLiteral("Legend: %1").arg(m_content.name()));
    }
    return painter.end();
}

bool TableExporter::writeSvg(QIODevice &device, const ExportOptions &options,
                             TableRenderer &renderer, const Legend *legend,
                             const TableRenderer::Progress &progress)
{
    const QSizeF table = tablePixels();
    const qreal panel = legend ? legend->panelWidth(table.height(), nullptr) : 0;
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setTitle(m_content.name());
    generator.setResolution(int(std::lround(screenDpi())));
    // The table's own pixels are the drawing's units; the scale only says
    // how large it shows.
    const QRectF box(0, 0, table.width() + panel, table.height());
    generator.setViewBox(box);
    generator.setSize((box.size() * options.scale).toSize());
    QPainter painter;
    if (!painter.begin(&generator)) {
        m_error = QStringLiteral("%1: cannot be written").arg(nativePath(options.path));
        return false;
    }
    if (!renderer.paint(painter, renderer.extent(), 1.0, progress)) {
        m_cancelled = true;
        return false;
    }
    if (legend)
        legend->paintPanel(painter, QRectF(table.width(), 0, panel, table.height()));
    return painter.end();
}
