#pragma once

#include <QByteArray>
#include <QString>

// Plot tables were written in the Western Windows code page. There is no
// such code page here, so reading and writing choose between Windows-1252
// and UTF-8 such that existing files keep their bytes and no character a
// user typed is ever replaced.
namespace PlotTextCodec {

// UTF-8 when the bytes are valid UTF-8 (a leading byte order mark is
// dropped), Windows-1252 otherwise.
QString decode(const QByteArray &bytes);

// Windows-1252 when every character fits it and the bytes cannot be
// mistaken for UTF-8 on reading; UTF-8 without a byte order mark otherwise.
QByteArray encode(const QString &text);

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
