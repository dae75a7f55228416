#include "pagecost.h"

#include <algorithm>

namespace htmlpage {

namespace {

bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Elements that hold nothing, and elements the browser closes by itself when a sibling or the
// parent's end comes: neither nests deeper.
bool nestsNothing(QStringView name)
{
    static const char *const names[] = {"area", "base", "br", "col", "colgroup", "dd", "dt", "embed", "hr",
                                        "img", "input", "li", "link", "meta", "option", "p", "param",
                                        "source", "tbody", "td", "tfoot", "th", "thead", "tr", "wbr"};
    return std::any_of(std::begin(names), std::end(names),
                       [&](const char *n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; });
}

} // namespace

QString PageCost::excess() const
{
    if (tableDepth > maxTableDepth)
        return QStringLiteral("表格嵌套超过 %1 层").arg(maxTableDepth);
    if (tableWeight > maxTableWeight)
        return QStringLiteral("嵌套的表格过多");
    if (depth > maxDepth)
        return QStringLiteral("元素嵌套超过 %1 层").arg(maxDepth);
    if (elements > maxElements)
        return QStringLiteral("元素超过 %1 个").arg(maxElements);
    return QString();
}

PageCost measurePage(QStringView html)
{
    PageCost cost;
    int depth = 0;
    int tables = 0;
    const qsizetype n = html.size();
    qsizetype close = -1; // the end of the last tag looked at, or n when there is none
    qsizetype next = html.indexOf(u'<');
    while (next >= 0 && cost.withinBounds()) {
        const qsizetype i = next;
        next = html.indexOf(u'<', i + 1);
        const bool end = i + 1 < n && html[i + 1] == u'/';
        const qsizetype from = i + 1 + (end ? 1 : 0);
        // A tag's name starts with a letter: "<" in text, a comment or a declaration is no tag.
        if (from >= n || !html[from].isLetter() || html[from].unicode() > 0x7f)
            continue;
        qsizetype to = from;
        while (to < n && isNameChar(html[to]))
            ++to;
        const QStringView name = html.sliced(from, to - from);
        const bool table = name.compare(QLatin1String("table"), Qt::CaseInsensitive) == 0;
        if (end) {
            if (table && tables > 0)
                --tables;
            if (!nestsNothing(name) && depth > 0)
                --depth;
            continue;
        }
        ++cost.elements;
        // The tag's end is searched once for all the tags before it, so the scan stays linear;
        // "/>" closes the tag only when it ends this tag, before the next "<".
        if (close < to) {
            close = html.indexOf(u'>', to);
            if (close < 0)
                close = n;
        }
        const bool selfClosing = close < n && (next < 0 || close < next) && html[close - 1] == u'/';
        if (nestsNothing(name) || selfClosing)
            continue;
        cost.depth = std::max(cost.depth, ++depth);
        if (table) {
            cost.tableDepth = std::max(cost.tableDepth, ++tables);
            cost.tableWeight += 1 << std::min(tables - 1, 20);
        }
    }
    return cost;
}

} // namespace htmlpage
