#include "fulltext_ops.h"

#include "generator.h"
#include "measure.h"

#include "app/UMain.h"
#include "fulltext/content.h"
#include "fulltext/hitmodel.h"
#include "fulltext/indexfile.h"
#include "fulltext/searchpanel.h"
#include "storage/dataset.h"
#include "storage/sqlite.h"
#include "tables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>

namespace bench {

namespace {

double mib(qint64 bytes)
{
    return double(bytes) / 1048576.0;
}

qint64 contentBytes(const QString &dir)
{
    qint64 bytes = 0;
    for (const QString &f : fulltext::readContent(dir).sourceFiles)
        bytes += QFileInfo(dir + u'/' + f).size();
    return bytes;
}

// Every cell of a table as one text, as sqlite3 can join them.
QString allCells(const QString &file)
{
    storage::Dataset ds;
    ds.setDirectory(QFileInfo(file).absolutePath());
    ds.setTableName(QFileInfo(file).fileName());
    ds.open();
    QStringList cells;
    for (const storage::FieldDef &f : ds.fields())
        cells << QStringLiteral("coalesce(%1,'')").arg(storage::quoteIdentifier(f.name));
    return cells.join(QStringLiteral("||"));
}

// sqlite3 finding every title, note and cell holding the text, without the index.
struct Baseline {
    QString file; // the database sqlite3 opens
    QString sql;
};
Baseline baselineFor(const QString &dir, const QString &text)
{
    QStringList parts = {QStringLiteral("select 1 from vt where instr(CName,'%1')>0 or instr(CMemo,'%1')>0").arg(text)};
    QStringList attach;
    int n = 0;
    for (int rows : {1000, 100000}) {
        const QString file = dir + QStringLiteral("/dat/") + tableName(rows) + QStringLiteral(".db");
        const QString schema = QStringLiteral("t%1").arg(n++);
        attach << QStringLiteral("attach '%1' as %2;").arg(file, schema);
        parts << QStringLiteral("select 1 from %1.%2 where instr(%3,'%4')>0").arg(schema, tableName(rows), allCells(file), text);
    }
    return {dir + QStringLiteral("/database/vt.db"),
            attach.join(u' ') + QStringLiteral(" select count(*) from (%1);").arg(parts.join(QStringLiteral(" union all ")))};
}

// The heap a search holds once its first screenful is listed, against the empty box.
qint64 heldKb(QLineEdit *box, const QString &text)
{
    box->setText(QString());
    const qint64 before = heapInUseKb();
    box->setText(text);
    return heapInUseKb() - before;
}

struct Query {
    QString label;
    QString text;
    double target;
};

} // namespace

QVector<Figure> fulltextFigures(const QString &dir, int runs)
{
    QVector<Figure> out;
    {
        Figure f;
        f.operation = QStringLiteral("building the full-text index (50,000 nodes, 101,000 table rows)");
        fulltext::IndexFigures figures;
        f.ms = medianMs(std::min(runs, 3), [&] { figures = fulltext::buildIndex(dir); }, false);
        const qint64 content = contentBytes(dir);
        f.target = QStringLiteral("-");
        f.note = QStringLiteral("%L1 documents; index %2 MiB for %3 MiB of content (%4×)")
                     .arg(figures.documents)
                     .arg(mib(figures.bytes), 0, 'f', 1)
                     .arg(mib(content), 0, 'f', 1)
                     .arg(double(figures.bytes) / double(content), 0, 'f', 2);
        out << f;
    }

    frmMain->PageControl->setCurrentWidget(frmMain->Ts_full);
    QLineEdit *box = frmMain->Pan_full->E_full;
    const fulltext::HitModel *hits = frmMain->Pan_full->hits;
    const QVector<Query> queries = {
        {QStringLiteral("one Chinese character (键)"), QStringLiteral("键"), 150},
        {QStringLiteral("one character found nearly everywhere (1)"), QStringLiteral("1"), 150},
        {QStringLiteral("two Chinese characters (螺纹)"), QStringLiteral("螺纹"), 150},
        {QStringLiteral("two characters found nowhere (无此)"), QStringLiteral("无此"), 150},
        {QStringLiteral("four Chinese characters (齿轮规格)"), QStringLiteral("齿轮规格"), 30},
        {QStringLiteral("a number text found only in cells (52.5)"), QStringLiteral("52.5"), 30},
        {QStringLiteral("four characters found nowhere (没有此字)"), QStringLiteral("没有此字"), 30},
    };
    auto timeQuery = [&](const Query &q, int n) {
        return medianOf(n, [&] {
            box->setText(QString());
            QElapsedTimer t;
            t.start();
            box->setText(q.text);
            return double(t.nsecsElapsed()) / 1e6;
        });
    };
    for (const Query &q : queries) {
        Figure f;
        f.operation = QStringLiteral("全文 search, first screenful: ") + q.label;
        f.ms = timeQuery(q, runs);
        const Baseline base = baselineFor(dir, q.text);
        f.baseline = QStringLiteral("sqlite3 vt.db + the two tables: count of instr matches in every title, note and cell");
        f.baselineMs = medianMs(runs, [&] { programMs(QStringLiteral("sqlite3"), {base.file, base.sql}); });
        f.target = QStringLiteral("≤ %1 ms").arg(q.target);
        f.met = f.ms <= q.target;
        f.note = QStringLiteral("%1 hits listed%2; the search holds %3 KiB")
                     .arg(hits->rowCount())
                     .arg(hits->canFetchMore({}) ? QStringLiteral(", more on scroll") : QString())
                     .arg(heldKb(box, q.text));
        out << f;
    }

    // The same search when the index is missing: the handbook reads its content itself.
    const QString index = fulltext::indexPath(dir);
    const QString aside = index + QStringLiteral(".aside");
    QFile::remove(aside);
    if (QFile::rename(index, aside)) {
        for (const Query &q : {queries[4], queries[5]}) {
            Figure f;
            f.operation = QStringLiteral("全文 search without the index: ") + q.label;
            f.ms = timeQuery(q, std::min(runs, 3));
            f.target = QStringLiteral("-");
            f.note = QStringLiteral("%1 hits listed; the search holds %2 KiB").arg(hits->rowCount()).arg(heldKb(box, q.text));
            out << f;
        }
        QFile::rename(aside, index);
    }
    box->setText(QString());
    return out;
}

Figure millionRowIndexFigure(const QString &dir)
{
    // A handbook of one page, the 1,000,000-row table; the table itself is linked, not copied.
    QTemporaryDir scratch(dir + QStringLiteral("/../million-index-XXXXXX"));
    const QString d = scratch.path();
    QDir().mkpath(d + QStringLiteral("/database"));
    QDir().mkpath(d + QStringLiteral("/dat"));
    const QString header = QStringLiteral("CID:A20,ParentID:A20,CName:A100,CFrame:A10,COrder:S,ImageIndex:S,SelectedIndex:S,"
                                          "StateIndex:S,Ctable:A30,CMemo:M240,Cimage:A20");
    auto catalogue = [&](const QString &file, const QStringList &row) {
        content::Csv csv;
        csv.header = header.split(u',');
        csv.rows << row;
        content::writeTableFile(d + QStringLiteral("/database/") + file, csv);
    };
    const QString table = tableName(1000000);
    catalogue(QStringLiteral("vtree.DB"), {QStringLiteral("01"), QStringLiteral("0"), QStringLiteral("根"), {}, {}, {}, {}, {}, {}, {}, {}});
    const QStringList page = {QStringLiteral("0101"), QStringLiteral("01"), QStringLiteral("一百万行"), QStringLiteral("3"), QStringLiteral("2"),
                              {}, {}, {}, table, {}, {}};
    catalogue(QStringLiteral("vt01.db"), page);
    catalogue(QStringLiteral("vt.db"), page);
    QFile::link(dir + QStringLiteral("/dat/") + table + QStringLiteral(".db"), d + QStringLiteral("/dat/") + table + QStringLiteral(".db"));
    Figure f;
    f.operation = QStringLiteral("building the full-text index of the 1,000,000-row table (once)");
    fulltext::IndexFigures figures;
    f.ms = medianMs(1, [&] { figures = fulltext::buildIndex(d); }, false);
    const qint64 content = QFileInfo(dir + QStringLiteral("/dat/") + table + QStringLiteral(".db")).size();
    f.target = QStringLiteral("-");
    f.note = QStringLiteral("index %1 MiB for a %2 MiB table (%3×)")
                 .arg(mib(figures.bytes), 0, 'f', 0)
                 .arg(mib(content), 0, 'f', 0)
                 .arg(double(figures.bytes) / double(content), 0, 'f', 2);
    return f;
}

} // namespace bench
