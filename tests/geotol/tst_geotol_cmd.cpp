// handbook-calc geotol run as a process on a data directory built from the bundled content.
#include "builder.h"
#include "testdata.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestGeotolCmd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void answers_data();
    void answers();
    void missingDatabase();

private:
    QTemporaryDir m_dir;
};

void TestGeotolCmd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    content::build(testdata::contentDir(), m_dir.path());
}

void TestGeotolCmd::answers_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("straightness")
        << QStringList{u"直线度"_qs, u"25"_qs, u"6"_qs} << 0
        << u"{\"characteristic\":\"直线度\",\"L\":\"25\",\"grade\":\"6\",\"value\":\"5 μm\"}\n"_qs << QString();
    QTest::newRow("roundness with its blanks")
        << QStringList{u"圆  度"_qs, u"30"_qs, u"6"_qs} << 0
        << u"{\"characteristic\":\"圆度\",\"L\":\"30\",\"grade\":\"6\",\"value\":\"4 μm\"}\n"_qs << QString();
    QTest::newRow("symmetry 3 9")
        << QStringList{u"对称度"_qs, u"3"_qs, u"9"_qs} << 0
        << u"{\"characteristic\":\"对称度\",\"L\":\"3\",\"grade\":\"9\",\"value\":\"20 μm\"}\n"_qs << QString();
    QTest::newRow("letters") << QStringList{u"直线度"_qs, u"abc"_qs, u"6"_qs} << 2 << QString()
                             << u"'abc' is not a valid floating point value\n"_qs;
    QTest::newRow("zero") << QStringList{u"平面度"_qs, u"0"_qs, u"6"_qs} << 2 << QString()
                          << u"请输入大于0小于等于10000的整数\n"_qs;
    QTest::newRow("cylindricity above 500") << QStringList{u"圆柱度"_qs, u"501"_qs, u"6"_qs} << 2 << QString()
                                            << u"请输入大于0小于等于500的整数\n"_qs;
    QTest::newRow("grade") << QStringList{u"同轴度"_qs, u"25"_qs, u"0"_qs} << 2 << QString()
                           << u"请输入1到12之间的整数\n"_qs;
}

void TestGeotolCmd::answers()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess p;
    p.start(QStringLiteral(HANDBOOK_CALC), QStringList{u"--data"_qs, m_dir.path(), u"geotol"_qs} + args);
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()), err);
}

void TestGeotolCmd::missingDatabase()
{
    const QString empty = m_dir.path() + u"/empty"_qs;
    QProcess p;
    p.start(QStringLiteral(HANDBOOK_CALC), {u"--data"_qs, empty, u"geotol"_qs, u"直线度"_qs, u"25"_qs, u"6"_qs});
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitCode(), 3);
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()),
             u"Could not find file '%1/shape_location/DATAS/varnok.mdb'.\n"_qs.arg(empty));
}

QTEST_MAIN(TestGeotolCmd)
#include "tst_geotol_cmd.moc"
