#pragma once
#include "report.h"

namespace bench {

// Times the full-text index and search on the synthetic handbook in dir (the main window made):
// building the index, queries of one, two and more characters and of a number text to the first
// screenful in the "全文" tab, beside sqlite3 finding the same text without the index.
QVector<Figure> fulltextFigures(const QString &dir, int runs);

// What indexing the 1,000,000-row table would cost: the index of a handbook whose one page shows
// it, built once into a scratch directory.
Figure millionRowIndexFigure(const QString &dir);

} // namespace bench
