#pragma once

#include "JournalFile.h"
#include "JournalRecord.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

#ifndef Q_OS_UNIX
#include <QFile>
#endif

// Appends the changes made to an open table to its journal. The editor must
// never stutter on a slow disk, so append() only encodes and queues; a
// worker thread, woken by an append, lets appends gather for a fifth of a
// second, then writes and syncs them together, so a change is on disk well
// within a second.
class JournalWriter : public QObject
{
    Q_OBJECT

public:
    explicit JournalWriter(QObject *parent = nullptr);
    // Writes what is queued and stops, but keeps the file: ending without
    // discard() is what a crash looks like, and the journal must survive it.
    ~JournalWriter() override;

    // Starts the journal: a new regular file of our own, never anything
    // reached through a link and never a FIFO or device, which are left as
    // they are (start() then fails and says why). A regular file already at
    // the path is a journal that recovery has dealt with, and is replaced.
    // On false, errorString() says why and append() does nothing. A
    // journal already started is finished first and kept.
    // base: the table's bytes as read, kept in the journal's header. The
    // header reaches the disk like any record, from the worker.
    // Replacing: the journal at the path is still the only copy of a
    // session's changes; the new one is written under a name of its own
    // and takes the path only at commit(), once it holds as much.
    enum Mode { Fresh, Replacing };
    bool start(const QString &journalPath, const TableIdentity &identity,
               const QByteArray &base = {}, Mode mode = Fresh);
    // Replacing: puts everything appended on disk, then gives the new
    // journal the path in one rename. False, with the old journal left as
    // it was, when that fails.
    bool commit();

    // Queues a record; never waits for the disk. Does nothing before a
    // successful start(), after a write failed, or after discard(). An
    // invalid record is dropped with a warning: it could not be read back,
    // and a replay stops at the first record it cannot read.
    // Safe to call from any thread.
    void append(const JournalRecord &record);

    // Blocks until everything appended so far is on disk. Returns ok().
    bool flush();

    // The table was saved or closed cleanly: drops what is queued, stops the
    // worker and deletes the journal, if the file at the path is still ours.
    void discard();

    // True while a journal is open and no write to it has failed.
    bool ok() const;
    QString errorString() const;
    QString journalPath() const;

signals:
    // The first write or sync error after start(); later records are not
    // written, so it is sent once. Delivered in the writer's thread.
    void failed(const QString &errorString);
    // The journal was deleted behind our back and has been written again
    // in full. Delivered in the writer's thread.
    void restarted(const QString &journalPath);

private:
    void run();
    void syncFolder();
    void stop(bool dropPending);
    bool openFile(const QString &path, QString *error);
    void closeFile();
    bool writeAll(const QByteArray &bytes, QString *error);
    bool sync(QString *error);
    enum FileState { Ours, Vanished, Replaced };
    FileState fileState() const;
    bool restart(QString *error);
    bool stillOurs(const QString &path) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;    // for the worker: bytes or stop
    std::condition_variable m_synced;  // for flush(): progress or failure
    std::thread m_worker;

    // Guarded by m_mutex.
    QByteArray m_pending;
    qint64 m_queuedBytes = 0;  // appended since start()
    qint64 m_syncedBytes = 0;  // of those, written and synced
    bool m_running = false;
    bool m_stopping = false;
    bool m_flushWanted = false;
    QString m_errorString;
    QString m_path;

    // Used by start() before the worker runs, by the worker, and by stop()
    // after it ended; commit() takes m_fileMutex to rename meanwhile.
    std::mutex m_fileMutex;
    QString m_openPath; // the file's name: the journal's, or the one it has until commit()
#ifdef Q_OS_UNIX
    int m_fd = -1;
    quint64 m_device = 0; // which file m_fd is, to tell it from another at the path
    quint64 m_inode = 0;
#else
    QFile m_file;
#endif
};
