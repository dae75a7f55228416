#include "text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace core {

QByteArray toCp936(const QString &text)
{
    // Pure ASCII needs no encoder: most field names, identifiers and numbers take this path.
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();
    // Stateless: a text ending inside a character must not leak into the next one.
    thread_local QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString fromCp936(const QByteArray &bytes)
{
    thread_local QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    if (!bytes.contains('\x80'))
        return decoder.decode(bytes);
    // 0x80 is never a lead byte in GB18030; code page 936 maps it to the euro sign.
    QString out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x81 && b <= 0xFE && i + 1 < bytes.size()) {
            ++i; // skip the trail byte of a double-byte character
            const auto t = static_cast<unsigned char>(bytes[i]);
            if (t >= 0x30 && t <= 0x39 && i + 2 < bytes.size())
                i += 2; // four-byte sequence
            continue;
        }
        if (b == 0x80) {
            out += decoder.decode(bytes.mid(start, i - start));
            out += QChar(0x20AC);
            start = i + 1;
        }
    }
    out += decoder.decode(bytes.mid(start));
    return out;
}

int cp936Length(QStringView text)
{
    // ASCII, the CJK ideographs U+4E00-U+9FA5 and the full-width forms U+FF01-U+FF5E are all in
    // the code page's one- and two-byte ranges; anything else is measured by encoding.
    int n = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            n += 1;
        else if ((u >= 0x4E00 && u <= 0x9FA5) || (u >= 0xFF01 && u <= 0xFF5E))
            n += 2;
        else
            return int(toCp936(text.toString()).size());
    }
    return n;
}

QString cutToCp936Bytes(const QString &text, int maxBytes)
{
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const int bytes = int(toCp936(text.mid(i, len)).size());
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += len;
    }
    return text.left(i);
}

namespace {

// Where two texts first differ, or -1 when one begins the other; then *order is their order
// (the shorter first).
template <typename Text>
qsizetype firstDifference(const Text &a, const Text &b, int *order)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    if (i < n)
        return i;
    *order = a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    return -1;
}

} // namespace

int compareCp936(const QByteArray &a, const QByteArray &b)
{
    int order = 0;
    const qsizetype i = firstDifference(a, b, &order);
    if (i < 0)
        return order;
    return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
}

int compareCp936(const QString &a, const QString &b)
{
    // Equal characters have equal bytes, and an ASCII byte sorts before every byte that starts a
    // double-byte character: only the first differing non-ASCII pair needs encoding.
    int order = 0;
    const qsizetype i = firstDifference(a, b, &order);
    if (i < 0)
        return order;
    const char16_t x = a[i].unicode();
    const char16_t y = b[i].unicode();
    if (x < 0x80 || y < 0x80)
        return x < y ? -1 : 1;
    // A surrogate pair starts one position back when the difference is in its low half.
    const qsizetype from = (i > 0 && a[i - 1].isHighSurrogate()) ? i - 1 : i;
    return compareCp936(toCp936(a.mid(from)), toCp936(b.mid(from)));
}

int compareUtf8AsCp936(QByteArrayView a, QByteArrayView b)
{
    int order = 0;
    qsizetype i = firstDifference(a, b, &order);
    if (i < 0)
        return order;
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    // An ASCII byte here starts a character in both texts (their prefixes are equal) and sorts
    // before every character that takes two bytes.
    if (x < 0x80 || y < 0x80)
        return x < y ? -1 : 1;
    while (i > 0 && (static_cast<unsigned char>(a[i]) & 0xC0) == 0x80)
        --i; // back to the start of the character that differs
    return compareCp936(QString::fromUtf8(a.sliced(i)), QString::fromUtf8(b.sliced(i)));
}

QString trimBlanks(const QString &text)
{
    const QStringView trimmed = trimBlanks(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

QString toCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

QString fromCrLf(const QString &text)
{
    QString out = text;
    out.replace(u"\r\n"_qs, u"\n"_qs);
    out.replace(u'\r', u'\n');
    return out;
}

bool containsText(const QString &haystack, const QString &needle)
{
    return !needle.isEmpty() && haystack.contains(needle, Qt::CaseSensitive);
}

} // namespace core
