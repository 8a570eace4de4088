#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdio>

// The benchmark's result: one row per figure with its median, its target
// and whether the median meets it, then free lines of detail.
class FigureTable
{
public:
    // Durations in milliseconds; met when the median is at most targetMs.
    void addDuration(const QString &name, const QVector<double> &milliseconds, double targetMs);

    // Sizes in MB (millions of bytes); met when the median is at most
    // targetMegabytes.
    void addMemory(const QString &name, const QVector<double> &megabytes,
                   double targetMegabytes);

    // Throughputs in MB/s worked out from median durations; met when the
    // figure is at least the target. targetSource says where it comes from.
    void addThroughput(const QString &name, double megabytesPerSecond,
                       double targetMegabytesPerSecond, const QString &targetSource);

    // A line printed after the table.
    void addDetail(const QString &line) { m_details.append(line); }

    void print(std::FILE *out) const;
    bool allMet() const;

    static double median(QVector<double> samples);

private:
    struct Row
    {
        QString name;
        QString median;
        QString target;
        bool met = false;
    };

    QVector<Row> m_rows;
    QStringList m_details;
};
