#include "JournalReader.h"

#include <QFileInfo>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr qsizetype HashSize = 32;
// A record holds one element, whose text came from the table or was typed;
// more than this beside the table's own size is no record of ours.
constexpr qint64 RecordSlack = qint64(16) << 20;

template <typename T>
T get(const char *at)
{
    return qFromLittleEndian<T>(at);
}

// One copy of the table's identity, or false when its values contradict
// each other (its CRC is checked by the caller).
bool parseIdentity(const char *at, TableIdentity &identity)
{
    const quint8 state = quint8(*at);
    const qint64 size = get<qint64>(at + 1);
    const qint64 modified = get<qint64>(at + 9);
    const QByteArray hash(at + 17, HashSize);
    const bool noHash = hash.count('\0') == HashSize;
    const bool consistent = state == TableIdentity::Present
        ? size >= 0 && size <= JournalReader::MaxSize
        : state == TableIdentity::Unreadable
        ? size >= 0 && noHash
        : state == TableIdentity::Absent && size == 0 && modified == 0 && noHash;
    if (!consistent)
        return false;
    identity.state = TableIdentity::State(state);
    identity.size = size;
    identity.modified = modified;
    identity.sha256 = state == TableIdentity::Present ? hash : QByteArray();
    return true;
}

} // namespace

bool JournalReader::fail(Status status, const QString &message)
{
    m_status = status;
    m_errorString = message;
    m_ended = true;
    return false;
}

bool JournalReader::open(const QString &path)
{
#ifdef Q_OS_UNIX
    // Never through a link, and never waiting for a writer at a FIFO: what
    // is at the path is looked at through the descriptor that was opened.
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT)
            return fail(Missing, qt_error_string(errno));
        if (errno == ELOOP)
            return fail(NotRegular, QStringLiteral("it is a symbolic link"));
        return fail(Unreadable, qt_error_string(errno));
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(NotRegular, QStringLiteral("it is not a regular file"));
    }
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(Unreadable, m_file.errorString());
    }
#else
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return fail(Missing, QStringLiteral("no such file"));
    if (info.isSymLink() || !info.isFile())
        return fail(NotRegular, QStringLiteral("it is not a regular file"));
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return fail(Unreadable, m_file.errorString());
#endif
    return open(&m_file);
}

bool JournalReader::open(QIODevice *device)
{
    m_device = device;
    m_size = device->size();
    m_ended = false;
    m_tornTail = false;
    if (m_size > MaxSize)
        return fail(TooLarge, QStringLiteral("it is larger than any session makes (%1 MB)")
                                  .arg(m_size >> 20));
    if (!readHeader())
        return false;
    m_status = Ok;
    return true;
}

bool JournalReader::readExactly(char *into, qint64 count)
{
    while (count > 0) {
        const qint64 got = m_device->read(into, count);
        if (got <= 0)
            return false;
        into += got;
        count -= got;
    }
    return true;
}

bool JournalReader::readHeader()
{
    constexpr qsizetype MagicSize = JournalFile::MagicSize;
    char head[MagicSize + 4];
    const bool whole = readExactly(head, sizeof head);
    if (m_device->pos() < MagicSize
        || QByteArrayView(head, MagicSize) != QByteArrayView(JournalFile::Magic, MagicSize))
        return fail(Damaged, QStringLiteral("it is not a Quenbrack journal"));
    if (!whole)
        return fail(Damaged, QStringLiteral("its header is cut short"));
    // The version before anything else: a later layout may put its header
    // elsewhere, and "newer" is the more useful thing to say.
    const quint32 version = get<quint32>(head + MagicSize);
    if (version > JournalFile::Version)
        return fail(Newer, QStringLiteral("it is of format %1; this Quenbrack reads format %2")
                               .arg(version)
                               .arg(JournalFile::Version));
    if (version == 0)
        return fail(Damaged, QStringLiteral("its header is damaged"));

    const int copies = version == 1 ? 1 : 2;
    constexpr qsizetype Block = JournalFile::IdentitySize;
    char blocks[2 * Block];
    if (!readExactly(blocks, copies * Block))
        return fail(Damaged, QStringLiteral("its header is cut short"));
    bool found = false;
    for (int copy = 0; copy < copies && !found; ++copy) {
        const char *block = blocks + copy * Block;
        const quint32 stored = get<quint32>(block + Block - 4);
        // The first format's CRC also covered the text line and version.
        const quint32 crc = version == 1
            ? JournalFile::crc32(QByteArray(head, sizeof head) + QByteArray(block, Block - 4))
            : JournalFile::crc32(QByteArrayView(block, Block - 4));
        found = stored == crc && parseIdentity(block, m_identity);
    }
    if (!found)
        return fail(Damaged, QStringLiteral("its header is damaged"));

    m_firstRecord = 0; // none yet: the copy may be cut short
    // The table copy. A present table's size is in the identity, so a
    // damaged length cannot hide where the records begin.
    m_baseIntact = false;
    m_base.clear();
    char lengthBytes[4];
    if (!readExactly(lengthBytes, 4)) {
        // Cut while the header was written: no record came after it.
        m_tornTail = m_device->pos() > JournalFile::headerSize(version);
        m_ended = true;
        return true;
    }
    const qint64 stored = get<quint32>(lengthBytes);
    const qint64 at = m_device->pos();
    // The length as stored, if its bytes check out; else, for a table that
    // was read, the size in the identity: the copy is of those bytes, so a
    // damaged length cannot hide where the records begin.
    qint64 length = -1;
    QList<qint64> candidates = {stored};
    if (m_identity.state == TableIdentity::Present && m_identity.size != stored)
        candidates << m_identity.size;
    for (qint64 candidate : std::as_const(candidates)) {
        if (candidate > m_size - at - 4 || !m_device->seek(at))
            continue;
        QByteArray base(qsizetype(candidate), Qt::Uninitialized);
        char crcBytes[4];
        if (!readExactly(base.data(), candidate) || !readExactly(crcBytes, 4))
            return fail(Unreadable, m_device->errorString());
        if (get<quint32>(crcBytes) == JournalFile::crc32(base)) {
            m_base = base;
            m_baseIntact = true;
            length = candidate;
            break;
        }
    }
    if (length < 0) {
        length = candidates.last();
        if (length > m_size - at - 4 || !m_device->seek(at + length + 4)) {
            m_tornTail = true;
            m_ended = true;
            return true;
        }
    }
    m_firstRecord = m_device->pos();
    m_maxPayload = 2 * length + RecordSlack;
    return true;
}

bool JournalReader::next(JournalRecord &record)
{
    if (m_ended)
        return false;
    char lengthBytes[4];
    const qint64 got = m_device->read(lengthBytes, 4);
    if (got == 0) {
        m_ended = true;
        return false;
    }
    const auto torn = [this] {
        m_tornTail = true;
        m_ended = true;
        return false;
    };
    if (got < 4)
        return torn();
    // In 64 bits: a damaged length near 4 GiB must not wrap around.
    const qint64 length = get<quint32>(lengthBytes);
    if (length > m_maxPayload || length > m_size - m_device->pos() - 4)
        return torn();
    m_payload.resize(qsizetype(length) + 4);
    if (!readExactly(m_payload.data(), length + 4))
        return torn();
    const QByteArrayView payload(m_payload.constData(), qsizetype(length));
    if (get<quint32>(m_payload.constData() + length) != JournalFile::crc32(payload)
        || !decode(payload, record))
        return torn();
    return true;
}

bool JournalReader::rewind()
{
    if (m_status != Ok)
        return false;
    if (m_firstRecord == 0)
        return true; // no record to come back to
    if (!m_device->seek(m_firstRecord))
        return false;
    m_ended = false;
    m_tornTail = false;
    return true;
}
