#pragma once

#include "JournalRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The table file as the editor read it. A journal holds changes to those
// very bytes; replayed onto anything else they would move the wrong icons,
// so recovery compares this with the table as it is now.
struct TableIdentity
{
    enum State : quint8 {
        Absent = 0,    // no file there: a table never saved, or deleted
        Present = 1,   // read; size, modified and sha256 describe it
        Unreadable = 2 // something is there that could not be read
    };

    State state = Absent;
    qint64 size = 0;
    qint64 modified = 0;  // ms since the epoch; 0 when Absent
    QByteArray sha256;    // 32 bytes when Present, empty otherwise
};

bool operator==(const TableIdentity &a, const TableIdentity &b);
inline bool operator!=(const TableIdentity &a, const TableIdentity &b)
{
    return !(a == b);
}

// The recovery journal on disk: a header naming the table, then records,
// each framed as a little-endian quint32 payload length, the payload and
// the CRC-32 of the payload. Records are only ever appended, so a kill can
// only damage the last one; reading stops there. The header holds the
// table's identity twice, each copy with its own CRC, so that one damaged
// byte there does not cost the records behind it.
class JournalFile
{
public:
    struct ReadResult
    {
        bool ok = false;       // false: no usable header, nothing else is set
        QString errorString;
        bool newer = false;    // written by a later Quenbrack
        TableIdentity identity;
        QByteArray base; // the table's bytes as they were read
        QList<JournalRecord> records; // every complete record, in order
        // Bytes after the last complete record were dropped: a record cut
        // short by a kill, or one whose CRC or payload is wrong.
        bool tornTail = false;
    };

    static constexpr quint32 Version = 2;

    // The layout: a text line, so that someone opening the file sees what it
    // is; the version; then per copy of the identity its state, size,
    // modified time, SHA-256 and the CRC-32 of those. Version 1 had one copy.
    static constexpr char Magic[] = "Quenbrack journal\n";
    static constexpr qsizetype MagicSize = sizeof Magic - 1;
    static constexpr qsizetype IdentitySize = 1 + 8 + 8 + 32 + 4;
    static constexpr qsizetype headerSize(quint32 version)
    {
        return MagicSize + 4 + (version == 1 ? 1 : 2) * IdentitySize;
    }
    static constexpr qsizetype FrameOverhead = 4 + 4;

    // The header, then the table's bytes as read (framed like a record):
    // with them a journal can still give back the edited table when the
    // file has been changed since by someone else.
    static QByteArray header(const TableIdentity &identity, const QByteArray &base = {});
    static TableIdentity identify(const QString &tablePath);
    // The identity of bytes just read from tablePath: the same as
    // identify() gives, without reading the file a second time.
    static TableIdentity identify(const QString &tablePath, const QByteArray &bytes);
    // Every record at once: for tests and small journals. Recovery reads
    // with JournalReader, which keeps one record at a time.
    static ReadResult read(const QString &journalPath);
    static QString journalPathFor(const QString &tablePath);

    // A payload framed as it is appended after the header.
    static QByteArray frame(const QByteArray &payload);

    // CRC-32 as in zlib and PNG (reflected, polynomial 0xEDB88320).
    static quint32 crc32(QByteArrayView bytes);
};
