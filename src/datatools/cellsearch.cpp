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
    // Cells that cannot hold the text (numbers, dates without its characters) are not even read;
    // when the file can tell for the others, it passes over the rows none of them holds it in.
    QVector<int> fields;
    for (int f = 0; f < ds.fields().size(); ++f) {
        if (storage::mayHold(ds.fields()[f], finder))
            fields << f;
    }
    const std::optional<storage::TextHint> hint = storage::textHint(ds.fields(), fields, finder);
    SearchHit hit;
    ds.scan(row, [&](int r, const storage::RowView &values) {
        if (text.isEmpty())
            return false; // matches nothing: the end is reached without looking
        const int f = findInRow(values, r == row ? fromField : 0, finder, fields);
        if (f < 0)
            return true;
        hit = {r, f};
        return false;
    }, &fields, hint ? &*hint : nullptr);
    return hit;
}

} // namespace datatools
