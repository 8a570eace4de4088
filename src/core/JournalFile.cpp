#include "JournalFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <array>

namespace {

// A text line first, so that someone opening the file sees what it is.
constexpr char Magic[] = "Quenbrack journal\n";
constexpr qsizetype MagicSize = sizeof Magic - 1;
constexpr qsizetype HashSize = 32;
// Magic, version, state, size, modified, SHA-256, CRC-32 of all before it.
constexpr qsizetype HeaderSize = MagicSize + 4 + 1 + 8 + 8 + HashSize + 4;
constexpr qsizetype FrameOverhead = 4 + 4;

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

template <typename T>
T get(const char *at)
{
    return qFromLittleEndian<T>(at);
}

JournalFile::ReadResult failure(const QString &message)
{
    JournalFile::ReadResult result;
    result.errorString = message;
    return result;
}

// Fills identity from a header, or returns why the header is not one.
QString parseHeader(QByteArrayView bytes, TableIdentity &identity)
{
    if (bytes.size() < MagicSize || bytes.first(MagicSize) != QByteArrayView(Magic, MagicSize))
        return QStringLiteral("not a Quenbrack journal");
    if (bytes.size() < HeaderSize)
        return QStringLiteral("the journal's header is cut short");
    const char *at = bytes.data() + MagicSize;
    // The version is checked before the CRC: a later layout may end its
    // header elsewhere, and "newer" is the more useful thing to say.
    const quint32 version = get<quint32>(at);
    if (version != JournalFile::Version)
        return QStringLiteral("journal format %1; this Quenbrack reads format %2")
            .arg(version)
            .arg(JournalFile::Version);
    const qsizetype crcAt = HeaderSize - 4;
    if (get<quint32>(bytes.data() + crcAt) != JournalFile::crc32(bytes.first(crcAt)))
        return QStringLiteral("the journal's header is damaged");

    at += 4;
    const quint8 state = quint8(*at);
    at += 1;
    const qint64 size = get<qint64>(at);
    const qint64 modified = get<qint64>(at + 8);
    const QByteArray hash(at + 16, HashSize);
    const bool noHash = hash.count('\0') == HashSize;
    const bool consistent = state == TableIdentity::Present
        ? size >= 0
        : state == TableIdentity::Unreadable
        ? size >= 0 && noHash
        : state == TableIdentity::Absent && size == 0 && modified == 0 && noHash;
    if (!consistent)
        return QStringLiteral("the journal's header is damaged");

    identity.state = TableIdentity::State(state);
    identity.size = size;
    identity.modified = modified;
    identity.sha256 = state == TableIdentity::Present ? hash : QByteArray();
    return QString();
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
    QByteArray out;
    out.reserve(HeaderSize);
    out.append(Magic, MagicSize);
    put<quint32>(out, Version);
    put<quint8>(out, identity.state);
    put<qint64>(out, identity.size);
    put<qint64>(out, identity.modified);
    // Only a Present table has a hash; anything else stored there would be
    // refused when reading, so the layout cannot say two things at once.
    if (identity.state == TableIdentity::Present && identity.sha256.size() == HashSize)
        out.append(identity.sha256);
    else
        out.append(HashSize, '\0');
    put<quint32>(out, crc32(out));
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
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(file.errorString());

    ReadResult result;
    result.errorString = parseHeader(bytes, result.identity);
    if (!result.errorString.isEmpty())
        return result;
    qsizetype at = HeaderSize;
    // The table's bytes: without them whole, nothing after can be trusted.
    if (bytes.size() - at < FrameOverhead) {
        result.errorString = QStringLiteral("the journal's header is cut short");
        return result;
    }
    const quint32 baseLength = get<quint32>(bytes.data() + at);
    if (qint64(baseLength) > qint64(bytes.size() - at) - FrameOverhead
        || get<quint32>(bytes.data() + at + 4 + baseLength)
               != crc32(QByteArrayView(bytes.data() + at + 4, qsizetype(baseLength)))) {
        result.errorString = QStringLiteral("the journal's header is cut short");
        return result;
    }
    result.base = bytes.mid(at + 4, baseLength);
    at += FrameOverhead + baseLength;
    result.ok = true;

    while (at < bytes.size()) {
        const qsizetype left = bytes.size() - at;
        if (left < FrameOverhead) {
            result.tornTail = true;
            break;
        }
        const quint32 length = get<quint32>(bytes.data() + at);
        // In 64 bits: a damaged length near 4 GiB must not wrap around.
        if (qint64(length) > qint64(left) - FrameOverhead) {
            result.tornTail = true;
            break;
        }
        const QByteArrayView payload(bytes.data() + at + 4, qsizetype(length));
        const quint32 crc = get<quint32>(bytes.data() + at + 4 + length);
        JournalRecord record;
        if (crc != crc32(payload) || !decode(payload, record)) {
            result.tornTail = true;
            break;
        }
        result.records.append(record);
        at += FrameOverhead + length;
    }
    return result;
}

QString JournalFile::journalPathFor(const QString &tablePath)
{
    return tablePath + QStringLiteral(".journal");
}
