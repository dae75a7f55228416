#pragma once
#include <QStringList>
#include <QVector>

#include <functional>

// Copy and export of a data page: what the grid shows, as text for the clipboard, CSV and XLSX.
namespace dataexport {

// A title cell over one or more columns and title rows (the grid's multi-row titles).
struct TitleCell {
    QString text;
    int firstColumn = 0;
    int lastColumn = 0;
    int topRow = 0;
    int rowSpan = 1;
};

// A block of the grid: its title rows (none, or every title row) and its rows of cell texts as
// the grid shows them.
struct Sheet {
    QString name;            // the page title
    int columnCount = 0;
    int titleRows = 0;
    QVector<TitleCell> titles; // each title cell once
    QVector<bool> numbers;     // per column: number cells (written as numbers where a format has them)
    QVector<int> widths;       // per column: the display width in characters (0: not given)
    // Hands every row to the visitor, in order.
    using RowVisitor = std::function<void(const QStringList &cells)>;
    std::function<void(const RowVisitor &visit)> forEachRow;
};

// The title rows as rows of cells: a title cell's text in its first column and top row, the
// other cells it covers empty.
QVector<QStringList> titleRowsOf(const Sheet &sheet);

} // namespace dataexport
