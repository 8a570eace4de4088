#include "TableAccess.h"

#include "TableLock.h"
#include "WindowServices.h"

#include <QFileInfo>
#include <QLocale>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

TableAccess::TableAccess(WindowServices &services)
    : m_services(services)
{
}

TableAccess::~TableAccess() = default;

bool TableAccess::holdsLock() const
{
    return m_lock && m_lock->isTaken();
}

void TableAccess::release()
{
    if (m_lock)
        m_lock->release();
}

QString TableAccess::lockQuestion(const QString &file, const QString &user, const QString &host,
                                  bool otherHost, const QString &since)
{
    const QString where = host.isEmpty() ? QString()
        : otherHost ? QStringLiteral(" on the computer %1").arg(host)
                    : QStringLiteral(" on this computer (%1)").arg(host);
    return QStringLiteral("The Plot Table") + kCrLf + u'\'' + file + u'\'' + kCrLf
        + QStringLiteral("is open in Quenbrack by %1%2 since %3.").arg(user, where, since) + kCrLf
        + kCrLf
        + QStringLiteral("Open it read-only, or open it anyway to change it too? Then whoever "
                         "closes it last is asked before writing over the other's changes.");
}

TableAccess::Mode TableAccess::open(const QString &file)
{
    const QFileInfo info(file);
    if (info.exists() && !info.isWritable()) {
        m_notice = QStringLiteral("This Plot Table's file cannot be written: it is open "
                                  "read-only.");
        return ReadOnly;
    }
    m_lock = std::make_unique<TableLock>(file);
    switch (m_lock->tryTake()) {
    case TableLock::Taken:
        return Own;
    case TableLock::Unavailable:
        // A table in a folder of its own that only it may be written in
        // opens as ever; its user only learns that nobody is warned.
        if (info.exists())
            m_notice = QStringLiteral("No lock can be made beside this Plot Table (%1): others "
                                      "who open it are not warned that it is open here.")
                           .arg(m_lock->errorString());
        return Own;
    case TableLock::HeldByOther:
        break;
    }
    const TableLock::Holder who = m_lock->holder();
    const QString since = QLocale().toString(who.since.toLocalTime(), QLocale::ShortFormat);
    const int answer = m_services.askChoice(
        lockQuestion(file, who.user, who.host, who.otherHost, since),
        QStringLiteral("Plot Table in Use"),
        {QStringLiteral("Open &Read-Only"), QStringLiteral("Open &Anyway"),
         QStringLiteral("&Cancel")},
        0);
    switch (answer) {
    case 0:
        m_notice = QStringLiteral("Open read-only: %1 has this Plot Table open.").arg(who.user);
        return ReadOnly;
    case 1:
        return Shared;
    default:
        return Cancelled;
    }
}
