#pragma once
#include <QStringList>
#include <QVector>

namespace browser {

// The column titles of a data grid whose field names hold several title rows separated by "|"
// ("标准公差等级|IT6": a higher row "标准公差等级" above "IT6"). Adjacent columns whose higher
// rows agree (this row and every row above it) share one cell spanning them; a column's last
// title row reaches down to the bottom of the header.
class TitleGrid {
public:
    struct Cell {
        QString text;
        int firstColumn;
        int lastColumn;
        int topRow;
        int rowSpan;
    };

    explicit TitleGrid(const QStringList &fieldNames);
    int rows() const { return m_rows; }
    int columns() const { return int(m_parts.size()); }
    // The cells covering a column, from the top row down.
    QVector<Cell> cellsOf(int column) const;

private:
    bool sharesRow(int a, int b, int row) const;
    QVector<QStringList> m_parts;
    int m_rows = 1;
};

} // namespace browser
