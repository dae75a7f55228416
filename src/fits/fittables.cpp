#include "fittables.h"

#include "storage/dataset.h"

namespace fits {

namespace {

const QString sizeField = QStringLiteral("基本尺寸");

// Scans from the first row for the first "基本尺寸" at or above the size (as a 32-bit value) and
// stores it in key. The key keeps its old value when no row is that large.
bool selectRow(storage::Dataset &table, float basicSize, float &key)
{
    table.first();
    while (!table.eof()) {
        const double v = table.number(sizeField);
        if (v >= double(basicSize)) {
            key = float(v);
            return true;
        }
        table.next();
    }
    return false;
}

bool locateRow(storage::Dataset &table, float key)
{
    table.first();
    return table.locate(sizeField, double(key), storage::LocateOptions{false, true});
}

} // namespace

std::optional<double> FitTables::lookupStandardTolerance(float basicSize, int grade)
{
    const QString column = QStringLiteral("IT") + QString::number(grade);
    // A size beyond the last row must not fall back on the row of an earlier computation.
    if (!selectRow(m_tolerances, basicSize, m_toleranceRowKey))
        return std::nullopt;
    if (!locateRow(m_tolerances, m_toleranceRowKey))
        return std::nullopt;
    return m_tolerances.number(column) / 1000;
}

std::optional<double> FitTables::givenStandardTolerance(float basicSize, const QString &gradeName)
{
    const QString column = QStringLiteral("IT") + gradeName;
    if (!selectRow(m_tolerances, basicSize, m_toleranceRowKey) || !locateRow(m_tolerances, m_toleranceRowKey))
        return std::nullopt;
    if (m_tolerances.value(column).isNull())
        return std::nullopt;
    return m_tolerances.number(column) / 1000;
}

bool FitTables::findDeviationRowKey(float basicSize)
{
    return selectRow(m_holes, basicSize, m_deviationRowKey);
}

std::optional<double> FitTables::readHoleDeviation(const QString &column)
{
    return readDeviation(m_holes, column);
}

std::optional<double> FitTables::readShaftDeviation(const QString &column)
{
    return readDeviation(m_shafts, column);
}

std::optional<double> FitTables::readDeviation(storage::Dataset &table, const QString &column)
{
    if (!locateRow(table, m_deviationRowKey))
        return std::nullopt;
    if (table.value(column).isNull())
        return std::nullopt;
    return table.number(column) / 1000;
}

} // namespace fits
