#include "PlotNumber.h"

#include "Blanks.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace PlotNumber {

QString formatWhole(qint32 value)
{
    if (value < 0)
        return QString::number(value) + u' ';
    return u' ' + QString::number(value) + u' ';
}

char *writeWhole(char *out, qint32 value)
{
    if (value >= 0)
        *out++ = ' ';
    out = std::to_chars(out, out + 11, value).ptr;
    *out++ = ' ';
    return out;
}

namespace {

// The digits formatSingle() shows of a finite value other than zero: its
// seven significant digits without trailing zeros (returns their count),
// how many of them stand before the decimal point (zero or less below one),
// and its sign.
int significantDigits(float value, char *digits, int *pointPos, bool *negative)
{
    // Seven significant digits, independent of the C locale: "-1.440500e+03".
    char buffer[40];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, double(value),
                                       std::chars_format::scientific, 6);
    const char *at = buffer;
    *negative = *at == '-';
    if (*negative)
        ++at;
    int count = 0;
    for (; *at != 'e'; ++at)
        if (*at != '.')
            digits[count++] = *at;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    ++at; // the 'e'
    const bool negativeExponent = *at++ == '-';
    int exponent = 0;
    for (; at < printed.ptr; ++at)
        exponent = exponent * 10 + (*at - '0');
    *pointPos = (negativeExponent ? -exponent : exponent) + 1;
    return count;
}

// Lays the digits out as formatSingle() writes them, in characters of
// either width: " 1440.5 ", "-0.25 ", " 12000 ".
template <typename Char>
Char *layOutSingle(Char *out, const char *digits, int count, int pointPos, bool negative,
                   const Char *point, qsizetype pointSize)
{
    *out++ = negative ? Char('-') : Char(' ');
    if (pointPos <= 0) {
        *out++ = Char('0');
        out = std::copy(point, point + pointSize, out);
        out = std::fill_n(out, -pointPos, Char('0'));
        out = std::copy(digits, digits + count, out);
    } else if (pointPos >= count) {
        out = std::copy(digits, digits + count, out);
        out = std::fill_n(out, pointPos - count, Char('0'));
    } else {
        out = std::copy(digits, digits + pointPos, out);
        out = std::copy(point, point + pointSize, out);
        out = std::copy(digits + pointPos, digits + count, out);
    }
    *out++ = Char(' ');
    return out;
}

} // namespace

QString formatSingle(float value, const QString &decimalPoint)
{
    if (value == 0.0f || !std::isfinite(value))
        return QStringLiteral(" 0 "); // also turns -0 into 0
    char digits[8];
    int pointPos = 0;
    bool negative = false;
    const int count = significantDigits(value, digits, &pointPos, &negative);
    QString text(kLongestSingle + decimalPoint.size(), Qt::Uninitialized);
    char16_t *begin = reinterpret_cast<char16_t *>(text.data());
    const char16_t *end = layOutSingle(begin, digits, count, pointPos, negative,
                                       QStringView(decimalPoint).utf16(), decimalPoint.size());
    text.truncate(end - begin);
    return text;
}

char *writeSingle(char *out, float value, QByteArrayView decimalPoint)
{
    // Places are nearly always whole twips. Below ten million a whole value
    // is its own seven significant digits, the whole number it is (and -0
    // is " 0 "), which is quicker to write than to work out.
    if (std::fabs(value) < 1e7f) {
        const qint32 whole = qint32(value);
        if (float(whole) == value)
            return writeWhole(out, whole);
    }
    if (!std::isfinite(value))
        return writeWhole(out, 0);
    char digits[8];
    int pointPos = 0;
    bool negative = false;
    const int count = significantDigits(value, digits, &pointPos, &negative);
    return layOutSingle(out, digits, count, pointPos, negative, decimalPoint.data(),
                        decimalPoint.size());
}

namespace {

// Nearly every number line of a table is a plain decimal: "-1", " 1440 ",
// " 1440.5 ". Such a line is read here, without making a copy of the text
// for the conversion below, as a whole number of at most fifteen digits
// (exact in a double) and the count of its digits after the point.
bool readPlainDecimal(QStringView text, const QString &decimalPoint, qint64 *mantissa,
                      int *fractionDigits, bool *negative)
{
    constexpr int kMostDigits = 15;
    const qsizetype size = text.size();
    qsizetype i = 0;
    *negative = size > 0 && text[0] == u'-';
    if (size > 0 && (*negative || text[0] == u'+'))
        ++i;
    *mantissa = 0;
    *fractionDigits = 0;
    int digits = 0;
    auto readDigits = [&](bool fraction) {
        for (; i < size && text[i] >= u'0' && text[i] <= u'9'; ++i) {
            if (++digits > kMostDigits)
                return false;
            *mantissa = *mantissa * 10 + (text[i].unicode() - u'0');
            if (fraction)
                ++*fractionDigits;
        }
        return true;
    };
    if (!readDigits(false))
        return false;
    if (i < size) {
        if (text.mid(i).startsWith(decimalPoint))
            i += decimalPoint.size();
        else if (text[i] == u'.')
            ++i;
        else
            return false;
        if (!readDigits(true))
            return false;
    }
    return i == size && digits > 0;
}

// Checks the shape [sign] digits [point digits] [e [sign] digits] and
// rewrites it with "." so that the C locale can convert it.
bool parseDouble(QStringView line, const QString &decimalPoint, double *value)
{
    const QStringView text = trimBlanks(line);
    qint64 mantissa = 0;
    int fractionDigits = 0;
    bool negative = false;
    if (readPlainDecimal(text, decimalPoint, &mantissa, &fractionDigits, &negative)) {
        // The whole number is exact, and so is a power of ten up to 1e22:
        // one division rounds once, correctly, to the value the C locale's
        // conversion gives.
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,
                                                  1e6, 1e7, 1e8,  1e9,  1e10, 1e11,
                                                  1e12, 1e13, 1e14, 1e15};
        double magnitude = double(mantissa);
        if (fractionDigits > 0)
            magnitude /= kPowersOfTen[fractionDigits];
        *value = negative ? -magnitude : magnitude; // "-0" is -0.0
        return true;
    }
    QVarLengthArray<char, 64> normal;
    normal.reserve(text.size());
    qsizetype i = 0;
    auto digitsAt = [&](bool *any) {
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            normal += char(text[i].unicode());
            ++i;
            *any = true;
        }
    };
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        normal += char(text[i++].unicode());
    bool mantissaDigits = false;
    digitsAt(&mantissaDigits);
    if (i < text.size()) {
        if (text.mid(i).startsWith(decimalPoint)) {
            i += decimalPoint.size();
            normal += '.';
            digitsAt(&mantissaDigits);
        } else if (text[i] == u'.') {
            ++i;
            normal += '.';
            digitsAt(&mantissaDigits);
        }
    }
    if (!mantissaDigits)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            normal += char(text[i++].unicode());
        bool exponentDigits = false;
        digitsAt(&exponentDigits);
        if (!exponentDigits)
            return false;
    }
    if (i != text.size())
        return false;
    bool ok = false;
    static const QLocale cLocale = QLocale::c();
    const double converted = cLocale.toDouble(QLatin1StringView(normal.constData(),
                                                                normal.size()),
                                              &ok);
    if (!ok || !std::isfinite(converted))
        return false;
    *value = converted;
    return true;
}

} // namespace

bool parseWhole(QStringView line, const QString &decimalPoint, qint32 *value)
{
    double number = 0;
    if (!parseDouble(line, decimalPoint, &number))
        return false;
    const double rounded = std::nearbyint(number); // halves to even
    if (rounded < double(std::numeric_limits<qint32>::min())
        || rounded > double(std::numeric_limits<qint32>::max()))
        return false;
    *value = qint32(rounded);
    return true;
}

bool parseSingle(QStringView line, const QString &decimalPoint, float *value)
{
    // Places are plain decimals of a few digits. With at most seven
    // significant digits the rounding below gives the decimal back, and its
    // nearest float is what a float division of two exact values gives.
    qint64 mantissa = 0;
    int fractionDigits = 0;
    bool negative = false;
    if (readPlainDecimal(trimBlanks(line), decimalPoint, &mantissa, &fractionDigits, &negative)
        && mantissa < 10000000 && fractionDigits <= 10) {
        static constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                                 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
        float magnitude = float(mantissa);
        if (fractionDigits > 0)
            magnitude /= kPowersOfTen[fractionDigits];
        *value = negative ? -magnitude : magnitude; // "-0" is -0.0
        return true;
    }
    double number = 0;
    if (!parseDouble(line, decimalPoint, &number))
        return false;
    if (std::fabs(number) > double(std::numeric_limits<float>::max()))
        return false;
    // A place holds what the file can write back: seven significant digits.
    // So a hand-edited "1.00000011920929" reads as 1, as it will be saved,
    // and reading what was written always gives the same place again.
    char buffer[40];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, number,
                                       std::chars_format::scientific, 6);
    float rounded = 0.0f;
    const auto parsed = std::from_chars(buffer, printed.ptr, rounded,
                                        std::chars_format::scientific);
    if (parsed.ec != std::errc() || !std::isfinite(rounded))
        return false;
    *value = rounded;
    return true;
}

} // namespace PlotNumber
