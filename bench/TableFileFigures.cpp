#include "TableFileFigures.h"

#include "BenchProgramFolder.h"
#include "CaseInsensitivePath.h"
#include "FigureTable.h"
#include "IconSet.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"
#include "PlotTextCodec.h"
#include "ProcessMemory.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double megabytesPerSecond(qsizetype bytes, double milliseconds)
{
    return milliseconds > 0.0 ? double(bytes) / 1e6 / (milliseconds / 1e3) : 0.0;
}

// The least a reader has to do: take the bytes from the device, decode them
// and find every line, with nothing made of the lines. The sum keeps the
// work from being optimised away.
qsizetype splitIntoLines(QIODevice &device)
{
    const QString text = PlotTextCodec::decode(device.readAll());
    const QStringView all(text);
    qsizetype sum = 0;
    qsizetype begin = 0;
    while (begin < all.size()) {
        qsizetype end = all.indexOf(u'\n', begin);
        if (end < 0)
            end = all.size();
        QStringView line = all.mid(begin, end - begin);
        if (line.endsWith(u'\r'))
            line.chop(1);
        sum += line.size() + 1;
        begin = end + 1;
    }
    return sum;
}

// Writes bytes to a file the way the table writer's callers do: open,
// write, close.
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written;
}

} // namespace

TableFileFigures::TableFileFigures(const BenchProgramFolder &folder, const BenchSizes &sizes)
    : m_folder(folder)
    , m_sizes(sizes)
{
}

void TableFileFigures::run(FigureTable &table)
{
    measureRead(table);
    measureWrite(table);
    measureCount(table);
}

void TableFileFigures::measureRead(FigureTable &table)
{
    const QByteArray &bytes = m_folder.largeTableBytes();
    QVector<double> parseMs;
    QVector<double> splitMs;
    qsizetype checksum = 0;
    // One untimed round of each first, then the two alternate so that
    // the machine's moods fall on both alike.
    for (int run = -1; run < m_sizes.fileRuns; ++run) {
        QBuffer source;
        source.setData(bytes);
        source.open(QIODevice::ReadOnly);
        ProcessMemory::settleHeap();
        QElapsedTimer timer;
        timer.start();
        checksum += splitIntoLines(source);
        const double split = elapsedMs(timer);

        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        PlotTable parsed;
        PlotTableReader reader;
        ProcessMemory::settleHeap();
        timer.restart();
        const PlotTableReader::Result result = reader.read(buffer, parsed);
        const double parse = elapsedMs(timer);
        if (result != PlotTableReader::Complete || parsed.icons.count() != m_sizes.icons
            || parsed.notes.count() != m_sizes.notes)
            std::fprintf(stderr, "read: the large table did not read back whole\n");
        if (run >= 0) {
            splitMs << split;
            parseMs << parse;
        }
    }
    if (checksum == 0)
        std::fprintf(stderr, "read: nothing was split\n");
    const double parse = megabytesPerSecond(bytes.size(), FigureTable::median(parseMs));
    const double split = megabytesPerSecond(bytes.size(), FigureTable::median(splitMs));
    table.addThroughput(QStringLiteral("read"), parse, split / 3.0,
                        QStringLiteral("1/3 of splitting"));
    table.addDetail(QStringLiteral("read:  parsing %1 MB/s, splitting into lines %2 MB/s, %3 MB")
                        .arg(parse, 0, 'f', 1)
                        .arg(split, 0, 'f', 1)
                        .arg(double(bytes.size()) / 1e6, 0, 'f', 2));
}

void TableFileFigures::measureWrite(FigureTable &table)
{
    PlotTable parsed;
    PlotTableReader reader;
    QBuffer source;
    source.setData(m_folder.largeTableBytes());
    reader.read(source, parsed);
    const QByteArray bytes = PlotTableWriter().encode(parsed);
    if (bytes != m_folder.largeTableBytes())
        std::fprintf(stderr, "write: the large table does not write back byte for byte\n");

    const QString tablePath = m_folder.file(QStringLiteral("Plot Tables/Written.plt"));
    const QString plainPath = m_folder.file(QStringLiteral("Plot Tables/Copied.plt"));
    QVector<double> writeMs;
    QVector<double> copyMs;
    for (int run = -1; run < m_sizes.fileRuns; ++run) {
        ProcessMemory::settleHeap();
        QElapsedTimer timer;
        timer.start();
        const bool copied = writeFile(plainPath, bytes);
        const double copy = elapsedMs(timer);

        ProcessMemory::settleHeap();
        timer.restart();
        QFile file(tablePath);
        bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        written = written && PlotTableWriter().write(file, parsed);
        file.close();
        const double write = elapsedMs(timer);
        if (!copied || !written)
            std::fprintf(stderr, "write: a file could not be written\n");
        if (run >= 0) {
            copyMs << copy;
            writeMs << write;
        }
    }
    const double write = megabytesPerSecond(bytes.size(), FigureTable::median(writeMs));
    const double copy = megabytesPerSecond(bytes.size(), FigureTable::median(copyMs));
    table.addThroughput(QStringLiteral("write"), write, copy / 3.0,
                        QStringLiteral("1/3 of unparsed"));
    table.addDetail(QStringLiteral("write: writing the table %1 MB/s, writing its bytes %2 MB/s")
                        .arg(write, 0, 'f', 1)
                        .arg(copy, 0, 'f', 1));
}

void TableFileFigures::measureCount(FigureTable &table)
{
    QVector<double> countMs;
    for (int run = -1; run < m_sizes.runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        // A resolver per count, as each count is an operation of its own.
        const qint16 count = IconSet::count(CaseInsensitivePath(m_folder.path()),
                                            BenchProgramFolder::countedSetName());
        const double elapsed = elapsedMs(timer);
        if (count != m_sizes.countedSet)
            std::fprintf(stderr, "count: %d icons counted, %d expected\n", int(count),
                         m_sizes.countedSet);
        if (run >= 0)
            countMs << elapsed;
    }
    table.addDuration(QStringLiteral("count"), countMs, 50);
}
