// Number text and number reading, date and time texts and their reading. The suite runs again
// under de_DE.UTF-8 (comma decimal separator, "dd.MM.yy") and en_US.UTF-8 ("M/d/yy"): in the texts
// of the tables below '.' stands for the user's decimal separator and '#' for the other one.
#include "core/datetimes.h"
#include "core/error.h"
#include "core/numbers.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

QString inUserLocale(QString text)
{
    const QChar user = core::decimalSeparator();
    const QChar other = user == u'.' ? u',' : u'.';
    for (QChar &c : text) {
        if (c == u'.')
            c = user;
        else if (c == u'#')
            c = other;
    }
    return text;
}

} // namespace

class TstNumbers : public QObject {
    Q_OBJECT
private slots:
    void runsUnderTheLocaleItNames();
    void formatNumber_data();
    void formatNumber();
    void formatNumberDigitsAsPrintf();
    void parseFloat_data();
    void parseFloat();
    void parseFloatErrors_data();
    void parseFloatErrors();
    void parseInt_data();
    void parseInt();
    void parseIntErrors_data();
    void parseIntErrors();
    void roundHalfEven_data();
    void roundHalfEven();
    void dateTexts_data();
    void dateTexts();
    void typedDates_data();
    void typedDates();
    void windowedYear_data();
    void windowedYear();
};

// The runs under other locales test something only when the locale is real: generated on the
// machine (scripts/setup) and set in the C library, as the application's QCoreApplication does.
void TstNumbers::runsUnderTheLocaleItNames()
{
    const QByteArray name = qgetenv("LC_ALL");
    const QLocale system = QLocale::system();
    if (name.startsWith("de_DE")) {
        QCOMPARE(system.name(), u"de_DE"_qs);
        QCOMPARE(core::decimalSeparator(), QChar(u','));
        QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray(","));
        QCOMPARE(std::strtod("30.5", nullptr), 30.0); // the trap the reading keeps out of
    } else if (name.startsWith("en_US")) {
        QCOMPARE(system.name(), u"en_US"_qs);
        QCOMPARE(system.dateFormat(QLocale::ShortFormat), u"M/d/yy"_qs);
    } else {
        QCOMPARE(core::decimalSeparator(), QChar(u'.'));
    }
}

void TstNumbers::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.013") << 0.013 << u"0.013"_qs;
    QTest::newRow("-0.02+0.009") << -0.02 + 0.009 << u"-0.011"_qs;
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << u"0.3"_qs;
    QTest::newRow("zero") << 0.0 << u"0"_qs;
    QTest::newRow("negative zero") << -0.0 << u"0"_qs;
    QTest::newRow("12.5") << 12.5 << u"12.5"_qs;
    QTest::newRow("whole") << 100.0 << u"100"_qs;
    QTest::newRow("negative whole") << -20.0 << u"-20"_qs;
    QTest::newRow("5E-5") << 5e-5 << u"5E-5"_qs;
    QTest::newRow("-9E-5") << -9e-5 << u"-9E-5"_qs;
    QTest::newRow("0.0001 is fixed") << 0.0001 << u"0.0001"_qs;
    QTest::newRow("15 nines stay") << 0.0000999999999999999 << u"9.99999999999999E-5"_qs;
    QTest::newRow("16 nines round up to 0.0001") << 0.00009999999999999999 << u"0.0001"_qs;
    QTest::newRow("0.00012345") << 0.00012345 << u"0.00012345"_qs;
    QTest::newRow("1.5E20") << 1.5e20 << u"1.5E20"_qs;
    QTest::newRow("1E15 is scientific") << 1e15 << u"1E15"_qs;
    QTest::newRow("just below 1E15") << 999999999999999.0 << u"999999999999999"_qs;
    QTest::newRow("rounds up to 1E15") << 999999999999999.9 << u"1E15"_qs;
    QTest::newRow("1E14") << 1e14 << u"100000000000000"_qs;
    QTest::newRow("15 significant digits") << 1.23456789012345678 << u"1.23456789012346"_qs;
    QTest::newRow("large with digits") << 123456789012345678.0 << u"1.23456789012346E17"_qs;
    QTest::newRow("1.5E-10") << 1.5e-10 << u"1.5E-10"_qs;
    QTest::newRow("exact tie rounds to even, down") << 1234567890123445.0 << u"1.23456789012344E15"_qs;
    QTest::newRow("exact tie rounds to even, up") << 1234567890123455.0 << u"1.23456789012346E15"_qs;
    QTest::newRow("-1E-300") << -1e-300 << u"-1E-300"_qs;
    QTest::newRow("largest") << 1.7976931348623157e308 << u"1.79769313486232E308"_qs;
    QTest::newRow("infinity") << qInf() << u"INF"_qs;
}

void TstNumbers::formatNumber()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(core::formatNumber(value), inUserLocale(text));
}

// The 15 digits are those of printf's "%.14e" (correctly rounded) for values of every size.
void TstNumbers::formatNumberDigitsAsPrintf()
{
    quint64 state = 88172645463325252ull;
    for (int i = 0; i < 20000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        // any bit pattern, or a decimal fraction as tables hold them
        double value = 0;
        if (i % 2)
            std::memcpy(&value, &state, sizeof value);
        else
            value = double(state % 100000000) / std::pow(10.0, int(state >> 60));
        if (!std::isfinite(value) || value == 0)
            continue;
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.14e", value);
        // (printf writes the C library's decimal separator)
        QString digits = QString::fromLatin1(expected).section(u'e', 0, 0).remove(u'.').remove(u',').remove(u'-');
        while (digits.size() > 1 && digits.endsWith(u'0'))
            digits.chop(1);
        const QString text = core::formatNumber(value);
        QString shown = text.section(u'E', 0, 0).remove(core::decimalSeparator()).remove(u'-');
        while (shown.startsWith(u'0') && shown.size() > 1)
            shown.remove(0, 1);
        while (shown.size() > 1 && shown.endsWith(u'0'))
            shown.chop(1);
        if (shown != digits)
            QFAIL(qPrintable(QStringLiteral("%1: %2, printf %3").arg(QString::fromLatin1(expected), text, digits)));
    }
}

void TstNumbers::parseFloat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << u"12.5"_qs << 12.5;
    QTest::newRow("blanks around") << u"  20  "_qs << 20.0;
    QTest::newRow("plus sign") << u"+3"_qs << 3.0;
    QTest::newRow("minus sign") << u"-0.011"_qs << -0.011;
    QTest::newRow("leading point") << u".5"_qs << 0.5;
    QTest::newRow("trailing point") << u"5."_qs << 5.0;
    QTest::newRow("exponent") << u"1.5E20"_qs << 1.5e20;
    QTest::newRow("small e with sign") << u"5e-5"_qs << 5e-5;
    QTest::newRow("exponent plus") << u"-2E+2"_qs << -200.0;
    QTest::newRow("30.5, which strtod reads as 30 under de_DE") << u"30.5"_qs << 30.5;
    QTest::newRow("more digits than a double holds") << u"0.1000000000000000055511151231257827"_qs << 0.1;
    QTest::newRow("R5 1.58489") << u"1.58489"_qs << 1.58489;
    QTest::newRow("smallest subnormal") << u"4.9406564584124654E-324"_qs << 4.9406564584124654e-324;
    QTest::newRow("long text") << QString(300, u'0') + u"1.5"_qs << 1.5;
}

void TstNumbers::parseFloat()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    text = inUserLocale(text);
    QCOMPARE(core::parseFloat(text), value);
    double got = 0;
    QVERIFY(core::tryParseFloat(text, &got));
    QCOMPARE(got, value);
}

void TstNumbers::parseFloatErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("blank") << u"   "_qs;
    QTest::newRow("letters") << u"abc"_qs;
    QTest::newRow("trailing letters") << u"12mm"_qs;
    QTest::newRow("two points") << u"1.2.3"_qs;
    QTest::newRow("inner blank") << u"1 2"_qs;
    QTest::newRow("sign only") << u"-"_qs;
    QTest::newRow("point only") << u"."_qs;
    QTest::newRow("exponent without digits") << u"1E"_qs;
    QTest::newRow("exponent only") << u"E5"_qs;
    QTest::newRow("two signs") << u"--1"_qs;
    QTest::newRow("another locale's separator") << u"1#5"_qs;
    QTest::newRow("thousands separator") << u"1#000.5"_qs;
    QTest::newRow("full-width digits") << u"１２"_qs;
    QTest::newRow("overflow") << u"1E400"_qs;
    QTest::newRow("underflow") << u"1E-400"_qs;
    QTest::newRow("tab around") << u"\t1"_qs;
}

void TstNumbers::parseFloatErrors()
{
    QFETCH(QString, text);
    text = inUserLocale(text);
    double got = 42;
    QVERIFY(!core::tryParseFloat(text, &got));
    QCOMPARE(got, 42.0);
    try {
        core::parseFloat(text);
        QFAIL("no error raised");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), u"'"_qs + text + u"' is not a valid floating point value"_qs);
    }
}

void TstNumbers::parseInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << u"42"_qs << 42;
    QTest::newRow("blanks") << u" 7 "_qs << 7;
    QTest::newRow("signs") << u"-15"_qs << -15;
    QTest::newRow("plus") << u"+8"_qs << 8;
    QTest::newRow("leading zeros") << u"0101"_qs << 101;
    QTest::newRow("max") << u"2147483647"_qs << std::numeric_limits<int>::max();
    QTest::newRow("min") << u"-2147483648"_qs << std::numeric_limits<int>::min();
}

void TstNumbers::parseInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(core::parseInt(text), value);
}

void TstNumbers::parseIntErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("decimal") << u"1.0"_qs;
    QTest::newRow("exponent") << u"1E2"_qs;
    QTest::newRow("letters") << u"a1"_qs;
    QTest::newRow("above range") << u"2147483648"_qs;
    QTest::newRow("sign only") << u"+"_qs;
    QTest::newRow("full-width digits") << u"１２"_qs;
}

void TstNumbers::parseIntErrors()
{
    QFETCH(QString, text);
    try {
        core::parseInt(text);
        QFAIL("no error raised");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), u"'"_qs + text + u"' is not a valid integer value"_qs);
    }
}

void TstNumbers::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5 to even 2") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 to even 4") << 3.5 << 0 << 4.0;
    QTest::newRow("-2.5 to even -2") << -2.5 << 0 << -2.0;
    QTest::newRow("0.0125 to 0.012") << 0.0125 << 3 << 0.012;
    QTest::newRow("0.0135 to 0.014") << 0.0135 << 3 << 0.014;
    QTest::newRow("above half rounds up") << 0.01251 << 3 << 0.013;
    QTest::newRow("below half rounds down") << 1.2344 << 3 << 1.234;
    QTest::newRow("negative thousandth") << -0.0285 << 3 << -0.028;
}

void TstNumbers::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(core::roundHalfEven(value, decimals), expected);
}

// A value the grid shows as a date, time or timestamp reads back as that value.
void TstNumbers::dateTexts_data()
{
    QTest::addColumn<QDateTime>("value");
    QTest::newRow("2024-01-05") << QDateTime(QDate(2024, 1, 5), QTime());
    QTest::newRow("1999-12-31") << QDateTime(QDate(1999, 12, 31), QTime());
    QTest::newRow("leap day of 2000") << QDateTime(QDate(2000, 2, 29), QTime());
    QTest::newRow("80 years back") << QDateTime(QDate(QDate::currentDate().year() - 80, 3, 1), QTime());
    QTest::newRow("19 years on") << QDateTime(QDate(QDate::currentDate().year() + 19, 12, 31), QTime());
    QTest::newRow("time with seconds") << QDateTime(QDate(2024, 1, 5), QTime(15, 4, 7));
    QTest::newRow("midnight") << QDateTime(QDate(2023, 11, 30), QTime(0, 0, 0));
}

void TstNumbers::dateTexts()
{
    QFETCH(QDateTime, value);
    QCOMPARE(core::readDateTime(core::dateTimeText(value)), value);
    QCOMPARE(core::readTime(core::timeText(value.time())), value.time());
    QCOMPARE(core::readDate(core::dateText(value.date())), value.date());
    QCOMPARE(core::readDateTime(core::dateText(value.date())), value.date().startOfDay());
}

// Texts as a user types them in a locale, read in the run under that locale.
void TstNumbers::typedDates_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("value");
    const QDateTime jan5(QDate(2024, 1, 5), QTime());
    QTest::newRow("en_US 1/5/24") << u"en_US"_qs << u"1/5/24"_qs << jan5;
    QTest::newRow("en_US four-digit year") << u"en_US"_qs << u"1/5/2024"_qs << jan5;
    QTest::newRow("en_US 2/29/00") << u"en_US"_qs << u"2/29/00"_qs << QDateTime(QDate(2000, 2, 29), QTime());
    QTest::newRow("en_US 12/31/99") << u"en_US"_qs << u"12/31/99"_qs << QDateTime(QDate(1999, 12, 31), QTime());
    QTest::newRow("en_US time") << u"en_US"_qs << u"1/5/24 3:04:07 PM"_qs << QDateTime(QDate(2024, 1, 5), QTime(15, 4, 7));
    QTest::newRow("en_US time without seconds") << u"en_US"_qs << u"1/5/24 3:04 PM"_qs << QDateTime(QDate(2024, 1, 5), QTime(15, 4));
    QTest::newRow("de_DE 05.01.24") << u"de_DE"_qs << u"05.01.24"_qs << jan5;
    QTest::newRow("de_DE 5.1.24") << u"de_DE"_qs << u"5.1.24"_qs << jan5;
    QTest::newRow("de_DE 05.01.2024") << u"de_DE"_qs << u"05.01.2024"_qs << jan5;
    QTest::newRow("de_DE time") << u"de_DE"_qs << u"05.01.24 15:04:07"_qs << QDateTime(QDate(2024, 1, 5), QTime(15, 4, 7));
    QTest::newRow("ISO in any locale") << QString() << u"2024-01-05"_qs << jan5;
    QTest::newRow("not a date") << QString() << u"5 Januar"_qs << QDateTime();
}

void TstNumbers::typedDates()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDateTime, value);
    if (!locale.isEmpty() && QLocale::system().name() != locale)
        QSKIP("written for another locale");
    QCOMPARE(core::readDateTime(text), value);
}

void TstNumbers::windowedYear_data()
{
    QTest::addColumn<int>("twoDigits");
    QTest::addColumn<int>("thisYear");
    QTest::addColumn<int>("year");
    QTest::newRow("24 in 2026") << 24 << 2026 << 2024;
    QTest::newRow("00 in 2026") << 0 << 2026 << 2000;
    QTest::newRow("45, 19 years on") << 45 << 2026 << 2045;
    QTest::newRow("46, 80 years back") << 46 << 2026 << 1946;
    QTest::newRow("99 in 2026") << 99 << 2026 << 1999;
    QTest::newRow("00 in 2081") << 0 << 2081 << 2100;
    QTest::newRow("01 in 2081") << 1 << 2081 << 2001;
}

void TstNumbers::windowedYear()
{
    QFETCH(int, twoDigits);
    QFETCH(int, thisYear);
    QFETCH(int, year);
    QCOMPARE(core::windowedYear(twoDigits, thisYear), year);
}

// As the application: QCoreApplication sets the C library's locale from the environment.
QTEST_GUILESS_MAIN(TstNumbers)
#include "tst_numbers.moc"
