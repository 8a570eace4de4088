#include "TableWatcher.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QPointer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// Long enough for a writer to finish a burst of writes, short enough that
// the change shows well within a second.
constexpr int kSettleMs = 150;
constexpr int kPollMs = 2000;

// The program's one watch, made with the first table, gone with the
// program; and how many tables want each of its paths.
QFileSystemWatcher &sharedWatch()
{
    static QPointer<QFileSystemWatcher> watch;
    if (!watch)
        watch = new QFileSystemWatcher(QCoreApplication::instance());
    return *watch;
}

QHash<QString, int> &wantedPaths()
{
    static QHash<QString, int> counts;
    return counts;
}

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

bool TableWatcher::Stamp::operator==(const Stamp &other) const
{
    return exists == other.exists && size == other.size && modifiedNs == other.modifiedNs
        && changedNs == other.changedNs && inode == other.inode;
}

TableWatcher::TableWatcher(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    m_poll.setInterval(kPollMs);
    connect(&m_settle, &QTimer::timeout, this, &TableWatcher::check);
    connect(&m_poll, &QTimer::timeout, this, &TableWatcher::check);
    QFileSystemWatcher &watch = sharedWatch();
    connect(&watch, &QFileSystemWatcher::fileChanged, this, &TableWatcher::noticed);
    connect(&watch, &QFileSystemWatcher::directoryChanged, this, &TableWatcher::noticed);
}

TableWatcher::~TableWatcher()
{
    stop();
}

void TableWatcher::want(const QString &path)
{
    m_wanted.append(path);
    // A file not there yet is watched once it is (watchAgain).
    if (wantedPaths()[path]++ == 0 && QFileInfo::exists(path))
        sharedWatch().addPath(path);
}

void TableWatcher::unwant(const QString &path)
{
    auto count = wantedPaths().find(path);
    if (count == wantedPaths().end())
        return;
    if (--*count == 0) {
        wantedPaths().erase(count);
        sharedWatch().removePath(path);
    }
}

void TableWatcher::watch(const QString &file, const QByteArray &bytes)
{
    stop();
    m_file = file;
    m_hash = hashOf(bytes);
    m_stamp = stampOf(file);
    want(QFileInfo(file).path());
    want(file);
    watchAgain();
    m_poll.start();
}

void TableWatcher::stop()
{
    m_settle.stop();
    m_poll.stop();
    for (const QString &path : std::as_const(m_wanted))
        unwant(path);
    m_wanted.clear();
    m_file.clear();
}

void TableWatcher::noticed(const QString &path)
{
    if (!m_file.isEmpty() && m_wanted.contains(path))
        m_settle.start();
}

void TableWatcher::watchAgain()
{
    // A file renamed over the watched one, or deleted and made again, is
    // no longer watched by the system.
    QFileSystemWatcher &watch = sharedWatch();
    if (!watch.files().contains(m_file) && QFileInfo::exists(m_file))
        watch.addPath(m_file);
}

TableWatcher::Stamp TableWatcher::stampOf(const QString &file)
{
    Stamp stamp;
#ifdef Q_OS_UNIX
    struct stat status = {};
    if (::stat(QFile::encodeName(file).constData(), &status) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = status.st_size;
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    stamp.changedNs = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    stamp.inode = quint64(status.st_ino);
#else
    const QFileInfo info(file);
    stamp.exists = info.exists();
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

void TableWatcher::check()
{
    if (m_file.isEmpty())
        return;
    watchAgain();
    // The folder's own notices (a journal or a lock made beside the table)
    // and the poll cost a look at the file's stamp, not a read.
    const Stamp now = stampOf(m_file);
    if (now == m_stamp)
        return;
    m_stamp = now;
    if (!now.exists)
        return; // gone for now; a file made there again is a change
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return;
    const QByteArray hash = hashOf(bytes);
    if (hash == m_hash)
        return;
    m_hash = hash;
    emit changed(bytes);
}
