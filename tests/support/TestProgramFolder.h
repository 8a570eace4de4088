#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away program folder with pictures drawn on the spot, so that
// tests depend on nothing but what they set up.
class TestProgramFolder
{
public:
    TestProgramFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    // A JPEG (or any format the suffix names) of the given pixel size.
    void writePicture(const QString &relative, QSize size, QColor colour = Qt::darkCyan) const;
    // icon_1.jpg .. icon_<count>.jpg in Icons/<set>, each a distinct colour.
    void writeIconSet(const QString &set, int count, QSize size = QSize(24, 24)) const;
    void writeBytes(const QString &relative, const QByteArray &bytes) const;
    QByteArray readBytes(const QString &relative) const;

    // Lines each ended by CR LF, in Windows-1252 (Latin-1 here).
    static QByteArray crlf(const QStringList &lines);

private:
    QTemporaryDir m_dir;
};
