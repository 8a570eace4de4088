#include "PlotTableReader.h"

#include "Blanks.h"
#include "PlotNumber.h"
#include "PlotTextCodec.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QtAlgorithms>

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
        // CR and LF are the only line ends, and both lie below every
        // printable character: eight characters at a time are passed over
        // while none is below 14, and only from there looked at singly.
#if defined(__SSE2__)
        const __m128i fourteen = _mm_set1_epi16(14);
        for (; end + 8 <= size; end += 8) {
            const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + end));
            // Signed: units from 0x8000 on count as low too, and are then
            // passed over singly.
            const int low = _mm_movemask_epi8(_mm_cmplt_epi16(eight, fourteen));
            if (low != 0) {
                end += qCountTrailingZeroBits(uint(low)) / 2;
                break;
            }
        }
#endif
        while (end < size && (data[end].unicode() > u'\r'
                              || (data[end] != u'\r' && data[end] != u'\n')))
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

// Picture keys seen lately. A table names a few dozen pictures over
// thousands of icons, and every note has the number line "-1", so a key is
// nearly always one of these and is shared instead of copied once more.
using RecentKeys = std::array<QString, 64>;

QString pictureKey(RecentKeys &recent, QStringView text)
{
    if (text.isEmpty())
        return text.toString();
    QString &slot = recent[qHash(text) % recent.size()];
    if (slot != text)
        slot = text.toString();
    return slot;
}

// Reads the three lines after a record's text into element k. The icon
// number line also names the picture.
void readFields(LineCursor &cursor, PlotElement &element, const QString &decimalPoint,
                RecentKeys &recentKeys)
{
    QStringView line;
    if (!cursor.next(&line))
        return;
    element.pictureKey = pictureKey(recentKeys, trimBlanks(line));
    PlotNumber::parseWhole(line, decimalPoint, &element.number);
    if (!cursor.next(&line))
        return;
    PlotNumber::parseSingle(line, decimalPoint, &element.top);
    if (!cursor.next(&line))
        return;
    PlotNumber::parseSingle(line, decimalPoint, &element.left);
}

// Markers are compared after removing blanks; most lines are records of a
// different length and are told apart by that alone.
bool isMarker(QStringView line, const QString &marker)
{
    if (line.size() < marker.size())
        return false;
    const QStringView text = trimBlanks(line);
    return text.size() == marker.size() && text == marker;
}

} // namespace

PlotTableReader::Result PlotTableReader::read(QIODevice &device, PlotTable &table)
{
    m_errorString.clear();
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly)) {
        m_errorString = device.errorString();
        return OpenFailed;
    }
    return read(device.readAll(), table);
}

PlotTableReader::Result PlotTableReader::read(const QByteArray &bytes, PlotTable &table)
{
    const QString text = PlotTextCodec::decode(bytes, &table.encoding);
    const QString decimalPoint = m_decimalPoint.isEmpty() ? QLocale().decimalPoint()
                                                          : m_decimalPoint;
    LineCursor cursor(text);
    RecentKeys recentKeys;
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
        if (isMarker(line, notesMarker))
            break;
        const int k = table.icons.add();
        PlotElement &icon = table.icons[k];
        icon.live = true;
        icon.text = line.toString();
        readFields(cursor, icon, decimalPoint, recentKeys);
    }

    // The end of the file ends the notes; lines after "[End]" are notes too.
    while (cursor.next(&line)) {
        if (isMarker(line, endMarker))
            continue;
        const int k = table.notes.add();
        PlotElement &note = table.notes[k];
        note.live = true;
        note.text = line.toString();
        readFields(cursor, note, decimalPoint, recentKeys);
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
