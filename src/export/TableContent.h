#pragma once

#include "PictureCache.h"
#include "PlotTable.h"
#include "ProgramFolder.h"
#include "TableRenderer.h"

#include <QPixmap>
#include <QStringList>

#include <memory>

class PlotWindow;

// A table with its pictures, ready to be drawn somewhere else than its
// window: read from its file for the command line, or taken from an open
// window as it is now (its stacking included) for File > Export and Print.
class TableContent
{
public:
    // The table of an open window; the window must outlive this.
    explicit TableContent(PlotWindow &window);

    // Reads a table file. A missing background picture is no error: the
    // table is drawn without it, and warnings() says so. Check isValid().
    TableContent(const QString &file, const ProgramFolder &folder);

    bool isValid() const { return m_error.isEmpty(); }
    const QString &errorString() const { return m_error; }
    const QStringList &warnings() const { return m_warnings; }

    const PlotTable &table() const { return *m_table; }
    const QPixmap &background() const { return m_background; }
    QPixmap iconPicture(const QString &key) const;
    // The table's name as its file is named, without the extension.
    const QString &name() const { return m_name; }

    // A renderer of the table; each caller sets its own numbers on it.
    TableRenderer renderer() const;

private:
    void sizeIconsToPictures();

    ProgramFolder m_folder;
    std::unique_ptr<PlotTable> m_own;
    const PlotTable *m_table = nullptr;
    QPixmap m_background;
    mutable PictureCache m_pictures;
    PlotWindow *m_window = nullptr;
    QVector<TableRenderer::Entry> m_order;
    QString m_name;
    QString m_error;
    QStringList m_warnings;
};
