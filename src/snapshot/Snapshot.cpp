#include "Snapshot.h"

#include "PlotView.h"

#include <QImageWriter>
#include <QPixmap>
#include <QSaveFile>

namespace Snapshot {

QImage capture(PlotView &view)
{
    // Grabbing repaints the view first, so a frame hidden just before (the
    // palette) is not in the picture.
    QPixmap copy = view.grab(view.viewport()->rect());
    copy.setDevicePixelRatio(1.0);
    return copy.toImage();
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
