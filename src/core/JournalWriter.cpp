#include "JournalWriter.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// How long appends gather before they are written and synced: well within
// the second in which an edit must reach the disk.
constexpr int kGatherMs = 200;

// Only ever a regular file: a journal path that names a device (say
// /dev/full, which accepts the open and fails the write) must survive.
void removeJournal(const QString &path)
{
    if (QFileInfo(path).isFile())
        QFile::remove(path);
}

} // namespace

JournalWriter::JournalWriter(QObject *parent) : QObject(parent) {}

JournalWriter::~JournalWriter()
{
    stop(false);
}

bool JournalWriter::start(const QString &journalPath, const TableIdentity &identity,
                          const QByteArray &base)
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

    QString error;
    if (!openFile(journalPath, &error)) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_errorString = error;
        return false;
    }
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
    if (!path.isEmpty())
        removeJournal(path);
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
        const bool written = writeAll(batch, &error) && sync(&error);
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
    const QByteArray folder = QFile::encodeName(QFileInfo(journalPath()).absolutePath());
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
    const QByteArray name = QFile::encodeName(path);
    do {
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        *error = QStringLiteral("Cannot create %1: %2").arg(path, qt_error_string(errno));
        return false;
    }
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

bool JournalWriter::openFile(const QString &path, QString *error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
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
