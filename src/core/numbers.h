#pragma once
#include <QString>

namespace core {

// Number text: at most 15 significant digits, no trailing zeros, the locale's decimal separator;
// fixed notation from 0.0001 up to 10^15 (after rounding), otherwise 5E-5 / 1.5E20.
QString formatNumber(double value);
// formatNumber's text with '.' as the decimal separator, written as ASCII into out (room for
// numberTextCapacity chars); returns its length. Walks over many numbers test this text
// without building strings.
constexpr int numberTextCapacity = 32;
int formatNumberAscii(double value, char *out);
// The user's decimal separator, as formatNumber writes it and tryParseFloat reads it.
QChar decimalSeparator();

// Decimal number reading: blanks around, optional sign, digits with an optional decimal
// separator and fraction, optional exponent. Throws core::Error
// "'<text>' is not a valid floating point value".
double parseFloat(const QString &text);
// Like parseFloat, but reports failure instead of throwing.
bool tryParseFloat(const QString &text, double *value);
// The same grammar with a given separator: texts of files and content are written with '.',
// whatever the user's locale. Neither reading depends on the C library's locale.
bool tryParseFloat(QStringView text, double *value, QChar separator);
// Decimal integer reading (blanks around, optional sign, digits, 32-bit range). Throws
// core::Error "'<text>' is not a valid integer value".
int parseInt(const QString &text);

// Rounds to the given number of decimals, an exact half going to the even neighbour.
double roundHalfEven(double value, int decimals);

} // namespace core
