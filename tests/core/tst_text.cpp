// Code page 936 text helpers: lengths, cuts, ordering, trimming, line ends, text finding.
#include "core/numbers.h"
#include "core/text.h"
#include "core/textfinder.h"

#include <QStringDecoder>
#include <QTest>

class TstText : public QObject {
    Q_OBJECT
private slots:
    void lengths_data();
    void lengths();
    void cut_data();
    void cut();
    void compareOrder_data();
    void compareOrder();
    void trimBlanks_data();
    void trimBlanks();
    void crLf_data();
    void crLf();
    void fromCp936_data();
    void fromCp936();
    void fromCp936KeepsNoStateBetweenCalls();
    void roundTrip();
    void containsText_data();
    void containsText();
    void lengthsOfTwoByteRanges();
    void finderBytesAgreeWithText_data();
    void finderBytesAgreeWithText();
    void finderInNumberText_data();
    void finderInNumberText();
};

void TstText::lengths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("ascii") << u"abc 12"_qs << 6;
    QTest::newRow("chinese") << u"公差配合"_qs << 8;
    QTest::newRow("mixed") << u"IT7级"_qs << 5;
    QTest::newRow("full-width space") << u"\u3000"_qs << 2;
    QTest::newRow("micro sign of μm") << u"μm"_qs << 3;
    QTest::newRow("outside code page 936 takes four") << u"\U0001F600"_qs << 4;
}

void TstText::lengths()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(core::cp936Length(text), bytes);
    QCOMPARE(core::toCp936(text).size(), bytes);
}

void TstText::cut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << u"ab中"_qs << 4 << u"ab中"_qs;
    QTest::newRow("before a character that straddles") << u"ab中文"_qs << 5 << u"ab中"_qs;
    QTest::newRow("one byte of a character") << u"中文"_qs << 1 << QString();
    QTest::newRow("ascii") << u"abcdef"_qs << 3 << u"abc"_qs;
    QTest::newRow("zero") << u"abc"_qs << 0 << QString();
    QTest::newRow("surrogate pair not split") << u"a\U0001F600b"_qs << 4 << u"a"_qs;
    QTest::newRow("surrogate pair fits") << u"a\U0001F600b"_qs << 5 << u"a\U0001F600"_qs;
}

void TstText::cut()
{
    QFETCH(QString, text);
    QFETCH(int, maxBytes);
    QFETCH(QString, expected);
    const QString got = core::cutToCp936Bytes(text, maxBytes);
    QCOMPARE(got, expected);
    QVERIFY(core::cp936Length(got) <= maxBytes);
}

void TstText::compareOrder_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("equal") << u"公差"_qs << u"公差"_qs << 0;
    QTest::newRow("prefix is smaller") << u"ab"_qs << u"abc"_qs << -1;
    QTest::newRow("case-sensitive: upper first") << u"Zeta"_qs << u"alpha"_qs << -1;
    QTest::newRow("ascii before chinese") << u"~"_qs << u"啊"_qs << -1;
    // GB2312 orders its common characters by pinyin; Unicode order would say the opposite.
    QTest::newRow("bei before zhong") << u"北"_qs << u"中"_qs << -1;
    QTest::newRow("a before gong") << u"阿"_qs << u"公"_qs << -1;
    QTest::newRow("zhang before zhong") << u"张"_qs << u"中"_qs << -1;
    QTest::newRow("after common prefix") << u"公差带"_qs << u"公差等级"_qs << -1;
    // UTF-8 bytes would order these the other way round.
    QTest::newRow("same UTF-8 lead byte") << u"A下"_qs << u"A丈"_qs << -1;
    QTest::newRow("beyond the basic plane") << u"\U00020000"_qs << u"中"_qs << -1;
}

void TstText::compareOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    QCOMPARE(core::compareCp936(a, b), sign);
    QCOMPARE(core::compareCp936(b, a), -sign);
    QCOMPARE(core::compareCp936(core::toCp936(a), core::toCp936(b)), sign);
    QCOMPARE(core::compareUtf8AsCp936(a.toUtf8(), b.toUtf8()), sign);
    QCOMPARE(core::compareUtf8AsCp936(b.toUtf8(), a.toUtf8()), -sign);
}

void TstText::trimBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("spaces") << u"  ab c  "_qs << u"ab c"_qs;
    QTest::newRow("control characters") << u"\t\r\nx\x01\x1f"_qs << u"x"_qs;
    QTest::newRow("full-width space kept") << u"\u3000公差\u3000"_qs << u"\u3000公差\u3000"_qs;
    QTest::newRow("only blanks") << u" \t "_qs << QString();
    QTest::newRow("inner blanks kept") << u"a \t b"_qs << u"a \t b"_qs;
}

void TstText::trimBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(core::trimBlanks(text), expected);
}

void TstText::crLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("crlf");
    QTest::addColumn<QString>("lf");
    QTest::newRow("lf") << u"a\nb"_qs << u"a\r\nb"_qs << u"a\nb"_qs;
    QTest::newRow("crlf stays") << u"a\r\nb"_qs << u"a\r\nb"_qs << u"a\nb"_qs;
    QTest::newRow("lone cr") << u"a\rb"_qs << u"a\r\nb"_qs << u"a\nb"_qs;
    QTest::newRow("empty lines") << u"\n\n"_qs << u"\r\n\r\n"_qs << u"\n\n"_qs;
    QTest::newRow("cr then crlf") << u"a\r\r\nb"_qs << u"a\r\n\r\nb"_qs << u"a\n\nb"_qs;
    QTest::newRow("no line end") << u"公差"_qs << u"公差"_qs << u"公差"_qs;
}

void TstText::crLf()
{
    QFETCH(QString, text);
    QFETCH(QString, crlf);
    QFETCH(QString, lf);
    QCOMPARE(core::toCrLf(text), crlf);
    QCOMPARE(core::fromCrLf(text), lf);
    QCOMPARE(core::fromCrLf(core::toCrLf(text)), lf);
}

void TstText::fromCp936_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << QByteArray("abc") << u"abc"_qs;
    QTest::newRow("double-byte") << QByteArray("\xd6\xd0\xce\xc4") << u"中文"_qs;
    QTest::newRow("lone 0x80") << QByteArray("\x80") << u"€"_qs;
    QTest::newRow("0x80 between") << QByteArray("a\x80" "b") << u"a€b"_qs;
    QTest::newRow("0x80 after a character") << QByteArray("\xd6\xd0\x80") << u"中€"_qs;
    QTest::newRow("0x80 as a trail byte is part of a character")
        << QByteArray("\x81\x80\x80") << QString(QStringDecoder("GB18030").decode(QByteArray("\x81\x80"))) + u"€"_qs;
}

void TstText::fromCp936()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(core::fromCp936(bytes), expected);
}

void TstText::fromCp936KeepsNoStateBetweenCalls()
{
    // A text cut after a lead byte must not spoil the next text read.
    core::fromCp936(QByteArray("ab\xd6"));
    QCOMPARE(core::fromCp936(QByteArray("A")), u"A"_qs);
    core::fromCp936(QByteArray("\x80\xd6"));
    QCOMPARE(core::fromCp936(QByteArray("\xd6\xd0")), u"中"_qs);
}

void TstText::roundTrip()
{
    const QString text = u"基本尺寸≤3 mm，IT7 μm \U0001F600"_qs;
    QCOMPARE(core::fromCp936(core::toCp936(text)), text);
}

void TstText::containsText_data()
{
    QTest::addColumn<QString>("haystack");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("found");
    QTest::newRow("substring") << u"标准公差数值"_qs << u"公差"_qs << true;
    QTest::newRow("case-sensitive") << u"ABC"_qs << u"abc"_qs << false;
    QTest::newRow("empty needle matches nothing") << u"abc"_qs << QString() << false;
    QTest::newRow("wildcards are literal") << u"abc"_qs << u"a%"_qs << false;
    QTest::newRow("percent found literally") << u"50%"_qs << u"0%"_qs << true;
    // 中 is D6D0 and 文 is CEC4: the bytes D0CE straddle them but are no character of the text.
    QTest::newRow("no match across characters") << u"中文"_qs << QString(QStringDecoder("GB18030").decode(QByteArray("\xd0\xce"))) << false;
}

void TstText::containsText()
{
    QFETCH(QString, haystack);
    QFETCH(QString, needle);
    QFETCH(bool, found);
    QCOMPARE(core::containsText(haystack, needle), found);
}

// cp936Length counts these ranges without encoding: every character in them takes two bytes.
void TstText::lengthsOfTwoByteRanges()
{
    for (auto [first, last] : {std::pair{0x4E00, 0x9FA5}, std::pair{0xFF01, 0xFF5E}}) {
        for (int u = first; u <= last; ++u) {
            const QString c{QChar(char16_t(u))};
            if (core::toCp936(c).size() != 2)
                QFAIL(qPrintable(QStringLiteral("U+%1 is not two bytes").arg(u, 4, 16)));
        }
    }
    QCOMPARE(core::cp936Length(u"中\u00B5１"_qs), int(core::toCp936(u"中\u00B5１"_qs).size()));
}

// The byte search of stored UTF-8 gives the answer of the decoded text, also on broken bytes.
void TstText::finderBytesAgreeWithText_data()
{
    QTest::addColumn<QByteArray>("haystack");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("found");
    QTest::newRow("形 not in 中文") << QByteArray("中文") << u"形"_qs << false;
    QTest::newRow("文 in 中文") << QByteArray("中文") << u"文"_qs << true;
    QTest::newRow("A not in 丄") << QByteArray("丄") << u"A"_qs << false;
    QTest::newRow("case-sensitive") << QByteArray("ABC") << u"abc"_qs << false;
    QTest::newRow("empty needle") << QByteArray("abc") << QString() << false;
    QTest::newRow("cut character before a match") << QByteArray("\xE4\xB8中") << u"中"_qs << true;
    QTest::newRow("replacement character") << QByteArray("a\xE4\xB8") << u"\uFFFD"_qs << true;
    QTest::newRow("leading byte order mark dropped") << QByteArray("\xEF\xBB\xBF" "ab") << u"\uFEFFa"_qs << false;
    QTest::newRow("surrogate pair") << QByteArray("x\xF0\x9F\x98\x80") << u"\U0001F600"_qs << true;
}

void TstText::finderBytesAgreeWithText()
{
    QFETCH(QByteArray, haystack);
    QFETCH(QString, needle);
    QFETCH(bool, found);
    const core::TextFinder finder(needle);
    QCOMPARE(finder.in(QString::fromUtf8(haystack)), found);
    QCOMPARE(finder.inUtf8(haystack), found);
}

// Number text searched as ASCII gives the answer of the text the user sees.
void TstText::finderInNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("needle");
    QTest::newRow("5 in 0.5") << 0.5 << u"5"_qs;
    QTest::newRow("5 in 15") << 15.0 << u"5"_qs;
    QTest::newRow("5 in 5E-5") << 0.00005 << u"5"_qs;
    QTest::newRow("E-5 in 5E-5") << 0.00005 << u"E-5"_qs;
    QTest::newRow("2.5 in 12.5") << 12.5 << u"2.5"_qs;
    QTest::newRow("2.5 not in 25") << 25.0 << u"2.5"_qs;
    QTest::newRow("minus") << -3.25 << u"-3"_qs;
    QTest::newRow("small e") << 0.00005 << u"e"_qs;
    QTest::newRow("letters") << 12.5 << u"ab"_qs;
    QTest::newRow("INF") << qInf() << u"INF"_qs;
    QTest::newRow("comma") << 1.5 << u","_qs;
}

void TstText::finderInNumberText()
{
    QFETCH(double, value);
    QFETCH(QString, needle);
    const core::TextFinder finder(needle);
    char text[core::numberTextCapacity];
    const QByteArrayView ascii(text, core::formatNumberAscii(value, text));
    QCOMPARE(finder.inNumberText(ascii), finder.in(core::formatNumber(value)));
    if (!finder.fitsNumberText())
        QVERIFY(!finder.in(core::formatNumber(value)));
}

QTEST_APPLESS_MAIN(TstText)
#include "tst_text.moc"
