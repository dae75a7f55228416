#include "tolerancelookup.h"

#include "storage/dataset.h"

namespace geotol {

namespace {
const QString keyColumn = u"主参数"_qs;
}

std::optional<float> LookupTolerance(storage::Dataset &table, float mainParam, const QString &gradeColumn)
{
    float key = 0;
    bool found = false;
    for (table.first(); !table.eof(); table.next()) {
        const double upper = table.number(keyColumn);
        if (upper >= mainParam) {
            key = float(upper);
            found = true;
            break;
        }
    }
    if (!found)
        return std::nullopt;
    table.first();
    if (!table.locate(keyColumn, double(key)))
        return std::nullopt;
    return float(table.number(gradeColumn));
}

} // namespace geotol
