#include "PlotNumber.h"

#include "Blanks.h"

#include <QLocale>

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

QString formatSingle(float value, const QString &decimalPoint)
{
    if (value == 0.0f || !std::isfinite(value))
        return QStringLiteral(" 0 "); // also turns -0 into 0

    // Seven significant digits, independent of the C locale.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, double(value),
                                      std::chars_format::scientific, 6);
    const std::string_view text(buffer, size_t(result.ptr - buffer));
    const bool negative = text.front() == '-';
    const size_t mantissaStart = negative ? 1 : 0;
    const size_t ePos = text.find('e');

    QString digits;
    for (size_t i = mantissaStart; i < ePos; ++i)
        if (text[i] != '.')
            digits += QLatin1Char(text[i]);
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    const int exponent = std::stoi(std::string(text.substr(ePos + 1)));

    const int pointPos = exponent + 1; // digits before the decimal point
    QString plain;
    if (pointPos <= 0)
        plain = u'0' + decimalPoint + QString(-pointPos, u'0') + digits;
    else if (pointPos >= digits.size())
        plain = digits + QString(pointPos - digits.size(), u'0');
    else
        plain = digits.left(pointPos) + decimalPoint + digits.mid(pointPos);

    return negative ? u'-' + plain + u' ' : u' ' + plain + u' ';
}

namespace {

// Checks the shape [sign] digits [point digits] [e [sign] digits] and
// rewrites it with "." so that the C locale can convert it.
bool parseDouble(QStringView line, const QString &decimalPoint, double *value)
{
    const QStringView text = trimBlanks(line);
    QByteArray normal;
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
    const double converted = QLocale::c().toDouble(QLatin1StringView(normal), &ok);
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
