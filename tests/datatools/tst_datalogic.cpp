// The computation of the data-page tools without windows: the data query's row test, the cell
// search, the result report and the result files. The row test and the search run again under
// de_DE.UTF-8 and en_US.UTF-8: a '.' in a value typed in the query stands for the user's
// decimal separator.
#include "core/datetimes.h"
#include "core/error.h"
#include "core/numbers.h"
#include "core/text.h"
#include "datatools/cellsearch.h"
#include "datatools/resultfile.h"
#include "datatools/resultreport.h"
#include "datatools/rowtest.h"
#include "storage/dataset.h"
#include "storage/error.h"
#include "testdata.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString crlf = QStringLiteral("\r\n");

QString sp(int n)
{
    return QString(n, u' ');
}

// Field kinds of every kind the query compares; 备注 is a memo (never blank), 定 fixed-point.
const QString queryTable = QStringLiteral(
    "编号:A4,名称:A20,值:N,数:I,备注:M,日期:D,真:L,定:#\n"
    "r1,ABC,12.5,3,中文,2024-01-05,true,1.2345\n"
    "r2,abc,0.5,-2,形状,2023-12-31,false,2\n"
    "r3,abc ,0.00009,15,,,,\n"
    "r4,,,,丄,,,\n"
    "r5,中文,15,0,x,2024-01-05,true,0\n");

} // namespace

class TestDataLogic : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    int m_tables = 0;

    std::unique_ptr<storage::Dataset> table(const QString &csv)
    {
        const QString name = QStringLiteral("t%1").arg(++m_tables);
        testdata::writeTable(m_dir->filePath(name + QStringLiteral(".db")), csv);
        auto ds = std::make_unique<storage::Dataset>();
        ds->setDirectory(m_dir->path());
        ds->setTableName(name);
        ds->open();
        return ds;
    }

    static QString keys(const storage::Dataset &ds)
    {
        QStringList out;
        ds.scan(0, [&](int, const storage::RowView &row) {
            out << row.value(0).toString();
            return true;
        });
        return out.join(u',');
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void rowTest_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("failures");
        auto row = [](const char *name, int field, const char *op, QString value, const char *rows, int failures) {
            if (field == 2 || field == 3 || field == 7) // number fields
                value.replace(u'.', core::decimalSeparator());
            QTest::newRow(name) << field << QString::fromUtf8(op) << value << QString::fromUtf8(rows) << failures;
        };
        row("text = is case-sensitive", 1, "=", QStringLiteral("abc"), "r2", 0);
        row("value trimmed, cell not", 1, "=", QStringLiteral("  abc\t"), "r2", 0);
        row("cell with trailing blank", 1, "=", QStringLiteral("abc "), "r2", 0);
        row("text > by cp936 bytes", 1, ">", QStringLiteral("ABC"), "r2,r3,r5", 0);
        row("text < passes blank", 1, "<", QStringLiteral("A"), "r4", 0);
        row("text <= shorter first", 1, "<=", QStringLiteral("ABC"), "r1,r4", 0);
        row("text >= fails blank", 1, ">=", QStringLiteral("中"), "r5", 0);
        row("float >=", 2, ">=", QStringLiteral("12.5"), "r1,r5", 0);
        row("float < passes blank", 2, "<", QStringLiteral("1"), "r2,r3,r4", 0);
        row("float <= with exponent", 2, "<=", QStringLiteral("9e-5"), "r3,r4", 0);
        row("float = fails blank", 2, "=", QStringLiteral("15"), "r5", 0);
        row("Like 2.5 in 12.5", 2, "Like", QStringLiteral("2.5"), "r1", 0);
        row("Like on plain text 9E-5", 2, "Like", QStringLiteral("E-5"), "r3", 0);
        row("Like never blank cells", 2, "Like", QStringLiteral("5"), "r1,r2,r3,r5", 0);
        row("Like empty value", 1, "Like", QString(), "", 0);
        row("Like is case-sensitive", 1, "Like", QStringLiteral("AB"), "r1", 0);
        row("Like wildcards are literal", 1, "Like", QStringLiteral("%"), "", 0);
        row("Like whole characters 形", 4, "Like", QStringLiteral("形"), "r2", 0);
        row("Like whole characters A", 4, "Like", QStringLiteral("A"), "", 0);
        row("Like on an integer", 3, "Like", QStringLiteral("5"), "r3", 0);
        row("Like a minus on an integer", 3, "Like", QStringLiteral("-"), "r2", 0);
        row("Like on fixed-point", 7, "Like", QStringLiteral("2345"), "r1", 0);
        row("memo = empty text", 4, "=", QString(), "r3", 0);
        row("integer >", 3, ">", QStringLiteral("2"), "r1,r3", 0);
        row("integer = 3.0", 3, "=", QStringLiteral("3.0"), "r1", 0);
        row("date = ISO", 5, "=", QStringLiteral("2024-01-05"), "r1,r5", 0);
        row("date < passes blank", 5, "<", QStringLiteral("2024-01-01"), "r2,r3,r4", 0);
        row("date = as the grid shows it", 5, "=", core::dateText(QDate(2024, 1, 5)), "r1,r5", 0);
        row("date > as the grid shows it", 5, ">", core::dateText(QDate(2023, 12, 31)), "r1,r5", 0);
        row("logical = True", 6, "=", QStringLiteral("True"), "r1,r5", 0);
        row("logical < true", 6, "<", QStringLiteral("true"), "r2,r3,r4", 0);
        row("logical unreadable", 6, "=", QStringLiteral("yes"), "r1,r2,r5", 3);
        row("fixed-point >", 7, ">", QStringLiteral("1.2344"), "r1,r2", 0);
        row("fixed-point = four places", 7, "=", QStringLiteral("1.23450"), "r1", 0);
        row("typed <> passes all", 1, "<>", QStringLiteral("abc"), "r1,r2,r3,r4,r5", 0);
        row("typed like passes all", 1, "like", QStringLiteral("abc"), "r1,r2,r3,r4,r5", 0);
        row("no field chosen", -1, "=", QStringLiteral("abc"), "r1,r2,r3,r4,r5", 5);
        row("field beyond the table", 8, "Like", QStringLiteral("abc"), "r1,r2,r3,r4,r5", 5);
        row("letters on number, =", 2, "=", QStringLiteral("abc"), "r1,r2,r3,r5", 4);
        row("letters on number, <", 2, "<", QStringLiteral("abc"), "r1,r2,r3,r4,r5", 4);
    }

    void rowTest()
    {
        QFETCH(int, field);
        QFETCH(QString, op);
        QFETCH(QString, value);
        QFETCH(QString, rows);
        QFETCH(int, failures);
        auto ds = table(queryTable);
        datatools::RowTest test;
        int failed = 0;
        ds->setFilterCallback([&](const storage::RowView &row) {
            test.setCondition(field, op, value);
            const datatools::Verdict v = test.test(row);
            failed += v == datatools::Verdict::Fail;
            return v != datatools::Verdict::Reject;
        });
        ds->setFiltered(true);
        QCOMPARE(keys(*ds), rows);
        QCOMPARE(failed, failures);

        // The file's first look at the rows, where the test offers one, changes nothing.
        ds->setFilterHint([&] { return test.hint(ds->fields()); });
        failed = 0;
        ds->refresh();
        QCOMPARE(keys(*ds), rows);
        QCOMPARE(failed, failures);
    }

    void rowTestHint_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Like on text") << 1 << QStringLiteral("Like") << QStringLiteral(" 中 ") << QStringLiteral("1:中:");
        QTest::newRow("Like on a memo") << 4 << QStringLiteral("Like") << QStringLiteral("形") << QStringLiteral("4:形:");
        QTest::newRow("Like on a number") << 2 << QStringLiteral("Like") << QStringLiteral("5") << QStringLiteral("2:5:5");
        QTest::newRow("Like on an integer") << 3 << QStringLiteral("Like") << QStringLiteral("-") << QStringLiteral("3:-:-");
        QTest::newRow("Like on a logical") << 6 << QStringLiteral("Like") << QStringLiteral("1") << QStringLiteral("none");
        QTest::newRow("Like on a date") << 5 << QStringLiteral("Like") << QStringLiteral("2024") << QStringLiteral("none");
        QTest::newRow("Like, empty value") << 1 << QStringLiteral("Like") << QStringLiteral(" ") << QStringLiteral("none");
        QTest::newRow("= on text") << 1 << QStringLiteral("=") << QStringLiteral("abc") << QStringLiteral("none");
        QTest::newRow("no field") << -1 << QStringLiteral("Like") << QStringLiteral("abc") << QStringLiteral("none");
        QTest::newRow("beyond the table") << 8 << QStringLiteral("Like") << QStringLiteral("abc") << QStringLiteral("none");
    }

    void rowTestHint()
    {
        QFETCH(int, field);
        QFETCH(QString, op);
        QFETCH(QString, value);
        QFETCH(QString, hint);
        auto ds = table(queryTable);
        datatools::RowTest test;
        test.setCondition(field, op, value);
        const std::optional<storage::TextHint> given = test.hint(ds->fields());
        QCOMPARE(given ? QStringLiteral("%1:%2:%3").arg(given->fields.value(0)).arg(QString::fromUtf8(given->utf8),
                                                                           QString::fromLatin1(given->number))
                       : QStringLiteral("none"),
                 hint);
        QVERIFY(!given || given->fields.size() == 1);
    }

    // A change of the controls counts from the next row read on.
    void rowTestFollowsConditionChanges()
    {
        auto ds = table(queryTable);
        datatools::RowTest test;
        ds->setFilterCallback([&](const storage::RowView &row) {
            test.setCondition(0, QStringLiteral("="), row.value(0).toString() == u"r3" ? QStringLiteral("r3") : QStringLiteral("r1"));
            return test.test(row) == datatools::Verdict::Pass;
        });
        ds->setFiltered(true);
        QCOMPARE(keys(*ds), QStringLiteral("r1,r3"));
    }

    void search_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hit");
        QTest::newRow("left field of a row") << 0 << 0 << QStringLiteral("5") << QStringLiteral("0,1");
        QTest::newRow("next field, same row") << 0 << 2 << QStringLiteral("5") << QStringLiteral("0,2");
        QTest::newRow("last field") << 0 << 3 << QStringLiteral("5") << QStringLiteral("0,3");
        QTest::newRow("after last field: next row from 0") << 0 << 4 << QStringLiteral("5") << QStringLiteral("1,2");
        QTest::newRow("0.00005 reads 5E-5") << 1 << 3 << QStringLiteral("5") << QStringLiteral("2,2");
        QTest::newRow("no wrap-around") << 2 << 4 << QStringLiteral("5") << QStringLiteral("none");
        QTest::newRow("case-sensitive") << 0 << 0 << QStringLiteral("abc") << QStringLiteral("none");
        QTest::newRow("text trimmed") << 0 << 0 << QStringLiteral(" ABC\t") << QStringLiteral("2,1");
        QTest::newRow("empty text") << 0 << 0 << QString() << QStringLiteral("none");
        QTest::newRow("blank text") << 0 << 0 << QStringLiteral("   ") << QStringLiteral("none");
        QTest::newRow("whole characters") << 0 << 0 << QStringLiteral("形") << QStringLiteral("none");
        QTest::newRow("Chinese text") << 0 << 0 << QStringLiteral("文") << QStringLiteral("1,3");
        QTest::newRow("Chinese text, from its own cell") << 1 << 3 << QStringLiteral("文") << QStringLiteral("1,3");
        QTest::newRow("Chinese text, past its cell") << 1 << 4 << QStringLiteral("文") << QStringLiteral("none");
        QTest::newRow("letters in two text fields") << 0 << 2 << QStringLiteral("5") << QStringLiteral("0,2");
        QTest::newRow("letters only in text fields") << 0 << 2 << QStringLiteral("q") << QStringLiteral("2,3");
        const QChar sep = core::decimalSeparator();
        QTest::newRow("the user's decimal separator") << 0 << 0 << QString(u"0"_qs + sep + u"5"_qs) << QStringLiteral("1,2");
        QTest::newRow("another locale's separator") << 0 << 0 << (sep == u'.' ? u"0,5"_qs : u"0.5"_qs) << QStringLiteral("none");
    }

    void search()
    {
        QFETCH(int, row);
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, hit);
        auto ds = table(QStringLiteral("编号:A4,a:A10,b:N,c:A10\n"
                                       "x,a5,15,b5\n"
                                       "y,,0.5,中文\n"
                                       "z,ABC,0.00005,q5\n"));
        const datatools::SearchHit found = datatools::searchFrom(*ds, row, field, text);
        QCOMPARE(found.found() ? QStringLiteral("%1,%2").arg(found.row).arg(found.field) : QStringLiteral("none"), hit);
    }

    void searchSkipsHiddenRowsAndNeedsAnOpenTable()
    {
        auto ds = table(QStringLiteral("编号:A4,a:A10,n:N\nw,,1\nx,5文,5\ny,5文,2\nz,文,5\n"));
        ds->setFilterCallback([](const storage::RowView &row) { return row.value(0).toString() != u"x"; });
        ds->setFiltered(true);
        // Number text can be in every field; Chinese text only in the text field.
        for (const QString &text : {QStringLiteral("5"), QStringLiteral("5文")}) {
            const datatools::SearchHit hit = datatools::searchFrom(*ds, 0, 0, text);
            QCOMPARE(hit.row, 1);
            QCOMPARE(hit.field, 1);
            QCOMPARE(ds->valueAt(hit.row, 0).toString(), QStringLiteral("y"));
        }
        QCOMPARE(datatools::searchFrom(*ds, 1, 2, QStringLiteral("文")).row, 2);
        ds->close();
        QVERIFY_THROWS_EXCEPTION(storage::Error, datatools::searchFrom(*ds, 0, 0, QStringLiteral("5")));
    }

    void columnReport_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("body"); // the lines after header and rule, without the closing line
        QTest::newRow("K=2 example") << QStringLiteral("d:A10,DD:A10,b:N\n10,20,1.5\n") << 2 << 2
                                     << QStringLiteral("10") + sp(8) + QStringLiteral("20") + sp(38) + QStringLiteral("1.5");
        QTest::newRow("K=3, 4-byte first key") << QStringLiteral("d:A10,DD:A10,e:A10,b:A10\nabcd,x,yyyyyyy,v\n") << 3 << 3
                                               << QStringLiteral("abcd") + sp(6) + QStringLiteral("x") + sp(6)
                                                      + QStringLiteral("yyyyyyy") + sp(36) + QStringLiteral("v");
        QTest::newRow("10-byte first key") << QStringLiteral("d:A10,DD:A10,b:A10\n中文中文中,20,v\n") << 2 << 2
                                           << QStringLiteral("中文中文中20") + sp(38) + QStringLiteral("v");
        QTest::newRow("first key trimmed for spacing only") << QStringLiteral("d:A10,DD:A10,b:A10\n\" 10 \",20,v\n") << 2 << 2
                                                            << QStringLiteral(" 10 ") + sp(8) + QStringLiteral("20") + sp(36)
                                                                   + QStringLiteral("v");
        QTest::newRow("line already at target") << QStringLiteral("d:A40,DD:A40,b:A10\n12345678901234567890,123456789012345678901234567890,中\n")
                                                << 2 << 2
                                                << QStringLiteral("12345678901234567890123456789012345678901234567890中");
        QTest::newRow("Chinese values and blank cells") << QStringLiteral("d:A10,b:A10\n直径,\n,螺距\n") << 1 << 1
                                                        << QStringLiteral("直径") + sp(36) + crlf + sp(40) + QStringLiteral("螺距");
        QTest::newRow("empty table") << QStringLiteral("d:A10,b:A10\n") << 1 << 1 << QString();
    }

    void columnReport()
    {
        QFETCH(QString, csv);
        QFETCH(int, keys);
        QFETCH(int, selected);
        QFETCH(QString, body);
        auto ds = table(csv);
        QString header = ds->fields()[0].name;
        for (int i = 1; i < keys; ++i)
            header += sp(10) + ds->fields()[i].name;
        header += sp(30) + ds->fields()[selected].name;
        QString expected = header + crlf + QString(50, u'-') + crlf;
        if (!body.isEmpty())
            expected += body + crlf;
        expected += sp(24) + crlf;
        QCOMPARE(datatools::composeReport(*ds, keys, selected), expected);
    }

    void reportWalksVisibleRowsAndEndsOnTheLast()
    {
        auto ds = table(QStringLiteral("d:A10,b:A10\na,1\nb,2\nc,3\n"));
        ds->setFilterCallback([](const storage::RowView &row) { return row.value(0).toString() != u"b"; });
        ds->setFiltered(true);
        const QString report = datatools::composeReport(*ds, 1, 1);
        QVERIFY(report.contains(QStringLiteral("a") + sp(39) + QStringLiteral("1\r\n")));
        QVERIFY(!report.contains(QStringLiteral("2\r\n")));
        QCOMPARE(ds->currentIndex(), ds->recordCount() - 1);
    }

    void reportWithoutLines_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("selected");
        QTest::newRow("key column 0") << 2 << 0;
        QTest::newRow("key column 1") << 2 << 1;
        QTest::newRow("no column selected") << 2 << -1;
        QTest::newRow("more keys than fields") << 5 << 2;
    }

    void reportWithoutLines()
    {
        QFETCH(int, keys);
        QFETCH(int, selected);
        auto ds = table(QStringLiteral("d:A10,DD:A10,b:A10\n1,2,3\n"));
        QCOMPARE(datatools::composeReport(*ds, keys, selected), sp(24) + crlf);
        ds->close();
        QCOMPARE(datatools::composeReport(*ds, 0, -1), sp(24) + crlf);
    }

    void recordListing()
    {
        auto ds = table(QStringLiteral("名称:A10,值:N,备注:M\n甲,1.5,x\n乙,,\n"));
        ds->next();
        QCOMPARE(datatools::composeReport(*ds, 0, 1),
                 QStringLiteral("名称:    乙\r\n值:    \r\n备注:    \r\n") + sp(24) + crlf);
        QCOMPARE(ds->currentIndex(), 1);
        auto empty = table(QStringLiteral("a:A10,b:N\n"));
        QCOMPARE(datatools::composeReport(*empty, 0, 0), QStringLiteral("a:    \r\nb:    \r\n") + sp(24) + crlf);
    }

    void importBlock_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("result");
        const QString rule(43, u'-');
        QTest::newRow("empty pane") << QString() << QStringLiteral("r\r\n")
                                    << sp(4) + crlf + rule + crlf + QStringLiteral("r\r\n\r\n") + rule + crlf;
        QTest::newRow("empty log") << QString() << QString() << sp(4) + crlf + rule + crlf + crlf + rule + crlf;
        QTest::newRow("pane without final line end")
            << QStringLiteral("abc") << QStringLiteral("r\r\n")
            << QStringLiteral("abc\r\n") + sp(4) + crlf + rule + QStringLiteral("\r\nr\r\n") + rule + crlf;
        QTest::newRow("stored text of two lines") << QStringLiteral("x\r\n") << QStringLiteral("a\r\nb")
                                                  << QStringLiteral("x\r\n") + sp(4) + crlf + rule + crlf
                                                         + QStringLiteral("a\r\nb\r\n") + rule + crlf;
    }

    void importBlock()
    {
        QFETCH(QString, pane);
        QFETCH(QString, stored);
        QFETCH(QString, result);
        QCOMPARE(datatools::appendImportBlock(pane, stored), result);
    }

    void resultFileLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QStringLiteral("a\r\nb");
        QTest::newRow("CR LF kept") << QByteArray("a\r\n\r\nb") << QStringLiteral("a\r\n\r\nb");
        QTest::newRow("code page 936") << QByteArray("\xd6\xd0\xce\xc4\n") << QStringLiteral("中文\r\n");
        QTest::newRow("lone 0x80 is the euro sign") << QByteArray("\x80") << QStringLiteral("€");
    }

    void resultFileLineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString path = m_dir->filePath(QStringLiteral("in.rst"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QCOMPARE(datatools::readResultFile(path), text);
    }

    void resultFileBytes()
    {
        const QString path = m_dir->filePath(QStringLiteral("out.rst"));
        // Characters outside code page 936 survive: the file is GB18030.
        const QString text = QStringLiteral("中文 μm ½ \U0001F600 €\r\nend");
        datatools::writeResultFile(path, text);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xd6\xd0\xce\xc4 "));
        QVERIFY(bytes.endsWith("\r\nend"));
        QVERIFY(!bytes.contains('?'));
        QCOMPARE(datatools::readResultFile(path), text);
        datatools::writeResultFile(path, QString());
        QCOMPARE(QFile(path).size(), 0);
    }

    void resultFileErrors()
    {
        QVERIFY_THROWS_EXCEPTION(core::Error, datatools::readResultFile(m_dir->filePath(QStringLiteral("missing.rst"))));
        QVERIFY_THROWS_EXCEPTION(core::Error, datatools::writeResultFile(m_dir->filePath(QStringLiteral("no/dir/x.rst")), QStringLiteral("x")));
    }
};

QTEST_GUILESS_MAIN(TestDataLogic)
#include "tst_datalogic.moc"
