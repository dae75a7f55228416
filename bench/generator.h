#pragma once
#include <QString>

// Writes a large synthetic handbook into dir with the code that builds the sample content: the
// sample data directory first, then a catalogue of 50,000 nodes under 20 roots, four levels
// deep, an index table vt of 50,000 rows with Chinese titles and notes, and three data tables of
// 1,000, 100,000 and 1,000,000 rows by 12 fields (text, float, integer, date, memo) whose names
// carry three title rows. The pages show the 1,000-row table, one page the 100,000-row table.
namespace bench {

// Written into the stamp of a generated handbook: a handbook of another version is generated anew.
const char *generatorVersion();

// Name of the data table of the given row count ("big1000", ...).
QString tableName(int rows);

void generateHandbook(const QString &dir);

} // namespace bench
