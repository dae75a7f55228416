// The rules of the limits-and-fits computation that need no tables: which column a zone reads,
// the deviation texts, the fit type and the size checks.
#include "fits/fitcalc.h"
#include "fits/fitinputs.h"
#include "fits/zonepicture.h"

#include "core/error.h"

#include <QLocale>
#include <QTest>

using fits::ZoneLimits;
using fits::ZoneRule;

Q_DECLARE_METATYPE(ZoneRule::Kind)
Q_DECLARE_METATYPE(fits::SizeEdit)

class TestFitCalc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void holeRule_data();
    void holeRule();
    void shaftRule_data();
    void shaftRule();
    void letterOf_data();
    void letterOf();
    void formatDeviation_data();
    void formatDeviation();
    void fitType_data();
    void fitType();
    void acceptedSize_data();
    void acceptedSize();
    void checkSizeEdit_data();
    void checkSizeEdit();
    void notANumber_data();
    void notANumber();
    void zoneTextsRereadSize();
    void zonePicture_data();
    void zonePicture();
};

void TestFitCalc::holeRule_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("grade");
    QTest::addColumn<ZoneRule::Kind>("kind");
    QTest::addColumn<QString>("column");
    QTest::newRow("A11 reads EI of A") << u"A"_qs << 11 << ZoneRule::FromLower << u"A"_qs;
    QTest::newRow("H7 reads EI of H") << u"H"_qs << 7 << ZoneRule::FromLower << u"H"_qs;
    QTest::newRow("Js7 symmetric") << u"Js"_qs << 7 << ZoneRule::Symmetric << QString();
    QTest::newRow("J1 reads J6") << u"J"_qs << 1 << ZoneRule::FromUpper << u"J6"_qs;
    QTest::newRow("J5 reads J6") << u"J"_qs << 5 << ZoneRule::FromUpper << u"J6"_qs;
    QTest::newRow("J7 reads J7") << u"J"_qs << 7 << ZoneRule::FromUpper << u"J7"_qs;
    QTest::newRow("J8 reads J8") << u"J"_qs << 8 << ZoneRule::FromUpper << u"J8"_qs;
    QTest::newRow("J18 reads J8") << u"J"_qs << 18 << ZoneRule::FromUpper << u"J8"_qs;
    QTest::newRow("K1 reads K3") << u"K"_qs << 1 << ZoneRule::FromUpper << u"K3"_qs;
    QTest::newRow("K3 reads K3") << u"K"_qs << 3 << ZoneRule::FromUpper << u"K3"_qs;
    QTest::newRow("K6 reads K6") << u"K"_qs << 6 << ZoneRule::FromUpper << u"K6"_qs;
    QTest::newRow("M8 reads M8") << u"M"_qs << 8 << ZoneRule::FromUpper << u"M8"_qs;
    QTest::newRow("N9 reads N9") << u"N"_qs << 9 << ZoneRule::FromUpper << u"N9"_qs;
    QTest::newRow("K12 reads K9") << u"K"_qs << 12 << ZoneRule::FromUpper << u"K9"_qs;
    QTest::newRow("P2 reads P3") << u"P"_qs << 2 << ZoneRule::FromUpper << u"P3"_qs;
    QTest::newRow("S7 reads S7") << u"S"_qs << 7 << ZoneRule::FromUpper << u"S7"_qs;
    QTest::newRow("P8 reads P8") << u"P"_qs << 8 << ZoneRule::FromUpper << u"P8"_qs;
    QTest::newRow("P12 reads P8") << u"P"_qs << 12 << ZoneRule::FromUpper << u"P8"_qs;
    QTest::newRow("Z18 reads Z8") << u"Z"_qs << 18 << ZoneRule::FromUpper << u"Z8"_qs;
    QTest::newRow("upper-cased js names no zone") << u"JS"_qs << 7 << ZoneRule::None << QString();
    QTest::newRow("empty letter names no zone") << QString() << 7 << ZoneRule::None << QString();
    QTest::newRow("lower-case h names no hole") << u"h"_qs << 7 << ZoneRule::None << QString();
    QTest::newRow("L between K and N names no zone") << u"L"_qs << 6 << ZoneRule::None << QString();
    QTest::newRow("Q between P and Z names no zone") << u"Q"_qs << 6 << ZoneRule::None << QString();
    QTest::newRow("AB between A and H names no zone") << u"AB"_qs << 6 << ZoneRule::None << QString();
}

void TestFitCalc::holeRule()
{
    QFETCH(QString, letter);
    QFETCH(int, grade);
    QFETCH(ZoneRule::Kind, kind);
    QFETCH(QString, column);
    const ZoneRule rule = fits::holeRule(letter, grade);
    QCOMPARE(rule.kind, kind);
    QCOMPARE(rule.column, column);
}

void TestFitCalc::shaftRule_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("grade");
    QTest::addColumn<ZoneRule::Kind>("kind");
    QTest::addColumn<QString>("column");
    QTest::newRow("a11 reads es of a") << u"a"_qs << 11 << ZoneRule::FromUpper << u"a"_qs;
    QTest::newRow("h6 reads es of h") << u"h"_qs << 6 << ZoneRule::FromUpper << u"h"_qs;
    QTest::newRow("js6 symmetric") << u"js"_qs << 6 << ZoneRule::Symmetric << QString();
    QTest::newRow("j5 reads j6") << u"j"_qs << 5 << ZoneRule::FromLower << u"j6"_qs;
    QTest::newRow("j7 reads j7") << u"j"_qs << 7 << ZoneRule::FromLower << u"j7"_qs;
    QTest::newRow("j8 reads j8") << u"j"_qs << 8 << ZoneRule::FromLower << u"j8"_qs;
    QTest::newRow("k2 reads k38") << u"k"_qs << 2 << ZoneRule::FromLower << u"k38"_qs;
    QTest::newRow("k3 reads k38") << u"k"_qs << 3 << ZoneRule::FromLower << u"k38"_qs;
    QTest::newRow("k4 reads k47") << u"k"_qs << 4 << ZoneRule::FromLower << u"k47"_qs;
    QTest::newRow("k5 reads k47") << u"k"_qs << 5 << ZoneRule::FromLower << u"k47"_qs;
    QTest::newRow("k7 reads k47") << u"k"_qs << 7 << ZoneRule::FromLower << u"k47"_qs;
    QTest::newRow("k8 reads k38") << u"k"_qs << 8 << ZoneRule::FromLower << u"k38"_qs;
    QTest::newRow("k9 reads k38") << u"k"_qs << 9 << ZoneRule::FromLower << u"k38"_qs;
    QTest::newRow("m6 reads ei of m") << u"m"_qs << 6 << ZoneRule::FromLower << u"m"_qs;
    QTest::newRow("z11 reads ei of z") << u"z"_qs << 11 << ZoneRule::FromLower << u"z"_qs;
    QTest::newRow("i names no zone") << u"i"_qs << 6 << ZoneRule::None << QString();
    QTest::newRow("l names no zone") << u"l"_qs << 6 << ZoneRule::None << QString();
    QTest::newRow("o between m and z names no zone") << u"o"_qs << 6 << ZoneRule::None << QString();
    QTest::newRow("ab between a and h names no zone") << u"ab"_qs << 6 << ZoneRule::None << QString();
    QTest::newRow("empty letter names no zone") << QString() << 6 << ZoneRule::None << QString();
}

void TestFitCalc::shaftRule()
{
    QFETCH(QString, letter);
    QFETCH(int, grade);
    QFETCH(ZoneRule::Kind, kind);
    QFETCH(QString, column);
    const ZoneRule rule = fits::shaftRule(letter, grade);
    QCOMPARE(rule.kind, kind);
    QCOMPARE(rule.column, column);
}

void TestFitCalc::letterOf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("shaft");
    QTest::newRow("f") << u"f"_qs << u"F"_qs << u"f"_qs;
    QTest::newRow("K") << u"K"_qs << u"K"_qs << u"k"_qs;
    QTest::newRow("JS as ISO writes the hole") << u"JS"_qs << u"Js"_qs << u"js"_qs;
    QTest::newRow("js as ISO writes the shaft") << u"js"_qs << u"Js"_qs << u"js"_qs;
    QTest::newRow("jS") << u"jS"_qs << u"Js"_qs << u"js"_qs;
    QTest::newRow("L names no zone") << u"L"_qs << QString() << QString();
    QTest::newRow("i names no zone") << u"i"_qs << QString() << QString();
    QTest::newRow("w names no zone") << u"w"_qs << QString() << QString();
    QTest::newRow("ab") << u"ab"_qs << QString() << QString();
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("Kelvin sign is no k") << u"\u212A"_qs << QString() << QString();
    QTest::newRow("full-width F is no F") << u"\uFF26"_qs << QString() << QString();
}

void TestFitCalc::letterOf()
{
    QFETCH(QString, text);
    QFETCH(QString, hole);
    QFETCH(QString, shaft);
    QCOMPARE(fits::holeLetterOf(text), hole);
    QCOMPARE(fits::shaftLetterOf(text), shaft);
}

void TestFitCalc::formatDeviation_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive carries +") << 0.013 << u"+0.013"_qs;
    QTest::newRow("zero without sign") << 0.0 << u"0"_qs;
    QTest::newRow("negative") << -0.029 << u"-0.029"_qs;
    QTest::newRow("no 15-digit noise") << -0.02 + 0.009 << u"-0.011"_qs;
    QTest::newRow("no trailing zeros") << 0.36 << u"+0.36"_qs;
    QTest::newRow("half micrometre") << -0.0105 << u"-0.0105"_qs;
    QTest::newRow("below 0.0001 in exponent form") << 0.00005 << u"+5E-5"_qs;
    QTest::newRow("whole number") << 1.0 << u"+1"_qs;
}

void TestFitCalc::formatDeviation()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(fits::formatDeviation(value), text);
}

void TestFitCalc::fitType_data()
{
    QTest::addColumn<double>("ES");
    QTest::addColumn<double>("EI");
    QTest::addColumn<double>("es");
    QTest::addColumn<double>("ei");
    QTest::addColumn<QString>("fit");
    const QString clearance = u"间隙配合"_qs;
    const QString transition = u"过渡配合"_qs;
    const QString interference = u"过盈配合"_qs;
    QTest::newRow("H7/f6 at 20: clearance") << 0.021 << 0.0 << -0.02 << -0.033 << clearance;
    QTest::newRow("H7/h6 at 20: touching is clearance") << 0.021 << 0.0 << 0.0 << -0.013 << clearance;
    QTest::newRow("H7/k6 at 20: transition") << 0.021 << 0.0 << 0.015 << 0.002 << transition;
    QTest::newRow("K7/h6 at 20: transition") << 0.006 << -0.015 << 0.0 << -0.013 << transition;
    QTest::newRow("Js7/a11 at 20: clearance") << 0.0105 << -0.0105 << -0.3 << -0.43 << clearance;
    QTest::newRow("H6/js5 at 20: transition") << 0.013 << 0.0 << 0.0045 << -0.0045 << transition;
    QTest::newRow("H7/s6 at 20: interference") << 0.021 << 0.0 << 0.048 << 0.035 << interference;
    QTest::newRow("H7/p6 at 20: interference") << 0.021 << 0.0 << 0.035 << 0.022 << interference;
    // E5 at 3 mm: ES = 0.014 + 0.004 is 0.018000000000000002 in doubles, u6's ei is 0.018.
    QTest::newRow("E5/u6 at 3: touching is interference") << 0.014 + 0.004 << 0.014 << 0.024 << 0.018 << interference;
    QTest::newRow("noise does not open a clearance") << 0.03 << 0.1 - 0.07 << 0.03 << 0.01 << clearance;
}

void TestFitCalc::fitType()
{
    QFETCH(double, ES);
    QFETCH(double, EI);
    QFETCH(double, es);
    QFETCH(double, ei);
    QFETCH(QString, fit);
    const ZoneLimits hole{ZoneLimits::Computed, ES, EI};
    const ZoneLimits shaft{ZoneLimits::Computed, es, ei};
    QCOMPARE(fits::fitType(hole, shaft), fit);
    QVERIFY(fits::fitType(hole, ZoneLimits{ZoneLimits::Undefined}).isEmpty());
    QVERIFY(fits::fitType(ZoneLimits{}, shaft).isEmpty());
}

void TestFitCalc::acceptedSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<float>("size");
    QTest::newRow("20") << u"20"_qs << true << 20.0f;
    QTest::newRow("3150 is the last size") << u"3150"_qs << true << 3150.0f;
    QTest::newRow("3151 is beyond the tables") << u"3151"_qs << false << 0.0f;
    QTest::newRow("0 is no size") << u"0"_qs << false << 0.0f;
    QTest::newRow("negative") << u"-1"_qs << false << 0.0f;
    QTest::newRow("empty") << QString() << false << 0.0f;
    QTest::newRow("blanks around") << u" 12.5"_qs << true << 12.5f;
    QTest::newRow("exponent") << u"1e3"_qs << true << 1000.0f;
    QTest::newRow("32-bit value") << u"0.1"_qs << true << 0.1f;
}

void TestFitCalc::acceptedSize()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(float, size);
    const std::optional<float> result = fits::acceptedSize(text);
    QCOMPARE(result.has_value(), accepted);
    if (accepted)
        QCOMPARE(*result, size);
}

void TestFitCalc::checkSizeEdit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<fits::SizeEdit>("check");
    QTest::newRow("x") << u"x"_qs << fits::SizeEdit::BeginsWithLetter;
    QTest::newRow("abc") << u"abc"_qs << fits::SizeEdit::BeginsWithLetter;
    QTest::newRow("Z") << u"Z"_qs << fits::SizeEdit::BeginsWithLetter;
    QTest::newRow("empty") << QString() << fits::SizeEdit::OutOfRange;
    QTest::newRow("-5") << u"-5"_qs << fits::SizeEdit::OutOfRange;
    QTest::newRow("3151") << u"3151"_qs << fits::SizeEdit::OutOfRange;
    QTest::newRow("0 passes") << u"0"_qs << fits::SizeEdit::Fine;
    QTest::newRow("3150") << u"3150"_qs << fits::SizeEdit::Fine;
    QTest::newRow("12.50") << u"12.50"_qs << fits::SizeEdit::Fine;
}

void TestFitCalc::checkSizeEdit()
{
    QFETCH(QString, text);
    QFETCH(fits::SizeEdit, check);
    QCOMPARE(fits::checkSizeEdit(text), check);
}

void TestFitCalc::notANumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("1a") << u"1a"_qs;
    QTest::newRow("lone minus") << u"-"_qs;
    QTest::newRow("1.2.3") << u"1.2.3"_qs;
    QTest::newRow("z followed by more") << u"z1"_qs;
    QTest::newRow("Z followed by more") << u"Zx"_qs;
}

void TestFitCalc::notANumber()
{
    QFETCH(QString, text);
    const QString message = u"'%1' is not a valid floating point value"_qs.arg(text);
    try {
        fits::checkSizeEdit(text);
        QFAIL("no error");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), message);
    }
    try {
        fits::acceptedSize(text);
        QFAIL("no error");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), message);
    }
}

void TestFitCalc::zoneTextsRereadSize()
{
    const ZoneLimits zone{ZoneLimits::Computed, 0.013, 0.0};
    const fits::ZoneTexts shown = fits::zoneTexts(u"20"_qs, zone);
    QCOMPARE(shown.upper, u"+0.013"_qs);
    QCOMPARE(shown.lower, u"0"_qs);
    for (const QString &refused : {QString(), u"0"_qs, u"3151"_qs}) {
        const fits::ZoneTexts empty = fits::zoneTexts(refused, zone);
        QVERIFY2(empty.upper.isEmpty() && empty.lower.isEmpty(), qPrintable(refused));
    }
    QVERIFY(fits::zoneTexts(u"20"_qs, ZoneLimits{ZoneLimits::Undefined}).upper.isEmpty());
}

// The picture's geometry: one scale for both bars and the zero line, the deviations beside
// their bars at the edges they name, names above, nothing outside the area or over another text.
void TestFitCalc::zonePicture_data()
{
    QTest::addColumn<QList<double>>("limits"); // ES, EI, es, ei in mm
    QTest::addColumn<QSizeF>("area");
    QTest::addColumn<int>("texts");       // how many texts are laid out; -1: the picture is empty
    QTest::addColumn<bool>("apart");      // the hole's two deviations had to be pushed apart
    const QSizeF room(240, 116);
    QTest::newRow("H7/g6 at 20, clearance") << QList<double>{0.021, 0, -0.007, -0.02} << room << 9 << false;
    QTest::newRow("H7/p6 at 30, interference") << QList<double>{0.021, 0, 0.035, 0.022} << room << 8 << false;
    QTest::newRow("K7/h6 at 60, transition") << QList<double>{0.009, -0.021, 0, -0.019} << room << 9 << false;
    QTest::newRow("H7/a11 at 20, a thin hole bar") << QList<double>{0.021, 0, -0.3, -0.43} << room << 9 << true;
    QTest::newRow("H1/b18 at 400, thinner than a pixel") << QList<double>{0.007, 0, -0.68, -9.58} << room << 9 << true;
    QTest::newRow("large window") << QList<double>{0.021, 0, -0.007, -0.02} << QSizeF(600, 300) << 9 << false;
    QTest::newRow("narrow: bars only") << QList<double>{0.021, 0, -0.007, -0.02} << QSizeF(60, 116) << 0 << false;
    QTest::newRow("too small for bars") << QList<double>{0.021, 0, -0.007, -0.02} << QSizeF(6, 6) << -1 << false;
}

void TestFitCalc::zonePicture()
{
    QFETCH(QList<double>, limits);
    QFETCH(QSizeF, area);
    QFETCH(int, texts);
    QFETCH(bool, apart);
    const ZoneLimits hole{ZoneLimits::Computed, limits[0], limits[1]};
    const ZoneLimits shaft{ZoneLimits::Computed, limits[2], limits[3]};
    const fits::TextMeasure measure{[](const QString &t) { return 7.0 * double(t.size()); }, 14};
    const QRectF rect(QPointF(10, 20), area);
    const fits::ZonePictureLayout layout = fits::layoutZonePicture(rect, {hole, shaft, u"H7"_qs, u"g6"_qs}, measure);
    QCOMPARE(layout.isEmpty(), texts < 0);
    QVERIFY(fits::layoutZonePicture(rect, {hole, ZoneLimits{ZoneLimits::Undefined}, u"H7"_qs, u"g6"_qs}, measure).isEmpty());
    if (texts < 0)
        return;

    // One scale: each bar's edges lie their deviation away from the zero line.
    const double ppm = layout.pixelsPerMicrometre;
    const auto checkBar = [&](const QRectF &bar, const ZoneLimits &zone) {
        QVERIFY(rect.contains(bar));
        if ((zone.upper - zone.lower) * 1000 * ppm >= 2) {
            QCOMPARE(qRound(bar.height() * 100), qRound((zone.upper - zone.lower) * 1000 * ppm * 100));
            QCOMPARE(qRound((layout.zeroY - bar.top()) * 100), qRound(zone.upper * 1000 * ppm * 100));
        } else {
            QCOMPARE(bar.height(), 2.0); // still seen
        }
    };
    checkBar(layout.holeBar, hole);
    checkBar(layout.shaftBar, shaft);
    QVERIFY(layout.holeBar.right() < layout.shaftBar.left());
    QVERIFY(layout.zeroY >= rect.top() && layout.zeroY <= rect.bottom());

    QCOMPARE(layout.texts.size(), texts);
    QStringList holeTexts, shaftTexts, names;
    for (const fits::PictureText &t : layout.texts) {
        QVERIFY2(rect.adjusted(-0.5, -0.5, 0.5, 0.5).contains(t.rect), qPrintable(t.text));
        for (const fits::PictureText &other : layout.texts)
            QVERIFY2(&t == &other || !t.rect.intersects(other.rect), qPrintable(t.text + u'/' + other.text));
        QVERIFY2(!t.rect.intersects(layout.holeBar) && !t.rect.intersects(layout.shaftBar), qPrintable(t.text));
        if (t.role == fits::PictureText::HoleDeviation) {
            holeTexts << t.text;
            QVERIFY(t.rect.right() <= layout.holeBar.left());
        } else if (t.role == fits::PictureText::ShaftDeviation) {
            shaftTexts << t.text;
            QVERIFY(t.rect.left() >= layout.shaftBar.right());
        } else if (t.role == fits::PictureText::ZoneName) {
            names << t.text;
            QVERIFY(t.rect.bottom() <= layout.holeBar.top() || t.rect.bottom() <= layout.shaftBar.top());
        }
    }
    if (texts == 0)
        return;
    QCOMPARE(holeTexts, (QStringList{fits::formatDeviation(hole.upper), fits::formatDeviation(hole.lower)}));
    QCOMPARE(shaftTexts, (QStringList{fits::formatDeviation(shaft.upper), fits::formatDeviation(shaft.lower)}));
    QCOMPARE(names, (QStringList{u"H7"_qs, u"g6"_qs}));
    // A deviation stands at the edge it names, unless the bar is too thin for both texts.
    const fits::PictureText &holeUpper = layout.texts[0];
    if (!apart)
        QCOMPARE(qRound(holeUpper.rect.center().y() * 100), qRound(layout.holeBar.top() * 100));
    else
        QVERIFY(layout.holeBar.height() < measure.height);
}

QTEST_GUILESS_MAIN(TestFitCalc)
#include "tst_fitcalc.moc"
