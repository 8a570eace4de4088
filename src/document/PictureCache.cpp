#include "PictureCache.h"

#include "ProgramFolder.h"

#include <QImageReader>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Qt refuses pictures above 128 MB, about 5,700 x 5,700 pixels, where a
// scanned chart or floor plan of 8000 x 8000 is common. One picture may
// take up to 1 GB, or a quarter of the memory of a smaller machine.
int pictureLimitMegabytes()
{
    qint64 megabytes = 1024;
#ifdef Q_OS_UNIX
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        megabytes = qMin(megabytes, qint64(pages) / 4 * pageSize / (1024 * 1024));
#endif
    return int(qMax<qint64>(megabytes, 128));
}

QPixmap loadPicture(const QString &path, QSize *tooLarge)
{
    static const int limit = [] {
        const int megabytes = pictureLimitMegabytes();
        QImageReader::setAllocationLimit(megabytes);
        return megabytes;
    }();
    QImageReader reader(path);
    reader.setAutoTransform(false);
    // From the header, before the picture is refused for it.
    const QSize size = reader.size();
    const QImage image = reader.read();
    if (!image.isNull())
        return QPixmap::fromImage(image);
    // The reader gives no reason of its own for a refusal; a picture whose
    // 32-bit pixels would not fit the limit is taken as refused for its size.
    if (tooLarge && size.isValid()
        && qint64(size.width()) * size.height() * 4 > qint64(limit) * 1024 * 1024)
        *tooLarge = size;
    return QPixmap();
}

QPixmap PictureCache::picture(const ProgramFolder &folder, const QString &relative)
{
    auto found = m_pictures.constFind(relative);
    if (found != m_pictures.constEnd())
        return *found;
    QSize tooLarge;
    const QPixmap loaded = loadPicture(folder.resolve(relative), &tooLarge);
    m_pictures.insert(relative, loaded);
    if (tooLarge.isValid())
        m_tooLarge.insert(relative, tooLarge);
    return loaded;
}
