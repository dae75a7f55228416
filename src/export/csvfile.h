#pragma once
#include "sheet.h"

namespace dataexport {

// Writes the sheet as CSV: UTF-8 with a byte order mark (so spreadsheet programs read Chinese),
// commas, CR LF line ends, a cell holding a comma, a double quote or a line break enclosed in
// double quotes (those inside doubled); the title rows first. The file is replaced only once it
// is complete. Throws core::Error when it cannot be written.
void writeCsv(const Sheet &sheet, const QString &path);

} // namespace dataexport
