#include "IconSet.h"

#include "CaseInsensitivePath.h"
#include "PlotElement.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace IconSet {

namespace {

// Tells whether a name in one folder opens for reading as a file: opening
// is the test of an icon's presence, so a file that is there but cannot be
// read ends the set as a missing one does. Names are opened relative to
// the open folder, which for thousands of them takes half the time of
// going through full paths and QFile.
class FolderProbe
{
public:
    explicit FolderProbe(const QString &folder) : m_folder(folder)
    {
#ifdef Q_OS_UNIX
        m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
    }
    ~FolderProbe()
    {
#ifdef Q_OS_UNIX
        if (m_fd >= 0)
            ::close(m_fd);
#endif
    }
    FolderProbe(const FolderProbe &) = delete;
    FolderProbe &operator=(const FolderProbe &) = delete;

    bool opens(const QString &name) const
    {
#ifdef Q_OS_UNIX
        if (m_fd < 0)
            return false;
        const int fd = ::openat(m_fd, QFile::encodeName(name).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        // A folder opens too, but is no picture file.
        struct stat status;
        const bool file = ::fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode);
        ::close(fd);
        return file;
#else
        QFile file(m_folder + u'/' + name);
        return file.open(QIODevice::ReadOnly);
#endif
    }

private:
    QString m_folder;
#ifdef Q_OS_UNIX
    int m_fd = -1;
#endif
};

} // namespace

QString picturePath(const QString &iconSetName, const QString &key)
{
    return QStringLiteral("Icons/") + iconSetName + QStringLiteral("/icon_") + key
           + QStringLiteral(".jpg");
}

qint16 count(const CaseInsensitivePath &paths, const QString &iconSetName)
{
    const QString folder = paths.resolve(QStringLiteral("Icons/") + iconSetName);
    if (!QFileInfo(folder).isDir())
        return 0;
    const FolderProbe probe(folder);
    qint16 n = 0;
    while (n < IconNumber::Max) {
        // The name as written is tried first; only when it fails is the
        // folder searched for another spelling of it.
        const QString name = QStringLiteral("icon_") + QString::number(n + 1)
                             + QStringLiteral(".jpg");
        if (!probe.opens(name)) {
            const QString spelling = QFileInfo(paths.resolveIn(folder, name)).fileName();
            if (spelling == name || !probe.opens(spelling))
                break;
        }
        ++n;
    }
    return n;
}

} // namespace IconSet
