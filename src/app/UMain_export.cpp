// Copy, export and print of the data page: items of the data grid's context menu and Ctrl+C.
#include "UMain.h"

#include "binding/dbgrid.h"
#include "browser/pagearea.h"
#include "browser/titlegrid.h"
#include "core/dialogs.h"
#include "core/fonts.h"
#include "core/guard.h"
#include "core/sharedstate.h"
#include "datatools/printout.h"
#include "export/clipboardtext.h"
#include "export/csvfile.h"
#include "export/xlsxfile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QStandardPaths>

namespace {

// The grid's block of rows [top, bottom] and fields [left, right] (positions among the rows it
// shows and the table's fields), with every title row when `titles`.
dataexport::Sheet pageSheet(const storage::Dataset &table, int top, int bottom, int left, int right, bool titles)
{
    dataexport::Sheet sheet;
    const storage::Fields &fields = table.fields();
    QStringList names;
    QVector<int> read;
    for (int f = left; f <= right; ++f) {
        names << fields[f].name;
        read << f;
        sheet.numbers << storage::isNumberKind(fields[f].kind);
        sheet.widths << fields[f].displayWidth;
    }
    sheet.columnCount = int(names.size());
    if (titles) {
        const browser::TitleGrid grid(names);
        sheet.titleRows = grid.rows();
        for (int c = 0; c < grid.columns(); ++c) {
            for (const browser::TitleGrid::Cell &cell : grid.cellsOf(c)) {
                if (cell.firstColumn == c)
                    sheet.titles << dataexport::TitleCell{cell.text, cell.firstColumn, cell.lastColumn, cell.topRow, cell.rowSpan};
            }
        }
    }
    sheet.forEachRow = [&table, top, bottom, read](const dataexport::Sheet::RowVisitor &visit) {
        QStringList cells;
        table.scan(top, [&](int row, const storage::RowView &values) {
            if (row > bottom)
                return false;
            cells.clear();
            for (int f : read)
                cells << values.plainText(f);
            visit(cells);
            return true;
        }, &read);
    };
    return sheet;
}

// A file name for the page: its title without the characters file systems refuse.
QString fileNameFor(const QString &title, const QString &suffix)
{
    QString name = title.isEmpty() ? QStringLiteral("数据") : title;
    for (QChar &c : name) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c < u' ')
            c = u'_';
    }
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(dir).exists())
        dir = QDir::homePath();
    return dir + u'/' + name + suffix;
}

} // namespace

void TfrmMain::wireExport()
{
    binding::DBGrid *grid = Panel2->DBview;
    // Rectangular selections: a click picks a cell, Shift or a drag a block, a title whole columns.
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    QMenu *menu = Panel2->gridMenu();
    menu->addSeparator();
    A_copy = menu->addAction(QStringLiteral("复制"));
    A_copy->setShortcut(QKeySequence::Copy);
    A_copy->setShortcutContext(Qt::WidgetShortcut); // the grid itself, not a cell editor in it
    grid->addAction(A_copy);
    A_copyTitles = menu->addAction(QStringLiteral("复制（含标题）"));
    menu->addSeparator();
    A_exportCsv = menu->addAction(QStringLiteral("导出为 CSV 文件…"));
    A_exportXlsx = menu->addAction(QStringLiteral("导出为 Excel 工作簿…"));
    A_print = menu->addAction(QStringLiteral("打印…"));
    connect(menu, &QMenu::aboutToShow, this, [this] {
        for (QAction *a : {A_copy, A_copyTitles, A_exportCsv, A_exportXlsx, A_print})
            a->setEnabled(tblView->isOpen());
    });
    auto on = [this](QAction *action, std::function<void()> handler) {
        connect(action, &QAction::triggered, this, [handler] { core::guarded(handler); });
    };
    on(A_copy, [this] { DBviewCopy(false); });
    on(A_copyTitles, [this] { DBviewCopy(true); });
    on(A_exportCsv, [this] { DBviewExport(false); });
    on(A_exportXlsx, [this] { DBviewExport(true); });
    on(A_print, [this] { DBviewPrint(); });
}

void TfrmMain::DBviewCopy(bool withTitles)
{
    if (!tblView->isOpen() || tblView->isEmpty())
        return;
    binding::DBGrid *grid = Panel2->DBview;
    // The block the selection spans (the current cell when nothing is selected).
    int top = -1, bottom = -1, left = -1, right = -1;
    for (const QItemSelectionRange &r : grid->selectionModel()->selection()) {
        top = top < 0 ? r.top() : std::min(top, r.top());
        bottom = std::max(bottom, r.bottom());
        left = left < 0 ? r.left() : std::min(left, r.left());
        right = std::max(right, r.right());
    }
    if (top < 0) {
        const QModelIndex current = grid->currentIndex();
        if (!current.isValid())
            return;
        top = bottom = current.row();
        left = right = current.column();
    }
    bottom = std::min(bottom, tblView->recordCount() - 1);
    // Whole columns come with their titles.
    const bool wholeColumns = top == 0 && bottom == tblView->recordCount() - 1;
    const dataexport::Sheet sheet = pageSheet(*tblView, top, bottom, left, right, withTitles || wholeColumns);
    auto *data = new QMimeData;
    data->setText(dataexport::tabSeparated(sheet));
    data->setHtml(dataexport::htmlTable(sheet));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TfrmMain::DBviewExport(bool xlsx)
{
    if (!tblView->isOpen())
        return;
    const QString title = Panel2->itemtitle->text();
    const QString path = core::dialogs().saveFile(
        this, fileNameFor(title, xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv")),
        xlsx ? QStringLiteral("Excel 工作簿 (*.xlsx)") : QStringLiteral("CSV 文件，UTF-8 (*.csv)"));
    if (path.isEmpty())
        return;
    // What the grid shows: the rows that pass when the data query is on, every column, all titles.
    dataexport::Sheet sheet = pageSheet(*tblView, 0, tblView->recordCount() - 1, 0, int(tblView->fields().size()) - 1, true);
    sheet.name = title;
    {
        // A large page takes seconds to write: the pointer says so meanwhile.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const struct Restore {
            ~Restore() { QApplication::restoreOverrideCursor(); }
        } restore;
        if (xlsx)
            dataexport::writeXlsx(sheet, path);
        else
            dataexport::writeCsv(sheet, path);
    }
    core::dialogs().notice(this, QStringLiteral("已导出 %L1 行：%2").arg(tblView->recordCount()).arg(path));
}

void TfrmMain::DBviewPrint()
{
    if (!tblView->isOpen())
        return;
    if (!m_pagePrinter) {
        m_pagePrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_pagePrinter->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    }
    const QString title = Panel2->itemtitle->text();
    m_pagePrinter->setDocName(title);
    dataexport::Sheet sheet = pageSheet(*tblView, 0, tblView->recordCount() - 1, 0, int(tblView->fields().size()) - 1, true);
    sheet.name = title;
    QFont font = core::songti(12);
    font.setPointSize(9);
    m_pagePrinter->setPageOrientation(datatools::preferredOrientation(*m_pagePrinter, font, sheet));
    core::dialogs().previewPrint(this, *m_pagePrinter, [&](QPrinter &printer) { datatools::printSheet(printer, font, sheet); });
}
