#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Numbers in a plot table file: whole numbers (icon and note numbers) and
// single-precision positions in twips, written the way every existing file
// has them: " 12 " for zero and up, "-1 " below zero.
namespace PlotNumber {

QString formatWhole(qint32 value);

// Plain decimal notation, at most seven significant digits, no trailing
// zeros, decimalPoint between the whole and the fractional part.
QString formatSingle(float value, const QString &decimalPoint);

// The same texts written at out as the writer makes a table's bytes:
// writeWhole() needs room for 13 bytes, writeSingle() for kLongestSingle
// and the decimal point (in the file's code page). They return the end.
constexpr int kLongestSingle = 54; // "-0", 44 zeros, 7 digits, " " and the point
char *writeWhole(char *out, qint32 value);
char *writeSingle(char *out, float value, QByteArrayView decimalPoint);

// Blanks around the number are ignored. The locale's decimal point is read,
// and so is ".", so that a file moved between locales keeps its places. An
// exponent ("1E3") is accepted; group separators are not. A fraction given
// for a whole number rounds to the nearest, halves to even. A line that is
// not a number, or is out of range, or not finite, gives false and leaves
// *value untouched.
bool parseWhole(QStringView line, const QString &decimalPoint, qint32 *value);
bool parseSingle(QStringView line, const QString &decimalPoint, float *value);

} // namespace PlotNumber
