#pragma once

#include <QByteArray>
#include <QString>

// Plot tables were written in the Western Windows code page. There is no
// such code page here, so reading and writing choose between Windows-1252
// and UTF-8 such that existing files keep their bytes and no character a
// user typed is ever replaced.
namespace PlotTextCodec {

// How a table's bytes were read, so that writing it back keeps them.
enum class Encoding {
    // Windows-1252 bytes, or ASCII only, as the Western code page wrote
    // them; also how a new table is written.
    Windows1252,
    Utf8,        // valid UTF-8 with some character beyond ASCII
    Utf8WithBom, // valid UTF-8 after a byte order mark
};

// UTF-8 when the bytes are valid UTF-8 (a leading byte order mark is
// dropped), Windows-1252 otherwise. encoding, when given, says which.
QString decode(const QByteArray &bytes, Encoding *encoding = nullptr);

// Windows1252: Windows-1252 when every character fits it and the bytes
// cannot be mistaken for UTF-8 on reading, UTF-8 without a byte order mark
// otherwise. Utf8 and Utf8WithBom: UTF-8, with the mark for the latter.
QByteArray encode(const QString &text, Encoding encoding = Encoding::Windows1252);

bool isValidUtf8(const QByteArray &bytes);
QString fromWindows1252(const QByteArray &bytes);
// False when some character has no Windows-1252 byte.
bool toWindows1252(const QString &text, QByteArray *bytes);
// The same for a part of a text, added to the end of bytes.
bool appendWindows1252(QStringView text, QByteArray *bytes);
// The same written at out, which has room for text.size() bytes; returns
// the end, or nullptr when some character has no Windows-1252 byte.
char *writeWindows1252(char *out, QStringView text);
// Whether the Windows-1252 bytes of a text are what encode() writes for it:
// they are, unless they could be mistaken for UTF-8 on reading.
bool keepsWindows1252(const QByteArray &bytes);

} // namespace PlotTextCodec
