#include "PlotTextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace PlotTextCodec {

namespace {

// Bytes 0x80..0x9F. The five bytes Windows leaves undefined map to the C1
// control of the same value, as Windows itself converts them, so that any
// byte sequence reads and writes back unchanged.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Where the first byte of 0x80 and up is, or the size when there is none;
// eight bytes at a time, as a table is nearly all ASCII.
qsizetype firstNonAscii(const uchar *bytes, qsizetype from, qsizetype size)
{
    qsizetype i = from;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, bytes + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < size && bytes[i] < 0x80)
        ++i;
    return i;
}

bool isAscii(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    return firstNonAscii(data, 0, bytes.size()) == bytes.size();
}

// True when the bytes hold a sequence no UTF-8 decoder accepts: a
// continuation byte with no lead, a byte that never leads (C0, C1, F5 and
// up), or a lead not followed by a continuation. A Windows-1252 text shows
// one at its first accented letter, so the answer usually comes there
// instead of after decoding everything; whatever is less clear-cut (a
// sequence cut off by the end, an overlong or surrogate form) is left to
// the decoder.
bool surelyNotUtf8(const QByteArray &bytes, qsizetype firstHigh)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = firstHigh;
    while (i < size) {
        const uchar lead = data[i];
        if (lead < 0xC2 || lead > 0xF4)
            return true;
        const qsizetype length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        for (qsizetype k = 1; k < length; ++k) {
            if (i + k >= size)
                return false;
            if ((data[i + k] & 0xC0) != 0x80)
                return true;
        }
        i = firstNonAscii(data, i + length, size);
    }
    return false;
}

bool surelyNotUtf8(const QByteArray &bytes)
{
    return surelyNotUtf8(bytes,
                         firstNonAscii(reinterpret_cast<const uchar *>(bytes.constData()), 0,
                                       bytes.size()));
}

const QByteArray kByteOrderMark = QByteArrayLiteral("\xef\xbb\xbf");

} // namespace

bool isValidUtf8(const QByteArray &bytes)
{
    if (surelyNotUtf8(bytes))
        return false;
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString ignored = decoder.decode(bytes);
    Q_UNUSED(ignored);
    return !decoder.hasError();
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char byte : bytes) {
        const uchar value = uchar(byte);
        *out++ = (value >= 0x80 && value < 0xA0) ? QChar(kHighControls[value - 0x80])
                                                 : QChar(value);
    }
    return text;
}

bool toWindows1252(const QString &text, QByteArray *bytes)
{
    bytes->clear();
    return appendWindows1252(text, bytes);
}

bool appendWindows1252(QStringView text, QByteArray *bytes)
{
    const qsizetype at = bytes->size();
    bytes->resize(at + text.size());
    return writeWindows1252(bytes->data() + at, text) != nullptr;
}

char *writeWindows1252(char *out, QStringView text)
{
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
    // Tables are nearly all ASCII: such characters are converted eight or
    // four at a time, only the others one by one.
#if defined(__SSE2__)
    if (size >= 8) {
        char *const start = out;
        while (i < size) {
            // The last eight overlap the ones before, already converted.
            const qsizetype at = std::min(i, size - 8);
            const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + at));
            const __m128i high = _mm_and_si128(eight, _mm_set1_epi16(short(0xFF80)));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) != 0xFFFF)
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i *>(start + at),
                             _mm_packus_epi16(eight, eight));
            i = at + 8;
        }
        out = start + i;
    }
#endif
    while (i < size) {
        quint64 four;
        if (i + 4 <= size) {
            std::memcpy(&four, units + i, sizeof four);
            if ((four & 0xFF80FF80FF80FF80ULL) == 0) {
                for (int k = 0; k < 4; ++k)
                    out[k] = char(units[i + k]);
                out += 4;
                i += 4;
                continue;
            }
        }
        const char16_t unit = units[i++];
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            *out++ = char(unit);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k) {
            if (kHighControls[k] == unit) {
                found = k;
                break;
            }
        }
        if (found < 0)
            return nullptr;
        *out++ = char(0x80 + found);
    }
    return out;
}

bool keepsWindows1252(const QByteArray &bytes)
{
    // A Windows-1252 text such as "Ã©" happens to be valid UTF-8 and would
    // read back as "é"; such a document is written in UTF-8 instead.
    return isAscii(bytes) || !isValidUtf8(bytes);
}

QString decode(const QByteArray &bytes, Encoding *encoding)
{
    Encoding read = Encoding::Windows1252;
    QString text;
    const qsizetype firstHigh =
        firstNonAscii(reinterpret_cast<const uchar *>(bytes.constData()), 0, bytes.size());
    // The choice is made on the file's bytes as they are: a Windows-1252
    // file that happens to be valid UTF-8 is read, and so written back, as
    // UTF-8, which keeps its bytes.
    if (firstHigh == bytes.size()) {
        text = QString::fromLatin1(bytes);
    } else if (surelyNotUtf8(bytes, firstHigh)) {
        text = fromWindows1252(bytes);
    } else {
        QStringDecoder decoder(QStringConverter::Utf8);
        text = decoder.decode(bytes);
        if (decoder.hasError()) {
            text = fromWindows1252(bytes);
        } else {
            read = bytes.startsWith(kByteOrderMark) ? Encoding::Utf8WithBom : Encoding::Utf8;
        }
    }
    if (encoding)
        *encoding = read;
    return text;
}

QByteArray encode(const QString &text, Encoding encoding)
{
    if (encoding == Encoding::Windows1252) {
        QByteArray bytes;
        if (toWindows1252(text, &bytes) && keepsWindows1252(bytes))
            return bytes;
    }
    // Reading drops the first byte order mark, so one is written for a
    // table that had it, and for a text that itself begins with one.
    if (encoding == Encoding::Utf8WithBom || text.startsWith(QChar(0xFEFF)))
        return kByteOrderMark + text.toUtf8();
    return text.toUtf8();
}

} // namespace PlotTextCodec
