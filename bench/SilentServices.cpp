#include "SilentServices.h"

#include <QCoreApplication>
#include <QDir>

void SilentServices::MsgBox(const QString &, MessageIcon, const QString &)
{
    ++messages;
}

QString SilentServices::InputBox(const QString &, const QString &, const QString &)
{
    return QString();
}

bool SilentServices::ShowOpen(CommonDialog &)
{
    return false;
}

QString SilentServices::ShowSave(const QString &, const QString &, const QString &)
{
    return QString();
}

void SilentServices::DoEvents()
{
    QCoreApplication::processEvents();
}

QString SilentServices::currentFolder() const
{
    return QDir::currentPath();
}

bool SilentServices::setCurrentFolder(const QString &folder)
{
    return QDir::setCurrent(folder);
}

bool SilentServices::startProgram(const QString &, const QStringList &, const QString &)
{
    return true;
}
