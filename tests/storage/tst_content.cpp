// The content builder: CSV reading, table files, the sample data directory and rebuilds; and the
// bundled pages themselves: every catalogue node reaches its page, every data page keeps its schema,
// and the published figures listed in content/SOURCES.md are what the built pages show.
#include "builder.h"
#include "csv.h"
#include "tables.h"

#include "browser/pagerules.h"
#include "browser/titlegrid.h"
#include "core/error.h"
#include "core/text.h"
#include "storage/database.h"
#include "storage/dataset.h"
#include "storage/error.h"
#include "storage/sqlite.h"
#include "testdata.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QDateTime modified(const QString &path)
{
    return QFileInfo(path).lastModified();
}

void setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

std::unique_ptr<storage::Dataset> openTable(const QString &dir, const QString &name)
{
    auto ds = std::make_unique<storage::Dataset>();
    ds->setDirectory(dir);
    ds->setTableName(name);
    ds->open();
    return ds;
}

// One row of a catalogue table (vtree.DB, vt<root>.db, vt.db).
struct Node {
    QString cid, parent, name, frame, table, memo, image;
    int order = 0;
};

QVector<Node> readNodes(const QString &dbDir, const QString &table)
{
    QVector<Node> nodes;
    auto ds = openTable(dbDir, table);
    for (ds->first(); !ds->eof(); ds->next())
        nodes << Node{ds->text(u"CID"_qs),    ds->text(u"ParentID"_qs), ds->text(u"CName"_qs),
                      ds->text(u"CFrame"_qs), ds->text(u"Ctable"_qs),   ds->text(u"CMemo"_qs),
                      ds->text(u"Cimage"_qs), ds->value(u"COrder"_qs).toInt()};
    return nodes;
}

// A cell as the spot-check table writes it: numbers in their shortest form.
QString cellText(const QVariant &v)
{
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

bool isNumeric(storage::FieldKind k)
{
    return k == storage::FieldKind::Float || k == storage::FieldKind::Short || k == storage::FieldKind::Long;
}

// A Markdown table row split at the bars that are not written "\|".
QStringList markdownCells(const QString &line)
{
    QStringList cells;
    QString cell;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\' && i + 1 < line.size() && line[i + 1] == u'|') {
            cell += u'|';
            ++i;
        } else if (line[i] == u'|') {
            cells << cell.trimmed();
            cell.clear();
        } else {
            cell += line[i];
        }
    }
    cells << cell.trimmed();
    // the text before the first bar and after the last one is not a cell
    if (!cells.isEmpty())
        cells.removeFirst();
    if (!cells.isEmpty())
        cells.removeLast();
    return cells;
}

struct SpotCheck {
    QString page, key, field, value;
};

// The rows of the "## Spot checks" table of content/SOURCES.md.
QVector<SpotCheck> readSpotChecks(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QVector<SpotCheck> checks;
    bool inSection = false;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.startsWith(u"## "_qs)) {
            inSection = line.trimmed() == u"## Spot checks"_qs;
            continue;
        }
        if (!inSection || !line.startsWith(u'|'))
            continue;
        const QStringList cells = markdownCells(line);
        if (cells.size() < 4 || cells[0] == u"page"_qs || cells[0].startsWith(u"---"_qs))
            continue;
        checks << SpotCheck{cells[0], cells[1], cells[2], cells[3]};
    }
    return checks;
}

// Text cells of a content CSV longer than their column's declared size in code page 936 bytes
// (the builder cuts alphanumeric cells to that size; a memo keeps what it is given).
QStringList overlongCells(const QString &csvPath)
{
    const content::Csv csv = content::readCsv(csvPath);
    const storage::Fields fields = content::fieldsOf(csv);
    QStringList found;
    for (qsizetype r = 0; r < csv.rows.size(); ++r)
        for (int c = 0; c < fields.size() && c < csv.rows[r].size(); ++c) {
            const storage::FieldDef &f = fields[c];
            const bool text = f.kind == storage::FieldKind::Alpha || f.kind == storage::FieldKind::Memo;
            if (text && f.size > 0 && core::cp936Length(csv.rows[r][c]) > f.size)
                found << QStringLiteral("%1 row %2 %3").arg(QFileInfo(csvPath).fileName()).arg(r + 1).arg(f.name);
        }
    return found;
}

bool pictureExists(const QString &imgDir, const QString &base)
{
    return QFileInfo::exists(imgDir + base + u".bmp"_qs) || QFileInfo::exists(imgDir + base + u".jpg"_qs);
}

} // namespace

class TstContent : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void catalogueReachesEveryPage();
    void dataPages_data();
    void dataPages();
    void spotChecks_data();
    void spotChecks();
    void parseCsv_data();
    void parseCsv();
    void guessedKinds();
    void emptyCellsAreBlank();
    void sampleDataDirectory();
    void rebuildWritesOnlyWhatChanged();
    void userFilesNeverOverwritten();
    void missingContentFolderFails();

private:
    // A small content folder: tables, a user table, a database folder, a copied file and a note.
    QString makeContent(const QString &root);

    // The bundled content, built once for the page checks.
    QTemporaryDir m_sample;
    QVector<Node> m_roots, m_branches, m_index;
    QVector<SpotCheck> m_spots;
};

void TstContent::initTestCase()
{
    QVERIFY(m_sample.isValid());
    testdata::buildSample(m_sample.path());
    const QString db = m_sample.path() + u"/database"_qs;
    m_roots = readNodes(db, u"vtree.DB"_qs);
    for (const Node &root : std::as_const(m_roots))
        m_branches += readNodes(db, u"vt"_qs + root.cid);
    m_index = readNodes(db, u"vt"_qs);
    m_spots = readSpotChecks(testdata::contentDir() + u"/SOURCES.md"_qs);
}

void TstContent::catalogueReachesEveryPage()
{
    const QString dir = m_sample.path() + u'/';
    QVERIFY(!m_roots.isEmpty());
    QSet<QString> ids;
    for (const Node &root : std::as_const(m_roots)) {
        QCOMPARE(root.parent, u"0"_qs);
        QVERIFY2(!ids.contains(root.cid), qPrintable(root.cid));
        ids << root.cid;
    }
    QHash<QString, Node> byId;
    int dataPages = 0;
    for (const Node &n : std::as_const(m_branches)) {
        const QByteArray what = (n.cid + u' ' + n.name).toUtf8();
        QVERIFY2(!ids.contains(n.cid), what);
        QVERIFY2(ids.contains(n.parent), what); // parents come before their children
        ids << n.cid;
        byId.insert(n.cid, n);
        // the page behind the node exists
        if (n.frame == u"3"_qs) {
            ++dataPages;
            QVERIFY2(QFileInfo::exists(dir + u"dat/"_qs + n.table + u".db"_qs), what);
        } else if (n.frame == u"4"_qs) {
            const QString page = n.table.contains(u"htm"_qs) ? n.table : n.table + u".htm"_qs;
            QVERIFY2(QFileInfo::exists(dir + u"txt/"_qs + page), what);
        } else if (n.frame == u"6"_qs) {
            QVERIFY2(pictureExists(dir + u"img/"_qs, n.table), what);
        } else if (n.frame == u"7"_qs) {
            QVERIFY2(n.table == u"frmgcph"_qs || n.table == u"frmgccx"_qs, what);
        } else {
            QVERIFY2(n.frame.isEmpty() || n.frame == u"0"_qs || n.frame == u"1"_qs || n.frame == u"2"_qs, what);
        }
        if (!n.image.isEmpty())
            QVERIFY2(pictureExists(dir + u"img/"_qs, n.image), what);
    }
    QVERIFY2(dataPages >= 30, qPrintable(QString::number(dataPages)));
    // Titles, table names and notes fit the declared sizes of the catalogue fields.
    QDirIterator tables(testdata::contentDir() + u"/database"_qs, {u"vt*.csv"_qs}, QDir::Files);
    while (tables.hasNext()) {
        const QStringList overlong = overlongCells(tables.next());
        QVERIFY2(overlong.isEmpty(), qPrintable(overlong.join(u", "_qs)));
    }

    // The index and find lists read vt: it holds every branch node, unchanged, and nothing else;
    // every page has a table name, the find list's condition.
    QCOMPARE(m_index.size(), m_branches.size());
    QSet<QString> indexed;
    for (const Node &v : std::as_const(m_index)) {
        const QByteArray what = (v.cid + u' ' + v.name).toUtf8();
        QVERIFY2(byId.contains(v.cid) && !indexed.contains(v.cid), what);
        indexed << v.cid;
        const Node &n = byId[v.cid];
        QVERIFY2(v.parent == n.parent && v.name == n.name && v.frame == n.frame && v.table == n.table
                     && v.memo == n.memo && v.image == n.image && v.order == n.order,
                 what);
        if (!v.frame.isEmpty() && v.frame != u"0"_qs && v.frame != u"1"_qs && v.frame != u"2"_qs)
            QVERIFY2(!v.table.isEmpty(), what);
    }

    // Pictures an explanation page shows are in the data directory.
    static const QRegularExpression img(u"src=\"\\.\\./img/([^\"]+)\""_qs);
    QDirIterator it(dir + u"txt"_qs, QDir::Files);
    while (it.hasNext()) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        for (auto m = img.globalMatch(html); m.hasNext();) {
            const QString file = m.next().captured(1);
            QVERIFY2(QFileInfo::exists(dir + u"img/"_qs + file), qPrintable(it.fileName() + u' ' + file));
        }
    }
}

void TstContent::dataPages_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("keys");
    for (const Node &n : std::as_const(m_branches))
        if (n.frame == u"3"_qs)
            QTest::newRow(qPrintable(n.cid + u' ' + n.table)) << n.table << n.order;
}

void TstContent::dataPages()
{
    QFETCH(QString, table);
    QFETCH(int, keys);
    const QString dat = m_sample.path() + u"/dat"_qs;
    auto ds = openTable(dat, table);
    const storage::Fields &fields = ds->fields();
    QVERIFY(fields.size() >= 2);
    QVERIFY(ds->recordCount() >= 1);
    // the key columns (COrder) are the first ones, and at least one column is not a key
    QVERIFY(keys >= 1 && keys < fields.size());

    // Which columns the source declares with a kind; every other column was read as numbers,
    // so it must have come out as a float column (a stray word would have made it text).
    const content::Csv csv = content::readCsv(testdata::contentDir() + u"/dat/"_qs + table + u".db.csv"_qs);
    QCOMPARE(csv.header.size(), fields.size());
    const QStringList overlong = overlongCells(testdata::contentDir() + u"/dat/"_qs + table + u".db.csv"_qs);
    QVERIFY2(overlong.isEmpty(), qPrintable(overlong.join(u", "_qs))); // text fits its declared size
    static const QRegularExpression unit(u"mm|μm|μin|MPa|%|HV|序号|理论值"_qs);
    for (int i = 0; i < fields.size(); ++i) {
        const storage::FieldDef &f = fields[i];
        const QByteArray what = f.name.toUtf8();
        for (const QString &part : f.name.split(u'|'))
            QVERIFY2(!part.isEmpty() && part == part.trimmed(), what); // title rows without gaps
        if (!csv.header[i].contains(u':'))
            QVERIFY2(f.kind == storage::FieldKind::Float, what);
        if (isNumeric(f.kind))
            QVERIFY2(unit.match(f.name).hasMatch(), what); // the unit is in the title
    }

    // Every title cell is as wide as the columns it spans, so the grid shows it whole: a column is
    // as many characters wide as the page view makes it, a title needs its code page 936 length.
    QStringList names;
    for (const storage::FieldDef &f : fields)
        names << f.name;
    const browser::TitleGrid grid(names);
    for (int c = 0; c < fields.size(); ++c)
        for (const browser::TitleGrid::Cell &cell : grid.cellsOf(c)) {
            if (cell.firstColumn != c)
                continue;
            int width = 0;
            for (int i = cell.firstColumn; i <= cell.lastColumn; ++i)
                width += browser::columnDisplayWidth(fields[i].name, fields[i].displayWidth);
            QVERIFY2(core::cp936Length(cell.text) <= width, qPrintable(cell.text));
        }

    QSet<QString> seen;
    for (int row = 0; row < ds->recordCount(); ++row) {
        QStringList key;
        for (int i = 0; i < fields.size(); ++i) {
            const storage::FieldDef &f = fields[i];
            const QVariant v = ds->valueAt(row, i);
            const QByteArray what = QStringLiteral("row %1, %2").arg(row + 1).arg(f.name).toUtf8();
            if (i < keys) {
                QVERIFY2(!cellText(v).isEmpty(), what); // a key cell is never blank
                key << cellText(v);
            }
            if (v.isNull())
                continue;
            if (f.kind == storage::FieldKind::Float) {
                bool ok = false;
                const double d = v.toDouble(&ok);
                QVERIFY2(ok && std::isfinite(d), what);
            }
        }
        const QString k = key.join(u'/');
        QVERIFY2(!seen.contains(k), qPrintable(u"repeated key "_qs + k));
        seen << k;
    }

    // Every page has published figures to compare with (see spotChecks).
    int checks = 0;
    for (const SpotCheck &c : std::as_const(m_spots))
        checks += c.page == table;
    QVERIFY2(checks >= 2, qPrintable(QString::number(checks)));
}

void TstContent::spotChecks_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("published");
    QVERIFY(!m_spots.isEmpty());
    for (const SpotCheck &c : std::as_const(m_spots))
        QTest::newRow(qPrintable(c.page + u' ' + c.key + u' ' + c.field)) << c.page << c.key << c.field << c.value;
}

void TstContent::spotChecks()
{
    QFETCH(QString, table);
    QFETCH(QString, key);
    QFETCH(QString, field);
    QFETCH(QString, published);
    int keys = 0;
    for (const Node &n : std::as_const(m_branches))
        if (n.frame == u"3"_qs && n.table == table)
            keys = n.order;
    QVERIFY2(keys > 0, "not a catalogued data page");
    auto ds = openTable(m_sample.path() + u"/dat"_qs, table);
    const int col = ds->fieldIndex(field);
    QVERIFY2(col >= 0 && ds->fields()[col].name == field, "no such field");
    int found = -1;
    for (int row = 0; row < ds->recordCount() && found < 0; ++row) {
        QStringList k;
        for (int i = 0; i < keys; ++i)
            k << cellText(ds->valueAt(row, i));
        if (k.join(u'/') == key)
            found = row;
    }
    QVERIFY2(found >= 0, "no row with that key");
    const QVariant v = ds->valueAt(found, col);
    if (isNumeric(ds->fields()[col].kind)) {
        bool ok = false;
        const double want = published.toDouble(&ok);
        QVERIFY(ok && !v.isNull());
        QVERIFY2(std::abs(v.toDouble() - want) <= 1e-9 * std::max(1.0, std::abs(want)), qPrintable(cellText(v)));
    } else {
        QCOMPARE(v.toString(), published);
    }
}

void TstContent::parseCsv_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("plain") << u"a,b\n1,2\n"_qs << QStringList{u"a"_qs, u"b"_qs}
                           << QList<QStringList>{{u"1"_qs, u"2"_qs}};
    QTest::newRow("crlf and byte order mark") << u"\uFEFFa,b\r\n1,2\r\n"_qs << QStringList{u"a"_qs, u"b"_qs}
                                              << QList<QStringList>{{u"1"_qs, u"2"_qs}};
    QTest::newRow("quoted comma, quote and line break")
        << u"a,b\n\"x,y\",\"say \"\"hi\"\"\nthere\"\n"_qs << QStringList{u"a"_qs, u"b"_qs}
        << QList<QStringList>{{u"x,y"_qs, u"say \"hi\"\nthere"_qs}};
    QTest::newRow("empty cells kept in place") << u"a,b,c\n,,\n1,,3"_qs << QStringList{u"a"_qs, u"b"_qs, u"c"_qs}
                                                << QList<QStringList>{{QString(), QString(), QString()},
                                                                      {u"1"_qs, QString(), u"3"_qs}};
    QTest::newRow("blank lines skipped") << u"a\n\nx\n\n"_qs << QStringList{u"a"_qs}
                                          << QList<QStringList>{{u"x"_qs}};
}

void TstContent::parseCsv()
{
    QFETCH(QString, text);
    QFETCH(QStringList, header);
    QFETCH(QList<QStringList>, rows);
    const content::Csv csv = content::parseCsv(text);
    QCOMPARE(csv.header, header);
    QCOMPARE(QList<QStringList>(csv.rows.begin(), csv.rows.end()), rows);
}

void TstContent::guessedKinds()
{
    const storage::Fields f = content::fieldsOf(
        content::parseCsv(u"基本尺寸|mm:A12,IT5,名称,空\n≤3,4,甲,\n3,4.5,1,\n"_qs));
    QCOMPARE(f.size(), 4);
    QCOMPARE(f[0].kind, storage::FieldKind::Alpha);
    QCOMPARE(f[0].size, 12);
    QCOMPARE(f[1].kind, storage::FieldKind::Float);
    QCOMPARE(f[2].kind, storage::FieldKind::Alpha);
    QCOMPARE(f[2].size, 255);
}

void TstContent::emptyCellsAreBlank()
{
    QTemporaryDir dir;
    testdata::writeTable(dir.path() + u"/t.db"_qs, u"A:A10,N:N,S:S,M:M\n,,,\nx,1.5,2,\"l1\nl2\"\n"_qs);
    auto ds = openTable(dir.path(), u"t"_qs);
    QCOMPARE(ds->recordCount(), 2);
    QVERIFY(ds->value(u"A"_qs).isNull());
    QVERIFY(ds->value(u"N"_qs).isNull());
    QVERIFY(ds->value(u"S"_qs).isNull());
    QCOMPARE(ds->value(u"M"_qs).toString(), QString()); // a memo is never blank
    QVERIFY(!ds->value(u"M"_qs).isNull());
    ds->next();
    QCOMPARE(ds->value(u"N"_qs).toDouble(), 1.5);
    QCOMPARE(ds->value(u"S"_qs).toInt(), 2);
    QCOMPARE(ds->value(u"M"_qs).toString(), u"l1\r\nl2"_qs); // stored texts hold CR LF
}

void TstContent::sampleDataDirectory()
{
    QTemporaryDir dir;
    testdata::buildSample(dir.path());
    const QString db = dir.path() + u"/database"_qs;
    for (const QString &name : {u"vtree.DB"_qs, u"vt.db"_qs, u"History.DB"_qs, u"ibook.db"_qs, u"cx_jl.db"_qs})
        QVERIFY2(QFileInfo::exists(db + u'/' + name), qPrintable(name));
    QVERIFY(QFileInfo::exists(dir.path() + u"/111.bmp"_qs));
    QVERIFY(QFileInfo::exists(dir.path() + u"/cx_jg.rst"_qs));
    QCOMPARE(QFileInfo(dir.path() + u"/cx_jg.rst"_qs).size(), 0);

    // Kinds and sizes survive into the files.
    auto vt = openTable(db, u"vt"_qs);
    QCOMPARE(vt->fields().size(), 11);
    QCOMPARE(vt->field(u"CID"_qs).kind, storage::FieldKind::Alpha);
    QCOMPARE(vt->field(u"CID"_qs).size, 20);
    QCOMPARE(vt->field(u"COrder"_qs).kind, storage::FieldKind::Short);
    QCOMPARE(vt->field(u"CMemo"_qs).kind, storage::FieldKind::Memo);
    QCOMPARE(vt->value(u"CID"_qs).toString(), u"0101"_qs);
    auto log = openTable(db, u"cx_jl"_qs);
    QCOMPARE(log->field(u"查询主题"_qs).size, 40);
    QCOMPARE(log->field(u"查询结果"_qs).kind, storage::FieldKind::FmtMemo);

    const QStringList fits{u"标准公差数值"_qs, u"孔的基本偏差数值"_qs, u"轴的基本偏差数值"_qs};
    const QStringList geotol{u"直线平面度"_qs, u"圆度圆柱度"_qs, u"平行垂直倾斜度"_qs, u"同轴对称跳动"_qs};
    const QList<QPair<QString, QStringList>> databases{{u"\\Tolerance\\DATAS\\varnok.mdb"_qs, fits},
                                                      {u"\\shape_location\\DATAS\\varnok.mdb"_qs, geotol}};
    for (const auto &[tail, tables] : databases) {
        storage::Database mdb;
        mdb.setConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs + dir.path() + u'/' + tail);
        mdb.connect();
        for (const QString &name : tables) {
            storage::Dataset t;
            t.setDatabase(&mdb);
            t.setTableName(name);
            t.open();
            QVERIFY2(t.fields().size() > 1, qPrintable(name));
        }
    }
}

QString TstContent::makeContent(const QString &root)
{
    writeFile(root + u"/database/vt.db.csv"_qs, "CID:A20,CName:A100\n0101,\xe5\x85\xac\xe5\xb7\xae\n");
    writeFile(root + u"/database/History.DB.csv"_qs, "CID:A20,CName:A100\n");
    writeFile(root + u"/x/varnok.mdb/t1.csv"_qs, "a:N\n1\n");
    writeFile(root + u"/x/varnok.mdb/t2.csv"_qs, "b:A5\nq\n");
    writeFile(root + u"/txt/page.htm"_qs, "<html></html>");
    writeFile(root + u"/cx_jg.rst"_qs, "");
    writeFile(root + u"/README.md"_qs, "notes for authors");
    return root;
}

void TstContent::rebuildWritesOnlyWhatChanged()
{
    QTemporaryDir src, out;
    const QString content = makeContent(src.path());
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    QDirIterator it(content, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        setModified(it.next(), past);

    QCOMPARE(content::build(content, out.path()), 5);
    QVERIFY(!QFileInfo::exists(out.path() + u"/README.md"_qs));
    QVERIFY(!QFileInfo::exists(out.path() + u"/x/varnok.mdb/t1.csv"_qs));
    QCOMPARE(content::build(content, out.path()), 0);

    // Only the table whose source is newer than its file is written again.
    const QString vt = out.path() + u"/database/vt.db"_qs;
    const QString page = out.path() + u"/txt/page.htm"_qs;
    const QDateTime pageTime = modified(page);
    setModified(vt, past.addSecs(60));
    writeFile(content + u"/database/vt.db.csv"_qs, "CID:A20,CName:A100\n0101,a\n0102,b\n");
    QCOMPARE(content::build(content, out.path()), 1);
    QCOMPARE(openTable(out.path() + u"/database"_qs, u"vt"_qs)->recordCount(), 2);
    QCOMPARE(modified(page), pageTime);

    // A changed CSV in a database folder rebuilds that database.
    setModified(out.path() + u"/x/varnok.mdb"_qs, past.addSecs(60));
    writeFile(content + u"/x/varnok.mdb/t2.csv"_qs, "b:A5\nq\nr\n");
    QCOMPARE(content::build(content, out.path()), 1);
    storage::Database db;
    db.setConnectionString(u"Data Source="_qs + out.path() + u"/x/varnok.mdb"_qs);
    db.connect();
    storage::Dataset t2;
    t2.setDatabase(&db);
    t2.setTableName(u"t2"_qs);
    t2.open();
    QCOMPARE(t2.recordCount(), 2);
    t2.close();

    // So does a CSV removed from it.
    setModified(out.path() + u"/x/varnok.mdb"_qs, past.addSecs(60));
    QVERIFY(QFile::remove(content + u"/x/varnok.mdb/t2.csv"_qs));
    QCOMPARE(content::build(content, out.path()), 1);
    db.disconnect();
    db.connect();
    QVERIFY_THROWS_EXCEPTION(storage::Error, t2.open());
    QCOMPARE(db.connection()->tables(), QStringList{u"t1"_qs});

    // A newer builder rewrites every content file.
    QCOMPARE(content::build(content, out.path(), QDateTime::currentDateTime().addSecs(60)), 3);
}

void TstContent::userFilesNeverOverwritten()
{
    QTemporaryDir src, out;
    const QString content = makeContent(src.path());
    content::build(content, out.path());
    const QString db = out.path() + u"/database"_qs;
    {
        auto history = openTable(db, u"History.DB"_qs);
        history->append();
        history->setValue(u"CID"_qs, u"0101"_qs);
        history->post();
    }
    writeFile(out.path() + u"/cx_jg.rst"_qs, "kept");

    // Sources newer than everything, and a newer builder: user files still stay.
    const QDateTime future = QDateTime::currentDateTime().addSecs(3600);
    setModified(content + u"/database/History.DB.csv"_qs, future);
    setModified(content + u"/cx_jg.rst"_qs, future);
    content::build(content, out.path(), future.addSecs(60));
    QCOMPARE(openTable(db, u"History.DB"_qs)->recordCount(), 1);
    QFile rst(out.path() + u"/cx_jg.rst"_qs);
    QVERIFY(rst.open(QIODevice::ReadOnly));
    QCOMPARE(rst.readAll(), QByteArray("kept"));

    // A missing user file is created again, empty.
    QVERIFY(QFile::remove(db + u"/History.DB"_qs));
    content::build(content, out.path());
    QCOMPARE(openTable(db, u"history"_qs)->recordCount(), 0);
}

void TstContent::missingContentFolderFails()
{
    QTemporaryDir out;
    QVERIFY_THROWS_EXCEPTION(core::Error, content::build(out.path() + u"/nothing"_qs, out.path()));
}

QTEST_MAIN(TstContent)
#include "tst_content.moc"
