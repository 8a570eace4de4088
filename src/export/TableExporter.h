#pragma once

#include "TableRenderer.h"

#include <QSize>
#include <QString>
#include <QStringList>

class Legend;
class TableContent;

// What to write, and how.
struct ExportOptions
{
    QString path;
    // "png", "jpg", "bmp", "pdf" or "svg"; see TableExporter::formatOf().
    QString format;
    // Pictures and SVG: pixels of the output to a pixel of the table.
    qreal scale = 1.0;
    // PDF: the table's pixels to the inch on the page.
    int dpi = 96;
    bool legend = false;
};

// Writes a table to a picture (PNG, JPEG, BMP), a PDF or an SVG file. The
// file is written whole or not at all: an existing file of that name stays
// as it was when anything fails or the user cancels.
class TableExporter
{
public:
    explicit TableExporter(const TableContent &content);

    // The format a file name asks for by its extension, letter case aside;
    // empty for one that cannot be written.
    static QString formatOf(const QString &path);
    static QStringList formats();
    static bool isPicture(const QString &format);

    // The size a picture would have, beside it the legend's panel if given.
    QSize pictureSize(const ExportOptions &options, const Legend *legend) const;
    // The most bytes one picture may take on this computer.
    static qint64 pictureLimitBytes();

    bool write(const ExportOptions &options, const TableRenderer::Progress &progress = {});
    const QString &errorString() const { return m_error; }
    bool wasCancelled() const { return m_cancelled; }

private:
    // Each draws with the renderer, which numbers the icons of the legend
    // when there is one.
    bool writePicture(QIODevice &device, const ExportOptions &options, TableRenderer &renderer,
                      const Legend *legend, const TableRenderer::Progress &progress);
    bool writePdf(QIODevice &device, const ExportOptions &options, TableRenderer &renderer,
                  const Legend *legend, const TableRenderer::Progress &progress);
    bool writeSvg(QIODevice &device, const ExportOptions &options, TableRenderer &renderer,
                  const Legend *legend, const TableRenderer::Progress &progress);
    QSizeF tablePixels() const;

    const TableContent &m_content;
    QString m_error;
    bool m_cancelled = false;
};
