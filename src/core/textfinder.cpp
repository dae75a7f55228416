#include "textfinder.h"

#include "numbers.h"
#include "text.h"

#include <string_view>

namespace core {

bool bytesContain(QByteArrayView haystack, QByteArrayView needle)
{
    const std::string_view bytes(haystack.data(), size_t(haystack.size()));
    return bytes.find(std::string_view(needle.data(), size_t(needle.size()))) != std::string_view::npos;
}

namespace {

// The needle in number text's own characters (digits, minus, the exponent's E, INF and '.' for
// the user's decimal separator), or empty when it holds any other character.
QByteArray numberFormOf(const QString &needle)
{
    const QChar separator = decimalSeparator();
    QByteArray form;
    for (QChar c : needle) {
        if (c == separator)
            form += '.';
        else if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'E' || c == u'I' || c == u'N' || c == u'F')
            form += char(c.unicode());
        else
            return {};
    }
    return form;
}

} // namespace

TextFinder::TextFinder(const QString &needle) : m_needle(needle), m_numberForm(numberFormOf(needle))
{
    // UTF-8 is self-synchronising: a byte match of a valid needle is a match of whole characters.
    // Decoding turns invalid bytes into U+FFFD and drops a leading byte order mark, so a needle
    // holding either (or a broken surrogate pair, which has no UTF-8 form) is left to the decoded
    // text.
    if (needle.isValidUtf16() && !needle.contains(QChar::ReplacementCharacter)
        && !needle.contains(QChar::ByteOrderMark))
        m_utf8 = needle.toUtf8();
}

bool TextFinder::usesOnly(const QString &characters) const
{
    for (QChar c : m_needle) {
        if (!characters.contains(c))
            return false;
    }
    return true;
}

bool TextFinder::in(const QString &haystack) const
{
    return containsText(haystack, m_needle);
}

bool TextFinder::inUtf8(QByteArrayView haystack) const
{
    if (m_needle.isEmpty())
        return false;
    if (m_utf8.isEmpty())
        return in(QString::fromUtf8(haystack));
    return bytesContain(haystack, m_utf8);
}

bool TextFinder::inNumberText(QByteArrayView haystack) const
{
    return fitsNumberText() && bytesContain(haystack, m_numberForm);
}

} // namespace core
