#pragma once
#include "report.h"

namespace bench {

// handbook-import's conversion of the 100,000-row data page written as a Paradox table with
// pxlib's writer (once, kept in dir/paradox), beside pxlib reading the same records.
Figure timedImport(const QString &dir, int runs);

} // namespace bench
