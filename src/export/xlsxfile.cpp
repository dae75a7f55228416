#include "xlsxfile.h"

#include "core/error.h"
#include "core/numbers.h"

#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

namespace dataexport {

namespace {

// A worksheet name: at most 31 characters, none of []:*?/\ (Excel refuses them).
QString sheetName(const QString &name)
{
    QString n;
    for (const QChar c : name)
        n += QStringLiteral("[]:*?/\\").contains(c) ? u'_' : c;
    n = n.trimmed().left(31);
    return n.isEmpty() ? QStringLiteral("Sheet1") : n;
}

class Workbook {
public:
    explicit Workbook(const QString &path)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        if (!m_book)
            throw core::Error(QStringLiteral("Cannot create file \"%1\".").arg(path));
    }
    ~Workbook()
    {
        if (m_book)
            workbook_close(m_book);
    }
    lxw_workbook *get() const { return m_book; }
    // Writes the file; the workbook is gone afterwards.
    void close(const QString &path)
    {
        const lxw_error err = workbook_close(m_book);
        m_book = nullptr;
        if (err != LXW_NO_ERROR)
            throw core::Error(QStringLiteral("Cannot write file \"%1\". %2").arg(path, QString::fromUtf8(lxw_strerror(err))));
    }

private:
    lxw_workbook *m_book;
};

} // namespace

void writeXlsx(const Sheet &sheet, const QString &path)
{
    // Written beside the target and moved over it when complete.
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    try {
        Workbook book(part);
        const QByteArray name = sheetName(sheet.name).toUtf8();
        lxw_worksheet *ws = workbook_add_worksheet(book.get(), name.constData());
        lxw_format *title = workbook_add_format(book.get());
        format_set_bold(title);
        format_set_align(title, LXW_ALIGN_CENTER);
        format_set_align(title, LXW_ALIGN_VERTICAL_CENTER);
        format_set_border(title, LXW_BORDER_THIN);
        format_set_text_wrap(title);
        for (int c = 0; c < sheet.widths.size(); ++c) {
            if (sheet.widths[c] > 0)
                worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), sheet.widths[c] + 1, nullptr);
        }

        // Rows go out in order (constant memory): each title row cell by cell, then the spanning
        // titles that end on it are marked as merged, while it is still the row being written
        // (the library takes no range that ends on a row already written out).
        const QVector<QStringList> titleRows = titleRowsOf(sheet);
        for (int r = 0; r < titleRows.size(); ++r) {
            for (int c = 0; c < sheet.columnCount; ++c) {
                const QByteArray text = titleRows[r][c].toUtf8();
                if (text.isEmpty())
                    worksheet_write_blank(ws, lxw_row_t(r), lxw_col_t(c), title);
                else
                    worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), text.constData(), title);
            }
            for (const TitleCell &cell : sheet.titles) {
                const int last = cell.topRow + cell.rowSpan - 1;
                if (last == r && (cell.lastColumn > cell.firstColumn || cell.rowSpan > 1)) {
                    worksheet_merge_range(ws, lxw_row_t(cell.topRow), lxw_col_t(cell.firstColumn), lxw_row_t(last),
                                          lxw_col_t(cell.lastColumn), cell.text.toUtf8().constData(), title);
                }
            }
        }

        lxw_row_t row = lxw_row_t(sheet.titleRows);
        bool full = false;
        if (sheet.forEachRow) {
            sheet.forEachRow([&](const QStringList &cells) {
                if (row >= LXW_ROW_MAX) {
                    full = true;
                    return;
                }
                for (int c = 0; c < cells.size(); ++c) {
                    const QString &text = cells[c];
                    if (text.isEmpty())
                        continue;
                    double number = 0;
                    if (sheet.numbers.value(c) && core::tryParseFloat(text, &number))
                        worksheet_write_number(ws, row, lxw_col_t(c), number, nullptr);
                    else
                        worksheet_write_string(ws, row, lxw_col_t(c), text.toUtf8().constData(), nullptr);
                }
                ++row;
            });
        }
        if (full)
            throw core::Error(QStringLiteral("工作表最多 %L1 行，这一页有更多的行：请导出为 CSV。").arg(LXW_ROW_MAX));
        book.close(part);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    QFile::remove(path);
    if (!QFile::rename(part, path)) {
        QFile::remove(part);
        throw core::Error(QStringLiteral("Cannot write file \"%1\".").arg(path));
    }
}

} // namespace dataexport
