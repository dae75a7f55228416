// Field kinds: specs, declared types, conversions on the way in and the plain text form.
#include "storage/error.h"
#include "storage/fields.h"

#include <QDate>
#include <QTest>

#include <limits>

using storage::FieldKind;

Q_DECLARE_METATYPE(FieldKind)

class TstFields : public QObject {
    Q_OBJECT
private slots:
    void parseSpec_data();
    void parseSpec();
    void badSpecRefused();
    void declaredTypesKeepValues_data();
    void declaredTypesKeepValues();
    void toStorage_data();
    void toStorage();
    void toStorageRefuses_data();
    void toStorageRefuses();
    void plainText_data();
    void plainText();
};

void TstFields::parseSpec_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QString>("name");
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<int>("size");
    QTest::newRow("alphanumeric") << u"CID:A20"_qs << u"CID"_qs << FieldKind::Alpha << 20;
    QTest::newRow("memo") << u"CMemo:M240"_qs << u"CMemo"_qs << FieldKind::Memo << 240;
    QTest::newRow("short") << u"COrder:S"_qs << u"COrder"_qs << FieldKind::Short << 0;
    QTest::newRow("money") << u"价格:$"_qs << u"价格"_qs << FieldKind::Money << 0;
    QTest::newRow("title rows with a colon in the kind only")
        << u"标准公差等级|IT5:N"_qs << u"标准公差等级|IT5"_qs << FieldKind::Float << 0;
    QTest::newRow("no kind") << u"备注"_qs << u"备注"_qs << FieldKind::Alpha << 255;
}

void TstFields::parseSpec()
{
    QFETCH(QString, spec);
    QFETCH(QString, name);
    QFETCH(FieldKind, kind);
    QFETCH(int, size);
    const storage::FieldDef f = storage::parseFieldSpec(spec);
    QCOMPARE(f.name, name);
    QCOMPARE(f.kind, kind);
    QCOMPARE(f.size, size);
    QVERIFY(f.displayWidth > 0);
    if (spec.contains(u':'))
        QCOMPARE(storage::parseFieldSpec(storage::fieldSpec(f)).kind, kind);
}

void TstFields::badSpecRefused()
{
    QVERIFY_THROWS_EXCEPTION(storage::Error, storage::parseFieldSpec(u"X:Q"_qs));
}

void TstFields::declaredTypesKeepValues_data()
{
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<QString>("declared");
    QTest::newRow("alphanumeric") << FieldKind::Alpha << u"TEXT"_qs;
    QTest::newRow("memo") << FieldKind::Memo << u"TEXT"_qs;
    QTest::newRow("formatted memo") << FieldKind::FmtMemo << u"TEXT"_qs;
    QTest::newRow("date") << FieldKind::Date << u"TEXT"_qs;
    QTest::newRow("short") << FieldKind::Short << u"INTEGER"_qs;
    QTest::newRow("logical") << FieldKind::Logical << u"INTEGER"_qs;
    QTest::newRow("bcd") << FieldKind::Bcd << u"INTEGER"_qs;
    QTest::newRow("float") << FieldKind::Float << u"REAL"_qs;
    QTest::newRow("money") << FieldKind::Money << u"REAL"_qs;
}

void TstFields::declaredTypesKeepValues()
{
    QFETCH(FieldKind, kind);
    QFETCH(QString, declared);
    QCOMPARE(storage::sqlType(kind), declared);
}

void TstFields::toStorage_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("leading zeros stay text") << u"CID:A20"_qs << QVariant(u"0101"_qs) << QVariant(u"0101"_qs);
    QTest::newRow("alphanumeric not trimmed") << u"X:A20"_qs << QVariant(u" a "_qs) << QVariant(u" a "_qs);
    QTest::newRow("alphanumeric cut") << u"X:A3"_qs << QVariant(u"a中文"_qs) << QVariant(u"a中"_qs);
    QTest::newRow("empty alphanumeric is blank") << u"X:A3"_qs << QVariant(QString()) << QVariant();
    QTest::newRow("empty number is blank") << u"X:N"_qs << QVariant(QString()) << QVariant();
    QTest::newRow("empty memo stays empty") << u"X:M"_qs << QVariant(QString()) << QVariant(QString());
    QTest::newRow("null memo is empty") << u"X:M"_qs << QVariant() << QVariant(QString());
    QTest::newRow("number text") << u"X:N"_qs << QVariant(u" 12.5 "_qs) << QVariant(12.5);
    QTest::newRow("short text") << u"X:S"_qs << QVariant(u"0101"_qs) << QVariant(qint64(101));
    QTest::newRow("bcd in ten-thousandths") << u"X:#"_qs << QVariant(1.25) << QVariant(qint64(12500));
    QTest::newRow("bcd near its bound") << u"X:#"_qs << QVariant(-9e14) << QVariant(qint64(-9e18));
    QTest::newRow("logical") << u"X:L"_qs << QVariant(u"True"_qs) << QVariant(qint64(1));
    QTest::newRow("date") << u"X:D"_qs << QVariant(QDate(2024, 3, 5)) << QVariant(u"2024-03-05"_qs);
}

void TstFields::toStorage()
{
    QFETCH(QString, spec);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    const QVariant got = storage::toStorage(storage::parseFieldSpec(spec), value);
    QCOMPARE(got.isNull(), stored.isNull());
    QCOMPARE(got, stored);
}

void TstFields::toStorageRefuses_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("letters in a float") << u"X:N"_qs << QVariant(u"abc"_qs);
    QTest::newRow("fraction in a short") << u"X:S"_qs << QVariant(u"1.5"_qs);
    QTest::newRow("short out of range") << u"X:S"_qs << QVariant(40000);
    QTest::newRow("long out of range") << u"X:I"_qs << QVariant(3e9);
    QTest::newRow("long far out of range") << u"X:I"_qs << QVariant(1e300);
    QTest::newRow("short not finite") << u"X:S"_qs << QVariant(std::numeric_limits<double>::infinity());
    QTest::newRow("bcd out of range") << u"X:#"_qs << QVariant(u"1e16"_qs);
    QTest::newRow("bcd far out of range") << u"X:#"_qs << QVariant(-1e300);
    QTest::newRow("bcd not a number") << u"X:#"_qs << QVariant(std::numeric_limits<double>::quiet_NaN());
    QTest::newRow("not a date") << u"X:D"_qs << QVariant(u"yesterday"_qs);
    QTest::newRow("not a truth value") << u"X:L"_qs << QVariant(u"maybe"_qs);
}

void TstFields::toStorageRefuses()
{
    QFETCH(QString, spec);
    QFETCH(QVariant, value);
    QVERIFY_THROWS_EXCEPTION(storage::Error, storage::toStorage(storage::parseFieldSpec(spec), value));
}

void TstFields::plainText_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("alphanumeric as stored") << u"X:A20"_qs << QVariant(u" 0101 "_qs) << u" 0101 "_qs;
    QTest::newRow("memo as stored") << u"X:M"_qs << QVariant(u"a\r\nb"_qs) << u"a\r\nb"_qs;
    QTest::newRow("whole number") << u"X:S"_qs << QVariant(-12) << u"-12"_qs;
    QTest::newRow("float") << u"X:N"_qs << QVariant(12.5) << u"12.5"_qs;
    QTest::newRow("float noise removed") << u"X:N"_qs << QVariant(-0.02 + 0.009) << u"-0.011"_qs;
    QTest::newRow("small float") << u"X:N"_qs << QVariant(9e-5) << u"9E-5"_qs;
    QTest::newRow("blank") << u"X:N"_qs << QVariant() << QString();
    QTest::newRow("text held by a number field") << u"X:N"_qs << QVariant(u"见注"_qs) << u"见注"_qs;
    QTest::newRow("text held by a short field") << u"X:S"_qs << QVariant(u"abc"_qs) << u"abc"_qs;
}

void TstFields::plainText()
{
    QFETCH(QString, spec);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(storage::plainText(storage::parseFieldSpec(spec), value), text);
}

QTEST_APPLESS_MAIN(TstFields)
#include "tst_fields.moc"
