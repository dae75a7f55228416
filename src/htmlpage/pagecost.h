#pragma once
#include <QString>
#include <QStringView>

namespace htmlpage {

// What laying out a page will cost the browser, measured on its text before the browser sees it.
// The browser's layout grows steeply with nesting (tables nested 14 deep take half a second,
// 5,000 deep overflow its stack) and with the number of elements, so a page past any of these
// bounds is not shown. The scan counts every tag it meets, also in comments and scripts: it may
// count more than the browser builds, never less.
struct PageCost {
    static constexpr int maxDepth = 256;        // elements open at once
    static constexpr int maxTableDepth = 8;     // tables open at once
    static constexpr int maxTableWeight = 4096; // every table weighs 2^(its depth - 1)
    static constexpr int maxElements = 5000;    // start tags

    int depth = 0;
    int tableDepth = 0;
    int tableWeight = 0;
    int elements = 0;

    bool withinBounds() const
    {
        return depth <= maxDepth && tableDepth <= maxTableDepth && tableWeight <= maxTableWeight
               && elements <= maxElements;
    }
    // Why the page is not shown (a short Chinese sentence), or empty when it is within bounds.
    QString excess() const;
};

// Measures a page; the scan stops at the first bound the page passes.
PageCost measurePage(QStringView html);

} // namespace htmlpage
