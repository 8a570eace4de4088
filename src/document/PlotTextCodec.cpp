#include "PlotTextCodec.h"

#include <QStringDecoder>

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

bool isAscii(const QByteArray &bytes)
{
    for (char byte : bytes)
        if (uchar(byte) >= 0x80)
            return false;
    return true;
}

} // namespace

bool isValidUtf8(const QByteArray &bytes)
{
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
    bytes->resize(text.size());
    char *out = bytes->data();
    for (QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            *out++ = char(unit);
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (kHighControls[i] == unit) {
                found = i;
                break;
            }
        }
        if (found < 0)
            return false;
        *out++ = char(0x80 + found);
    }
    return true;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    return fromWindows1252(bytes);
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    // A Windows-1252 text such as "Ã©" happens to be valid UTF-8 and would
    // read back as "é"; such a document is written in UTF-8 instead.
    if (toWindows1252(text, &bytes) && (isAscii(bytes) || !isValidUtf8(bytes)))
        return bytes;
    // A text that itself begins with a byte order mark keeps it: reading
    // drops the first one, so it is written twice.
    if (text.startsWith(QChar(0xFEFF)))
        return "\xef\xbb\xbf" + text.toUtf8();
    return text.toUtf8();
}

} // namespace PlotTextCodec
