#pragma once
#include "sheet.h"

namespace dataexport {

// Tab-separated text as spreadsheets paste it: one line per row, a cell holding a tab, a line
// break or a double quote enclosed in double quotes (those inside doubled).
QString tabSeparated(const Sheet &sheet);
// An HTML table: the title cells as header cells spanning their columns and rows, then the rows.
QString htmlTable(const Sheet &sheet);

} // namespace dataexport
