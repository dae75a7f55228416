#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text helpers shared by every subsystem. The "code page 936 form" of a text is its GB18030
// encoding: identical to code page 936 for every character that code page has, and defined for
// every other character, so nothing is lost when a text is written or measured.
namespace core {

QByteArray toCp936(const QString &text);
// Decodes code page 936 / GB18030 bytes; a lone 0x80 byte is the euro sign, as in code page 936.
QString fromCp936(const QByteArray &bytes);
// Length of the code page 936 form in bytes (a Chinese character counts 2).
int cp936Length(QStringView text);
// Longest prefix whose code page 936 form fits in maxBytes, never cutting a character.
QString cutToCp936Bytes(const QString &text, int maxBytes);
// Byte-by-byte comparison of the code page 936 forms (unsigned bytes, shorter text first).
int compareCp936(const QString &a, const QString &b);
int compareCp936(const QByteArray &a, const QByteArray &b);
// The same order for two UTF-8 texts, decoding nothing while their characters are ASCII.
int compareUtf8AsCp936(QByteArrayView a, QByteArrayView b);

// Removes leading and trailing characters of code 32 or below (blanks and control characters).
QString trimBlanks(const QString &text);
QStringView trimBlanks(QStringView text);

// Stored texts and files hold CR LF; Qt text widgets hold LF. toCrLf turns every lone CR or LF
// (and every CR LF) into CR LF; fromCrLf turns CR LF (and lone CR) into LF.
QString toCrLf(const QString &text);
QString fromCrLf(const QString &text);

// Whole-character, case-sensitive, literal substring test; an empty needle matches nothing.
bool containsText(const QString &haystack, const QString &needle);

} // namespace core
