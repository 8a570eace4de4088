#include "JournalWriter.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// How long appends gather before they are written and synced: well within
// the second in which an edit must reach the disk.
constexpr int kGatherMs = 200;

// What a replacing journal is called until it takes the journal's name.
QString pendingName(const QString &journalPath)
{
    return journalPath + QStringLiteral(".new");
}

// A journal left by an earlier session, which recovery has dealt with, is
// made room for; only ever a regular file, never what a link points to.
void removeStale(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info;
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &info) == 0 && S_ISREG(info.st_mode))
        ::unlink(name.constData());
#else
    if (QFileInfo(path).isFile() && !QFileInfo(path).isSymLink())
        QFile::remove(path);
#endif
}

} // namespace

JournalWriter::JournalWriter(QObject *parent) : QObject(parent) {}

JournalWriter::~JournalWriter()
{
    stop(false);
}

bool JournalWriter::start(const QString &journalPath, const TableIdentity &identity,
                          const QByteArray &base, Mode mode)
{
    stop(false);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.clear();
        m_queuedBytes = 0;
        m_syncedBytes = 0;
        m_errorString.clear();
        m_path.clear();
    }

    const QString openPath = mode == Replacing ? pendingName(journalPath) : journalPath;
    removeStale(openPath);
    QString error;
    if (!openFile(openPath, &error)) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_errorString = error;
        return false;
    }
    m_openPath = openPath;
    // Opening a table must not wait for the disk any more than an edit
    // does: the header, with a copy of the table, is written and synced by
    // the worker, ahead of every record.
    const QByteArray header = JournalFile::header(identity, base);

    std::lock_guard<std::mutex> lock(m_mutex);
    m_pending = header;
    m_queuedBytes = header.size();
    m_path = journalPath;
    m_running = true;
    m_stopping = false;
    m_worker = std::thread(&JournalWriter::run, this);
    return true;
}

bool JournalWriter::commit()
{
    if (!flush())
        return false;
    const QString path = journalPath();
    std::lock_guard<std::mutex> file(m_fileMutex);
    if (m_openPath == path)
        return true;
#ifdef Q_OS_UNIX
    if (::rename(QFile::encodeName(m_openPath).constData(), QFile::encodeName(path).constData())
        != 0)
        return false;
#else
    QFile::remove(path);
    if (!QFile::rename(m_openPath, path))
        return false;
#endif
    m_openPath = path;
    syncFolder();
    return true;
}

void JournalWriter::append(const JournalRecord &record)
{
    if (!record.isValid()) {
        qWarning("JournalWriter: dropped an invalid record (type %d, element %d)",
                 int(record.type), int(record.element));
        return;
    }
    // Encoding happens outside the lock: the worker only ever waits for
    // the lock while another append copies bytes.
    const QByteArray framed = JournalFile::frame(encode(record));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_running || m_stopping || !m_errorString.isEmpty())
            return;
        m_pending.append(framed);
        m_queuedBytes += framed.size();
    }
    m_wake.notify_one();
}

bool JournalWriter::flush()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const qint64 target = m_queuedBytes;
    m_flushWanted = true;
    m_wake.notify_one();
    m_synced.wait(lock, [&] {
        return !m_running || m_syncedBytes >= target || !m_errorString.isEmpty();
    });
    return m_running && m_errorString.isEmpty();
}

void JournalWriter::discard()
{
    stop(true);
    QString path;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        path.swap(m_path);
    }
    // A file someone put in its place is theirs, not ours to delete.
    if (!path.isEmpty() && stillOurs(m_openPath))
        QFile::remove(m_openPath);
}

bool JournalWriter::ok() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_running && m_errorString.isEmpty();
}

QString JournalWriter::errorString() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_errorString;
}

QString JournalWriter::journalPath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_path;
}

void JournalWriter::run()
{
    syncFolder();
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_pending.isEmpty(); });
        if (m_pending.isEmpty())
            break; // stopping, and everything is written
        // A carry appends a record for every mouse move. They gather for a
        // moment and go out together: a sync for each would keep the disk,
        // and on a small machine the processor, busy under the user's hand.
        m_wake.wait_for(lock, std::chrono::milliseconds(kGatherMs),
                        [this] { return m_stopping || m_flushWanted; });
        m_flushWanted = false;
        // Everything that gathered meanwhile goes out together, so a burst
        // of appends costs one sync, not many.
        QByteArray batch;
        batch.swap(m_pending);
        lock.unlock();
        QString error;
        bool written = false;
        bool renewed = false;
        QString openPath;
        {
            std::lock_guard<std::mutex> file(m_fileMutex);
            // A journal deleted meanwhile would take every later change
            // with it; one replaced by another file is not ours to write.
            switch (fileState()) {
            case Ours:
                written = true;
                break;
            case Vanished:
                written = renewed = restart(&error);
                break;
            case Replaced:
                error = QStringLiteral("%1 was replaced by another file").arg(m_openPath);
                break;
            }
            written = written && writeAll(batch, &error) && sync(&error);
            openPath = m_openPath;
        }
        if (renewed) {
            QMetaObject::invokeMethod(
                this, [this, openPath] { emit restarted(openPath); }, Qt::QueuedConnection);
        }
        lock.lock();
        if (written) {
            m_syncedBytes += batch.size();
        } else {
            m_errorString = error;
            m_pending.clear();
            lock.unlock();
            m_synced.notify_all();
            // Queued, so receivers run in the writer's thread, after this
            // worker has let go of the lock.
            QMetaObject::invokeMethod(
                this, [this, error] { emit failed(error); }, Qt::QueuedConnection);
            lock.lock();
            // append() queues nothing more; wait only to be stopped.
            m_wake.wait(lock, [this] { return m_stopping; });
            break;
        }
        m_synced.notify_all();
    }
}

void JournalWriter::syncFolder()
{
#ifdef Q_OS_UNIX
    // The new file's name lives in the folder: sync that too, or a crash
    // soon after could lose the journal itself rather than its tail.
    const QByteArray folder = QFile::encodeName(QFileInfo(m_openPath).absolutePath());
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
#endif
}

void JournalWriter::stop(bool dropPending)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_running)
            return;
        m_stopping = true;
        if (dropPending)
            m_pending.clear();
    }
    m_wake.notify_one();
    m_worker.join();
    closeFile();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_running = false;
        m_stopping = false;
    }
    m_synced.notify_all();
}

#ifdef Q_OS_UNIX

bool JournalWriter::openFile(const QString &path, QString *error)
{
    // Only a file made here and now: O_EXCL fails on anything at the path,
    // a dangling link too, so nothing is ever written through a link, and
    // O_NONBLOCK keeps a FIFO from holding the open.
    const QByteArray name = QFile::encodeName(path);
    do {
        m_fd = ::open(name.constData(),
                      O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        *error = errno == EEXIST
            ? QStringLiteral("%1 is there and is not a regular file").arg(path)
            : QStringLiteral("Cannot create %1: %2").arg(path, qt_error_string(errno));
        return false;
    }
    struct stat info;
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = QStringLiteral("%1 is not a regular file").arg(path);
        closeFile();
        return false;
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_device = quint64(info.st_dev);
    m_inode = quint64(info.st_ino);
    return true;
}

JournalWriter::FileState JournalWriter::fileState() const
{
    struct stat mine;
    if (::fstat(m_fd, &mine) != 0)
        return Ours; // nothing to tell; the write will say what is wrong
    struct stat there;
    if (::lstat(QFile::encodeName(m_openPath).constData(), &there) != 0)
        return errno == ENOENT ? Vanished : Ours;
    const bool same = quint64(there.st_dev) == m_device && quint64(there.st_ino) == m_inode;
    if (same && mine.st_nlink > 0)
        return Ours;
    return Replaced;
}

bool JournalWriter::stillOurs(const QString &path) const
{
    struct stat there;
    return ::lstat(QFile::encodeName(path).constData(), &there) == 0 && S_ISREG(there.st_mode)
        && quint64(there.st_dev) == m_device && quint64(there.st_ino) == m_inode;
}

bool JournalWriter::restart(QString *error)
{
    // Our descriptor still holds every byte written: the header with the
    // table as read, and every change since. They go to a new file under
    // the journal's name, which then takes the old one's place.
    const int old = m_fd;
    if (!openFile(m_openPath, error)) {
        m_fd = old;
        return false;
    }
    char buffer[1 << 16];
    off_t at = 0;
    for (;;) {
        const ssize_t got = ::pread(old, buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *error = QStringLiteral("Cannot copy the journal: %1").arg(qt_error_string(errno));
            break;
        }
        if (got == 0 || !writeAll(QByteArray::fromRawData(buffer, got), error))
            break;
        at += got;
    }
    ::close(old);
    if (!error->isEmpty() || !sync(error))
        return false;
    syncFolder();
    return true;
}

void JournalWriter::closeFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool JournalWriter::writeAll(const QByteArray &bytes, QString *error)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(m_fd, data, size_t(left));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            // A write of nothing would repeat forever; call it what it is.
            const int code = count < 0 ? errno : ENOSPC;
            *error = QStringLiteral("Cannot write the journal: %1").arg(qt_error_string(code));
            return false;
        }
        data += count;
        left -= count;
    }
    return true;
}

bool JournalWriter::sync(QString *error)
{
    int result;
    do {
#ifdef Q_OS_LINUX
        result = ::fdatasync(m_fd);
#else
        result = ::fsync(m_fd);
#endif
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
        *error = QStringLiteral("Cannot sync the journal: %1").arg(qt_error_string(errno));
        return false;
    }
    return true;
}

#else

JournalWriter::FileState JournalWriter::fileState() const
{
    return Ours;
}

bool JournalWriter::stillOurs(const QString &path) const
{
    return QFileInfo(path).isFile();
}

bool JournalWriter::restart(QString *)
{
    return true;
}

bool JournalWriter::openFile(const QString &path, QString *error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = QStringLiteral("Cannot create %1: %2").arg(path, m_file.errorString());
        return false;
    }
    return true;
}

void JournalWriter::closeFile()
{
    m_file.close();
}

bool JournalWriter::writeAll(const QByteArray &bytes, QString *error)
{
    if (m_file.write(bytes) != bytes.size()) {
        *error = QStringLiteral("Cannot write the journal: %1").arg(m_file.errorString());
        return false;
    }
    return true;
}

bool JournalWriter::sync(QString *error)
{
    // No portable data sync here; flush() at least hands the bytes to the
    // system, which keeps them through a crash of the editor.
    if (!m_file.flush()) {
        *error = QStringLiteral("Cannot write the journal: %1").arg(m_file.errorString());
        return false;
    }
    return true;
}

#endif
