#include "TableLock.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kUserKey = "quenbrack-user: ";
const QByteArray kSinceKey = "quenbrack-since: ";

// A lock file that says nothing readable (cut short as it was made, or
// written by something else) is taken for stale once it is this old: no
// Quenbrack takes longer than that to write its few lines.
constexpr qint64 kUnreadableStaleMs = 30000;

} // namespace

TableLock::TableLock(const QString &tableFile)
    : m_path(lockPathFor(tableFile))
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Never by age: a table stays open for days, and a lock from another
    // host cannot be judged from here.
    m_lock->setStaleLockTime(0);
}

TableLock::~TableLock()
{
    release();
}

QString TableLock::lockPathFor(const QString &tableFile)
{
    const QFileInfo info(tableFile);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

bool TableLock::isTaken() const
{
    return m_lock->isLocked();
}

TableLock::Result TableLock::tryTake()
{
    m_errorString.clear();
    if (m_lock->isLocked())
        return Taken;
    // A stale lock of this host (its process gone) QLockFile removes and
    // takes on its own.
    if (m_lock->tryLock(0)) {
        writeOwner();
        return Taken;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        const Holder who = holder();
        const qint64 age = QFileInfo(m_path).lastModified().msecsTo(QDateTime::currentDateTime());
        if (who.pid <= 0 && qAbs(age) > kUnreadableStaleMs && m_lock->removeStaleLockFile()
            && m_lock->tryLock(0)) {
            writeOwner();
            return Taken;
        }
        return HeldByOther;
    }
    m_errorString = m_lock->error() == QLockFile::PermissionError
        ? QStringLiteral("no permission to write in the folder")
        : QStringLiteral("the lock file could not be made");
    return Unavailable;
}

void TableLock::writeOwner()
{
    // Appended after what QLockFile wrote, which it reads line by line and
    // ignores past its own.
    QFile file(m_path);
    if (!file.open(QIODevice::Append))
        return;
    file.write(kUserKey + userName().toUtf8() + '\n');
    file.write(kSinceKey
               + QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toUtf8() + '\n');
}

TableLock::Holder TableLock::holder() const
{
    Holder who;
    QString application;
    m_lock->getLockInfo(&who.pid, &who.host, &application);
    who.otherHost = !who.host.isEmpty() && who.host != QSysInfo::machineHostName();
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly)) {
        // Only a few lines are ours to read: a huge file there is no lock.
        const QList<QByteArray> lines = file.read(4096).split('\n');
        for (const QByteArray &line : lines) {
            if (line.startsWith(kUserKey))
                who.user = QString::fromUtf8(line.mid(kUserKey.size())).trimmed();
            else if (line.startsWith(kSinceKey))
                who.since = QDateTime::fromString(
                    QString::fromUtf8(line.mid(kSinceKey.size())).trimmed(), Qt::ISODateWithMs);
        }
    }
    const QFileInfo info(m_path);
    if (who.user.isEmpty())
        who.user = info.owner();
    if (!who.since.isValid())
        who.since = info.lastModified();
    return who;
}

void TableLock::release()
{
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}

QString TableLock::userName()
{
#ifdef Q_OS_UNIX
    if (const passwd *entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
#endif
    for (const char *variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("unknown");
}
