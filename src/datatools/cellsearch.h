#pragma once
#include <QString>
#include <QVector>

namespace core {
class TextFinder;
}

namespace storage {
class Dataset;
class RowView;
} // namespace storage

namespace datatools {

// Where the data search found its text: a visible row and a field position, or nothing (-1).
struct SearchHit {
    int row = -1;
    int field = -1;
    bool found() const { return row >= 0; }
};

// Field position of the first cell among `fields` (ascending), from fromField on, whose plain
// text form holds the finder's text (whole characters, case-sensitive, literal; a blank cell never
// matches); -1 when none does.
int findInRow(const storage::RowView &row, int fromField, const core::TextFinder &finder, const QVector<int> &fields);

// The data search's walk over the visible rows: the rest of row `row` from field `fromField` on,
// then every later row from field 0. The search text is trimmed of blanks first; an empty one
// matches nothing. Throws the engine's error when the dataset is closed.
SearchHit searchFrom(const storage::Dataset &ds, int row, int fromField, const QString &searchText);

} // namespace datatools
