// handbook-import: Paradox tables written with pxlib's own writer, imported, and read back
// through the handbook's engine field by field; damaged tables and memo files end the import
// with their name and the reason and leave the target untouched.
#include "importer.h"
#include "paradoxfixture.h"
#include "testdata.h"

#include "core/error.h"
#include "fulltext/indexfile.h"
#include "storage/dataset.h"
#include "storage/oldformat.h"
#include "storage/paths.h"
#include "storage/sqlite.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <functional>
#include <memory>

using paradoxfixture::Column;
namespace px = paradoxfixture;
using Damage = std::function<void(const QString &dir)>;
Q_DECLARE_METATYPE(Column)
Q_DECLARE_METATYPE(Damage)

namespace {

unsigned word(const QByteArray &b, int at)
{
    return uchar(b[at]) | uchar(b[at + 1]) << 8;
}

// Rewrites bytes of a file in place.
void patch(const QString &path, qint64 at, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(at);
    f.write(bytes);
}

QByteArray header(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(0x80) : QByteArray();
}

QString chineseMemo(int characters)
{
    QString s;
    while (s.size() < characters)
        s += QStringLiteral("公差与配合，");
    return s.left(characters);
}

// A table with one field of every kind the handbook keeps, and the kinds it leaves out.
px::Table everyKind(int rows)
{
    px::Table t;
    t.columns = {{QStringLiteral("编号"), px::AutoInc, 0},        {QStringLiteral("名称"), px::Alpha, 20},
                 {QStringLiteral("说明"), px::Memo, 10},          {QStringLiteral("格式说明"), px::FmtMemo, 0},
                 {QStringLiteral("图片"), px::Graphic, 10},       {QStringLiteral("数量"), px::Short, 0},
                 {QStringLiteral("长度"), px::Long, 0},           {QStringLiteral("直径"), px::Number, 0},
                 {QStringLiteral("附件"), px::Binary, 0},         {QStringLiteral("价格"), px::Money, 0},
                 {QStringLiteral("公差"), px::Bcd, 2},            {QStringLiteral("日期"), px::Date, 0},
                 {QStringLiteral("时间"), px::Time, 0},           {QStringLiteral("时间戳"), px::Timestamp, 0},
                 {QStringLiteral("对象"), px::Ole, 0},            {QStringLiteral("合格"), px::Logical, 0},
                 {QStringLiteral("尺寸|公称|d"), px::Alpha, 11}, {QStringLiteral("代码"), px::Bytes, 4}};
    for (int i = 0; i < rows; ++i) {
        t.rows << QVariantList{i + 1,
                               QStringLiteral("螺栓 M%1").arg(i),
                               i % 3 == 0 ? chineseMemo(1500 + i) : chineseMemo(20 + i % 50),
                               QStringLiteral("第 %1 行\r\n第二行").arg(i),
                               QVariant(),
                               i - 100,
                               i * 100000,
                               i / 8.0,
                               QVariant(),
                               i * 0.01,
                               QStringLiteral("%1.%2").arg(i).arg(i % 100, 2, 10, QLatin1Char('0')),
                               QDate(2000, 1, 1).addDays(i),
                               QTime(0, 0).addSecs(i * 61),
                               QDateTime(QDate(2024, 5, 1), QTime(8, 30)).addSecs(i),
                               QVariant(),
                               i % 2 == 0,
                               QStringLiteral("d%1").arg(i),
                               QByteArray("\x01\x02\x03\x04", 4)};
    }
    t.rows << QVariantList(); // a row of blank cells
    return t;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
    QTemporaryDir m_handbook;

    QString path(const QString &rel) const { return m_tmp->filePath(rel); }
    // The memo file pxlib wrote beside a table, if any.
    QString memoOf(const QString &rel) const
    {
        const QString mb = path(QFileInfo(rel).completeBaseName() + u".MB"_qs);
        return QFileInfo::exists(mb) ? mb : QString();
    }

    std::unique_ptr<storage::Dataset> open(const QString &file) const
    {
        auto ds = std::make_unique<storage::Dataset>();
        ds->setDirectory(QFileInfo(file).path());
        ds->setTableName(QFileInfo(file).fileName());
        ds->open();
        return ds;
    }

    // Whether a stored cell is SQL NULL (a memo reads as empty text either way).
    bool storedNull(const QString &file, const QString &field, int row) const
    {
        auto db = storage::Connection::open(file);
        storage::Statement st(*db, QStringLiteral("SELECT %1 IS NULL FROM %2 ORDER BY rowid LIMIT 1 OFFSET %3")
                                       .arg(storage::quoteIdentifier(field), storage::quoteIdentifier(QFileInfo(file).completeBaseName()))
                                       .arg(row));
        return st.step() && st.int64(0) == 1;
    }

    // A small data directory of the older layout: catalogue, a data page, a picture, a log file.
    QString oldDirectory()
    {
        const QString dir = path(QStringLiteral("old"));
        QDir().mkpath(dir + QStringLiteral("/database"));
        QDir().mkpath(dir + QStringLiteral("/dat"));
        QDir().mkpath(dir + QStringLiteral("/img"));
        px::Table tree;
        tree.columns = {{QStringLiteral("CID"), px::Alpha, 20}, {QStringLiteral("CName"), px::Alpha, 100},
                        {QStringLiteral("CMemo"), px::Memo, 240}};
        tree.rows = {{QStringLiteral("01"), QStringLiteral("常用数据"), chineseMemo(300)}};
        px::writeTable(dir + QStringLiteral("/database/vtree.DB"), tree);
        px::writeTable(dir + QStringLiteral("/dat/t.db"), everyKind(40));
        QFile::copy(dir + QStringLiteral("/database/vtree.DB"), dir + QStringLiteral("/img/vtree.PX")); // not a table folder
        for (const QString &f : {QStringLiteral("img/a.bmp"), QStringLiteral("cx_jg.rst"), QStringLiteral("dat/t.PX")}) {
            QFile file(dir + u'/' + f);
            file.open(QIODevice::WriteOnly);
            file.write("BM\x00\x01");
        }
        return dir;
    }

    // The handbook's own data directory, with the verified calculator tables.
    QString bundled() const { return m_handbook.path(); }

    QStringList entries(const QString &dir) const { return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

private slots:
    void initTestCase() { testdata::buildSample(m_handbook.path()); }
    void init() { m_tmp = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_tmp.reset(); }

    // One field of each kind: its kind and size land in handbook_fields as mkcontent writes them,
    // its value reads back through the engine, and a blank cell of it is stored as NULL.
    void fieldKinds_data()
    {
        QTest::addColumn<Column>("column");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("spec"); // the field as the content schema writes it
        QTest::addColumn<QVariant>("read");
        QTest::addColumn<QString>("note");
        const QString memo3000 = chineseMemo(1500), memo100 = chineseMemo(50);
        auto row = [](const char *name, Column c, QVariant w, QString spec, QVariant r, QString note = {}, int cp = 936) {
            QTest::newRow(name) << c << w << cp << spec << r << note;
        };
        row("alpha, Chinese", {u"名称"_qs, px::Alpha, 20}, u"六角头螺栓"_qs, u"名称:A20"_qs, u"六角头螺栓"_qs);
        row("alpha filling its field", {u"名称"_qs, px::Alpha, 20}, u"一二三四五六七八九十"_qs, u"名称:A20"_qs, u"一二三四五六七八九十"_qs);
        row("alpha, multi-row title", {u"尺寸|公称|d"_qs, px::Alpha, 6}, u"M10"_qs, u"尺寸|公称|d:A6"_qs, u"M10"_qs);
        row("alpha, code page 1252 widened", {u"Größe"_qs, px::Alpha, 5}, u"Größe"_qs, u"Größe:A11"_qs, u"Größe"_qs,
            u"加宽为 11 字节"_qs, 1252);
        row("memo in the leader", {u"说明"_qs, px::Memo, 10}, u"短备注"_qs, u"说明:M10"_qs, u"短备注"_qs);
        row("memo in a shared .MB block", {u"说明"_qs, px::Memo, 10}, memo100, u"说明:M10"_qs, memo100);
        row("memo in a .MB block of its own", {u"说明"_qs, px::Memo, 240}, memo3000, u"说明:M240"_qs, memo3000);
        row("memo with CR LF", {u"说明"_qs, px::Memo, 1}, u"一行\r\n二行"_qs, u"说明:M1"_qs, u"一行\r\n二行"_qs);
        row("formatted memo", {u"结果"_qs, px::FmtMemo, 0}, memo100, u"结果:F"_qs, memo100);
        row("short", {u"数量"_qs, px::Short, 0}, -32767, u"数量:S"_qs, -32767);
        row("short zero is not blank", {u"数量"_qs, px::Short, 0}, 0, u"数量:S"_qs, 0);
        row("long", {u"长度"_qs, px::Long, 0}, 2147483647, u"长度:I"_qs, 2147483647);
        row("long negative", {u"长度"_qs, px::Long, 0}, -2147483647, u"长度:I"_qs, -2147483647);
        row("autoincrement as long", {u"编号"_qs, px::AutoInc, 0}, 7, u"编号:I"_qs, 7, u"自动编号"_qs);
        row("number", {u"直径"_qs, px::Number, 0}, -0.1, u"直径:N"_qs, -0.1);
        row("number zero is not blank", {u"直径"_qs, px::Number, 0}, 0.0, u"直径:N"_qs, 0.0);
        row("money", {u"价格"_qs, px::Money, 0}, 1234.5, u"价格:$"_qs, 1234.5);
        row("BCD", {u"公差"_qs, px::Bcd, 2}, u"12.34"_qs, u"公差:#2"_qs, 12.34);
        row("BCD negative", {u"公差"_qs, px::Bcd, 4}, u"-0.0005"_qs, u"公差:#4"_qs, -0.0005);
        row("BCD zero", {u"公差"_qs, px::Bcd, 0}, u"0"_qs, u"公差:#"_qs, 0.0);
        row("date", {u"日期"_qs, px::Date, 0}, QDate(2024, 2, 29), u"日期:D"_qs, QDate(2024, 2, 29));
        row("date, year 1", {u"日期"_qs, px::Date, 0}, QDate(1, 1, 1), u"日期:D"_qs, QDate(1, 1, 1));
        row("time at midnight is not blank", {u"时间"_qs, px::Time, 0}, QTime(0, 0), u"时间:T"_qs, QTime(0, 0));
        row("time with milliseconds", {u"时间"_qs, px::Time, 0}, QTime(12, 0, 1, 500), u"时间:T"_qs, QTime(12, 0, 1),
            u"只保存到秒"_qs);
        row("timestamp", {u"时间戳"_qs, px::Timestamp, 0}, QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)), u"时间戳:@"_qs,
            QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)));
        row("logical true", {u"合格"_qs, px::Logical, 0}, true, u"合格:L"_qs, true);
        row("logical false is not blank", {u"合格"_qs, px::Logical, 0}, false, u"合格:L"_qs, false);
    }

    void fieldKinds()
    {
        QFETCH(Column, column);
        QFETCH(QVariant, written);
        QFETCH(int, codePage);
        QFETCH(QString, spec);
        QFETCH(QVariant, read);
        QFETCH(QString, note);
        px::Table t;
        t.codePage = codePage;
        t.columns = {column, {u"序号"_qs, px::Short, 0}};
        t.rows = {{written, 1}, {QVariant(), 2}};
        px::writeTable(path(u"t.db"_qs), t);
        const QString out = path(u"out/t.db"_qs);
        QDir().mkpath(path(u"out"_qs));
        const handbookimport::TableResult r = handbookimport::convertTable(path(u"t.db"_qs), memoOf(u"t.db"_qs), out);
        QCOMPARE(r.rows, 2);
        QCOMPARE(r.codePage, codePage);
        QVERIFY2(note.isEmpty() ? r.notes.isEmpty() : r.notes.join(u'\n').contains(note), qPrintable(r.notes.join(u'\n')));

        auto ds = open(out);
        QCOMPARE(storage::fieldSpec(ds->fields()[0]), spec);
        QCOMPARE(ds->recordCount(), 2);
        ds->first();
        QCOMPARE(ds->value(0), read);
        QCOMPARE(ds->value(1), QVariant(1));
        QVERIFY(!storedNull(out, column.name, 0));
        ds->next();
        QVERIFY(storedNull(out, column.name, 1)); // blank: NULL
        QCOMPARE(ds->value(1), QVariant(2));
    }

    // Hundreds of rows over many data blocks and memo blocks come back in stored order, every
    // kind in one table; binary, graphic, OLE and bytes fields are left out and reported.
    void everyKindInStoredOrder()
    {
        const px::Table t = everyKind(400);
        px::writeTable(path(u"t.db"_qs), t);
        QVERIFY(word(header(path(u"t.db"_qs)), 0x0C) > 3); // the rows span many data blocks
        const handbookimport::TableResult r = handbookimport::convertTable(path(u"t.db"_qs), memoOf(u"t.db"_qs), path(u"t2.db"_qs));
        QCOMPARE(r.rows, 401);
        QCOMPARE(r.leftOut, QStringList({u"图片 (G)"_qs, u"附件 (B)"_qs, u"对象 (O)"_qs, u"代码 (Y)"_qs}));
        auto ds = open(path(u"t2.db"_qs));
        QCOMPARE(ds->fields().size(), 14);
        ds->first();
        for (int i = 0; i < 400; ++i, ds->next()) {
            QCOMPARE(ds->value(u"编号"_qs), QVariant(i + 1));
            QCOMPARE(ds->value(u"名称"_qs), t.rows[i][1]);
            QCOMPARE(ds->value(u"说明"_qs), t.rows[i][2]);
            QCOMPARE(ds->value(u"格式说明"_qs), t.rows[i][3]);
            QCOMPARE(ds->value(u"长度"_qs), t.rows[i][6]);
            QCOMPARE(ds->value(u"公差"_qs).toDouble(), t.rows[i][10].toString().toDouble());
            QCOMPARE(ds->value(u"时间戳"_qs), t.rows[i][13]);
            QCOMPARE(ds->value(u"尺寸|公称|d"_qs), t.rows[i][16]);
        }
        for (int f = 0; f < ds->fields().size(); ++f)
            QVERIFY2(storedNull(path(u"t2.db"_qs), ds->fields()[f].name, 400), qPrintable(ds->fields()[f].name));
    }

    // The code page the header names decides how texts read, unless the import is told another.
    void codePage_data()
    {
        QTest::addColumn<int>("headerCodePage");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("readsBack");
        QTest::newRow("header names 936") << 936 << 0 << true;
        QTest::newRow("header names none: 936") << 0 << 0 << true;
        QTest::newRow("header names 1252, texts in 936") << 1252 << 0 << false;
        QTest::newRow("header names 1252, 936 chosen") << 1252 << 936 << true;
    }

    void codePage()
    {
        QFETCH(int, headerCodePage);
        QFETCH(int, chosen);
        QFETCH(bool, readsBack);
        px::Table t;
        t.headerCodePage = headerCodePage ? headerCodePage : 936;
        t.columns = {{u"名称"_qs, px::Alpha, 40}};
        t.rows = {{u"圆柱销"_qs}};
        px::writeTable(path(u"t.db"_qs), t);
        if (headerCodePage == 0)
            patch(path(u"t.db"_qs), 0x6A, QByteArray(2, '\0'));
        const auto r = handbookimport::convertTable(path(u"t.db"_qs), QString(), path(u"t2.db"_qs), chosen);
        QCOMPARE(r.codePage, chosen ? chosen : (headerCodePage ? headerCodePage : 936));
        auto ds = open(path(u"t2.db"_qs));
        QCOMPARE(ds->fields()[0].name == u"名称"_qs, readsBack);
        QCOMPARE(ds->value(0) == QVariant(u"圆柱销"_qs), readsBack);
    }

    // A table or memo file that cannot be read stops the whole import with its name and the
    // reason; nothing is left beside the target, and the target does not appear.
    void failures_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("message");
        const auto t = [](const QString &dir) { return dir + u"/dat/t.db"_qs; };
        const auto mb = [](const QString &dir) { return dir + u"/dat/t.MB"_qs; };
        QTest::newRow("table cut in its records") << Damage([=](const QString &d) {
            const QByteArray h = header(t(d));
            QFile::resize(t(d), word(h, 2) + 6 + 3 * word(h, 0) + 5);
        }) << u"dat/t.db：表文件不完整（被截断）"_qs;
        QTest::newRow("table cut after its header") << Damage([=](const QString &d) {
            QFile::resize(t(d), word(header(t(d)), 2) + 3);
        }) << u"dat/t.db：表文件不完整（被截断）：第 1 个数据块"_qs;
        QTest::newRow("table cut in its header") << Damage([=](const QString &d) { QFile::resize(t(d), 0x100); })
                                                << u"dat/t.db：表文件不完整（被截断）：表头"_qs;
        QTest::newRow("memo file missing") << Damage([=](const QString &d) { QFile::remove(mb(d)); })
                                           << u"dat/t.db：备注文件（.MB）不见了：第 1 行“说明”"_qs;
        QTest::newRow("memo file cut") << Damage([=](const QString &d) { QFile::resize(mb(d), 4096 + 200); })
                                       << u"dat/t.db：备注文件 t.MB 不完整"_qs;
        QTest::newRow("row count of the header") << Damage([=](const QString &d) { patch(t(d), 6, QByteArray("\x30\x00", 2)); })
                                                 << u"dat/t.db：表头记有 48 行，数据块中有 41 行"_qs;
        QTest::newRow("blocks in a loop") << Damage([=](const QString &d) {
            const QByteArray h = header(t(d));
            patch(t(d), word(h, 2), QByteArray("\x01\x00", 2)); // block 1 names itself as the next
        }) << u"dat/t.db：数据块链比表头记的"_qs;
        QTest::newRow("password") << Damage([=](const QString &d) { patch(t(d), 0x5C, QByteArray("\x12\x34\x56\x78", 4)); })
                                  << u"dat/t.db：表设有密码"_qs;
        QTest::newRow("not a table") << Damage([=](const QString &d) {
            QFile f(t(d));
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(QByteArray(3000, 'x'));
        }) << u"dat/t.db：既不是 Paradox 数据表，也不是手册的表"_qs;
        QTest::newRow("BCD finer than ten-thousandths") << Damage([=](const QString &d) {
            px::Table b;
            b.columns = {{u"公差"_qs, px::Bcd, 6}};
            b.rows = {{u"0.000125"_qs}};
            px::writeTable(t(d), b);
        }) << u"dat/t.db：第 1 行“公差”的 BCD 值 0.000125 超出手册 BCD 字段的精度"_qs;
    }

    void failures()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, message);
        const QString old = oldDirectory();
        damage(old);
        const QString parent = path(u"new"_qs);
        QDir().mkpath(parent);
        const QString target = parent + u"/handbook"_qs;
        try {
            handbookimport::importDirectory(old, target, {bundled(), 0});
            QFAIL("the import went through");
        } catch (const core::Error &e) {
            QVERIFY2(e.text().startsWith(message), qPrintable(e.text()));
        }
        QVERIFY(entries(parent).isEmpty()); // no target, no half-written folder beside it
    }

    void targetThatExists()
    {
        const QString old = oldDirectory();
        const QString target = path(u"new"_qs);
        QDir().mkpath(target);
        QFile keep(target + u"/keep.txt"_qs);
        keep.open(QIODevice::WriteOnly);
        keep.close();
        QVERIFY_THROWS_EXCEPTION(core::Error, handbookimport::importDirectory(old, target, {bundled(), 0}));
        QCOMPARE(entries(target), QStringList(u"keep.txt"_qs));
        QFile::remove(target + u"/keep.txt"_qs); // an empty folder is taken
        handbookimport::importDirectory(old, target, {bundled(), 0});
        QVERIFY(QFileInfo::exists(target + u"/dat/t.db"_qs));
        QVERIFY_THROWS_EXCEPTION(core::Error, handbookimport::importDirectory(old, old + u"/new"_qs, {bundled(), 0}));
    }

    // The report: tables with their row counts, fields left out, files copied, the calculators.
    void report()
    {
        const QString old = oldDirectory();
        QDir().mkpath(old + u"/TOLERANCE/DATAS"_qs); // the Access file, spelt as on the old platform
        QFile access(old + u"/TOLERANCE/DATAS/VARNOK.MDB"_qs);
        access.open(QIODevice::WriteOnly);
        access.write(QByteArray("\0\1\0\0Standard Jet DB", 19));
        access.close();
        const QString handbook = bundled();
        const QString target = path(u"new"_qs);
        const handbookimport::Result r = handbookimport::importDirectory(old, target, {handbook, 0});
        QCOMPARE(r.bundled, QStringList({u"TOLERANCE/DATAS/VARNOK.MDB"_qs, u"shape_location/DATAS/varnok.mdb"_qs}));
        QCOMPARE(r.copied, QStringList({u"cx_jg.rst"_qs, u"img/a.bmp"_qs, u"img/vtree.PX"_qs}));
        QCOMPARE(r.leftOut, QStringList({u"dat/t.MB"_qs, u"dat/t.PX"_qs, u"database/vtree.MB"_qs}));
        QCOMPARE(r.missing, QStringList({u"database/vt.db"_qs, u"database/History.DB"_qs, u"database/ibook.db"_qs, u"database/cx_jl.db"_qs}));
        const QString text = handbookimport::reportText(r, target);
        QVERIFY(text.contains(QRegularExpression(u"\n  dat/t\\.db +41 行，代码页 936\n"_qs)));
        QVERIFY(text.contains(QRegularExpression(u"\n  database/vtree\\.DB +1 行，代码页 936\n"_qs)));
        for (const QString &line : {u"数据表（2 个）"_qs,
                                    u"略去的字段（手册没有这种字段）：图片 (G)，附件 (B)，对象 (O)，代码 (Y)"_qs,
                                    u"原样复制的文件（3 个）"_qs, u"  cx_jg.rst\n  img/（2 个）"_qs,
                                    u"在原位置放入手册自带的、已校验的 ISO 286 与 GB/T 1184 数值表：\n  TOLERANCE/DATAS/VARNOK.MDB\n  shape_location/DATAS/varnok.mdb"_qs,
                                    u"手册启动时会报告缺表：database/vt.db"_qs})
            QVERIFY2(text.contains(line), qPrintable(u"missing: "_qs + line + u"\n"_qs + text));
        for (const QString &rel : r.bundled) {
            QFile a(storage::resolvePath(handbook + u'/' + rel)), b(target + u'/' + rel);
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY(a.readAll() == b.readAll());
        }
    }

    // The whole sample handbook, converted to Paradox and imported, is the same handbook: every
    // table with its field kinds, sizes and values, every other file byte for byte.
    void sampleRoundTrip()
    {
        const QString handbook = bundled();
        const QString old = path(u"old"_qs);
        px::writeParadoxDirectory(handbook, old);
        const QString target = path(u"new"_qs);
        const handbookimport::Result r = handbookimport::importDirectory(old, target, {handbook, 0});
        QVERIFY(r.missing.isEmpty());
        QVERIFY2(r.indexed > 0, qPrintable(r.indexError));
        QCOMPARE(fulltext::indexState(target), fulltext::IndexState::Fresh); // renamed into place, still fresh
        int tables = 0;
        QDirIterator it(handbook, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString rel = QDir(handbook).relativeFilePath(file);
            const QString copy = target + u'/' + rel;
            QVERIFY2(QFileInfo::exists(copy), qPrintable(rel));
            if (rel == u"database/fulltext.db"_qs)
                continue;
            if (!rel.startsWith(u"database/"_qs) && !rel.startsWith(u"dat/"_qs)) {
                QFile a(file), b(copy);
                QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
                QVERIFY2(a.readAll() == b.readAll(), qPrintable(rel));
                continue;
            }
            ++tables;
            auto want = open(file);
            auto got = open(copy);
            QCOMPARE(got->fields().size(), want->fields().size());
            for (int f = 0; f < want->fields().size(); ++f)
                QCOMPARE(storage::fieldSpec(got->fields()[f]), storage::fieldSpec(want->fields()[f]));
            QCOMPARE(got->recordCount(), want->recordCount());
            for (want->first(), got->first(); !want->eof(); want->next(), got->next()) {
                for (int f = 0; f < want->fields().size(); ++f)
                    QCOMPARE(got->value(f), want->value(f));
            }
        }
        QVERIFY(tables > 10);
        QCOMPARE(r.tables.size(), tables);
    }

    // The handbook finding a Paradox table where it expects one of its own says what it is and
    // which command converts the directory; any other file that is not a database says so.
    void oldFormatNotice()
    {
        px::Table t;
        t.columns = {{u"CID"_qs, px::Alpha, 20}};
        px::writeTable(path(u"vtree.DB"_qs), t);
        QFile other(path(u"other.db"_qs));
        other.open(QIODevice::WriteOnly);
        other.write(QByteArray(4096, 'x'));
        other.close();
        QVERIFY(storage::isParadoxTable(path(u"vtree.DB"_qs)));
        testdata::writeTable(path(u"ok.db"_qs), u"CID:A20\n01\n"_qs);
        QVERIFY(!storage::isParadoxTable(path(u"ok.db"_qs)));
        QVERIFY(!storage::isParadoxTable(path(u"other.db"_qs)));
        try {
            storage::Connection::open(path(u"vtree.DB"_qs));
            QFAIL("a Paradox table opened");
        } catch (const core::Error &e) {
            QCOMPARE(e.text(), QDir::toNativeSeparators(path(u"vtree.DB"_qs)) +
                                   u" 是旧格式（Paradox）的数据表，本手册不能直接打开。\n请先用命令 handbook-import "
                                   u"转换整个数据目录：\nhandbook-import 旧数据目录 新数据目录"_qs);
        }
        try {
            storage::Connection::open(path(u"other.db"_qs));
            QFAIL("a file of x opened");
        } catch (const core::Error &e) {
            QVERIFY2(e.text().endsWith(u"file is not a database"_qs), qPrintable(e.text()));
        }
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
