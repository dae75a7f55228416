#include "numbers.h"

#include "error.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

namespace core {

QChar decimalSeparator()
{
    // Read once, as the program starts: asking the system locale for every number written costs
    // more than writing it. A change of the system's settings is followed at the next start.
    static const QChar separator = [] {
        const QString point = QLocale::system().decimalPoint();
        return point.isEmpty() ? QChar(u'.') : point.at(0);
    }();
    return separator;
}

namespace {

// The digits and exponent of a value that table data mostly holds: a decimal n / 10^k with at most
// 15 digits and 9 decimals whose nearest double is the value. That decimal lies within half a
// binary step of the value, far less than half a step of the 15th digit, so it is the value
// rounded to 15 digits, found without a general conversion. False for other values.
bool shortDecimal(double magnitude, char *digits, int *count, int *exponent)
{
    double scale = 1;
    for (int k = 0; k <= 9; ++k, scale *= 10) {
        const double n = std::nearbyint(magnitude * scale);
        if (n >= 1e15)
            return false;
        if (n / scale == magnitude) {
            *count = int(std::to_chars(digits, digits + numberTextCapacity, static_cast<long long>(n)).ptr - digits);
            *exponent = *count - 1 - k;
            return true;
        }
    }
    return false;
}

} // namespace

int formatNumberAscii(double value, char *out)
{
    char *p = out;
    if (value == 0 || std::isnan(value)) {
        *p++ = '0';
        return int(p - out);
    }
    if (value < 0)
        *p++ = '-';
    if (std::isinf(value)) {
        std::memcpy(p, "INF", 3);
        return int(p + 3 - out);
    }

    // At most 15 significant digits, rounded as printf's %.14e.
    char digits[numberTextCapacity];
    int count = 0;
    int exponent = 0;
    const double magnitude = std::fabs(value);
    if (!shortDecimal(magnitude, digits, &count, &exponent)) {
        char sci[numberTextCapacity]; // d.dddddddddddddde±x
        const char *end = std::to_chars(sci, std::end(sci), magnitude, std::chars_format::scientific, 14).ptr;
        const char *e = std::find(static_cast<const char *>(sci), end, 'e');
        for (const char *c = sci; c < e; ++c) {
            if (*c != '.')
                digits[count++] = *c;
        }
        std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;

    auto put = [&p](const char *from, int n) {
        std::memcpy(p, from, size_t(n));
        p += n;
    };
    auto zeros = [&p](int n) {
        std::memset(p, '0', size_t(n));
        p += n;
    };
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            put("0.", 2);
            zeros(-exponent - 1);
            put(digits, count);
        } else if (count <= exponent + 1) {
            put(digits, count);
            zeros(exponent + 1 - count);
        } else {
            put(digits, exponent + 1);
            *p++ = '.';
            put(digits + exponent + 1, count - exponent - 1);
        }
    } else {
        *p++ = digits[0];
        if (count > 1) {
            *p++ = '.';
            put(digits + 1, count - 1);
        }
        *p++ = 'E';
        p = std::to_chars(p, out + numberTextCapacity, exponent).ptr;
    }
    return int(p - out);
}

QString formatNumber(double value)
{
    char buf[numberTextCapacity];
    QString text = QString::fromLatin1(buf, formatNumberAscii(value, buf));
    const QChar sep = decimalSeparator();
    if (sep != u'.')
        text.replace(u'.', sep);
    return text;
}

bool tryParseFloat(QStringView text, double *value, QChar separator)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    // The text in from_chars' own form ('.' for the separator, no '+'): the conversion then
    // never asks the C library, whose locale the application sets from the user's settings.
    QVarLengthArray<char, 64> ascii;
    const auto put = [&](QChar c) { ascii.append(char(c.unicode())); };
    const auto digits = [&] {
        int count = 0;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            put(text[i++]);
            ++count;
        }
        return count;
    };
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            put(text[i]);
        ++i;
    }
    int mantissaDigits = digits();
    if (i < n && text[i] == separator) {
        put(u'.');
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        put(u'e');
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            put(text[i++]);
        if (digits() <= 0)
            return false;
    }
    while (i < n && text[i] == u' ')
        ++i;
    if (i != n)
        return false;
    double v = 0;
    // Out of range (beyond the largest double, or below the smallest) does not read.
    const std::from_chars_result r = std::from_chars(ascii.begin(), ascii.end(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != ascii.end() || std::isinf(v))
        return false;
    *value = v;
    return true;
}

bool tryParseFloat(const QString &text, double *value)
{
    return tryParseFloat(text, value, decimalSeparator());
}

double parseFloat(const QString &text)
{
    double v = 0;
    if (!tryParseFloat(text, &v))
        throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

int parseInt(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    qsizetype i = 0;
    if (!t.isEmpty() && (t[0] == u'+' || t[0] == u'-'))
        i = 1;
    bool digitsOnly = i < t.size();
    for (qsizetype k = i; k < t.size(); ++k)
        digitsOnly = digitsOnly && t[k] >= u'0' && t[k] <= u'9';
    const int v = digitsOnly ? t.toInt(&ok) : 0;
    if (!ok)
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

double roundHalfEven(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value * scale) / scale;
    std::fesetround(saved);
    return r;
}

} // namespace core
