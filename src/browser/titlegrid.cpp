#include "titlegrid.h"

namespace browser {

TitleGrid::TitleGrid(const QStringList &fieldNames)
{
    for (const QString &name : fieldNames) {
        m_parts.append(name.split(u'|'));
        m_rows = std::max(m_rows, int(m_parts.last().size()));
    }
}

bool TitleGrid::sharesRow(int a, int b, int row) const
{
    // Only higher rows are shared: the row must not be the last title row of either column.
    const QStringList &pa = m_parts[a];
    const QStringList &pb = m_parts[b];
    if (row >= pa.size() - 1 || row >= pb.size() - 1)
        return false;
    for (int r = 0; r <= row; ++r) {
        if (pa[r] != pb[r])
            return false;
    }
    return true;
}

QVector<TitleGrid::Cell> TitleGrid::cellsOf(int column) const
{
    QVector<Cell> cells;
    if (column < 0 || column >= m_parts.size())
        return cells;
    const QStringList &parts = m_parts[column];
    for (int row = 0; row < parts.size(); ++row) {
        const bool last = row == parts.size() - 1;
        int first = column;
        int end = column;
        if (!last) {
            while (first > 0 && sharesRow(first - 1, column, row))
                --first;
            while (end + 1 < m_parts.size() && sharesRow(column, end + 1, row))
                ++end;
        }
        cells.append(Cell{parts[row], first, end, row, last ? m_rows - row : 1});
    }
    return cells;
}

} // namespace browser
