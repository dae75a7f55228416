// The content builder: CSV reading, table files, the sample data directory and rebuilds.
#include "builder.h"
#include "csv.h"
#include "tables.h"

#include "core/error.h"
#include "storage/database.h"
#include "storage/dataset.h"
#include "storage/error.h"
#include "storage/sqlite.h"
#include "testdata.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class TstContent : public QObject {
    Q_OBJECT
private slots:
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
};

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
