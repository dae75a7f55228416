// handbook-calc fits, run as a script runs it: the answer as JSON, refusals with the window's
// notice and exit 2, database errors with exit 3.
#include "fitsdata.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

// An argument "LC_ALL=<locale>" is not passed on: the calculator runs under that locale.
Run runCalc(QStringList args)
{
    QProcess p;
    p.setProgram(QStringLiteral(HANDBOOK_CALC));
    for (qsizetype i = args.size() - 1; i >= 0; --i) {
        if (args[i].startsWith(u"LC_ALL="_qs)) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"LC_ALL"_qs, args.takeAt(i).mid(7));
            p.setProcessEnvironment(env);
        }
    }
    p.setArguments(args);
    p.start();
    if (!p.waitForFinished(-1))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(p.readAllStandardError()).trimmed()};
}

} // namespace

class TestFitsCmd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fitsdata::buildContent(m_dir.path()); }
    void answers_data();
    void answers();
    void refusals_data();
    void refusals();
    void missingDatabase();
    void wrongArgumentCount();
    void standardTolerance_data();
    void standardTolerance();
    void help();

private:
    QTemporaryDir m_dir;
};

// Existing keys first, unchanged; the figures follow: limits of size (mm), tolerances and the
// fit's extremes (µm), an extreme the fit does not have as "".
static QString figures(const QStringList &v)
{
    const QStringList keys{u"holeMax"_qs, u"holeMin"_qs, u"holeTolerance"_qs, u"shaftMax"_qs, u"shaftMin"_qs,
                           u"shaftTolerance"_qs, u"maxClearance"_qs, u"minClearance"_qs, u"maxInterference"_qs,
                           u"minInterference"_qs};
    QStringList members;
    for (int i = 0; i < keys.size(); ++i)
        members << u"\"%1\":\"%2\""_qs.arg(keys[i], v.value(i));
    return members.join(u',');
}

void TestFitsCmd::answers_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("figures");
    QTest::newRow("20 H7 f6") << QStringList{u"20"_qs, u"H7"_qs, u"f6"_qs}
        << u"{\"size\":\"20\",\"hole\":\"H7\",\"ES\":\"+0.021\",\"EI\":\"0\",\"shaft\":\"f6\",\"es\":\"-0.02\",\"ei\":\"-0.033\",\"fit\":\"间隙配合\"}"_qs
        << figures({u"20.021"_qs, u"20"_qs, u"21"_qs, u"19.98"_qs, u"19.967"_qs, u"13"_qs, u"+54"_qs, u"+20"_qs, {}, {}});
    QTest::newRow("25 Js7 js7") << QStringList{u"25"_qs, u"Js7"_qs, u"js7"_qs}
        << u"{\"size\":\"25\",\"hole\":\"Js7\",\"ES\":\"+0.0105\",\"EI\":\"-0.0105\",\"shaft\":\"js7\",\"es\":\"+0.0105\",\"ei\":\"-0.0105\",\"fit\":\"过渡配合\"}"_qs
        << figures({u"25.0105"_qs, u"24.9895"_qs, u"21"_qs, u"25.0105"_qs, u"24.9895"_qs, u"21"_qs, u"+21"_qs, {}, u"-21"_qs, {}});
    QTest::newRow("3 E5 u6") << QStringList{u"3"_qs, u"E5"_qs, u"u6"_qs}
        << u"{\"size\":\"3\",\"hole\":\"E5\",\"ES\":\"+0.018\",\"EI\":\"+0.014\",\"shaft\":\"u6\",\"es\":\"+0.024\",\"ei\":\"+0.018\",\"fit\":\"过盈配合\"}"_qs
        << figures({u"3.018"_qs, u"3.014"_qs, u"4"_qs, u"3.024"_qs, u"3.018"_qs, u"6"_qs, {}, {}, u"-10"_qs, u"0"_qs});
    QTest::newRow("JS as ISO writes it") << QStringList{u"25"_qs, u"JS7"_qs, u"h6"_qs}
        << u"{\"size\":\"25\",\"hole\":\"Js7\",\"ES\":\"+0.0105\",\"EI\":\"-0.0105\",\"shaft\":\"h6\",\"es\":\"0\",\"ei\":\"-0.013\",\"fit\":\"过渡配合\"}"_qs
        << figures({u"25.0105"_qs, u"24.9895"_qs, u"21"_qs, u"25"_qs, u"24.987"_qs, u"13"_qs, u"+23.5"_qs, {}, u"-10.5"_qs, {}});
    QTest::newRow("size as typed") << QStringList{u"60.0"_qs, u"K7"_qs, u"h6"_qs}
        << u"{\"size\":\"60.0\",\"hole\":\"K7\",\"ES\":\"+0.009\",\"EI\":\"-0.021\",\"shaft\":\"h6\",\"es\":\"0\",\"ei\":\"-0.019\",\"fit\":\"过渡配合\"}"_qs
        << figures({u"60.009"_qs, u"59.979"_qs, u"30"_qs, u"60"_qs, u"59.981"_qs, u"19"_qs, u"+28"_qs, {}, u"-21"_qs, {}});
    // 30.5 lies in the 30-40 mm step (+0.025), not in the 18-30 mm one (+0.021) of 30
    QTest::newRow("30.5 H7 g6") << QStringList{u"30.5"_qs, u"H7"_qs, u"g6"_qs}
        << u"{\"size\":\"30.5\",\"hole\":\"H7\",\"ES\":\"+0.025\",\"EI\":\"0\",\"shaft\":\"g6\",\"es\":\"-0.009\",\"ei\":\"-0.025\",\"fit\":\"间隙配合\"}"_qs
        << figures({u"30.525"_qs, u"30.5"_qs, u"25"_qs, u"30.491"_qs, u"30.475"_qs, u"16"_qs, u"+50"_qs, u"+9"_qs, {}, {}});
    QTest::newRow("de_DE 30,5 H7 g6") << QStringList{u"LC_ALL=de_DE.UTF-8"_qs, u"30,5"_qs, u"H7"_qs, u"g6"_qs}
        << u"{\"size\":\"30,5\",\"hole\":\"H7\",\"ES\":\"+0.025\",\"EI\":\"0\",\"shaft\":\"g6\",\"es\":\"-0.009\",\"ei\":\"-0.025\",\"fit\":\"间隙配合\"}"_qs
        << figures({u"30.525"_qs, u"30.5"_qs, u"25"_qs, u"30.491"_qs, u"30.475"_qs, u"16"_qs, u"+50"_qs, u"+9"_qs, {}, {}});
}

void TestFitsCmd::answers()
{
    QFETCH(QStringList, args);
    QFETCH(QString, json);
    QFETCH(QString, figures);
    const Run run = runCalc(QStringList{u"--data"_qs, m_dir.path(), u"fits"_qs} + args);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, json.chopped(1) + u',' + figures + u'}');
}

void TestFitsCmd::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QString size = u"本查询只限于0到3150之间的基本尺寸"_qs;
    QTest::newRow("size 0") << QStringList{u"0"_qs, u"H7"_qs, u"f6"_qs} << size;
    QTest::newRow("size 3151") << QStringList{u"3151"_qs, u"H7"_qs, u"f6"_qs} << size;
    QTest::newRow("size -1") << QStringList{u"-1"_qs, u"H7"_qs, u"f6"_qs} << size;
    QTest::newRow("six characters") << QStringList{u"20.000"_qs, u"H7"_qs, u"f6"_qs} << size;
    QTest::newRow("size begins with a letter") << QStringList{u"x"_qs, u"H7"_qs, u"f6"_qs} << size;
    QTest::newRow("size not a number") << QStringList{u"1a"_qs, u"H7"_qs, u"f6"_qs} << u"'1a' is not a valid floating point value"_qs;
    QTest::newRow("de_DE 30.5: not the user's separator")
        << QStringList{u"LC_ALL=de_DE.UTF-8"_qs, u"30.5"_qs, u"H7"_qs, u"g6"_qs} << u"'30.5' is not a valid floating point value"_qs;
    QTest::newRow("hole lower case") << QStringList{u"20"_qs, u"h7"_qs, u"f6"_qs} << u"请输入A到Z之间的字母作为孔公差带"_qs;
    QTest::newRow("hole L") << QStringList{u"20"_qs, u"L7"_qs, u"f6"_qs} << u"请输入A到Z之间的字母作为孔公差带"_qs;
    QTest::newRow("hole without letter") << QStringList{u"20"_qs, u"7"_qs, u"f6"_qs} << u"请输入孔公差带"_qs;
    QTest::newRow("hole grade 19") << QStringList{u"20"_qs, u"H19"_qs, u"f6"_qs} << u"请输入1到18之间的整数"_qs;
    QTest::newRow("hole without grade") << QStringList{u"20"_qs, u"H"_qs, u"f6"_qs} << u"请输入1到18之间的整数"_qs;
    QTest::newRow("shaft upper case") << QStringList{u"20"_qs, u"H7"_qs, u"F6"_qs} << u"请输入a到z之间的字母作为轴公差带"_qs;
    QTest::newRow("shaft JS") << QStringList{u"20"_qs, u"H7"_qs, u"JS6"_qs} << u"请输入a到z之间的字母作为轴公差带"_qs;
    QTest::newRow("shaft grade 07") << QStringList{u"20"_qs, u"H7"_qs, u"f07"_qs} << u"请输入1到18之间的整数"_qs;
    const QString undefined = u"该公差带在此基本尺寸段未定义"_qs;
    QTest::newRow("undefined zone") << QStringList{u"20"_qs, u"T7"_qs, u"h6"_qs} << undefined;
    QTest::newRow("J4 at 24") << QStringList{u"24"_qs, u"J4"_qs, u"h6"_qs} << undefined;
    QTest::newRow("j9 at 2") << QStringList{u"2"_qs, u"H7"_qs, u"j9"_qs} << undefined;
    QTest::newRow("A11 at 1") << QStringList{u"1"_qs, u"A11"_qs, u"h11"_qs} << undefined;
    QTest::newRow("h14 at 0.8") << QStringList{u"0.8"_qs, u"H7"_qs, u"h14"_qs} << undefined;
    QTest::newRow("K2 at 100") << QStringList{u"100"_qs, u"K2"_qs, u"h2"_qs} << undefined;
    QTest::newRow("hole Q") << QStringList{u"20"_qs, u"Q7"_qs, u"h6"_qs} << u"请输入A到Z之间的字母作为孔公差带"_qs;
    QTest::newRow("shaft o") << QStringList{u"20"_qs, u"H7"_qs, u"o6"_qs} << u"请输入a到z之间的字母作为轴公差带"_qs;
}

void TestFitsCmd::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run run = runCalc(QStringList{u"--data"_qs, m_dir.path(), u"fits"_qs} + args);
    QCOMPARE(run.err, message);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QString());
}

void TestFitsCmd::missingDatabase()
{
    QTemporaryDir empty;
    const Run run = runCalc({u"--data"_qs, empty.path(), u"fits"_qs, u"20"_qs, u"H7"_qs, u"f6"_qs});
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(u"varnok.mdb"_qs), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

void TestFitsCmd::wrongArgumentCount()
{
    const Run run = runCalc({u"--data"_qs, m_dir.path(), u"fits"_qs, u"20"_qs, u"H7"_qs});
    QCOMPARE(run.exitCode, 64);
    QVERIFY(run.err.startsWith(u"usage:"_qs));
}

void TestFitsCmd::standardTolerance_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("text"); // standard output when answered, else standard error
    const QString undefined = u"该标准公差等级在此基本尺寸段未定义"_qs;
    const QString badGrade = u"请输入IT01、IT0或IT1到IT18之间的标准公差等级"_qs;
    QTest::newRow("IT7 at 20") << QStringList{u"20"_qs, u"IT7"_qs} << 0
                               << u"{\"size\":\"20\",\"grade\":\"IT7\",\"um\":\"21\",\"mm\":\"0.021\"}"_qs;
    QTest::newRow("7 at 20") << QStringList{u"20"_qs, u"7"_qs} << 0
                             << u"{\"size\":\"20\",\"grade\":\"IT7\",\"um\":\"21\",\"mm\":\"0.021\"}"_qs;
    QTest::newRow("IT01 at 20") << QStringList{u"20"_qs, u"IT01"_qs} << 0
                                << u"{\"size\":\"20\",\"grade\":\"IT01\",\"um\":\"0.6\",\"mm\":\"0.0006\"}"_qs;
    QTest::newRow("0 at 500") << QStringList{u"500"_qs, u"0"_qs} << 0
                              << u"{\"size\":\"500\",\"grade\":\"IT0\",\"um\":\"6\",\"mm\":\"0.006\"}"_qs;
    QTest::newRow("IT16 at 3150") << QStringList{u"3150"_qs, u"IT16"_qs} << 0
                                  << u"{\"size\":\"3150\",\"grade\":\"IT16\",\"um\":\"13500\",\"mm\":\"13.5\"}"_qs;
    QTest::newRow("IT0 above 500") << QStringList{u"501"_qs, u"IT0"_qs} << 2 << undefined;
    QTest::newRow("IT14 at 1") << QStringList{u"1"_qs, u"IT14"_qs} << 2 << undefined;
    QTest::newRow("IT19") << QStringList{u"20"_qs, u"IT19"_qs} << 2 << badGrade;
    QTest::newRow("IT00") << QStringList{u"20"_qs, u"00"_qs} << 2 << badGrade;
    QTest::newRow("size 0") << QStringList{u"0"_qs, u"IT7"_qs} << 2 << u"本查询只限于0到3150之间的基本尺寸"_qs;
}

void TestFitsCmd::standardTolerance()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, text);
    const Run run = runCalc(QStringList{u"--data"_qs, m_dir.path(), u"it"_qs} + args);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(exitCode == 0 ? run.out : run.err, text);
    QCOMPARE(exitCode == 0 ? run.err : run.out, QString());
}

void TestFitsCmd::help()
{
    const Run run = runCalc({u"--help"_qs});
    QCOMPARE(run.exitCode, 0);
    for (const QString &named : {u"fits SIZE HOLE SHAFT"_qs, u"it SIZE GRADE"_qs, u"holeMax"_qs, u"shaftTolerance"_qs,
                                 u"maxInterference"_qs, u"minClearance"_qs, u"最大过盈"_qs, u"IT01"_qs})
        QVERIFY2(run.out.contains(named), qPrintable(named));
}

QTEST_GUILESS_MAIN(TestFitsCmd)
#include "tst_fitscmd.moc"
