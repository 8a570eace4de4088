#pragma once

#include "JournalFile.h"
#include "JournalReader.h"
#include "ProgramFolder.h"

#include <QByteArray>
#include <QString>

class WindowServices;

// What to do with the journal a session left beside a table it never
// closed, decided as the table opens. Whatever the answer, the changes in
// it are never simply dropped: they are replayed, kept as a plot table of
// their own, or the journal stays as it is, set aside when it cannot be
// used. Only a journal that holds no change at all is deleted.
class RecoveryChoice
{
public:
    enum Outcome {
        Open,    // open the table as read; nothing (more) to replay
        Replay,  // open it and replay reader()'s records
        Cancel   // do not open it now; the journal is left untouched
    };

    RecoveryChoice(WindowServices &services, const ProgramFolder &folder);

    // file: the table; identity and bytes: the table as it was just read.
    Outcome decide(const QString &file, const TableIdentity &identity, const QByteArray &bytes);

    // After Replay: the journal, at its first record.
    JournalReader &reader() { return m_reader; }
    // Something for the status bar, said after the table opened.
    QString statusText() const { return m_status; }

    // A free name beside the table for the changes kept apart from it:
    // "<name> (recovered).plt", numbered when that is taken.
    static QString recoveredName(const QString &file);
    // Renames (or, when keep is Link, links) the journal to a free name
    // ending in suffix; returns that name, empty on failure.
    enum Keep { Rename, Link };
    static QString setAside(const QString &journalPath, const QString &suffix, Keep keep = Rename);

private:
    int countSteps();
    void sayAside(const QString &journalPath, const QString &suffix, const QString &why);
    Outcome keepAsCopy(const QString &file, const QByteArray &bytes, int steps);
    Outcome offerCopy(const QString &file, int steps);

    WindowServices &m_services;
    ProgramFolder m_folder;
    JournalReader m_reader;
    QString m_status;
};
