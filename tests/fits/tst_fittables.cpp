// The tolerance tables as the calculator reads them: row choice by basic size, the zones of a
// small fixture database, and the published ISO 286 values from the bundled database.
#include "fitsdata.h"

#include "csv.h"
#include "testdata.h"

#include "fits/DataUnit.h"
#include "fits/fitcalc.h"
#include "fits/fitfigures.h"
#include "fits/fitinputs.h"
#include "fits/fittables.h"

#include "core/error.h"
#include "core/numbers.h"
#include "storage/dataset.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using fits::ZoneLimits;

namespace {

// Steps ending at 3, 6 and 10 mm. IT12 is blank at 10, K9 at 6; the shaft table lacks the 10 row.
const QString fixtureTolerances = u"基本尺寸,IT6,IT7,IT12\n3,6,10,100\n6,8,12,120\n10,9,15,\n"_qs;
const QString fixtureHoles = u"基本尺寸,H,K9,T7\n3,0,0,\n6,0,,-20\n10,0,0,-25\n"_qs;
const QString fixtureShafts = u"基本尺寸,f,k38\n3,-6,0\n6,-10,0\n"_qs;

struct Shown {
    QString upper, lower;
};

} // namespace

class TestFitTables : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void rowChoice_data();
    void rowChoice();
    void sizeBeyondLastRowIsUndefined();
    void symmetricZoneReadsNoDeviationTable();
    void emptyCells();
    void missingShaftRowIsUndefined();
    void missingColumnRaisesEngineError();
    void publishedLimits_data();
    void publishedLimits();
    void undefinedByStandard_data();
    void undefinedByStandard();
    void fitTypes_data();
    void fitTypes();
    void everyZoneAtEveryStep();
    void textbookFits_data();
    void textbookFits();
    void standardTolerances_data();
    void standardTolerances();
    void dataPageAgreesWithCalculator();

private:
    QTemporaryDir m_fixtureDir, m_contentDir;
    TData2 m_fixture, m_content;
    std::unique_ptr<fits::FitTables> m_tables;
};

void TestFitTables::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    fitsdata::writeFixture(m_fixtureDir.path(), fixtureTolerances, fixtureHoles, fixtureShafts);
    fitsdata::open(m_fixture, m_fixtureDir.path());
    fitsdata::buildContent(m_contentDir.path());
    fitsdata::open(m_content, m_contentDir.path());
}

void TestFitTables::init()
{
    m_tables = std::make_unique<fits::FitTables>(*m_fixture.ADOTable1, *m_fixture.ADOTable2, *m_fixture.ADOTable3);
}

void TestFitTables::rowChoice_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<float>("key");
    QTest::addColumn<double>("it7");
    QTest::newRow("3 takes the 3 row") << 3.0f << 3.0f << 0.010;
    QTest::newRow("3.5 takes the 6 row") << 3.5f << 6.0f << 0.012;
    QTest::newRow("0.5 takes the first row") << 0.5f << 3.0f << 0.010;
    QTest::newRow("6 takes the 6 row") << 6.0f << 6.0f << 0.012;
    QTest::newRow("the last row's size") << 10.0f << 10.0f << 0.015;
    QTest::newRow("just above 6 in 32 bits") << float(6.000001) << 10.0f << 0.015;
    QTest::newRow("6.0000001 is 6 in 32 bits") << float(6.0000001) << 6.0f << 0.012;
}

void TestFitTables::rowChoice()
{
    QFETCH(float, size);
    QFETCH(float, key);
    QFETCH(double, it7);
    const std::optional<double> it = m_tables->lookupStandardTolerance(size, 7);
    QVERIFY(it.has_value());
    QCOMPARE(*it, it7);
    QCOMPARE(m_tables->toleranceRowKey(), key);
    QVERIFY(m_tables->findDeviationRowKey(size));
    QCOMPARE(m_tables->deviationRowKey(), key);
}

void TestFitTables::sizeBeyondLastRowIsUndefined()
{
    fits::FitCalculator calc(*m_tables);
    QCOMPARE(calc.hole(5, u"H"_qs, 7).status, ZoneLimits::Computed);
    // The row of the earlier size must not stand in for a size no row covers.
    QCOMPARE(calc.hole(11, u"H"_qs, 7).status, ZoneLimits::Undefined);
    QCOMPARE(calc.shaft(11, u"js"_qs, 7).status, ZoneLimits::Undefined);
    QCOMPARE(m_tables->toleranceRowKey(), 6.0f);
    QCOMPARE(m_tables->deviationRowKey(), 6.0f);
}

void TestFitTables::symmetricZoneReadsNoDeviationTable()
{
    fits::FitCalculator calc(*m_tables);
    calc.hole(3, u"H"_qs, 7);
    const ZoneLimits js = calc.hole(10, u"Js"_qs, 7);
    QCOMPARE(js.status, ZoneLimits::Computed);
    QCOMPARE(js.upper, 0.0075);
    QCOMPARE(js.lower, -0.0075);
    QCOMPARE(m_tables->toleranceRowKey(), 10.0f);
    QCOMPARE(m_tables->deviationRowKey(), 3.0f);
}

void TestFitTables::emptyCells()
{
    fits::FitCalculator calc(*m_tables);
    // An empty standard tolerance reads 0 ...
    const ZoneLimits h12 = calc.hole(10, u"H"_qs, 12);
    QCOMPARE(h12.status, ZoneLimits::Computed);
    QCOMPARE(h12.upper, 0.0);
    // ... an empty deviation cell means the standard defines no such zone.
    QCOMPARE(calc.hole(6, u"K"_qs, 12).status, ZoneLimits::Undefined);
    QCOMPARE(calc.hole(3, u"T"_qs, 7).status, ZoneLimits::Undefined);
    const ZoneLimits t7 = calc.hole(6, u"T"_qs, 7);
    QCOMPARE(t7.status, ZoneLimits::Computed);
    QCOMPARE(t7.upper, -0.02);
    QCOMPARE(t7.lower, -0.032);
}

void TestFitTables::missingShaftRowIsUndefined()
{
    fits::FitCalculator calc(*m_tables);
    QCOMPARE(calc.shaft(6, u"f"_qs, 6).status, ZoneLimits::Computed);
    QCOMPARE(calc.shaft(10, u"f"_qs, 6).status, ZoneLimits::Undefined);
}

void TestFitTables::missingColumnRaisesEngineError()
{
    fits::FitCalculator calc(*m_tables);
    try {
        calc.hole(3, u"M"_qs, 7);
        QFAIL("no error");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), u"Field 'M7' not found"_qs);
    }
}

void TestFitTables::publishedLimits_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("grade");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    const struct {
        float size;
        const char16_t *letter;
        int grade;
        const char16_t *upper, *lower;
    } rows[] = {
        {10, u"H", 7, u"+0.015", u"0"},       {10, u"g", 6, u"-0.005", u"-0.014"},
        {12, u"j", 6, u"+0.008", u"-0.003"},  {25, u"N", 7, u"-0.007", u"-0.028"},
        {25, u"js", 7, u"+0.0105", u"-0.0105"}, {40, u"H", 8, u"+0.039", u"0"},
        {40, u"e", 9, u"-0.05", u"-0.112"},   {40, u"P", 7, u"-0.017", u"-0.042"},
        {60, u"K", 7, u"+0.009", u"-0.021"},  {70, u"S", 7, u"-0.048", u"-0.078"},
        {80, u"H", 7, u"+0.03", u"0"},        {80, u"r", 6, u"+0.062", u"+0.043"},
        {150, u"F", 7, u"+0.083", u"+0.043"}, {200, u"h", 9, u"0", u"-0.115"},
        {300, u"M", 6, u"-0.009", u"-0.041"}, {400, u"H", 11, u"+0.36", u"0"},
        {600, u"D", 10, u"+0.54", u"+0.26"},  {1100, u"M", 7, u"-0.04", u"-0.145"},
        // At the edges of what the standard defines: J6..J8, j5..j8; A, B, a, b, N9.., IT14..
        // above 1 mm; K..Z in grades 1 and 2 up to 3 mm and above 500 mm.
        {24, u"J", 6, u"+0.008", u"-0.005"},  {24, u"j", 5, u"+0.005", u"-0.004"},
        {1.5, u"A", 11, u"+0.33", u"+0.27"},  {1, u"c", 11, u"-0.06", u"-0.12"},
        {1, u"H", 13, u"+0.14", u"0"},        {1, u"N", 8, u"-0.004", u"-0.018"},
        {3, u"K", 2, u"0", u"-0.0012"},       {600, u"K", 1, u"0", u"-0.009"},
    };
    for (const auto &r : rows) {
        const QString letter = QString::fromUtf16(r.letter);
        QTest::addRow("%s%d at %g", qPrintable(letter), r.grade, double(r.size))
            << r.size << letter << r.grade << QString::fromUtf16(r.upper) << QString::fromUtf16(r.lower);
    }
}

void TestFitTables::publishedLimits()
{
    QFETCH(float, size);
    QFETCH(QString, letter);
    QFETCH(int, grade);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    fits::FitTables tables(*m_content.ADOTable1, *m_content.ADOTable2, *m_content.ADOTable3);
    fits::FitCalculator calc(tables);
    const bool isHole = letter.front().isUpper();
    const ZoneLimits zone = isHole ? calc.hole(size, letter, grade) : calc.shaft(size, letter, grade);
    const fits::ZoneTexts shown = fits::zoneTexts(QString::number(size), zone);
    QCOMPARE(shown.upper, upper);
    QCOMPARE(shown.lower, lower);
}

void TestFitTables::undefinedByStandard_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("grade");
    QTest::newRow("T7 at 20") << 20.0f << u"T"_qs << 7;
    QTest::newRow("A11 at 600") << 600.0f << u"A"_qs << 11;
    QTest::newRow("j8 at 10") << 10.0f << u"j"_qs << 8;
    QTest::newRow("K12 at 20") << 20.0f << u"K"_qs << 12;
    // Cells the tables fill for a range of grades or sizes that the standard does not cover.
    QTest::newRow("J4 at 24, wholly above zero") << 24.0f << u"J"_qs << 4;
    QTest::newRow("J5 at 10") << 10.0f << u"J"_qs << 5;
    QTest::newRow("J9 at 24") << 24.0f << u"J"_qs << 9;
    QTest::newRow("j4 at 24") << 24.0f << u"j"_qs << 4;
    QTest::newRow("j9 at 2") << 2.0f << u"j"_qs << 9;
    QTest::newRow("A11 at 1") << 1.0f << u"A"_qs << 11;
    QTest::newRow("B9 at 0.5") << 0.5f << u"B"_qs << 9;
    QTest::newRow("a11 at 1") << 1.0f << u"a"_qs << 11;
    QTest::newRow("b12 at 0.1") << 0.1f << u"b"_qs << 12;
    QTest::newRow("N9 at 1") << 1.0f << u"N"_qs << 9;
    QTest::newRow("H14 at 1") << 1.0f << u"H"_qs << 14;
    QTest::newRow("h18 at 0.5") << 0.5f << u"h"_qs << 18;
    QTest::newRow("Js15 at 1") << 1.0f << u"Js"_qs << 15;
    QTest::newRow("js14 at 0.6") << 0.6f << u"js"_qs << 14;
    QTest::newRow("K2 just above 3") << 3.01f << u"K"_qs << 2;
    QTest::newRow("M1 at 500") << 500.0f << u"M"_qs << 1;
    QTest::newRow("N2 at 250") << 250.0f << u"N"_qs << 2;
    QTest::newRow("P1 at 20") << 20.0f << u"P"_qs << 1;
    QTest::newRow("U2 at 100") << 100.0f << u"U"_qs << 2;
    QTest::newRow("Z2 at 400") << 400.0f << u"Z"_qs << 2;
}

void TestFitTables::undefinedByStandard()
{
    QFETCH(float, size);
    QFETCH(QString, letter);
    QFETCH(int, grade);
    fits::FitTables tables(*m_content.ADOTable1, *m_content.ADOTable2, *m_content.ADOTable3);
    fits::FitCalculator calc(tables);
    const ZoneLimits zone = letter.front().isUpper() ? calc.hole(size, letter, grade) : calc.shaft(size, letter, grade);
    QCOMPARE(zone.status, ZoneLimits::Undefined);
}

void TestFitTables::fitTypes_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<QString>("hole");
    QTest::addColumn<int>("holeGrade");
    QTest::addColumn<QString>("shaft");
    QTest::addColumn<int>("shaftGrade");
    QTest::addColumn<QString>("fit");
    const QString clearance = u"间隙配合"_qs;
    const QString transition = u"过渡配合"_qs;
    const QString interference = u"过盈配合"_qs;
    QTest::newRow("H6/f5 at 20") << 20.0f << u"H"_qs << 6 << u"f"_qs << 5 << clearance;
    QTest::newRow("H7/h6 at 20") << 20.0f << u"H"_qs << 7 << u"h"_qs << 6 << clearance;
    QTest::newRow("H7/k6 at 20") << 20.0f << u"H"_qs << 7 << u"k"_qs << 6 << transition;
    QTest::newRow("H7/m6 at 20") << 20.0f << u"H"_qs << 7 << u"m"_qs << 6 << transition;
    QTest::newRow("H7/n6 at 20") << 20.0f << u"H"_qs << 7 << u"n"_qs << 6 << transition;
    QTest::newRow("K7/h6 at 20") << 20.0f << u"K"_qs << 7 << u"h"_qs << 6 << transition;
    QTest::newRow("M7/h6 at 20") << 20.0f << u"M"_qs << 7 << u"h"_qs << 6 << transition;
    QTest::newRow("N7/h6 at 20") << 20.0f << u"N"_qs << 7 << u"h"_qs << 6 << transition;
    QTest::newRow("H7/p6 at 20") << 20.0f << u"H"_qs << 7 << u"p"_qs << 6 << interference;
    QTest::newRow("H7/s6 at 20") << 20.0f << u"H"_qs << 7 << u"s"_qs << 6 << interference;
    QTest::newRow("S7/h6 at 70") << 70.0f << u"S"_qs << 7 << u"h"_qs << 6 << interference;
    QTest::newRow("E5/u6 at 3 touch") << 3.0f << u"E"_qs << 5 << u"u"_qs << 6 << interference;
    QTest::newRow("Js7/a11 at 20") << 20.0f << u"Js"_qs << 7 << u"a"_qs << 11 << clearance;
    QTest::newRow("H6/js5 at 20") << 20.0f << u"H"_qs << 6 << u"js"_qs << 5 << transition;
    QTest::newRow("J7/h6 at 20") << 20.0f << u"J"_qs << 7 << u"h"_qs << 6 << transition;
}

void TestFitTables::fitTypes()
{
    QFETCH(float, size);
    QFETCH(QString, hole);
    QFETCH(int, holeGrade);
    QFETCH(QString, shaft);
    QFETCH(int, shaftGrade);
    QFETCH(QString, fit);
    fits::FitTables tables(*m_content.ADOTable1, *m_content.ADOTable2, *m_content.ADOTable3);
    fits::FitCalculator calc(tables);
    QCOMPARE(fits::fitType(calc.hole(size, hole, holeGrade), calc.shaft(size, shaft, shaftGrade)), fit);
}

// Every letter and grade the window offers finds its columns at every size step of the bundled
// database, and its limits come out in order.
void TestFitTables::everyZoneAtEveryStep()
{
    fits::FitTables tables(*m_content.ADOTable1, *m_content.ADOTable2, *m_content.ADOTable3);
    fits::FitCalculator calc(tables);
    storage::Dataset &steps = *m_content.ADOTable2;
    QList<float> sizes;
    for (steps.first(); !steps.eof(); steps.next())
        sizes << float(steps.number(u"基本尺寸"_qs));
    QCOMPARE(sizes.size(), 41);
    QCOMPARE(sizes.back(), 3150.0f);
    int computed = 0;
    for (const float size : sizes) {
        for (int grade = 1; grade <= 18; ++grade) {
            for (const QString &letter : fits::holeLetters() + fits::shaftLetters()) {
                const ZoneLimits zone = letter.front().isUpper() ? calc.hole(size, letter, grade) : calc.shaft(size, letter, grade);
                QVERIFY(zone.status != ZoneLimits::NotComputed);
                if (zone.status == ZoneLimits::Computed) {
                    QVERIFY2(zone.upper > zone.lower, qPrintable(u"%1%2 at %3"_qs.arg(letter).arg(grade).arg(size)));
                    ++computed;
                }
            }
        }
    }
    QVERIFY(computed > 41 * 18 * 30);
}

// Limits of size and extremes of textbook fits, worked by hand from the ISO 286 deviations
// (µm): Xmax = ES − ei, Xmin = EI − es, Ymax = EI − es, Ymin = ES − ei.
void TestFitTables::textbookFits_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<QString>("hole");
    QTest::addColumn<int>("holeGrade");
    QTest::addColumn<QString>("shaft");
    QTest::addColumn<int>("shaftGrade");
    QTest::addColumn<QStringList>("sizes");    // hole max, min, shaft max, min (mm)
    QTest::addColumn<QStringList>("tolerances"); // hole, shaft (µm)
    QTest::addColumn<QStringList>("extremes"); // two of them, named
    // H7 +21/0, g6 -7/-20
    QTest::newRow("H7/g6 at 20") << 20.0f << u"H"_qs << 7 << u"g"_qs << 6
        << QStringList{u"20.021"_qs, u"20"_qs, u"19.993"_qs, u"19.98"_qs} << QStringList{u"21"_qs, u"13"_qs}
        << QStringList{u"最大间隙 +41"_qs, u"最小间隙 +7"_qs};
    // H7 +25/0, k6 +18/+2
    QTest::newRow("H7/k6 at 50") << 50.0f << u"H"_qs << 7 << u"k"_qs << 6
        << QStringList{u"50.025"_qs, u"50"_qs, u"50.018"_qs, u"50.002"_qs} << QStringList{u"25"_qs, u"16"_qs}
        << QStringList{u"最大间隙 +23"_qs, u"最大过盈 -18"_qs};
    // H7 +21/0, p6 +35/+22
    QTest::newRow("H7/p6 at 30") << 30.0f << u"H"_qs << 7 << u"p"_qs << 6
        << QStringList{u"30.021"_qs, u"30"_qs, u"30.035"_qs, u"30.022"_qs} << QStringList{u"21"_qs, u"13"_qs}
        << QStringList{u"最大过盈 -35"_qs, u"最小过盈 -1"_qs};
    // H8 +39/0, f7 -25/-50
    QTest::newRow("H8/f7 at 40") << 40.0f << u"H"_qs << 8 << u"f"_qs << 7
        << QStringList{u"40.039"_qs, u"40"_qs, u"39.975"_qs, u"39.95"_qs} << QStringList{u"39"_qs, u"25"_qs}
        << QStringList{u"最大间隙 +89"_qs, u"最小间隙 +25"_qs};
    // K7 +9/-21, h6 0/-19
    QTest::newRow("K7/h6 at 60") << 60.0f << u"K"_qs << 7 << u"h"_qs << 6
        << QStringList{u"60.009"_qs, u"59.979"_qs, u"60"_qs, u"59.981"_qs} << QStringList{u"30"_qs, u"19"_qs}
        << QStringList{u"最大间隙 +28"_qs, u"最大过盈 -21"_qs};
    // E5 +18/+14, u6 +24/+18: the zones touch, the least interference is 0
    QTest::newRow("E5/u6 at 3") << 3.0f << u"E"_qs << 5 << u"u"_qs << 6
        << QStringList{u"3.018"_qs, u"3.014"_qs, u"3.024"_qs, u"3.018"_qs} << QStringList{u"4"_qs, u"6"_qs}
        << QStringList{u"最大过盈 -10"_qs, u"最小过盈 0"_qs};
    // Js7 ±10.5, h6 0/-13
    QTest::newRow("Js7/h6 at 25") << 25.0f << u"Js"_qs << 7 << u"h"_qs << 6
        << QStringList{u"25.0105"_qs, u"24.9895"_qs, u"25"_qs, u"24.987"_qs} << QStringList{u"21"_qs, u"13"_qs}
        << QStringList{u"最大间隙 +23.5"_qs, u"最大过盈 -10.5"_qs};
    // Above 500 mm. H7 +70/0, g6 -22/-66
    QTest::newRow("H7/g6 at 600") << 600.0f << u"H"_qs << 7 << u"g"_qs << 6
        << QStringList{u"600.07"_qs, u"600"_qs, u"599.978"_qs, u"599.934"_qs} << QStringList{u"70"_qs, u"44"_qs}
        << QStringList{u"最大间隙 +136"_qs, u"最小间隙 +22"_qs};
    // D10 +540/+260, h9 0/-175
    QTest::newRow("D10/h9 at 600") << 600.0f << u"D"_qs << 10 << u"h"_qs << 9
        << QStringList{u"600.54"_qs, u"600.26"_qs, u"600"_qs, u"599.825"_qs} << QStringList{u"280"_qs, u"175"_qs}
        << QStringList{u"最大间隙 +715"_qs, u"最小间隙 +260"_qs};
    // H7 +90/0, s6 +526/+470
    QTest::newRow("H7/s6 at 1000") << 1000.0f << u"H"_qs << 7 << u"s"_qs << 6
        << QStringList{u"1000.09"_qs, u"1000"_qs, u"1000.526"_qs, u"1000.47"_qs} << QStringList{u"90"_qs, u"56"_qs}
        << QStringList{u"最大过盈 -526"_qs, u"最小过盈 -380"_qs};
    // M7 -40/-145, h6 0/-66
    QTest::newRow("M7/h6 at 1100") << 1100.0f << u"M"_qs << 7 << u"h"_qs << 6
        << QStringList{u"1099.96"_qs, u"1099.855"_qs, u"1100"_qs, u"1099.934"_qs} << QStringList{u"105"_qs, u"66"_qs}
        << QStringList{u"最大间隙 +26"_qs, u"最大过盈 -145"_qs};
    // H8 +230/0, f7 -120/-270
    QTest::newRow("H8/f7 at 2000") << 2000.0f << u"H"_qs << 8 << u"f"_qs << 7
        << QStringList{u"2000.23"_qs, u"2000"_qs, u"1999.88"_qs, u"1999.73"_qs} << QStringList{u"230"_qs, u"150"_qs}
        << QStringList{u"最大间隙 +500"_qs, u"最小间隙 +120"_qs};
}

void TestFitTables::textbookFits()
{
    QFETCH(float, size);
    QFETCH(QString, hole);
    QFETCH(int, holeGrade);
    QFETCH(QString, shaft);
    QFETCH(int, shaftGrade);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, tolerances);
    QFETCH(QStringList, extremes);
    fits::FitTables tables(*m_content.ADOTable1, *m_content.ADOTable2, *m_content.ADOTable3);
    fits::FitCalculator calc(tables);
    const fits::FitFigures figures =
        fits::fitFigures(double(size), calc.hole(size, hole, holeGrade), calc.shaft(size, shaft, shaftGrade));
    QVERIFY(figures.hole && figures.shaft);
    QCOMPARE((QStringList{core::formatNumber(figures.hole->upperSize), core::formatNumber(figures.hole->lowerSize),
                          core::formatNumber(figures.shaft->upperSize), core::formatNumber(figures.shaft->lowerSize)}),
             sizes);
    QCOMPARE((QStringList{core::formatNumber(figures.hole->tolerance), core::formatNumber(figures.shaft->tolerance)}),
             tolerances);
    QStringList shown;
    for (const fits::FitExtreme &e : figures.extremes)
        shown << e.name() + u' ' + fits::formatDeviation(e.micrometres);
    QCOMPARE(shown, extremes);
}

// ISO 286-1 Table 1 with IT01 and IT0, which it gives up to 500 mm (µm).
void TestFitTables::standardTolerances_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("micrometres"); // empty: not given
    const float steps[] = {3, 6, 10, 18, 30, 50, 80, 120, 180, 250, 315, 400, 500};
    const char16_t *it01[] = {u"0.3", u"0.4", u"0.4", u"0.5", u"0.6", u"0.6", u"0.8", u"1", u"1.2", u"2", u"2.5", u"3", u"4"};
    const char16_t *it0[] = {u"0.5", u"0.6", u"0.6", u"0.8", u"1", u"1", u"1.2", u"1.5", u"2", u"3", u"4", u"5", u"6"};
    for (int i = 0; i < 13; ++i) {
        QTest::addRow("IT01 to %g", double(steps[i])) << steps[i] << u"01"_qs << QString::fromUtf16(it01[i]);
        QTest::addRow("IT0 to %g", double(steps[i])) << steps[i] << u"0"_qs << QString::fromUtf16(it0[i]);
    }
    QTest::newRow("IT01 just inside the 3 mm step") << 0.5f << u"01"_qs << u"0.3"_qs;
    QTest::newRow("IT0 just above 250") << 250.01f << u"0"_qs << u"4"_qs;
    QTest::newRow("IT01 above 500 not given") << 501.0f << u"01"_qs << QString();
    QTest::newRow("IT0 at 3150 not given") << 3150.0f << u"0"_qs << QString();
    QTest::newRow("IT1 above 500") << 600.0f << u"1"_qs << u"9"_qs;
    QTest::newRow("IT7 at 20") << 20.0f << u"7"_qs << u"21"_qs;
    QTest::newRow("IT18 at 3150") << 3150.0f << u"18"_qs << u"33000"_qs;
}

void TestFitTables::standardTolerances()
{
    QFETCH(float, size);
    QFETCH(QString, grade);
    QFETCH(QString, micrometres);
    fits::FitTables tables(*m_content.ADOTable1, *m_content.ADOTable2, *m_content.ADOTable3);
    const std::optional<double> it = tables.givenStandardTolerance(size, grade);
    QCOMPARE(it.has_value(), !micrometres.isEmpty());
    if (it)
        QCOMPARE(core::formatNumber(double(fits::hundredthsOfMicrometre(*it)) / 100), micrometres);
}

// The standard tolerance data page ("dat/gongcha.db": IT01..IT11 in µm, IT12..IT18 in mm) shows
// what the calculator computes with, cell by cell.
void TestFitTables::dataPageAgreesWithCalculator()
{
    const content::Csv page = content::readCsv(testdata::contentDir() + u"/dat/gongcha.db.csv"_qs);
    storage::Dataset &table = *m_content.ADOTable1;
    int compared = 0;
    table.first();
    for (const QStringList &row : page.rows) {
        QVERIFY(!table.eof());
        QCOMPARE(row[1].toDouble(), table.number(u"基本尺寸"_qs));
        for (qsizetype c = 2; c < page.header.size(); ++c) {
            const QStringList titles = page.header[c].split(u'|');
            const QString column = titles.back();
            const double scale = titles[1] == u"mm" ? 1000 : 1;
            const QVariant stored = table.value(column);
            QCOMPARE(row[c].isEmpty(), stored.isNull());
            if (!row[c].isEmpty()) {
                QCOMPARE(qRound64(row[c].toDouble() * scale * 100), qRound64(stored.toDouble() * 100));
                ++compared;
            }
        }
        table.next();
    }
    QVERIFY(table.eof());
    QCOMPARE(compared, 21 * 18 + 13 * 2);
}

QTEST_GUILESS_MAIN(TestFitTables)
#include "tst_fittables.moc"
