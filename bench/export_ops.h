#pragma once
#include "report.h"

namespace bench {

// Times the export of the 100,000-row data page to CSV and XLSX through the data grid's menu
// items (the main window made), beside sqlite3 writing the same table as CSV.
QVector<Figure> exportFigures(const QString &dir, int runs);

} // namespace bench
