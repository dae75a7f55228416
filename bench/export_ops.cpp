#include "export_ops.h"

#include "generator.h"
#include "measure.h"
#include "operations.h"

#include "app/UMain.h"
#include "core/sharedstate.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace bench {

namespace {

// Answers the save dialog with one file.
class ExportDialogs : public SilentDialogs {
public:
    QString saveFile(QWidget *, const QString &, const QString &) override { return file; }
    QString file;
};

} // namespace

QVector<Figure> exportFigures(const QString &dir, int runs)
{
    QVector<Figure> out;
    const QString table = tableName(100000);
    core::shared().CurTable = table;
    core::shared().CurTitle = table;
    frmMain->ShowPage(3);
    core::Dialogs *previous = &core::dialogs();
    QTemporaryDir scratch;
    {
        ExportDialogs dialogs;
        for (bool xlsx : {false, true}) {
            dialogs.file = scratch.filePath(xlsx ? QStringLiteral("export.xlsx") : QStringLiteral("export.csv"));
            Figure f;
            f.operation = QStringLiteral("export the 100,000-row page to %1 (grid menu)").arg(xlsx ? QStringLiteral("XLSX") : QStringLiteral("CSV"));
            f.ms = medianMs(xlsx ? std::min(runs, 3) : runs, [&] { (xlsx ? frmMain->A_exportXlsx : frmMain->A_exportCsv)->trigger(); });
            f.note = QStringLiteral("file %1 MiB, %2 errors").arg(double(QFileInfo(dialogs.file).size()) / 1048576.0, 0, 'f', 1).arg(dialogs.errors.size());
            if (xlsx) {
                f.target = QStringLiteral("-");
            } else {
                const QString file = dir + QStringLiteral("/dat/") + table + QStringLiteral(".db");
                const QString sql = QStringLiteral("select * from %1").arg(table);
                f.baseline = QStringLiteral("sqlite3 -csv %1 \"%2\" > /dev/null").arg(QFileInfo(file).fileName(), sql);
                f.baselineMs = medianMs(runs, [&] { programMs(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), file, sql}); });
                f.target = QStringLiteral("≤ 1000 ms");
                f.met = f.ms <= 1000 && dialogs.errors.isEmpty();
            }
            out << f;
        }
    }
    core::setDialogs(previous);
    return out;
}

} // namespace bench
