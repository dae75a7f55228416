#include "numbers.h"

#include "error.h"

#include <QLocale>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace core {

namespace {

QChar decimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.at(0);
}

} // namespace

QString formatNumber(double value)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    // 15 significant digits in scientific form: d.dddddddddddddde±x
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const QString sci = QString::fromLatin1(buf);
    const bool negative = sci.startsWith(u'-');
    const qsizetype ePos = sci.indexOf(u'e');
    QString digits = sci.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    digits.remove(u'.');
    const int exponent = sci.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    const QChar sep = decimalSeparator();
    QString out;
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out = QStringLiteral("0") + sep + QString(-exponent - 1, u'0') + digits;
        } else if (digits.size() <= exponent + 1) {
            out = digits + QString(exponent + 1 - digits.size(), u'0');
        } else {
            out = digits.left(exponent + 1) + sep + digits.mid(exponent + 1);
        }
    } else {
        out = digits.left(1);
        if (digits.size() > 1)
            out += sep + digits.mid(1);
        out += u'E' + QString::number(exponent);
    }
    return negative ? u'-' + out : out;
}

bool tryParseFloat(const QString &text, double *value)
{
    const QChar sep = decimalSeparator();
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    QByteArray ascii;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ascii += char(text[i++].unicode());
    int mantissaDigits = 0;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        ascii += char(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && text[i] == sep) {
        ascii += '.';
        ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            ascii += char(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ascii += char(text[i++].unicode());
        int expDigits = 0;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            ascii += char(text[i++].unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    while (i < n && text[i] == u' ')
        ++i;
    if (i != n)
        return false;
    const double v = std::strtod(ascii.constData(), nullptr);
    if (std::isinf(v))
        return false;
    *value = v;
    return true;
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
