#include "PlotTableReader.h"

#include "Blanks.h"
#include "PlotNumber.h"
#include "PlotTextCodec.h"

#include <QFile>
#include <QLocale>

namespace {

// Hands out the lines of a text one by one. A line ends at CR LF, at a
// lone CR (as the file's own platform reads it) and at a lone LF (as a text
// editor here writes it); a final line end adds no empty line.
class LineCursor
{
public:
    explicit LineCursor(const QString &text) : m_text(text) {}

    bool next(QStringView *line)
    {
        const qsizetype size = m_text.size();
        if (m_pos >= size)
            return false;
        const QChar *data = m_text.constData();
        qsizetype end = m_pos;
        while (end < size && data[end] != u'\r' && data[end] != u'\n')
            ++end;
        *line = QStringView(data + m_pos, end - m_pos);
        m_pos = end;
        if (m_pos < size && data[m_pos] == u'\r')
            ++m_pos;
        if (end < size && data[end] == u'\r' && m_pos < size && data[m_pos] == u'\n')
            ++m_pos;
        else if (end < size && data[end] == u'\n')
            ++m_pos;
        return true;
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

// Reads the three lines after a record's text into element k. The icon
// number line also names the picture.
void readFields(LineCursor &cursor, PlotElement &element, const QString &decimalPoint)
{
    QStringView line;
    if (!cursor.next(&line))
        return;
    element.pictureKey = trimBlanks(line).toString();
    PlotNumber::parseWhole(line, decimalPoint, &element.number);
    if (!cursor.next(&line))
        return;
    PlotNumber::parseSingle(line, decimalPoint, &element.top);
    if (!cursor.next(&line))
        return;
    PlotNumber::parseSingle(line, decimalPoint, &element.left);
}

} // namespace

PlotTableReader::Result PlotTableReader::read(QIODevice &device, PlotTable &table)
{
    m_errorString.clear();
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly)) {
        m_errorString = device.errorString();
        return OpenFailed;
    }
    const QByteArray bytes = device.readAll();
    const QString text = PlotTextCodec::decode(bytes);
    const QString decimalPoint = m_decimalPoint.isEmpty() ? QLocale().decimalPoint()
                                                          : m_decimalPoint;
    LineCursor cursor(text);
    QStringView line;

    if (!cursor.next(&line))
        return Incomplete;
    table.backgroundName = line.toString();
    if (!cursor.next(&line))
        return Incomplete;
    table.iconSetName = line.toString();

    static const QString notesMarker = QStringLiteral("[Notes]");
    static const QString endMarker = QStringLiteral("[End]");
    for (;;) {
        if (!cursor.next(&line))
            return Incomplete;
        if (trimBlanks(line) == notesMarker)
            break;
        const int k = table.Image1.Load();
        PlotElement &icon = table.Image1[k];
        icon.visible = true;
        icon.text = line.toString();
        readFields(cursor, icon, decimalPoint);
    }

    // The end of the file ends the notes; lines after "[End]" are notes too.
    while (cursor.next(&line)) {
        if (trimBlanks(line) == endMarker)
            continue;
        const int k = table.Label1.Load();
        PlotElement &note = table.Label1[k];
        note.visible = true;
        note.text = line.toString();
        readFields(cursor, note, decimalPoint);
    }
    return Complete;
}

PlotTableReader::Result PlotTableReader::read(const QString &path, PlotTable &table)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorString = file.errorString();
        return OpenFailed;
    }
    const Result result = read(static_cast<QIODevice &>(file), table);
    if (file.error() != QFileDevice::NoError) {
        m_errorString = file.errorString();
        return OpenFailed;
    }
    return result;
}
