#pragma once
#include <QString>

namespace storage {
class Dataset;
}

namespace datatools {

// The query-result report of a double-click on the data grid, every line ended by CR LF.
// keyColumns > 0 (or < 0): a column report over every visible row, the key columns and the
// selected column, spaced in code page 936 bytes; the walk leaves the last row current.
// keyColumns == 0: a record listing of the current row, one "name:    value" line per field.
// A closing line of 24 spaces ends both. selectedColumn is -1 when no column is selected.
QString composeReport(storage::Dataset &ds, int keyColumns, int selectedColumn);

} // namespace datatools
