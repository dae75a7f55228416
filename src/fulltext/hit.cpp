#include "hit.h"

#include "core/text.h"

namespace fulltext {

namespace {
// Characters shown before a hit, and the excerpt's whole length at most.
constexpr qsizetype before = 16;
constexpr qsizetype longest = 80;
} // namespace

void setExcerpt(Hit &hit, const QString &text, qsizetype at, qsizetype length)
{
    qsizetype from = std::max<qsizetype>(0, at - before);
    // Never start inside a surrogate pair.
    if (from > 0 && text.at(from).isLowSurrogate())
        --from;
    qsizetype to = std::min(text.size(), std::max(at + length, from + longest));
    if (to < text.size() && to > 0 && text.at(to - 1).isHighSurrogate())
        ++to;
    QString excerpt = text.mid(from, to - from);
    for (QChar &c : excerpt) {
        if (c == u'\r' || c == u'\n' || c == u'\t' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u' ';
    }
    hit.excerpt = excerpt;
    hit.at = int(at - from);
    hit.length = int(length);
}

QString searchText(const QString &boxText)
{
    return core::trimBlanks(boxText);
}

int characterCount(const QString &text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

} // namespace fulltext
