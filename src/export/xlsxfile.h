#pragma once
#include "sheet.h"

namespace dataexport {

// Writes the sheet as an XLSX workbook of one worksheet named after the page: the title rows
// bold and centred, a title over several columns or rows as one merged cell, then the rows;
// number cells as numbers (the value the grid shows), other cells as text. Rows are written as
// they come (little memory for large tables). Throws core::Error when the file cannot be
// written or holds more rows than a worksheet can (1,048,576).
void writeXlsx(const Sheet &sheet, const QString &path);

} // namespace dataexport
