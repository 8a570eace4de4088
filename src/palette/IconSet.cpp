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
    while (n < IconNumber::Max) {
        // Opening for reading is the test: a file that is there but cannot
        // be read ends the set as a missing one does.
        QFile file(paths.resolveIn(folder, QStringLiteral("icon_%1.jpg").arg(n + 1)));
        if (!file.open(QIODevice::ReadOnly))
            break;
        ++n;
    }
    return n;
}

} // namespace IconSet
