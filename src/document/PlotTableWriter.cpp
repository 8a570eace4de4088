#include "PlotTableWriter.h"

#include "PlotNumber.h"
#include "PlotTextCodec.h"

#include <QIODevice>
#include <QLocale>
#include <QSaveFile>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

void appendLine(QString &out, const QString &line)
{
    out += line;
    out += kLineEnd;
}

void appendRecords(QString &out, const ElementArray &elements, const QString &decimalPoint)
{
    for (int k = 1; k <= elements.UBound(); ++k) {
        const PlotElement &element = elements[k];
        if (!element.visible)
            continue;
        appendLine(out, element.text);
        appendLine(out, PlotNumber::formatWhole(element.number));
        appendLine(out, PlotNumber::formatSingle(element.top, decimalPoint));
        appendLine(out, PlotNumber::formatSingle(element.left, decimalPoint));
    }
}

} // namespace

QByteArray PlotTableWriter::encode(const PlotTable &table) const
{
    const QString decimalPoint = m_decimalPoint.isEmpty() ? QLocale().decimalPoint()
                                                          : m_decimalPoint;
    QString out;
    // About 40 characters per record is typical; one allocation instead of
    // dozens for a large table.
    out.reserve(64 + 40 * (table.Image1.UBound() + table.Label1.UBound()));
    appendLine(out, table.backgroundName);
    appendLine(out, table.iconSetName);
    appendRecords(out, table.Image1, decimalPoint);
    appendLine(out, QStringLiteral("[Notes]"));
    appendRecords(out, table.Label1, decimalPoint);
    appendLine(out, QStringLiteral("[End]"));
    return PlotTextCodec::encode(out);
}

bool PlotTableWriter::write(QIODevice &device, const PlotTable &table)
{
    m_errorString.clear();
    const QByteArray bytes = encode(table);
    if (device.write(bytes) != bytes.size()) {
        m_errorString = device.errorString();
        return false;
    }
    return true;
}

bool PlotTableWriter::write(const QString &path, const PlotTable &table)
{
    return writeBytes(path, encode(table));
}

bool PlotTableWriter::writeNew(const QString &path, const QString &backgroundName,
                               const QString &iconSetName)
{
    PlotTable table;
    table.backgroundName = backgroundName;
    table.iconSetName = iconSetName;
    return write(path, table);
}

bool PlotTableWriter::writeBytes(const QString &path, const QByteArray &bytes)
{
    m_errorString.clear();
    QSaveFile file(path);
    // Unbuffered, so that every short write is seen here: through Qt's
    // buffer a disk that fills up in the middle can still commit a
    // truncated file as if all were well.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_errorString = file.errorString();
        return false;
    }
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            m_errorString = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        m_errorString = file.errorString();
        return false;
    }
    return true;
}
