#include "cellsearch.h"

#include "core/text.h"
#include "core/textfinder.h"
#include "storage/dataset.h"

namespace datatools {

int findInRow(const storage::RowView &row, int fromField, const core::TextFinder &finder)
{
    for (int f = std::max(0, fromField); f < row.fields().size(); ++f) {
        if (row.containsText(f, finder))
            return f;
    }
    return -1;
}

SearchHit searchFrom(const storage::Dataset &ds, int row, int fromField, const QString &searchText)
{
    const QString text = core::trimBlanks(searchText);
    const core::TextFinder finder(text);
    SearchHit hit;
    ds.scan(row, [&](int r, const storage::RowView &values) {
        if (text.isEmpty())
            return false; // matches nothing: the end is reached without looking
        const int f = findInRow(values, r == row ? fromField : 0, finder);
        if (f < 0)
            return true;
        hit = {r, f};
        return false;
    });
    return hit;
}

} // namespace datatools
