#include "TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

TestProgramFolder::TestProgramFolder()
{
    QDir(path()).mkpath(QStringLiteral("Plot Tables"));
    QDir(path()).mkpath(QStringLiteral("Plot Templates"));
    QDir(path()).mkpath(QStringLiteral("Icons"));
}

void TestProgramFolder::writePicture(const QString &relative, QSize size, QColor colour) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(target);
}

void TestProgramFolder::writeIconSet(const QString &set, int count, QSize size) const
{
    for (int n = 1; n <= count; ++n)
        writePicture(QStringLiteral("Icons/%1/icon_%2.jpg").arg(set).arg(n), size,
                     QColor::fromHsv((n * 37) % 360, 200, 200));
}

void TestProgramFolder::writeBytes(const QString &relative, const QByteArray &bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile out(target);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
}

QByteArray TestProgramFolder::readBytes(const QString &relative) const
{
    QFile in(QFileInfo(relative).isAbsolute() ? relative : file(relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QByteArray TestProgramFolder::crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}
