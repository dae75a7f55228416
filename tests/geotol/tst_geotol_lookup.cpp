// The tolerance tables as built from the bundled content, the row choice of the lookup, and the
// entry rules the window and the command line share.
#include "geotol/DataofShapeLocation.h"
#include "geotol/characteristics.h"
#include "geotol/entryrules.h"
#include "geotol/tolerancelookup.h"

#include "builder.h"
#include "core/error.h"
#include "csv.h"
#include "tables.h"
#include "testdata.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace geotol;

class TestGeotolLookup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void publishedValues_data();
    void publishedValues();
    void rowChoice_data();
    void rowChoice();
    void characteristicTables_data();
    void characteristicTables();
    void storedOrderAndGaps_data();
    void storedOrderAndGaps();
    void missingGradeColumn();
    void letterRule_data();
    void letterRule();
    void grades_data();
    void grades();
    void resultRounding_data();
    void resultRounding();
    void tenth_data();
    void tenth();
    void commandLineRefusals_data();
    void commandLineRefusals();

private:
    QString show(int table, float l, const QString &grade);

    QTemporaryDir m_dir;
    TData m_data;
    TData m_odd; // hand-made tables with the awkward cases
};

void TestGeotolLookup::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QVERIFY(m_dir.isValid());
    content::build(testdata::contentDir(), m_dir.path());
    m_data.open(geotol::shapeConnectionString(m_dir.path()));

    // Table 1 out of order, table 2 with a blank cell and a key that single precision cannot
    // hold, table 3 ending below its bound, table 4 without 等级12.
    const QString grades = u"等级1,等级2,等级3,等级4,等级5,等级6,等级7,等级8,等级9,等级10,等级11,等级12"_qs;
    const QString odd = m_dir.path() + u"/odd.mdb"_qs;
    content::writeDatabaseFile(odd, {
        {u"直线平面度"_qs, content::parseCsv(u"主参数,"_qs + grades + u"\n50,1,1,1,1,1,50,1,1,1,1,1,1\n20,1,1,1,1,1,20,1,1,1,1,1,1\n100,1,1,1,1,1,100,1,1,1,1,1,1\n"_qs)},
        {u"圆度圆柱度"_qs, content::parseCsv(u"主参数,"_qs + grades + u"\n10,1,1,1,1,1,,1,1,1,1,1,1\n20.1,1,1,1,1,1,7,1,1,1,1,1,1\n500,1,1,1,1,1,9,1,1,1,1,1,1\n"_qs)},
        {u"平行垂直倾斜度"_qs, content::parseCsv(u"主参数,"_qs + grades + u"\n10,1,1,1,1,1,4,1,1,1,1,1,1\n"_qs)},
        {u"同轴对称跳动"_qs, content::parseCsv(u"主参数,等级1,等级6\n10000,1,6\n"_qs)},
    });
    m_odd.ADOConnection1.setConnectionString(u"Data Source=%1"_qs.arg(odd));
    m_odd.ADOConnection1.connect();
    for (int t = 1; t <= 4; ++t)
        m_odd.table(t).open();
}

QString TestGeotolLookup::show(int table, float l, const QString &grade)
{
    const auto value = LookupTolerance(m_data.table(table), l, gradeColumn(grade));
    return value ? resultText(*value) : u"(none)"_qs;
}

void TestGeotolLookup::publishedValues_data()
{
    QTest::addColumn<QString>("characteristic");
    QTest::addColumn<float>("l");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("expected");
    QTest::newRow("直线度 100 5") << u"直线度"_qs << 100.0f << u"5"_qs << u"6 μm"_qs;
    QTest::newRow("平面度 1000 12") << u"平面度"_qs << 1000.0f << u"12"_qs << u"600 μm"_qs;
    QTest::newRow("圆度 30 6") << u"圆度"_qs << 30.0f << u"6"_qs << u"4 μm"_qs;
    QTest::newRow("圆柱度 250 8") << u"圆柱度"_qs << 250.0f << u"8"_qs << u"20 μm"_qs;
    QTest::newRow("垂直度 40 8") << u"垂直度"_qs << 40.0f << u"8"_qs << u"40 μm"_qs;
    QTest::newRow("平行度 10 1") << u"平行度"_qs << 10.0f << u"1"_qs << u"0.4 μm"_qs;
    QTest::newRow("同轴度 250 6") << u"同轴度"_qs << 250.0f << u"6"_qs << u"20 μm"_qs;
    QTest::newRow("对称度 3 9") << u"对称度"_qs << 3.0f << u"9"_qs << u"20 μm"_qs;
}

void TestGeotolLookup::publishedValues()
{
    QFETCH(QString, characteristic);
    QFETCH(float, l);
    QFETCH(QString, grade);
    QFETCH(QString, expected);
    const Characteristic *c = findCharacteristic(characteristic);
    QVERIFY(c);
    QCOMPARE(show(c->table, l, grade), expected);
}

void TestGeotolLookup::rowChoice_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<float>("l");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<double>("rowKey");
    QTest::newRow("0 takes the first row") << 1 << 0.0f << u"3 μm"_qs << 10.0;
    QTest::newRow("first upper end") << 1 << 10.0f << u"3 μm"_qs << 10.0;
    QTest::newRow("just above the first") << 1 << 10.01f << u"4 μm"_qs << 16.0;
    QTest::newRow("interior upper end") << 1 << 25.0f << u"5 μm"_qs << 25.0;
    QTest::newRow("interior just above") << 1 << 25.5f << u"6 μm"_qs << 40.0;
    QTest::newRow("last upper end") << 1 << 10000.0f << u"100 μm"_qs << 10000.0;
    QTest::newRow("within the last step") << 1 << 6300.5f << u"100 μm"_qs << 10000.0;
    QTest::newRow("above the last") << 1 << 10000.5f << u"(none)"_qs << 0.0;
    QTest::newRow("roundness bound") << 2 << 500.0f << u"15 μm"_qs << 500.0;
    QTest::newRow("roundness first") << 2 << 3.0f << u"2 μm"_qs << 3.0;
    QTest::newRow("run-out last") << 4 << 9999.999f << u"120 μm"_qs << 10000.0;
}

void TestGeotolLookup::rowChoice()
{
    QFETCH(int, table);
    QFETCH(float, l);
    QFETCH(QString, expected);
    QFETCH(double, rowKey);
    QCOMPARE(show(table, l, u"6"_qs), expected);
    if (rowKey > 0)
        QCOMPARE(m_data.table(table).number(u"主参数"_qs), rowKey); // left on the chosen row
}

void TestGeotolLookup::characteristicTables_data()
{
    // L 100, grade 7 differs between the four tables, so each row proves its table.
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    for (const QString &c : {u"直线度"_qs, u"平面度"_qs})
        QTest::newRow(qPrintable(c)) << c << u"15 μm"_qs;
    for (const QString &c : {u"圆  度"_qs, u"圆柱度"_qs})
        QTest::newRow(qPrintable(c)) << c << u"10 μm"_qs;
    for (const QString &c : {u"平行度"_qs, u"垂直度"_qs, u"倾斜度"_qs})
        QTest::newRow(qPrintable(c)) << c << u"40 μm"_qs;
    for (const QString &c : {u"同轴度"_qs, u"对称度"_qs, u"圆跳动"_qs, u"全跳动"_qs})
        QTest::newRow(qPrintable(c)) << c << u"25 μm"_qs;
}

void TestGeotolLookup::characteristicTables()
{
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    const Characteristic *c = findCharacteristic(caption);
    QVERIFY(c);
    QCOMPARE(c->caption, caption);
    QCOMPARE(show(c->table, 100, u"7"_qs), expected);
}

void TestGeotolLookup::storedOrderAndGaps_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<float>("l");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first qualifying row in stored order") << 1 << 10.0f << u"50 μm"_qs;
    QTest::newRow("stored order, not nearest") << 1 << 30.0f << u"50 μm"_qs;
    QTest::newRow("blank cell reads 0") << 2 << 5.0f << u"0 μm"_qs;
    QTest::newRow("key lost in single precision") << 2 << 15.0f << u"(none)"_qs;
    QTest::newRow("table ends below L") << 3 << 11.0f << u"(none)"_qs;
}

void TestGeotolLookup::storedOrderAndGaps()
{
    QFETCH(int, table);
    QFETCH(float, l);
    QFETCH(QString, expected);
    const auto value = LookupTolerance(m_odd.table(table), l, u"等级6"_qs);
    QCOMPARE(value ? resultText(*value) : u"(none)"_qs, expected);
}

void TestGeotolLookup::missingGradeColumn()
{
    try {
        LookupTolerance(m_odd.table(4), 20, u"等级12"_qs);
        QFAIL("a missing grade column must end the lookup");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), u"Field '等级12' not found"_qs);
    }
}

void TestGeotolLookup::letterRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("letters");
    QTest::newRow("abc") << u"abc"_qs << true;
    QTest::newRow("a") << u"a"_qs << true;
    QTest::newRow("Y2") << u"Y2"_qs << true;
    QTest::newRow("z alone") << u"z"_qs << true;
    QTest::newRow("Z alone") << u"Z"_qs << true;
    QTest::newRow("zz") << u"zz"_qs << false;
    QTest::newRow("Zoom") << u"Zoom"_qs << false;
    QTest::newRow("digit first") << u"1a"_qs << false;
    QTest::newRow("sign") << u"-a"_qs << false;
    QTest::newRow("blank first") << u" a"_qs << false;
    QTest::newRow("Chinese") << u"主"_qs << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("between Z and a") << u"_x"_qs << false;
}

void TestGeotolLookup::letterRule()
{
    QFETCH(QString, text);
    QFETCH(bool, letters);
    QCOMPARE(isLetters(text), letters);
}

void TestGeotolLookup::grades_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("1") << u"1"_qs << true;
    QTest::newRow("12") << u"12"_qs << true;
    QTest::newRow("0") << u"0"_qs << false;
    QTest::newRow("13") << u"13"_qs << false;
    QTest::newRow("06") << u"06"_qs << false;
    QTest::newRow("leading blank") << u" 6"_qs << false;
    QTest::newRow("decimal") << u"6.0"_qs << false;
    QTest::newRow("empty") << QString() << false;
}

void TestGeotolLookup::grades()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isValidGrade(text), valid);
}

void TestGeotolLookup::resultRounding_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("half") << 0.5f << u"0.5 μm"_qs;
    QTest::newRow("whole") << 12.0f << u"12 μm"_qs;
    QTest::newRow("two decimals") << 1.25f << u"1.25 μm"_qs;
    QTest::newRow("four decimals round up") << 1.2346f << u"1.235 μm"_qs;
    QTest::newRow("four decimals round down") << 1.2344f << u"1.234 μm"_qs;
    QTest::newRow("half to even, down") << 0.0125f << u"0.012 μm"_qs;
    QTest::newRow("half to even, up") << 0.0135f << u"0.014 μm"_qs;
    QTest::newRow("below a thousandth") << 0.0004f << u"0 μm"_qs;
    QTest::newRow("zero") << 0.0f << u"0 μm"_qs;
}

void TestGeotolLookup::resultRounding()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(resultText(value), expected);
}

void TestGeotolLookup::tenth_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<QString>("expected");
    QTest::newRow("20000") << 20000.0 << u"2000"_qs;
    QTest::newRow("12345") << 12345.0 << u"1234.5"_qs;
    QTest::newRow("10001") << 10001.0 << u"1000.1"_qs;
    QTest::newRow("ten digits") << 9999999999.0 << u"999999999.9"_qs;
    QTest::newRow("exponent") << 1e300 << u"1E299"_qs;
}

void TestGeotolLookup::tenth()
{
    QFETCH(double, v);
    QFETCH(QString, expected);
    QCOMPARE(formattedTenth(v), expected);
}

void TestGeotolLookup::commandLineRefusals_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("l");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("accepted") << u"直线度"_qs << u"25"_qs << u"6"_qs << QString();
    QTest::newRow("fraction") << u"圆柱度"_qs << u"12.5"_qs << u"6"_qs << QString();
    QTest::newRow("roundness at its bound") << u"圆  度"_qs << u"500"_qs << u"12"_qs << QString();
    QTest::newRow("letters") << u"直线度"_qs << u"abc"_qs << u"6"_qs << u"'abc' is not a valid floating point value"_qs;
    QTest::newRow("empty") << u"直线度"_qs << QString() << u"6"_qs << u"'' is not a valid floating point value"_qs;
    QTest::newRow("zero") << u"直线度"_qs << u"0"_qs << u"6"_qs << boundMessage10000;
    QTest::newRow("negative") << u"平面度"_qs << u"-3"_qs << u"6"_qs << boundMessage10000;
    QTest::newRow("above 10000") << u"全跳动"_qs << u"10000.5"_qs << u"6"_qs << boundMessage10000;
    QTest::newRow("roundness above 500") << u"圆  度"_qs << u"501"_qs << u"6"_qs << boundMessage500;
    QTest::newRow("cylindricity above 500") << u"圆柱度"_qs << u"600"_qs << u"6"_qs << boundMessage500;
    QTest::newRow("straightness takes 600") << u"直线度"_qs << u"600"_qs << u"6"_qs << QString();
    QTest::newRow("grade 13") << u"直线度"_qs << u"25"_qs << u"13"_qs << gradeMessage;
    QTest::newRow("grade 06") << u"直线度"_qs << u"25"_qs << u"06"_qs << gradeMessage;
    QTest::newRow("main parameter first") << u"直线度"_qs << u"0"_qs << u"13"_qs << boundMessage10000;
}

void TestGeotolLookup::commandLineRefusals()
{
    QFETCH(QString, caption);
    QFETCH(QString, l);
    QFETCH(QString, grade);
    QFETCH(QString, refusal);
    const Characteristic *c = findCharacteristic(caption);
    QVERIFY(c);
    QCOMPARE(refusalOf(*c, l, grade), refusal);
}

QTEST_MAIN(TestGeotolLookup) // content pictures are drawn with fonts
#include "tst_geotol_lookup.moc"
