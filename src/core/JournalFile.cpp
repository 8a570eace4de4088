#include "JournalFile.h"

#include "JournalReader.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <array>

namespace {

constexpr qsizetype HashSize = 32;

constexpr std::array<quint32, 256> makeCrcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<quint32, 256> CrcTable = makeCrcTable();

template <typename T>
void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

// Something is there, but its bytes cannot be had.
TableIdentity unreadable(const QFileInfo &info)
{
    TableIdentity identity;
    identity.state = TableIdentity::Unreadable;
    identity.size = info.size();
    identity.modified = info.lastModified().toMSecsSinceEpoch();
    return identity;
}

} // namespace

bool operator==(const TableIdentity &a, const TableIdentity &b)
{
    return a.state == b.state && a.size == b.size && a.modified == b.modified
        && a.sha256 == b.sha256;
}

quint32 JournalFile::crc32(QByteArrayView bytes)
{
    quint32 c = 0xFFFFFFFFu;
    for (char byte : bytes)
        c = CrcTable[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray JournalFile::header(const TableIdentity &identity, const QByteArray &base)
{
    QByteArray block;
    block.reserve(IdentitySize);
    put<quint8>(block, identity.state);
    put<qint64>(block, identity.size);
    put<qint64>(block, identity.modified);
    // Only a Present table has a hash; anything else stored there would be
    // refused when reading, so the layout cannot say two things at once.
    if (identity.state == TableIdentity::Present && identity.sha256.size() == HashSize)
        block.append(identity.sha256);
    else
        block.append(HashSize, '\0');
    put<quint32>(block, crc32(block));

    QByteArray out;
    out.reserve(headerSize(Version) + base.size() + FrameOverhead);
    out.append(Magic, MagicSize);
    put<quint32>(out, Version);
    out.append(block);
    out.append(block);
    out.append(frame(base));
    return out;
}

TableIdentity JournalFile::identify(const QString &tablePath)
{
    const QFileInfo info(tablePath);
    if (!info.exists())
        return TableIdentity();
    QFile file(tablePath);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return unreadable(info);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable(info);
    return identify(tablePath, bytes);
}

TableIdentity JournalFile::identify(const QString &tablePath, const QByteArray &bytes)
{
    const QFileInfo info(tablePath);
    TableIdentity identity;
    if (!info.exists())
        return identity;
    // The size is that of the bytes hashed, not what the folder says, so
    // the values describe the same bytes even if the file grew meanwhile.
    identity.state = TableIdentity::Present;
    identity.size = bytes.size();
    identity.modified = info.lastModified().toMSecsSinceEpoch();
    identity.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return identity;
}

QByteArray JournalFile::frame(const QByteArray &payload)
{
    QByteArray out;
    out.reserve(payload.size() + FrameOverhead);
    put<quint32>(out, quint32(payload.size()));
    out.append(payload);
    put<quint32>(out, crc32(payload));
    return out;
}

JournalFile::ReadResult JournalFile::read(const QString &journalPath)
{
    ReadResult result;
    JournalReader reader;
    if (!reader.open(journalPath)) {
        result.errorString = reader.errorString();
        result.newer = reader.status() == JournalReader::Newer;
        return result;
    }
    result.ok = true;
    result.identity = reader.identity();
    result.base = reader.base();
    JournalRecord record;
    while (reader.next(record))
        result.records.append(record);
    result.tornTail = reader.tornTail();
    return result;
}

QString JournalFile::journalPathFor(const QString &tablePath)
{
    return tablePath + QStringLiteral(".journal");
}
