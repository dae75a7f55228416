#include "cellsearch.h"

#include "core/text.h"
#include "storage/dataset.h"

namespace datatools {

int findInRow(const storage::RowView &row, int fromField, const QString &text)
{
    const storage::Fields &fields = row.fields();
    for (int f = std::max(0, fromField); f < fields.size(); ++f) {
        const QVariant cell = row.value(f);
        if (cell.isValid() && !cell.isNull() && core::containsText(storage::plainText(fields[f], cell), text))
            return f;
    }
    return -1;
}

SearchHit searchFrom(const storage::Dataset &ds, int row, int fromField, const QString &searchText)
{
    const QString text = core::trimBlanks(searchText);
    SearchHit hit;
    ds.scan(row, [&](int r, const storage::RowView &values) {
        if (text.isEmpty())
            return false; // matches nothing: the end is reached without looking
        const int f = findInRow(values, r == row ? fromField : 0, text);
        if (f < 0)
            return true;
        hit = {r, f};
        return false;
    });
    return hit;
}

} // namespace datatools
