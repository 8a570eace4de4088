#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>

// The sign beside a table that someone has it open for writing: a lock
// file under a hidden name in the table's folder (".<name>.lock"), so that
// a second Quenbrack, on this computer or another one sharing the folder,
// can tell its user who has the table and since when.
//
// The lock holds what QLockFile writes (process id, program, host) and,
// after it, the user's name and the time it was taken. A lock left by a
// process of this host that is gone (a crash, a kill) is taken over
// without a word; one from another host is never broken: only its user
// knows whether that Quenbrack still runs.
class TableLock
{
public:
    enum Result {
        Taken,        // this process holds the lock now
        HeldByOther,  // someone else holds it: see holder()
        Unavailable   // no lock can be made there (a read-only folder...)
    };

    struct Holder
    {
        QString user;
        QString host;
        qint64 pid = 0;
        QDateTime since;
        bool otherHost = false;
    };

    // tableFile: the table's file by its canonical key (TableFileKey).
    explicit TableLock(const QString &tableFile);
    ~TableLock();
    TableLock(const TableLock &) = delete;
    TableLock &operator=(const TableLock &) = delete;

    static QString lockPathFor(const QString &tableFile);

    Result tryTake();
    bool isTaken() const;
    // Who holds the lock, as its file says; after HeldByOther.
    Holder holder() const;
    // Why the lock could not be made; after Unavailable.
    QString errorString() const { return m_errorString; }
    void release();

    // The name of the user this process runs as.
    static QString userName();

private:
    void writeOwner();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_errorString;
};
