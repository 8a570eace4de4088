#include "ProgramFolder.h"

#include "CaseInsensitivePath.h"
#include "IconSet.h"

#include <QDir>
#include <QFile>

ProgramFolder::ProgramFolder(const QString &path)
    : m_path(path)
{
}

QString ProgramFolder::resolve(const QString &relative) const
{
    return CaseInsensitivePath(m_path).resolve(relative);
}

QString ProgramFolder::tableFile(const QString &path) const
{
    if (QDir::isRelativePath(path))
        return resolve(path);
    if (path.startsWith(m_path + u'/'))
        return resolve(path.mid(m_path.size() + 1));
    return path;
}

QString ProgramFolder::tablesFolder() const
{
    return m_path + QDir::separator() + QStringLiteral("Plot Tables");
}

QString ProgramFolder::templatesFolder() const
{
    return m_path + QDir::separator() + QStringLiteral("Plot Templates");
}

QString ProgramFolder::templateFile(const QString &backgroundName) const
{
    return resolve(QStringLiteral("Plot Templates/") + backgroundName);
}

QString ProgramFolder::iconFile(const QString &iconSetName, const QString &pictureKey) const
{
    return resolve(IconSet::picturePath(iconSetName, pictureKey));
}

qint16 ProgramFolder::iconSetSize(const QString &iconSetName) const
{
    return IconSet::count(CaseInsensitivePath(m_path), iconSetName);
}

bool ProgramFolder::isReadableFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}
