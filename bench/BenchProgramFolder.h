#pragma once

#include "BenchSizes.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

// A throw-away program folder filled with everything the benchmark works
// on, all drawn and written here: the background picture, two icon sets
// and two plot tables.
//
// The large table holds the most icons and notes a window takes, spread
// over the whole background, as the file format writes them (CR LF, Windows
// code page, positions in twips). Notes keep out of one clearing near the
// top-left corner, so that some icons there are on top and can be picked up.
class BenchProgramFolder
{
public:
    explicit BenchProgramFolder(const BenchSizes &sizes);

    bool isValid() const { return m_dir.isValid() && !m_largeTable.isEmpty(); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    // Plot Tables/Large.plt: icons of the counted set, and notes.
    QString largeTablePath() const { return file(QStringLiteral("Plot Tables/Large.plt")); }
    const QByteArray &largeTableBytes() const { return m_largeTable; }

    // Plot Tables/Typical.plt: a few hundred elements on the paged set.
    QString typicalTablePath() const { return file(QStringLiteral("Plot Tables/Typical.plt")); }

    static QString countedSetName() { return QStringLiteral("Counted"); }
    static QString pagedSetName() { return QStringLiteral("Paged"); }

    // The clearing of the large table, in client-area pixels.
    QRect clearing() const { return m_clearing; }

private:
    void writePicture(const QString &relative, const QImage &image) const;
    void writeIconSet(const QString &set, int count) const;
    QByteArray makeLargeTable() const;
    QByteArray makeTypicalTable() const;
    void writeBytes(const QString &relative, const QByteArray &bytes) const;

    BenchSizes m_sizes;
    QTemporaryDir m_dir;
    QRect m_clearing;
    QByteArray m_largeTable;
};
