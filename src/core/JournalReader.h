#pragma once

#include "JournalFile.h"
#include "JournalRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>

class QIODevice;

// Reads a recovery journal record by record, so that recovering costs the
// table's size and a record's, never the journal's: a journal can grow for
// as long as a table stays open, and one far larger than any session makes
// is not read at all.
class JournalReader
{
public:
    enum Status {
        Ok,
        Missing,    // nothing at the path
        NotRegular, // a link, a FIFO, a device or a folder: never opened
        Unreadable, // could not be opened or read
        Damaged,    // no usable header
        Newer,      // written by a later Quenbrack
        TooLarge    // larger than MaxSize
    };

    // Past this a journal is no session's: hours of carrying write a few MB.
    static constexpr qint64 MaxSize = qint64(1) << 30;

    // Opens the journal at path without following a link or waiting on a
    // FIFO, and reads its header and the table copy. False when status()
    // is not Ok.
    bool open(const QString &path);
    // The same on a device already open for reading (for the fuzzer).
    bool open(QIODevice *device);

    Status status() const { return m_status; }
    QString errorString() const { return m_errorString; }
    const TableIdentity &identity() const { return m_identity; }
    // The table's bytes as read, kept in the header; empty when the copy
    // was damaged (baseIntact() false), though the records may be whole.
    const QByteArray &base() const { return m_base; }
    bool baseIntact() const { return m_baseIntact; }

    // The next complete record. False at the end, or at the first record
    // that is cut short or damaged; tornTail() tells the two apart.
    bool next(JournalRecord &record);
    bool tornTail() const { return m_tornTail; }
    // Back to the first record, for a second pass.
    bool rewind();

private:
    bool fail(Status status, const QString &message);
    bool readHeader();
    bool readExactly(char *into, qint64 count);

    QFile m_file;
    QIODevice *m_device = nullptr;
    Status m_status = Missing;
    QString m_errorString;
    TableIdentity m_identity;
    QByteArray m_base;
    bool m_baseIntact = false;
    bool m_tornTail = false;
    bool m_ended = false;
    qint64 m_firstRecord = 0;
    qint64 m_size = 0;
    qint64 m_maxPayload = 0;
    QByteArray m_payload; // reused from record to record
};
