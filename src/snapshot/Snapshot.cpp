#include "Snapshot.h"

#include "PlotView.h"

#include <QImageWriter>
#include <QSaveFile>

namespace Snapshot {

QImage capture(PlotView &view)
{
    // Grabbing repaints the view first, so a frame hidden just before (the
    // palette) is not in the picture. The picture is at actual size, one
    // pixel per pixel of the table, whatever the window's zoom.
    return view.grabAtActualSize();
}

bool save(const QImage &picture, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(picture)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace Snapshot
