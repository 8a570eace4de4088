#include "IconSet.h"

#include "CaseInsensitivePath.h"
#include "PlotElement.h"

#include <QFile>
#include <QFileInfo>

namespace IconSet {

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
    qint16 n = 0;
    // One file object tries every name: making one per name costs more
    // than opening the file does.
    QFile file;
    while (n < IconNumber::Max) {
        // Opening for reading is the test: a file that is there but cannot
        // be read ends the set as a missing one does. The name as written
        // is tried first; only when it fails is the folder searched for
        // another spelling of it.
        const QString name = QStringLiteral("icon_") + QString::number(n + 1)
                             + QStringLiteral(".jpg");
        file.setFileName(folder + u'/' + name);
        if (!file.open(QIODevice::ReadOnly)) {
            file.setFileName(paths.resolveIn(folder, name));
            if (!file.open(QIODevice::ReadOnly))
                break;
        }
        file.close();
        ++n;
    }
    return n;
}

} // namespace IconSet
