#pragma once
#include <QString>

#include <optional>

namespace storage {
class Dataset;
}

namespace geotol {

// The tolerance in micrometres of the first row, in stored order, whose "主参数" is at least
// mainParam, read from the column gradeColumn ("等级6"). The row is found again by an exact
// match on a single-precision copy of its "主参数", and the table is left on it. Empty when no
// row is at least mainParam or none matches the copy. A blank cell reads 0; a missing grade
// column throws the engine's "Field '%s' not found".
std::optional<float> LookupTolerance(storage::Dataset &table, float mainParam, const QString &gradeColumn);

} // namespace geotol
