#include "sheet.h"

namespace dataexport {

QVector<QStringList> titleRowsOf(const Sheet &sheet)
{
    QVector<QStringList> rows(sheet.titleRows, QStringList(sheet.columnCount));
    for (const TitleCell &cell : sheet.titles) {
        if (cell.topRow >= 0 && cell.topRow < sheet.titleRows && cell.firstColumn >= 0 && cell.firstColumn < sheet.columnCount)
            rows[cell.topRow][cell.firstColumn] = cell.text;
    }
    return rows;
}

} // namespace dataexport
