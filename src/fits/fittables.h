#pragma once
#include <QString>

#include <optional>

namespace storage {
class Dataset;
}

namespace fits {

// Reads the three tables of the tolerance database for one basic size. A row covers the sizes
// from the previous row's "基本尺寸" (exclusive) up to its own (inclusive). The row keys outlive
// a computation: they are the window's state.
class FitTables {
public:
    FitTables(storage::Dataset &tolerances, storage::Dataset &holes, storage::Dataset &shafts)
        : m_tolerances(tolerances), m_holes(holes), m_shafts(shafts) {}

    // The standard tolerance "IT<grade>" in millimetres; an empty cell reads 0. Empty when no
    // row covers the size.
    std::optional<double> lookupStandardTolerance(float basicSize, int grade);
    // The standard tolerance of a grade as the table gives it ("IT01", "IT0", "IT1" .. "IT18"
    // by gradeName "01", "0", "1" .. "18"), in millimetres; empty where no row covers the size
    // or the cell is empty (IT01 and IT0 are given up to 500 mm only).
    std::optional<double> givenStandardTolerance(float basicSize, const QString &gradeName);
    // Selects the deviation row for the size in the hole table; false when no row covers it.
    bool findDeviationRowKey(float basicSize);
    // The named column of the selected deviation row, in millimetres; empty when the row is not
    // located or the cell is empty (the standard defines no such zone there).
    std::optional<double> readHoleDeviation(const QString &column);
    std::optional<double> readShaftDeviation(const QString &column);

    float toleranceRowKey() const { return m_toleranceRowKey; }
    float deviationRowKey() const { return m_deviationRowKey; }

private:
    std::optional<double> readDeviation(storage::Dataset &table, const QString &column);

    storage::Dataset &m_tolerances;
    storage::Dataset &m_holes;
    storage::Dataset &m_shafts;
    float m_toleranceRowKey = 0;
    float m_deviationRowKey = 0;
};

} // namespace fits
