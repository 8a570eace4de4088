#include "SilentServices.h"

#include <QCoreApplication>
#include <QDir>

void SilentServices::showMessage(const QString &, MessageIcon, const QString &)
{
    ++messages;
}

QString SilentServices::askText(const QString &, const QString &, const QString &)
{
    return QString();
}

int SilentServices::askChoice(const QString &, const QString &, const QStringList &,
                              int defaultButton)
{
    return defaultButton;
}

std::optional<QString> SilentServices::askTextOrCancel(const QString &, const QString &,
                                                       const QString &)
{
    return std::nullopt;
}

QString SilentServices::askTextFromList(const QString &, const QString &, const QStringList &,
                                        const QString &)
{
    return QString();
}

bool SilentServices::askOpenFile(FileDialogRequest &)
{
    return false;
}

QString SilentServices::askSaveFileName(const QString &, const QString &, const QString &)
{
    return QString();
}

void SilentServices::processEvents()
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
