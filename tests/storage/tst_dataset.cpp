// The dataset over table files: names, kinds, blanks, order, moves, edits, locks and filtering.
#include "core/textfinder.h"
#include "storage/dataset.h"
#include "storage/error.h"
#include "storage/sqlite.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using storage::Dataset;

namespace {

const QString catalogueHeader =
    u"CID:A20,ParentID:A20,CName:A100,CFrame:A10,COrder:S,Ctable:A30,CMemo:M240,Cimage:A20\n"_qs;

QStringList column(Dataset &ds, const QString &field)
{
    QStringList out;
    for (ds.first(); !ds.eof(); ds.next())
        out << ds.value(field).toString();
    return out;
}

} // namespace

class TstDataset : public QObject {
    Q_OBJECT
private slots:
    void init();
    void tableNamesIgnoreCase_data();
    void tableNamesIgnoreCase();
    void fieldNamesIgnoreCase();
    void namesStayInTheFolder_data();
    void namesStayInTheFolder();
    void numberFieldHoldingText();
    void failedPostIsCancelled();
    void transactionLandsWholeOrNotAtAll();
    void chineseTitlesInCodePage936Order();
    void likeIsCaseSensitive();
    void textKindsKeepLeadingZeros_data();
    void textKindsKeepLeadingZeros();
    void blankVersusEmpty_data();
    void blankVersusEmpty();
    void alphanumericCutOnWholeCharacter_data();
    void alphanumericCutOnWholeCharacter();
    void badValueRefused();
    void locate_data();
    void locate();
    void storedOrderIsAppendOrder();
    void appendDeleteEmptyThenReopen();
    void deleteLastRow();
    void nextPriorEndAndStartFlags();
    void exclusiveOpenRefusesSecondOpener_data();
    void exclusiveOpenRefusesSecondOpener();
    void missingFileNotCreated();
    void nonDatabaseFileFailsAtOpen();
    void closedDatasetRefusesMoves();
    void projectionDoesNotOutliveItsQuery();
    void filterSkipsFailingRows();
    void filteredFlagKeptAcrossCloseAndOpen();
    void filteredFlagMovesToFirstRowEvenWhenUnchanged();
    void filteredFlagEndsPendingEdit();
    void failingFilterLeavesConsistentRows();
    void scanVisitsVisibleRowsInOrder();
    void readOnceHandsOutEveryRowAndKeepsNone();
    void scanWithTextHint_data();
    void scanWithTextHint();
    void filterHintPassesRowsOverOnTablesOnly();
    void scanOverManyRowsWhileReadingOthers_data();
    void scanOverManyRowsWhileReadingOthers();
    void preloadedRowsReadLikeFetchedOnes();
    void openRowsShowsTheGivenRows();
    void storedCellsReadLikeValues();
    void filterFieldsAreReadOthersFetched();

private:
    QString path(const QString &name) const { return m_dir->path() + u'/' + name; }
    void write(const QString &name, const QString &csv) { testdata::writeTable(path(name), csv); }
    std::unique_ptr<Dataset> table(const QString &name, bool exclusive = false)
    {
        auto ds = std::make_unique<Dataset>();
        ds->setDirectory(m_dir->path());
        ds->setTableName(name);
        ds->setExclusive(exclusive);
        ds->open();
        return ds;
    }
    void writeNumbers(int rows);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstDataset::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstDataset::writeNumbers(int rows)
{
    QString csv = u"K:I,Name:A20,V:N\n"_qs;
    for (int i = 1; i <= rows; ++i)
        csv += QStringLiteral("%1,名%1,%2\n").arg(i).arg(i % 7);
    write(u"nums.db"_qs, csv);
}

void TstDataset::tableNamesIgnoreCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("no extension") << u"vtree"_qs;
    QTest::newRow("lower extension") << u"vtree.db"_qs;
    QTest::newRow("as on disk") << u"vtree.DB"_qs;
    QTest::newRow("upper") << u"VTREE.DB"_qs;
}

void TstDataset::tableNamesIgnoreCase()
{
    QFETCH(QString, name);
    write(u"vtree.DB"_qs, catalogueHeader + u"01,0,常用数据,,0,,,\n02,0,公差,,0,,,\n"_qs);
    auto ds = table(name);
    QCOMPARE(ds->recordCount(), 2);
    QCOMPARE(ds->filePath(), path(u"vtree.DB"_qs));
    QCOMPARE(ds->value(u"CName"_qs).toString(), u"常用数据"_qs);
}

void TstDataset::namesStayInTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("up into a sibling folder") << u"../database/ibook"_qs;
    QTest::newRow("up with backslashes") << u"..\\database\\IBOOK.db"_qs;
    QTest::newRow("absolute path") << u"%1/database/ibook.db"_qs;
}

void TstDataset::namesStayInTheFolder()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkpath(u"dat"_qs));
    QVERIFY(QDir(m_dir->path()).mkpath(u"database"_qs));
    write(u"database/ibook.db"_qs, catalogueHeader + u"01,0,书签,,0,,,\n"_qs);
    Dataset ds;
    ds.setDirectory(path(u"dat"_qs));
    ds.setTableName(name.contains(u"%1"_qs) ? name.arg(m_dir->path()) : name);
    try {
        ds.open();
        QFAIL("a table outside the folder opened");
    } catch (const storage::Error &e) {
        QVERIFY2(e.text().startsWith(u"Table does not exist"_qs), qPrintable(e.text()));
    }
    QVERIFY(!ds.isOpen());
}

void TstDataset::numberFieldHoldingText()
{
    write(u"nums.db"_qs, u"K:I,V:N,B:#\n1,1.5,2\n2,0,0\n"_qs);
    {
        // Another tool wrote texts where numbers belong.
        auto conn = storage::Connection::open(path(u"nums.db"_qs));
        conn->exec(u"UPDATE nums SET V='见注', B='n/a', K='1x' WHERE rowid=1"_qs);
    }
    auto ds = table(u"nums"_qs);
    QCOMPARE(ds->value(u"V"_qs), QVariant(u"见注"_qs));
    QCOMPARE(ds->text(u"V"_qs), u"见注"_qs);
    QCOMPARE(ds->text(u"B"_qs), u"n/a"_qs);
    QCOMPARE(ds->text(u"K"_qs), u"1x"_qs);
    try {
        ds->number(u"V"_qs);
        QFAIL("a text read as a number");
    } catch (const storage::Error &e) {
        QCOMPARE(e.text(), u"'见注' is not a valid floating point value"_qs);
    }
    // The search finds what the cell shows, by the file's hint as by the row.
    const core::TextFinder finder(u"见"_qs);
    const std::optional<storage::TextHint> hint = storage::textHint(ds->fields(), {1}, finder);
    QVERIFY(hint);
    QList<int> hits;
    ds->scan(0, [&](int row, const storage::RowView &r) {
        if (r.containsText(1, finder))
            hits << row;
        return true;
    }, nullptr, &*hint);
    QCOMPARE(hits, QList<int>{0});
    // Locating 0 passes the text by and finds the row that holds 0.
    QVERIFY(ds->locate(u"V"_qs, 0));
    QCOMPARE(ds->currentIndex(), 1);
}

void TstDataset::failedPostIsCancelled()
{
    write(u"t.db"_qs, u"K:I,V:A10\n1,old\n2,two\n"_qs);
    auto ds = table(u"t"_qs);
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path(u"t.db"_qs)).constData(), &other), SQLITE_OK);
    // A writer in another process: reading goes on, writing is refused.
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    ds->setValue(u"V"_qs, u"new"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->post());
    QCOMPARE(ds->state(), Dataset::State::Browse);
    QCOMPARE(ds->text(u"V"_qs), u"old"_qs);
    ds->append();
    ds->setValue(u"V"_qs, u"three"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->next()); // the move posts first, which fails
    QCOMPARE(ds->state(), Dataset::State::Browse);
    QCOMPARE(ds->recordCount(), 2);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // Nothing is left to be written by the next moves.
    ds->next();
    ds->first();
    ds->close();
    auto again = table(u"t"_qs);
    QCOMPARE(column(*again, u"V"_qs), (QStringList{u"old"_qs, u"two"_qs}));
}

void TstDataset::transactionLandsWholeOrNotAtAll()
{
    write(u"t.db"_qs, u"K:I\n1\n2\n3\n"_qs);
    auto ds = table(u"t"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->inTransaction([&] {
        ds->first();
        ds->deleteCurrent();
        ds->append();
        ds->setValue(u"K"_qs, 4);
        ds->post();
        throw storage::Error(u"interrupted"_qs);
    }));
    QCOMPARE(column(*ds, u"K"_qs), (QStringList{u"1"_qs, u"2"_qs, u"3"_qs})); // the rows follow the file
    ds->inTransaction([&] {
        ds->first();
        ds->deleteCurrent();
        ds->append();
        ds->setValue(u"K"_qs, 4);
        ds->post();
    });
    ds->close();
    QCOMPARE(column(*table(u"t"_qs), u"K"_qs), (QStringList{u"2"_qs, u"3"_qs, u"4"_qs}));
}

void TstDataset::fieldNamesIgnoreCase()
{
    write(u"vt.db"_qs, catalogueHeader + u"0101,01,优先数系,3,1,youxianshu,注,\n"_qs);
    auto ds = table(u"vt"_qs);
    QCOMPARE(ds->value(u"cname"_qs), ds->value(u"CName"_qs));
    QCOMPARE(ds->value(u"CNAME"_qs).toString(), u"优先数系"_qs);
    QCOMPARE(ds->fieldIndex(u"ctable"_qs), 5);
    QCOMPARE(ds->fieldIndex(u"nope"_qs), -1);
    try {
        ds->value(u"nope"_qs);
        QFAIL("no error raised");
    } catch (const storage::Error &e) {
        QCOMPARE(e.text(), u"Field 'nope' not found"_qs);
    }
}

void TstDataset::chineseTitlesInCodePage936Order()
{
    write(u"vt.db"_qs, catalogueHeader
                           + u"1,0,中,,,,,\n2,0,北,,,,,\n3,0,abc,,,,,\n4,0,阿,,,,,\n"
                             u"5,0,张,,,,,\n6,0,Zeta,,,,,\n7,0,公差,,,,,\n8,0,公,,,,,\n"_qs);
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setSql(u"select * from vt order by cname collate CP936"_qs);
    ds.open();
    QCOMPARE(column(ds, u"CName"_qs),
             (QStringList{u"Zeta"_qs, u"abc"_qs, u"阿"_qs, u"北"_qs, u"公"_qs, u"公差"_qs, u"张"_qs, u"中"_qs}));
    QCOMPARE(ds.fields().size(), 8);

    // The file stays plain: any SQLite tool reads it without the engine's collation.
    sqlite3 *raw = nullptr;
    QCOMPARE(sqlite3_open_v2(path(u"vt.db"_qs).toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_exec(raw, "SELECT * FROM vt ORDER BY CName", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
}

void TstDataset::likeIsCaseSensitive()
{
    write(u"vt.db"_qs, catalogueHeader + u"1,0,Gear,,,t,,\n2,0,gear box,,,t,,\n3,0,齿轮 gear,,,t,,\n"_qs);
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setSql(u"select * from vt where ctable is not null and cname like '%' || ?1 || '%'"_qs, {u"gear"_qs});
    ds.open();
    QCOMPARE(column(ds, u"CID"_qs), (QStringList{u"2"_qs, u"3"_qs}));
}

void TstDataset::textKindsKeepLeadingZeros_data()
{
    QTest::addColumn<QString>("spec");
    QTest::newRow("alphanumeric") << u"A20"_qs;
    QTest::newRow("memo") << u"M240"_qs;
    QTest::newRow("formatted memo") << u"F"_qs;
}

void TstDataset::textKindsKeepLeadingZeros()
{
    QFETCH(QString, spec);
    write(u"t.db"_qs, u"X:"_qs + spec + u"\n0101\n"_qs);
    {
        auto ds = table(u"t"_qs);
        ds->append();
        ds->setValue(u"X"_qs, u"0102"_qs);
        ds->post();
    }
    auto ds = table(u"t"_qs);
    QCOMPARE(column(*ds, u"X"_qs), (QStringList{u"0101"_qs, u"0102"_qs}));
    ds->first();
    QCOMPARE(ds->value(u"X"_qs).typeId(), QMetaType::QString);
    QCOMPARE(ds->text(u"X"_qs), u"0101"_qs);

    auto conn = storage::Connection::open(path(u"t.db"_qs));
    storage::Statement st(*conn, u"SELECT typeof(X) FROM t"_qs);
    while (st.step())
        QCOMPARE(st.text(0), u"text"_qs);
}

void TstDataset::blankVersusEmpty_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<bool>("memo");
    QTest::newRow("alphanumeric") << u"A10"_qs << false;
    QTest::newRow("short") << u"S"_qs << false;
    QTest::newRow("long") << u"I"_qs << false;
    QTest::newRow("float") << u"N"_qs << false;
    QTest::newRow("date") << u"D"_qs << false;
    QTest::newRow("logical") << u"L"_qs << false;
    QTest::newRow("memo") << u"M"_qs << true;
    QTest::newRow("formatted memo") << u"F"_qs << true;
}

void TstDataset::blankVersusEmpty()
{
    QFETCH(QString, spec);
    QFETCH(bool, memo);
    // Row 1: an empty CSV cell; row 2: an empty text set through the dataset.
    write(u"t.db"_qs, u"K:S,X:"_qs + spec + u"\n1,\n"_qs);
    {
        auto ds = table(u"t"_qs);
        ds->append();
        ds->setValue(u"K"_qs, 2);
        ds->setValue(u"X"_qs, QString());
        ds->post();
        ds->append();
        ds->setValue(u"K"_qs, 3);
        ds->post();
    }
    auto ds = table(u"t"_qs);
    QCOMPARE(ds->recordCount(), 3);
    for (ds->first(); !ds->eof(); ds->next()) {
        const QVariant v = ds->value(u"X"_qs);
        QCOMPARE(v.isNull(), !memo);
        if (memo)
            QCOMPARE(v.toString(), QString());
        QCOMPARE(ds->text(u"X"_qs), QString());
        if (!memo)
            QCOMPARE(ds->number(u"X"_qs), 0.0); // blank reads 0
    }
    auto conn = storage::Connection::open(path(u"t.db"_qs));
    storage::Statement st(*conn, u"SELECT count(*) FROM t WHERE X IS NULL OR X = ''"_qs);
    QVERIFY(st.step());
    QCOMPARE(st.int64(0), 3);
}

void TstDataset::alphanumericCutOnWholeCharacter_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("character straddles the size") << u"A5"_qs << u"ab中文"_qs << u"ab中"_qs;
    QTest::newRow("exact fit") << u"A4"_qs << u"中文"_qs << u"中文"_qs;
    QTest::newRow("ascii") << u"A3"_qs << u"abcdef"_qs << u"abc"_qs;
    QTest::newRow("topic of 40 bytes") << u"A40"_qs << QString(25, QChar(0x516C)) << QString(20, QChar(0x516C));
}

void TstDataset::alphanumericCutOnWholeCharacter()
{
    QFETCH(QString, spec);
    QFETCH(QString, value);
    QFETCH(QString, stored);
    write(u"t.db"_qs, u"X:"_qs + spec + u"\n"_qs + value + u"\n"_qs);
    {
        auto ds = table(u"t"_qs);
        QCOMPARE(ds->value(u"X"_qs).toString(), stored); // the import cuts too
        ds->append();
        ds->setValue(u"X"_qs, value);
        QCOMPARE(ds->value(u"X"_qs).toString(), stored); // reads back as it will be stored
        ds->post();
        ds->first();
        ds->edit();
        ds->setValue(u"X"_qs, value + value);
        ds->post();
    }
    auto ds = table(u"t"_qs);
    QCOMPARE(column(*ds, u"X"_qs), (QStringList{stored, stored}));
}

void TstDataset::badValueRefused()
{
    write(u"t.db"_qs, u"N:N,S:S\n1,1\n"_qs);
    auto ds = table(u"t"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->setValue(u"N"_qs, u"abc"_qs));
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->setValue(u"S"_qs, 70000));
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->setValue(u"S"_qs, 1.5));
}

void TstDataset::locate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<bool>("partialKey");
    QTest::addColumn<int>("row"); // -1: not found
    QTest::newRow("exact") << u"CName"_qs << QVariant(u"abcd"_qs) << false << false << 2;
    QTest::newRow("exact is case-sensitive") << u"CName"_qs << QVariant(u"abc"_qs) << false << false << -1;
    QTest::newRow("case-insensitive") << u"cname"_qs << QVariant(u"abc"_qs) << true << false << 1;
    QTest::newRow("partial key") << u"CName"_qs << QVariant(u"ab"_qs) << false << true << 2;
    QTest::newRow("partial key ignoring case") << u"CName"_qs << QVariant(u"AB"_qs) << true << true << 1;
    QTest::newRow("chinese partial key") << u"CName"_qs << QVariant(u"公差"_qs) << false << true << 3;
    QTest::newRow("trailing blanks count") << u"CName"_qs << QVariant(u"abcd "_qs) << false << false << -1;
    QTest::newRow("number equal") << u"Size"_qs << QVariant(12.5) << false << false << 2;
    QTest::newRow("number as text") << u"Size"_qs << QVariant(u"3"_qs) << false << false << 1;
    QTest::newRow("number is not a prefix") << u"Size"_qs << QVariant(u"1"_qs) << false << true << -1;
    QTest::newRow("text against a number field") << u"Size"_qs << QVariant(u"abc"_qs) << false << false << -1;
    QTest::newRow("number absent") << u"Size"_qs << QVariant(4) << false << false << -1;
}

void TstDataset::locate()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(bool, caseInsensitive);
    QFETCH(bool, partialKey);
    QFETCH(int, row);
    write(u"t.db"_qs, u"CName:A20,Size:N\n,0\nAbc,3\nabcd,12.5\n公差带,\n"_qs);
    auto ds = table(u"t"_qs);
    ds->last();
    const bool found = ds->locate(field, value, storage::LocateOptions{caseInsensitive, partialKey});
    QCOMPARE(found, row >= 0);
    QCOMPARE(ds->currentIndex(), row >= 0 ? row : 3); // the current row stays when nothing matches
}

void TstDataset::storedOrderIsAppendOrder()
{
    write(u"t.db"_qs, u"X:A10\nB\nA\nC\n"_qs);
    {
        auto ds = table(u"t"_qs);
        QCOMPARE(column(*ds, u"X"_qs), (QStringList{u"B"_qs, u"A"_qs, u"C"_qs}));
        ds->first();
        ds->next();
        ds->deleteCurrent();
        ds->append();
        ds->setValue(u"X"_qs, u"0"_qs);
        ds->post();
        QCOMPARE(column(*ds, u"X"_qs), (QStringList{u"B"_qs, u"C"_qs, u"0"_qs}));
    }
    auto ds = table(u"t"_qs);
    QCOMPARE(column(*ds, u"X"_qs), (QStringList{u"B"_qs, u"C"_qs, u"0"_qs}));
}

void TstDataset::appendDeleteEmptyThenReopen()
{
    write(u"History.DB"_qs, catalogueHeader + u"01,0,甲,,,,,\n"_qs);
    {
        auto ds = table(u"History.DB"_qs, true);
        ds->append();
        ds->setValue(u"CID"_qs, u"0201"_qs);
        ds->setValue(u"CName"_qs, u"公差"_qs);
        ds->setValue(u"CMemo"_qs, u"第一行\r\n第二行"_qs);
        ds->post();
        QCOMPARE(ds->recordCount(), 2);
        QCOMPARE(ds->currentIndex(), 1);
    }
    {
        auto ds = table(u"History.DB"_qs, true);
        QCOMPARE(column(*ds, u"CID"_qs), (QStringList{u"01"_qs, u"0201"_qs}));
        ds->last();
        QCOMPARE(ds->value(u"CMemo"_qs).toString(), u"第一行\r\n第二行"_qs);
        ds->first();
        ds->deleteCurrent();
    }
    {
        auto ds = table(u"History.DB"_qs, true);
        QCOMPARE(column(*ds, u"CID"_qs), QStringList{u"0201"_qs});
        ds->emptyTable();
        QCOMPARE(ds->recordCount(), 0);
        QVERIFY(ds->eof() && ds->bof());
    }
    auto ds = table(u"History.DB"_qs, true);
    QCOMPARE(ds->recordCount(), 0);
}

void TstDataset::deleteLastRow()
{
    write(u"t.db"_qs, u"X:A10\na\nb\nc\n"_qs);
    auto ds = table(u"t"_qs);
    ds->setCurrentIndex(1);
    ds->deleteCurrent(); // the following row becomes current
    QCOMPARE(ds->value(u"X"_qs).toString(), u"c"_qs);
    QVERIFY(!ds->eof());
    ds->deleteCurrent(); // the final row: the one before becomes current, at the end
    QCOMPARE(ds->recordCount(), 1);
    QCOMPARE(ds->value(u"X"_qs).toString(), u"a"_qs);
    QVERIFY(ds->eof());
    ds->deleteCurrent();
    QCOMPARE(ds->recordCount(), 0);
    QVERIFY(ds->eof() && ds->bof());
    QVERIFY(ds->value(u"X"_qs).isNull());
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->deleteCurrent());
    ds->close();
    ds->open();
    QCOMPARE(ds->recordCount(), 0);
}

void TstDataset::nextPriorEndAndStartFlags()
{
    write(u"t.db"_qs, u"X:A10\na\nb\nc\n"_qs);
    auto ds = table(u"t"_qs);
    QVERIFY(ds->bof());
    QVERIFY(!ds->eof());
    ds->next();
    QVERIFY(!ds->bof());
    ds->next();
    QVERIFY(!ds->eof());
    ds->next(); // on the last row: the end flag, and it stays there
    QVERIFY(ds->eof());
    QCOMPARE(ds->value(u"X"_qs).toString(), u"c"_qs);
    ds->prior();
    QVERIFY(!ds->eof());
    QCOMPARE(ds->value(u"X"_qs).toString(), u"b"_qs);
    ds->prior();
    QVERIFY(!ds->bof());
    ds->prior(); // on the first row: the start flag
    QVERIFY(ds->bof());
    QCOMPARE(ds->value(u"X"_qs).toString(), u"a"_qs);
    ds->last();
    QVERIFY(ds->eof());
    QCOMPARE(ds->value(u"X"_qs).toString(), u"c"_qs);

    write(u"e.db"_qs, u"X:A10\n"_qs);
    auto empty = table(u"e"_qs);
    QVERIFY(empty->eof() && empty->bof());
    empty->next();
    empty->prior();
    QVERIFY(empty->eof() && empty->bof());
}

void TstDataset::exclusiveOpenRefusesSecondOpener_data()
{
    QTest::addColumn<bool>("wal");
    QTest::addColumn<bool>("secondExclusive");
    QTest::newRow("rollback journal, shared second") << false << false;
    QTest::newRow("rollback journal, exclusive second") << false << true;
    QTest::newRow("write-ahead log, shared second") << true << false;
    QTest::newRow("write-ahead log, exclusive second") << true << true;
}

void TstDataset::exclusiveOpenRefusesSecondOpener()
{
    QFETCH(bool, wal);
    QFETCH(bool, secondExclusive);
    write(u"History.DB"_qs, catalogueHeader + u"01,0,甲,,,,,\n"_qs);
    if (wal)
        storage::Connection::open(path(u"History.DB"_qs))->exec(u"PRAGMA journal_mode=WAL"_qs);
    auto first = table(u"History.DB"_qs, true);
    Dataset second;
    second.setDirectory(m_dir->path());
    second.setTableName(u"history.db"_qs);
    second.setExclusive(secondExclusive);
    QVERIFY_THROWS_EXCEPTION(storage::Error, second.open());
    QVERIFY(!second.isOpen());
    // The holder still works, and writes.
    first->append();
    first->setValue(u"CID"_qs, u"02"_qs);
    first->post();
    first->close();
    second.open();
    QCOMPARE(second.recordCount(), 2);
}

void TstDataset::missingFileNotCreated()
{
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setTableName(u"History.DB"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds.open());
    ds.setExclusive(true);
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds.open());
    QVERIFY(!ds.isOpen());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void TstDataset::nonDatabaseFileFailsAtOpen()
{
    const QByteArray junk("CID,CName\r\n01,not a table\r\n");
    QFile f(path(u"vtree.DB"_qs));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(junk);
    f.close();
    for (bool exclusive : {false, true}) {
        Dataset ds;
        ds.setDirectory(m_dir->path());
        ds.setTableName(u"vtree"_qs);
        ds.setExclusive(exclusive);
        QVERIFY_THROWS_EXCEPTION(storage::Error, ds.open());
        QVERIFY(!ds.isOpen());
    }
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), junk); // reported, never repaired
}

void TstDataset::closedDatasetRefusesMoves()
{
    Dataset ds;
    QVERIFY(ds.eof() && ds.bof());
    QCOMPARE(ds.recordCount(), 0);
    try {
        ds.first();
        QFAIL("no error raised");
    } catch (const storage::Error &e) {
        QCOMPARE(e.text(), u"Cannot perform this operation on a closed dataset"_qs);
    }
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds.value(u"X"_qs));
}

void TstDataset::projectionDoesNotOutliveItsQuery()
{
    write(u"vt.db"_qs, catalogueHeader + u"0101,01,优先数系,3,1,youxianshu,注,\n"_qs);
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setSql(u"select ParentID,CID,CName from vt order by parentID,CID"_qs);
    ds.open();
    QCOMPARE(ds.fields().size(), 3);
    QCOMPARE(ds.fields()[1].name, u"CID"_qs);
    ds.close();
    ds.setTableName(u"vt"_qs);
    ds.open();
    QCOMPARE(ds.fields().size(), 8);
    QCOMPARE(ds.value(u"Ctable"_qs).toString(), u"youxianshu"_qs);
}

void TstDataset::filterSkipsFailingRows()
{
    writeNumbers(20);
    auto ds = table(u"nums"_qs);
    const int v = ds->fieldIndex(u"V"_qs);
    QStringList seen;
    ds->setFilterCallback([&](const storage::RowView &row) {
        seen << row.value(1).toString();
        return row.value(v).toDouble() == 3;
    });
    QVERIFY(seen.isEmpty()); // off until the flag is set
    ds->setFiltered(true);
    QCOMPARE(seen.size(), 20);
    QCOMPARE(seen.first(), u"名1"_qs);
    QCOMPARE(column(*ds, u"K"_qs), (QStringList{u"3"_qs, u"10"_qs, u"17"_qs}));
    ds->last();
    ds->prior();
    QCOMPARE(ds->value(u"K"_qs).toInt(), 10);
    QVERIFY(!ds->locate(u"K"_qs, 4));
    QVERIFY(ds->locate(u"K"_qs, 17));
    QCOMPARE(ds->currentIndex(), 2);
    ds->setFiltered(false);
    QCOMPARE(ds->recordCount(), 20);
}

void TstDataset::filteredFlagKeptAcrossCloseAndOpen()
{
    writeNumbers(10);
    write(u"other.db"_qs, u"W:N\n3\n4\n3\n"_qs);
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setFilterCallback([](const storage::RowView &row) { return row.value(row.fields().size() - 1).toDouble() == 3; });
    ds.setFiltered(true); // closed: only recorded
    QVERIFY(ds.filtered());
    ds.setTableName(u"nums"_qs);
    ds.open();
    QCOMPARE(ds.recordCount(), 2);
    ds.close();
    QVERIFY(ds.filtered());
    ds.setTableName(u"other"_qs); // another table in the same object is filtered too
    ds.open();
    QCOMPARE(ds.recordCount(), 2);
    ds.close();
    ds.setFiltered(false);
    ds.open();
    QCOMPARE(ds.recordCount(), 3);
}

void TstDataset::filteredFlagMovesToFirstRowEvenWhenUnchanged()
{
    writeNumbers(10);
    auto ds = table(u"nums"_qs);
    ds->setFilterCallback([](const storage::RowView &row) { return row.value(0).toInt() > 4; });
    QSignalSpy moved(ds.get(), &Dataset::currentChanged);
    for (bool on : {false, true, true, false}) {
        ds->last();
        moved.clear();
        ds->setFiltered(on);
        QCOMPARE(ds->currentIndex(), 0);
        QVERIFY(ds->bof());
        QCOMPARE(ds->value(u"K"_qs).toInt(), on ? 5 : 1);
        QVERIFY(moved.size() >= 1);
    }
}

void TstDataset::filteredFlagEndsPendingEdit()
{
    writeNumbers(3);
    {
        auto ds = table(u"nums"_qs);
        ds->setFilterCallback([](const storage::RowView &) { return true; });
        ds->edit();
        ds->setValue(u"Name"_qs, u"改"_qs);
        ds->setFiltered(true);
        QCOMPARE(ds->state(), Dataset::State::Browse);
    }
    auto ds = table(u"nums"_qs);
    QCOMPARE(ds->value(u"Name"_qs).toString(), u"改"_qs);
}

void TstDataset::failingFilterLeavesConsistentRows()
{
    writeNumbers(5);
    auto ds = table(u"nums"_qs);
    ds->last();
    ds->setFilterCallback([](const storage::RowView &row) {
        if (row.value(0).toInt() == 2)
            throw storage::Error(u"row test failed"_qs);
        return true;
    });
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds->setFiltered(true));
    QVERIFY(ds->currentIndex() < ds->recordCount());
    QCOMPARE(ds->value(u"K"_qs).toInt(), ds->valueAt(ds->currentIndex(), 0).toInt());
    QCOMPARE(column(*ds, u"K"_qs).size(), ds->recordCount());
}

void TstDataset::scanVisitsVisibleRowsInOrder()
{
    writeNumbers(30);
    auto ds = table(u"nums"_qs);
    ds->setFilterCallback([](const storage::RowView &row) { return row.value(2).toDouble() != 0; });
    ds->setFiltered(true);
    // Rows appended after the filter ran stay visible and are scanned in place.
    ds->append();
    ds->setValue(u"K"_qs, 99);
    ds->post();
    const int count = ds->recordCount();
    QCOMPARE(count, 30 - 4 + 1);
    QList<int> keys;
    bool same = true;
    QCOMPARE(ds->scan(3, [&](int row, const storage::RowView &values) {
        same = same && values.value(0) == ds->valueAt(row, 0) && values.value(1) == ds->valueAt(row, 1);
        keys << values.value(0).toInt();
        return true;
    }), count);
    QVERIFY(same);
    QCOMPARE(keys.size(), count - 3);
    QCOMPARE(keys.first(), ds->valueAt(3, 0).toInt());
    QCOMPARE(keys.last(), 99);
    QVERIFY(!keys.contains(7) && !keys.contains(14));
    const int stop = ds->scan(0, [](int, const storage::RowView &values) { return values.value(0).toInt() != 12; });
    QCOMPARE(ds->valueAt(stop, 0).toInt(), 12);
}

void TstDataset::readOnceHandsOutEveryRowAndKeepsNone()
{
    writeNumbers(5);
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setSql(u"select K, Name, V from nums where V > ?1 order by Name desc"_qs, {QVariant(2)});
    QStringList names;
    ds.readOnce([](const storage::Fields &fields) { return QVector<int>{int(fields.size()) - 2}; },
                [&](const storage::RowView &row) { names << row.value(1).toString(); });
    QCOMPARE(names, (QStringList{u"名5"_qs, u"名4"_qs, u"名3"_qs}));
    QVERIFY(!ds.isOpen());
    QCOMPARE(ds.fields().size(), 0);
    // A field the read was not told of cannot be read; the dataset is left closed all the same.
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds.readOnce([](const storage::Fields &) { return QVector<int>{0}; },
                                                         [](const storage::RowView &row) { row.value(2); }));
    QVERIFY(!ds.isOpen());
    ds.setSql(u"select * from missing"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, ds.readOnce([](const storage::Fields &) { return QVector<int>{}; },
                                                         [](const storage::RowView &) {}));
}

void TstDataset::scanWithTextHint_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QVector<int>>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("visited");
    const QVector<int> texts{1, 2, 3};
    QTest::newRow("in any text field") << 0 << texts << u"齿轮"_qs << QList<int>{1, 2, 3, 6};
    QTest::newRow("from a later row") << 1 << texts << u"齿轮"_qs << QList<int>{2, 3, 6};
    QTest::newRow("only the named fields") << 0 << QVector<int>{1} << u"齿轮"_qs << QList<int>{1};
    QTest::newRow("not across cells") << 0 << texts << u"齿轮箱轮"_qs << QList<int>{};
    QTest::newRow("digits in text") << 0 << texts << u"01"_qs << QList<int>{5};
    QTest::newRow("a memo's line break") << 0 << QVector<int>{3} << u"\n齿"_qs << QList<int>{6};
    QTest::newRow("no field named") << 0 << QVector<int>{} << u"齿轮"_qs << QList<int>{};
}

// A hinted walk visits the rows whose named fields hold the text, and still no hidden row.
void TstDataset::scanWithTextHint()
{
    QFETCH(int, from);
    QFETCH(QVector<int>, fields);
    QFETCH(QString, text);
    QFETCH(QList<int>, visited);
    write(u"h.db"_qs, u"K:I,A:A10,B:A10,M:M\n1,齿轮,,\n2,,齿轮箱,\n3,,,x齿轮\n4,齿,轮,\n5,0101,,\n6,,,\"a\n齿轮\"\n7,,,齿轮\n"_qs);
    auto ds = table(u"h"_qs);
    ds->setFilterCallback([](const storage::RowView &row) { return row.value(0).toInt() != 7; });
    ds->setFiltered(true);
    const storage::TextHint hint{fields, text.toUtf8(), {}};
    QList<int> keys;
    QCOMPARE(ds->scan(from, [&](int, const storage::RowView &row) {
        keys << row.value(0).toInt();
        return true;
    }, nullptr, &hint), ds->recordCount());
    QCOMPARE(keys, visited);
}

// A hint chooses the rows without the callback; a query keeps its own conditions and callback.
void TstDataset::filterHintPassesRowsOverOnTablesOnly()
{
    write(u"h.db"_qs, u"K:I,A:A10,B:A10\n1,齿轮,\n2,,齿轮\n3,轮齿,\n4,齿轮箱,\n"_qs);
    QVector<int> fields{1};
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setTableName(u"h"_qs);
    QList<int> seen;
    ds.setFilterCallback([&](const storage::RowView &row) {
        seen << row.value(0).toInt();
        return row.value(0).toInt() != 4;
    });
    ds.setFilterHint([&] { return std::optional<storage::TextHint>({fields, "齿轮", {}}); });
    QSignalSpy walked(&ds, &Dataset::filterWalkFinished);
    ds.setFiltered(true);
    ds.open();
    QVERIFY(seen.isEmpty());
    QCOMPARE(column(ds, u"K"_qs), (QStringList{u"1"_qs, u"4"_qs}));
    fields.clear();
    seen.clear();
    ds.refresh();
    QVERIFY(seen.isEmpty());
    QCOMPARE(ds.recordCount(), 0);
    QCOMPARE(walked.count(), 2);
    ds.close();
    ds.setSql(u"select * from h where K > 1"_qs);
    ds.open();
    QCOMPARE(seen, (QList<int>{2, 3, 4}));
}

void TstDataset::scanOverManyRowsWhileReadingOthers_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("descending");
    QTest::newRow("stored order") << QString() << false;
    QTest::newRow("sorted by a statement") << u"select * from nums order by K desc"_qs << true;
}

void TstDataset::scanOverManyRowsWhileReadingOthers()
{
    QFETCH(QString, sql);
    QFETCH(bool, descending);
    const int n = 5000;
    writeNumbers(n);
    Dataset ds;
    ds.setDirectory(m_dir->path());
    if (sql.isEmpty())
        ds.setTableName(u"nums"_qs);
    else
        ds.setSql(sql);
    ds.open();
    auto key = [&](int row) { return descending ? n - row : row + 1; };
    int visited = 0;
    bool same = true;
    ds.scan(0, [&](int row, const storage::RowView &values) {
        // A visitor that reads other rows must not disturb the row it is given.
        const QVariant other = ds.valueAt(n - 1 - row, 1);
        same = same && values.value(0).toInt() == key(row) && values.value(1).toString() == QStringLiteral("名%1").arg(key(row))
               && other.toString() == QStringLiteral("名%1").arg(key(n - 1 - row));
        ++visited;
        return true;
    });
    QCOMPARE(visited, n);
    QVERIFY(same);
}

QTEST_GUILESS_MAIN(TstDataset)

void TstDataset::preloadedRowsReadLikeFetchedOnes()
{
    writeNumbers(3000); // more rows than the bounded cache holds
    Dataset plain, preloaded;
    for (Dataset *ds : {&plain, &preloaded}) {
        ds->setDirectory(m_dir->path());
        ds->setSql(u"select K, Name, V from nums where V > ?1 order by Name collate CP936"_qs, {QVariant(2)});
    }
    preloaded.setPreload(true);
    plain.open();
    preloaded.open();
    QCOMPARE(preloaded.recordCount(), plain.recordCount());
    for (int row = 0; row < plain.recordCount(); row += 97) {
        for (int f = 0; f < 3; ++f)
            QCOMPARE(preloaded.valueAt(row, f), plain.valueAt(row, f));
    }
    // a write is read back, not the value loaded with the rows
    preloaded.setCurrentIndex(5);
    preloaded.setValue(u"Name"_qs, u"改"_qs);
    preloaded.post();
    QCOMPARE(preloaded.valueAt(5, 1).toString(), u"改"_qs);
}

// Rows read from the file give plain texts and text tests from the stored cells; they must be the
// ones the values give, for every kind, blank cells, Chinese text and broken UTF-8 alike.
void TstDataset::storedCellsReadLikeValues()
{
    write(u"k.db"_qs, u"a:A10,m:M,n:N,i:I,b:#,d:D,l:L,t:T\n"
                      "中文,丄,0.5,15,1.25,2024-01-05,true,10:30:00\n"
                      "形状,,0.00005,-5,,,false,\n"
                      ",x,12.5,0,2,2023-12-31,,\n"_qs);
    storage::Connection::open(path(u"k.db"_qs))->exec(u"UPDATE k SET a = CAST(X'E4B8E4B8AD41' AS TEXT) WHERE rowid = 3"_qs);
    auto ds = table(u"k"_qs);
    const QStringList needles = {u"形"_qs, u"文"_qs, u"A"_qs, u"5"_qs, u"E-5"_qs, u"2.5"_qs, u"-"_qs, u"."_qs,
                                 u"1"_qs, u"True"_qs, u"2024"_qs, u"30"_qs, u"\uFFFD"_qs, QString(),
                                 u"/"_qs, u"Jan"_qs, u"Dec 2023"_qs, u"年"_qs};
    int cells = 0;
    int texts = 0;
    ds->scan(0, [&](int r, const storage::RowView &row) {
        for (int f = 0; f < row.fields().size(); ++f) {
            const QVariant v = row.value(f);
            const QString text = storage::plainText(row.fields()[f], v);
            if (row.plainText(f) != text)
                qWarning() << "row" << r << "field" << f << row.plainText(f) << "instead of" << text;
            QByteArray appended = "x";
            const bool given = row.appendText(f, appended);
            if (given == v.isNull() || QString::fromUtf8(appended) != u'x' + (given ? v.toString() : QString()))
                qWarning() << "row" << r << "field" << f << "appended" << appended << "for" << v;
            texts += given != v.isNull() && QString::fromUtf8(appended) == u'x' + (given ? v.toString() : QString());
            for (const QString &needle : needles) {
                const core::TextFinder finder(needle);
                const bool expected = !v.isNull() && finder.in(text);
                if (row.containsText(f, finder) != expected)
                    qWarning() << "row" << r << "field" << f << "needle" << needle << "expected" << expected;
                cells += row.plainText(f) == text && row.containsText(f, finder) == expected;
            }
        }
        return true;
    });
    QCOMPARE(cells, 3 * 8 * int(needles.size()));
    QCOMPARE(texts, 3 * 8);
}

// A walk told which fields its callback reads still gives every field's value.
void TstDataset::filterFieldsAreReadOthersFetched()
{
    writeNumbers(50);
    auto ds = table(u"nums"_qs);
    int asked = 0;
    bool othersRead = true;
    ds->setFilterFields([&] {
        ++asked;
        return QVector<int>{2, 7, -1};
    });
    ds->setFilterCallback([&](const storage::RowView &row) {
        const int k = row.value(0).toInt();
        othersRead = othersRead && row.value(1).toString() == QStringLiteral("名%1").arg(k)
                     && row.plainText(0) == QString::number(k);
        return row.value(2).toDouble() == 3;
    });
    ds->setFiltered(true);
    QCOMPARE(asked, 1);
    QVERIFY(othersRead);
    QCOMPARE(column(*ds, u"K"_qs).mid(0, 3), (QStringList{u"3"_qs, u"10"_qs, u"17"_qs}));
    QCOMPARE(ds->recordCount(), 7);
}

#include "tst_dataset.moc"

void TstDataset::openRowsShowsTheGivenRows()
{
    writeNumbers(10);
    Dataset ds;
    ds.setDirectory(m_dir->path());
    ds.setSql(u"select * from nums where V > 100"_qs); // names the table; its condition is not run
    ds.openRows({7, 2, 9});
    QCOMPARE(ds.recordCount(), 3);
    QCOMPARE(ds.value(u"K"_qs).toInt(), 7);
    QCOMPARE(ds.rowIdAt(1), 2);
    ds.last();
    QCOMPARE(ds.value(u"Name"_qs).toString(), u"名9"_qs);
    ds.refresh(); // the statement again: no row has V > 100
    QCOMPARE(ds.recordCount(), 0);
}
