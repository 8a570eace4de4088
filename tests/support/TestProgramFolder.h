#pragma once

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away program folder with pictures drawn on the spot, so that
// tests depend on nothing but what they set up.
class TestProgramFolder
{
public:
    TestProgramFolder()
    {
        for (const char *folder : {"Plot Tables", "Plot Templates", "Icons"})
            QDir(path()).mkpath(QString::fromLatin1(folder));
    }

    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    // A JPEG (or any format the suffix names) of the given pixel size.
    void writePicture(const QString &relative, QSize size, QColor colour = Qt::darkCyan) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(makeFolderFor(relative));
    }
    // icon_1.jpg .. icon_<count>.jpg in Icons/<set>, each a distinct colour.
    void writeIconSet(const QString &set, int count, QSize size = QSize(24, 24)) const
    {
        for (int n = 1; n <= count; ++n)
            writePicture(QStringLiteral("Icons/%1/icon_%2.jpg").arg(set).arg(n), size,
                         QColor::fromHsv((n * 37) % 360, 200, 200));
    }
    void writeBytes(const QString &relative, const QByteArray &bytes) const
    {
        QFile out(makeFolderFor(relative));
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    // A path below the folder, or an absolute one.
    QByteArray readBytes(const QString &relative) const
    {
        QFile in(QFileInfo(relative).isAbsolute() ? relative : file(relative));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // Lines each ended by CR LF, in Windows-1252 (Latin-1 here).
    static QByteArray crlf(const QStringList &lines)
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += line.toLatin1() + "\r\n";
        return bytes;
    }

private:
    QString makeFolderFor(const QString &relative) const
    {
        const QString target = file(relative);
        QDir().mkpath(QFileInfo(target).absolutePath());
        return target;
    }

    QTemporaryDir m_dir;
};
