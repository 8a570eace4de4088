#pragma once

#include <QString>

#include <memory>

class TableLock;
class WindowServices;

// Settles, as a table opens, how its window may have it: as its only
// writer (holding the table's lock), read-only, or as a second writer
// beside another Quenbrack that has it, when its user says so. The lock is
// held for as long as this lives or until release().
class TableAccess
{
public:
    enum Mode { Own, Shared, ReadOnly, Cancelled };

    explicit TableAccess(WindowServices &services);
    ~TableAccess();

    // file: the table's canonical file. Takes the lock, or asks the user
    // who has it what to do: "Open Read-Only", "Open Anyway" or "Cancel".
    Mode open(const QString &file);
    // What the status bar says about it, once; empty when all is as usual.
    QString notice() const { return m_notice; }
    bool holdsLock() const;
    void release();

    static QString lockQuestion(const QString &file, const QString &user, const QString &host,
                                bool otherHost, const QString &since);

private:
    WindowServices &m_services;
    std::unique_ptr<TableLock> m_lock;
    QString m_notice;
};
