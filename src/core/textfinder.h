#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace core {

// Whether the bytes of haystack hold those of needle (an empty needle is held everywhere); the
// byte search every text test of the handbook uses.
bool bytesContain(QByteArrayView haystack, QByteArrayView needle);

// A text looked for in many cells (containsText: whole characters, case-sensitive, literal; an
// empty text is found nowhere), prepared once so that stored forms can be searched as they are:
// UTF-8 bytes, and number text from formatNumberAscii, without building a QString per cell.
class TextFinder {
public:
    explicit TextFinder(const QString &needle = QString());

    bool in(const QString &haystack) const;
    // haystack: UTF-8 bytes, as decoded by QString::fromUtf8.
    bool inUtf8(QByteArrayView haystack) const;
    // haystack: ASCII number text with '.' as the decimal separator (formatNumberAscii, or an
    // integer's digits); the answer is the one for the text the user sees.
    bool inNumberText(QByteArrayView haystack) const;
    // False when the needle holds a character no number text has: numbers need not be written.
    bool fitsNumberText() const { return !m_numberForm.isEmpty(); }
    // Whether every character of the needle is one of these (a text made only of them could hold it).
    bool usesOnly(const QString &characters) const;
    // The needle's UTF-8 bytes when a byte match of stored UTF-8 text decides; empty otherwise.
    QByteArrayView utf8() const { return m_utf8; }
    // The needle as it appears in number text (see inNumberText); empty when it cannot.
    QByteArrayView numberForm() const { return m_numberForm; }

private:
    QString m_needle;
    QByteArray m_utf8;       // empty when bytes cannot decide (see the constructor)
    QByteArray m_numberForm; // the needle as it appears in number text; empty when it cannot
};

} // namespace core
