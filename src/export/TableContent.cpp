#include "TableContent.h"

#include "IconSet.h"
#include "PlotDocument.h"
#include "PlotScene.h"
#include "PlotTableReader.h"
#include "PlotView.h"
#include "PlotWindow.h"
#include "Twips.h"

#include <QDir>
#include <QFileInfo>


TableContent::TableContent(PlotWindow &window)
    : m_folder(window.programFolder())
    , m_table(&window.document()->table())
    , m_background(window.view()->backgroundPicture())
    , m_window(&window)
    , m_name(QFileInfo(window.path()).completeBaseName())
{
    // Elements added while the window is open stack over the ones it opened
    // with, icons and notes mixed: the scene's order is the one to keep.
    m_order = window.scene()->stackingOrder();
}

TableContent::TableContent(const QString &file, const ProgramFolder &folder)
    : m_folder(folder)
    , m_own(std::make_unique<PlotTable>(PlotElement(), noteTemplate()))
    , m_table(m_own.get())
    , m_name(QFileInfo(file).completeBaseName())
{
    const QString shown = QDir::toNativeSeparators(file);
    if (!QFileInfo(file).isFile()) {
        m_error = QStringLiteral("%1: no such plot table").arg(shown);
        return;
    }
    PlotTableReader reader;
    switch (reader.read(file, *m_own)) {
    case PlotTableReader::OpenFailed:
        m_error = QStringLiteral("%1: cannot be read: %2").arg(shown, reader.errorString());
        return;
    case PlotTableReader::Incomplete:
        // As when a window closes: what ends before its [Notes] line is not
        // taken for a plot table.
        m_error = QStringLiteral("%1: it ends before its [Notes] line, so it is no Plot Table")
                      .arg(shown);
        return;
    case PlotTableReader::Complete:
        break;
    }
    sizeIconsToPictures();
    const QString relative = QStringLiteral("Plot Templates/") + m_own->backgroundName;
    m_background = m_pictures.picture(m_folder, relative);
    if (m_background.isNull()) {
        const QSize tooLarge = m_pictures.tooLargeSize(relative);
        const QString picture = QDir::toNativeSeparators(m_folder.templateFile(m_own->backgroundName));
        m_warnings.append(tooLarge.isValid()
                              ? QStringLiteral("%1: the background picture '%2' is %3 x %4 "
                                               "pixels, more than this computer can hold for "
                                               "one picture; drawn without it")
                                    .arg(shown, picture)
                                    .arg(tooLarge.width())
                                    .arg(tooLarge.height())
                              : QStringLiteral("%1: the background picture '%2' cannot be found "
                                               "in the 'Plot Templates' directory; drawn without "
                                               "it")
                                    .arg(shown, picture));
    }
}

void TableContent::sizeIconsToPictures()
{
    // As the window does: an icon takes its picture's size.
    for (int n = 1; n <= m_own->icons.count(); ++n) {
        PlotElement &icon = m_own->icons[n];
        const QPixmap picture = icon.pictureKey.isEmpty() ? QPixmap() : iconPicture(icon.pictureKey);
        if (!picture.isNull()) {
            icon.width = float(Twips::fromPixels(picture.width()));
            icon.height = float(Twips::fromPixels(picture.height()));
        }
    }
}

QPixmap TableContent::iconPicture(const QString &key) const
{
    if (m_window)
        return m_window->iconPicture(key);
    return m_pictures.picture(m_folder, IconSet::picturePath(m_table->iconSetName, key));
}

TableRenderer TableContent::renderer() const
{
    TableRenderer renderer(*m_table, m_background,
                           [this](const QString &key) { return iconPicture(key); });
    renderer.setStackingOrder(m_order);
    return renderer;
}
