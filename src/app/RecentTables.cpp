#include "RecentTables.h"

#include <QSettings>

namespace {

const QString kKey = QStringLiteral("recentTables");

// The user's settings, not the machine's: each user has a list of their own.
QSettings userSettings()
{
    return QSettings(QStringLiteral("Brindlemoor"), QStringLiteral("Quenbrack"));
}

} // namespace

RecentTables::RecentTables(QObject *parent)
    : QObject(parent)
{
}

QStringList RecentTables::paths() const
{
    // A list edited by hand may hold more or empty entries.
    QStringList paths = userSettings().value(kKey).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, MaxCount);
}

void RecentTables::add(const QString &path)
{
    QStringList list = paths();
    list.removeAll(path);
    list.prepend(path);
    store(list.mid(0, MaxCount));
}

void RecentTables::remove(const QString &path)
{
    QStringList list = paths();
    if (list.removeAll(path) > 0)
        store(list);
}

void RecentTables::store(const QStringList &paths)
{
    QSettings settings = userSettings();
    settings.setValue(kKey, paths);
    settings.sync();
    emit changed();
}
