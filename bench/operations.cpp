#include "operations.h"

#include "export_ops.h"
#include "htmlpage_ops.h"
#include "fulltext_ops.h"
#include "generator.h"
#include "measure.h"

#include "app/UMain.h"
#include "app/startup.h"
#include "browser/catalogue.h"
#include "browser/pagearea.h"
#include "core/sharedstate.h"
#include "core/text.h"
#include "browser/navigation.h"
#include "datatools/U_cxjg.h"
#include "datatools/U_find.h"
#include "datatools/U_search.h"
#include "datatools/resultreport.h"
#include "storage/dataset.h"
#include "storage/sqlite.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QLineEdit>
#include <QTabWidget>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

QString sqlite3Baseline(const QString &file, const QString &sql)
{
    return QStringLiteral("sqlite3 %1 \"%2\" > /dev/null").arg(QFileInfo(file).fileName(), sql);
}

double sqlite3Ms(int runs, const QString &file, const QString &sql)
{
    return medianMs(runs, [&] { programMs(QStringLiteral("sqlite3"), {file, sql}); });
}

Figure timedBuildTree(const QString &dir, int runs)
{
    storage::Dataset roots, branch;
    roots.setDirectory(dir + QStringLiteral("/database"));
    roots.setTableName(QStringLiteral("vtree.DB"));
    branch.setDirectory(roots.directory());
    Figure f;
    f.operation = QStringLiteral("BuildTree over 50,000 nodes");
    int nodes = 0;
    f.ms = medianMs(runs, [&] {
        roots.close();
        browser::CatalogueModel model;
        browser::BuildTree(roots, branch, model);
        nodes = model.nodeCount();
    });
    f.target = QStringLiteral("≤ 150 ms");
    f.met = f.ms <= 150;
    f.note = QStringLiteral("%1 nodes").arg(nodes);
    return f;
}

void openDataPage(const QString &table)
{
    core::shared().CurTable = table;
    core::shared().CurTitle = table;
    frmMain->ShowPage(3);
}

QString allTextOf(const storage::Dataset &ds)
{
    QStringList cells;
    for (const storage::FieldDef &f : ds.fields())
        cells << QStringLiteral("coalesce(%1,'')").arg(storage::quoteIdentifier(f.name));
    return cells.join(QStringLiteral("||"));
}

Figure queryFigure(const QString &dir, int rows, int runs, const QString &field, const QString &value, double target)
{
    const QString table = tableName(rows);
    openDataPage(table);
    frm_find->showWindow();
    frm_find->ComboBox1->setCurrentText(field);
    frm_find->ComboBox2->setCurrentText(QStringLiteral("Like"));
    frm_find->Edit1->setText(value);
    Figure f;
    f.operation = QStringLiteral("\"查询\" Like %1 on %2, %L3 rows").arg(value, field.section(u'|', -1)).arg(rows);
    int passed = 0;
    f.ms = medianMs(runs, [&] {
        frm_find->BitBtn3Click();
        passed = frmMain->tblView->recordCount();
    });
    frm_find->BitBtn4Click();
    const QString file = dir + QStringLiteral("/dat/") + table + QStringLiteral(".db");
    const QString sql = QStringLiteral("select count(*) from %1 where instr(%2, '%3') > 0")
                            .arg(table, storage::quoteIdentifier(field), value);
    f.baseline = sqlite3Baseline(file, sql);
    f.baselineMs = sqlite3Ms(runs, file, sql);
    f.target = QStringLiteral("≤ %1 ms, ≤ 1×").arg(target);
    f.met = f.ms <= target && f.ms <= f.baselineMs;
    f.note = QStringLiteral("%L1 rows pass").arg(passed);
    return f;
}

QVector<Figure> timedWindowOperations(const QString &dir, int runs)
{
    QVector<Figure> out;
    createWindows(dir);
    frmMain->show();
    const QString text = QStringLiteral("规格|名称|名称");
    const QString number = QStringLiteral("尺寸|主要|长度 L");
    for (int rows : {100000, 1000000}) {
        const int n = rows > 100000 ? std::max(3, runs / 2) : runs;
        const double target = rows > 100000 ? 300 : 30;
        out << queryFigure(dir, rows, n, text, QStringLiteral("齿轮"), target);
        out << queryFigure(dir, rows, n, number, QStringLiteral("2.5"), target);
    }

    const QString table = tableName(100000);
    const QString file = dir + QStringLiteral("/dat/") + table + QStringLiteral(".db");
    openDataPage(table);
    {
        Figure f;
        f.operation = QStringLiteral("\"搜索\" walking 100,000 rows without a match");
        frm_search->Edit1->setText(QStringLiteral("没有这段文字"));
        f.ms = medianMs(runs, [&] { frm_search->BitBtn1Click(); });
        const QString sql = QStringLiteral("select count(*) from %1 where instr(%2, '没有这段文字') > 0")
                                .arg(table, allTextOf(*frmMain->tblView));
        f.baseline = sqlite3Baseline(file, QStringLiteral("select count(*) ... instr(<all fields joined>, '没有这段文字') > 0"));
        f.baselineMs = sqlite3Ms(runs, file, sql);
        f.target = QStringLiteral("≤ 50 ms");
        f.met = f.ms <= 50;
        out << f;
    }
    {
        Figure f;
        f.operation = QStringLiteral("double-click column report over 100,000 rows (composing)");
        QString report;
        f.ms = medianMs(runs, [&] { report = datatools::composeReport(*frmMain->tblView, 2, 4); });
        f.target = QStringLiteral("≤ 100 ms");
        f.met = f.ms <= 100;
        f.note = QStringLiteral("%L1 characters").arg(report.size());
        out << f;
        Figure shown;
        shown.operation = QStringLiteral("showing that report in the query-result window");
        // Timed from the double-click's hand-over to the window shown with the report's start; the
        // rest of the lines arrive in slices while the window answers input (the note).
        const int whole = int(core::fromCrLf(report).size()) + 1;
        std::vector<double> first, complete, slices;
        for (int i = 0; i <= runs; ++i) {
            frm_cxjg->hide();
            core::shared().ResultText = report;
            QElapsedTimer t;
            t.start();
            frm_cxjg->showWindow();
            QCoreApplication::processEvents();
            const double shownMs = double(t.nsecsElapsed()) / 1e6;
            double longest = 0;
            while (frm_cxjg->Memo1->document()->characterCount() < whole) {
                const qint64 before = t.nsecsElapsed();
                QCoreApplication::processEvents();
                longest = std::max(longest, double(t.nsecsElapsed() - before) / 1e6);
            }
            if (i == 0)
                continue; // warm-up
            first.push_back(shownMs);
            complete.push_back(double(t.nsecsElapsed()) / 1e6);
            slices.push_back(longest);
        }
        shown.ms = median(first);
        shown.target = QStringLiteral("≤ 100 ms");
        shown.met = shown.ms <= 100;
        shown.note = QStringLiteral("whole report in the box after %1 ms, the window answering between slices of at most %2 ms")
                         .arg(median(complete), 0, 'f', 0)
                         .arg(median(slices), 0, 'f', 0);
        out << shown;
    }
    {
        frmMain->PageControl->setCurrentWidget(frmMain->Ts_search);
        Figure f;
        f.operation = QStringLiteral("one keystroke in the find box over the 50,000-row vt");
        // Only the keystroke is timed, not the emptying of the box before it.
        QVector<double> single;
        for (int i = 0; i < runs; ++i) {
            frmMain->E_search->setText(QString());
            QElapsedTimer t;
            t.start();
            frmMain->E_search->setText(QStringLiteral("第"));
            single << double(t.nsecsElapsed()) / 1e6;
        }
        std::sort(single.begin(), single.end());
        f.ms = single[single.size() / 2];
        f.target = QStringLiteral("≤ 16 ms");
        f.met = f.ms <= 16;
        f.note = QStringLiteral("%L1 rows listed").arg(frmMain->QF_tree->recordCount());
        out << f;
    }
    {
        frmMain->PageControl->setCurrentWidget(frmMain->Ts_index);
        Figure f;
        f.operation = QStringLiteral("one keystroke in the index box");
        const QStringList prefixes = {QStringLiteral("齿"), QStringLiteral("螺"), QStringLiteral("弹"), QStringLiteral("销")};
        int k = 0;
        f.ms = medianMs(runs, [&] { frmMain->s_index->setText(prefixes[k++ % prefixes.size()]); });
        f.target = QStringLiteral("≤ 5 ms");
        f.met = f.ms <= 5;
        out << f;
    }
    {
        frmMain->PageControl->setCurrentWidget(frmMain->Ts_ml);
        browser::History history(*frmMain->T_history, [](unsigned) {});
        Figure f;
        f.operation = QStringLiteral("AddHistory, one visit committed (WAL, synchronous NORMAL)");
        f.ms = medianMs(runs, [&] { history.add(*frmMain->T_Tree); });
        f.target = QStringLiteral("≤ 5 ms");
        f.met = f.ms <= 5;
        out << f;
    }
    return out;
}

} // namespace

int openPageChild(int argc, char **argv, const QString &dir, const QString &table)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentDialogs dialogs;
    storage::Dataset tblView;
    tblView.setDirectory(dir + QStringLiteral("/dat"));
    QWidget tabs;
    browser::PageArea area(&tblView, &tabs);
    area.resize(700, 700);
    core::shared().AppDir = dir + u'/';
    core::shared().CurTable = table;
    const qint64 before = peakRssKb();
    QElapsedTimer t;
    t.start();
    area.ShowPage(3);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    std::printf("%.3f %lld %d\n", ms, peakRssKb() - before, tblView.recordCount());
    return 0;
}

QVector<Figure> runOperations(const QString &dir, int runs)
{
    QVector<Figure> out;
    SilentDialogs dialogs;
    out << timedBuildTree(dir, runs);

    const QString self = QCoreApplication::applicationFilePath();
    for (int rows : {100000, 1000000}) {
        const QString table = tableName(rows);
        const QString file = dir + QStringLiteral("/dat/") + table + QStringLiteral(".db");
        const int n = rows > 100000 ? std::max(3, runs / 2) : runs;
        QVector<double> times, memory;
        for (int i = 0; i < n; ++i) {
            QProcess p;
            p.start(self, {QStringLiteral("--open-page-child"), dir, table});
            p.waitForFinished(-1);
            const QList<QByteArray> parts = p.readAllStandardOutput().trimmed().split(' ');
            times << parts.value(0).toDouble();
            memory << parts.value(1).toDouble();
        }
        std::sort(times.begin(), times.end());
        std::sort(memory.begin(), memory.end());
        Figure f;
        f.operation = QStringLiteral("open a %L1-row data page (kind 3, columns sized)").arg(rows);
        f.ms = times[times.size() / 2];
        const QString sql = QStringLiteral("select * from %1").arg(table);
        f.baseline = sqlite3Baseline(file, sql);
        f.baselineMs = sqlite3Ms(n, file, sql);
        const double fileMb = double(QFileInfo(file).size()) / 1048576.0;
        const double peakMb = memory[memory.size() / 2] / 1024.0;
        if (rows > 100000) {
            f.target = QStringLiteral("≤ 1500 ms");
            f.met = f.ms <= 1500 && peakMb <= 2 * fileMb;
            f.note = QStringLiteral("peak memory +%1 MiB, file %2 MiB (≤ 2×)").arg(peakMb, 0, 'f', 1).arg(fileMb, 0, 'f', 1);
        } else {
            f.target = QStringLiteral("≤ 150 ms");
            f.met = f.ms <= 150;
            f.note = QStringLiteral("peak memory +%1 MiB").arg(peakMb, 0, 'f', 1);
        }
        out << f;
    }
    out << timedWindowOperations(dir, runs);
    out << fulltextFigures(dir, runs);
    out << exportFigures(dir, runs);
    out << htmlPageFigures(runs);
    return out;
}

} // namespace bench
