#include "PictureCache.h"

#include "ProgramFolder.h"

#include <QImageReader>

QPixmap loadPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QPixmap PictureCache::picture(const ProgramFolder &folder, const QString &relative)
{
    auto found = m_pictures.constFind(relative);
    if (found != m_pictures.constEnd())
        return *found;
    const QPixmap loaded = loadPicture(folder.resolve(relative));
    m_pictures.insert(relative, loaded);
    return loaded;
}
