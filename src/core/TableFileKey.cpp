#include "TableFileKey.h"

#include <QDir>
#include <QFileInfo>

QString TableFileKey::of(const QString &file)
{
    if (file.isEmpty())
        return file;
    const QFileInfo info(file);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // Missing: the folder may still be reached by a link or another
    // spelling, and a table saved there later is the same one.
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    const QFileInfo cleaned(absolute);
    const QString folder = QFileInfo(cleaned.path()).canonicalFilePath();
    return folder.isEmpty() ? absolute : folder + u'/' + cleaned.fileName();
}
