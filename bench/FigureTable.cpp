#include "FigureTable.h"

#include <algorithm>

double FigureTable::median(QVector<double> samples)
{
    if (samples.isEmpty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const qsizetype middle = samples.size() / 2;
    if (samples.size() % 2 == 1)
        return samples[middle];
    return (samples[middle - 1] + samples[middle]) / 2.0;
}

namespace {

QString number(double value)
{
    // Three significant places for small values, whole units for large.
    if (value >= 100.0)
        return QString::number(value, 'f', 1);
    if (value >= 1.0)
        return QString::number(value, 'f', 2);
    if (value >= 0.01 || value == 0.0)
        return QString::number(value, 'f', 3);
    // Below ten microseconds: significant places, not zeros.
    return QString::number(value, 'g', 3);
}

} // namespace

void FigureTable::addDuration(const QString &name, const QVector<double> &milliseconds,
                              double targetMs)
{
    const double value = median(milliseconds);
    m_rows.append({name, number(value) + QStringLiteral(" ms"),
                   QStringLiteral("<= %1 ms").arg(targetMs), value <= targetMs});
}

void FigureTable::addMemory(const QString &name, const QVector<double> &megabytes,
                            double targetMegabytes)
{
    const double value = median(megabytes);
    m_rows.append({name, number(value) + QStringLiteral(" MB"),
                   QStringLiteral("<= %1 MB").arg(targetMegabytes),
                   value <= targetMegabytes});
}

void FigureTable::addThroughput(const QString &name, double megabytesPerSecond,
                                double targetMegabytesPerSecond,
                                const QString &targetSource)
{
    m_rows.append({name, number(megabytesPerSecond) + QStringLiteral(" MB/s"),
                   QStringLiteral(">= %1 MB/s (%2)")
                       .arg(number(targetMegabytesPerSecond), targetSource),
                   megabytesPerSecond >= targetMegabytesPerSecond});
}

void FigureTable::print(std::FILE *out) const
{
    int nameWidth = 6;
    int medianWidth = 6;
    int targetWidth = 6;
    for (const Row &row : m_rows) {
        nameWidth = std::max(nameWidth, int(row.name.size()));
        medianWidth = std::max(medianWidth, int(row.median.size()));
        targetWidth = std::max(targetWidth, int(row.target.size()));
    }
    auto line = [&](const QString &name, const QString &median, const QString &target,
                    const QString &result) {
        const QString text = name.leftJustified(nameWidth) + QStringLiteral("  ")
                             + median.rightJustified(medianWidth) + QStringLiteral("  ")
                             + target.leftJustified(targetWidth) + QStringLiteral("  ") + result;
        std::fprintf(out, "%s\n", qPrintable(text));
    };
    line(QStringLiteral("figure"), QStringLiteral("median"), QStringLiteral("target"),
         QStringLiteral("result"));
    for (const Row &row : m_rows)
        line(row.name, row.median, row.target,
             row.met ? QStringLiteral("met") : QStringLiteral("MISSED"));
    for (const QString &detail : m_details)
        std::fprintf(out, "%s\n", qPrintable(detail));
    std::fflush(out);
}

bool FigureTable::allMet() const
{
    return std::all_of(m_rows.cbegin(), m_rows.cend(), [](const Row &row) { return row.met; });
}
