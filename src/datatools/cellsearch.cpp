#include "cellsearch.h"

#include "core/text.h"
#include "core/textfinder.h"
#include "storage/dataset.h"

namespace datatools {

int findInRow(const storage::RowView &row, int fromField, const core::TextFinder &finder, const QVector<int> &fields)
{
    for (int f : fields) {
        if (f >= fromField && row.containsText(f, finder))
            return f;
    }
    return -1;
}

SearchHit searchFrom(const storage::Dataset &ds, int row, int fromField, const QString &searchText)
{
    const QString text = core::trimBlanks(searchText);
    const core::TextFinder finder(text);
    // Number cells cannot hold a text with other characters: they are not even read.
    QVector<int> fields;
    for (int f = 0; f < ds.fields().size(); ++f) {
        if (finder.fitsNumberText() || !storage::isNumberKind(ds.fields()[f].kind))
            fields << f;
    }
    SearchHit hit;
    ds.scan(row, [&](int r, const storage::RowView &values) {
        if (text.isEmpty())
            return false; // matches nothing: the end is reached without looking
        const int f = findInRow(values, r == row ? fromField : 0, finder, fields);
        if (f < 0)
            return true;
        hit = {r, f};
        return false;
    }, &fields);
    return hit;
}

} // namespace datatools
