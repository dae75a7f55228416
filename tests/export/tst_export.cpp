// Copy and export of a data page: clipboard text, CSV and XLSX, with multi-row titles.
#include "export/clipboardtext.h"
#include "export/csvfile.h"
#include "export/xlsxfile.h"

#include "core/error.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Titles of three columns: "尺寸" over the first two ("d", "D"), then "备注" over both rows.
dataexport::Sheet sampleSheet(const QVector<QStringList> &rows)
{
    dataexport::Sheet s;
    s.name = QStringLiteral("螺纹[粗牙]");
    s.columnCount = 3;
    s.titleRows = 2;
    s.titles = {{QStringLiteral("尺寸"), 0, 1, 0, 1}, {QStringLiteral("d"), 0, 0, 1, 1}, {QStringLiteral("D"), 1, 1, 1, 1},
                {QStringLiteral("备注"), 2, 2, 0, 2}};
    s.numbers = {true, true, false};
    s.widths = {6, 6, 20};
    s.forEachRow = [rows](const dataexport::Sheet::RowVisitor &visit) {
        for (const QStringList &r : rows)
            visit(r);
    };
    return s;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray unzipped(const QString &archive, const QString &member)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    p.waitForFinished();
    return p.readAllStandardOutput();
}

} // namespace

class TstExport : public QObject {
    Q_OBJECT
private slots:
    void cellQuoting_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("tsv");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("html");
        QTest::newRow("plain Chinese") << QStringLiteral("普通螺纹") << QStringLiteral("普通螺纹") << QByteArray("普通螺纹")
                                       << QStringLiteral("<td>普通螺纹</td>");
        QTest::newRow("comma") << QStringLiteral("1,5") << QStringLiteral("1,5") << QByteArray("\"1,5\"")
                               << QStringLiteral("<td>1,5</td>");
        QTest::newRow("double quote") << QStringLiteral("M6 \"粗\"") << QStringLiteral("\"M6 \"\"粗\"\"\"")
                                      << QByteArray("\"M6 \"\"粗\"\"\"") << QStringLiteral("<td>M6 &quot;粗&quot;</td>");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("\"a\tb\"") << QByteArray("a\tb")
                             << QStringLiteral("<td>a\tb</td>");
        QTest::newRow("line break of a memo") << QStringLiteral("一\r\n二") << QStringLiteral("\"一\r\n二\"")
                                              << QByteArray("\"一\r\n二\"") << QStringLiteral("<td>一<br>二</td>");
        QTest::newRow("markup") << QStringLiteral("<b>&") << QStringLiteral("<b>&") << QByteArray("<b>&")
                                << QStringLiteral("<td>&lt;b&gt;&amp;</td>");
        QTest::newRow("blank") << QString() << QString() << QByteArray() << QStringLiteral("<td></td>");
    }

    void cellQuoting()
    {
        QFETCH(QString, cell);
        QFETCH(QString, tsv);
        QFETCH(QByteArray, csv);
        QFETCH(QString, html);
        dataexport::Sheet s;
        s.columnCount = 2;
        s.forEachRow = [&](const dataexport::Sheet::RowVisitor &visit) { visit({cell, QStringLiteral("x")}); };
        QCOMPARE(dataexport::tabSeparated(s), tsv + QStringLiteral("\tx\n"));
        QVERIFY2(dataexport::htmlTable(s).contains(QStringLiteral("<tr>") + html + QStringLiteral("<td>x</td></tr>")),
                 qPrintable(dataexport::htmlTable(s)));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.csv"));
        dataexport::writeCsv(s, file);
        QCOMPARE(readFile(file), QByteArray("\xEF\xBB\xBF") + csv + QByteArray(",x\r\n"));
    }

    void titleRowsAsTextAndTable()
    {
        const dataexport::Sheet s = sampleSheet({{QStringLiteral("1.6"), QStringLiteral("1.2"), QStringLiteral("粗牙")}});
        QCOMPARE(dataexport::tabSeparated(s), QStringLiteral("尺寸\t\t备注\nd\tD\t\n1.6\t1.2\t粗牙\n"));
        const QString html = dataexport::htmlTable(s);
        QVERIFY2(html.contains(QStringLiteral("<tr><th colspan=\"2\">尺寸</th><th rowspan=\"2\">备注</th></tr>\n<tr><th>d</th><th>D</th></tr>")),
                 qPrintable(html));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("t.csv"));
        dataexport::writeCsv(s, file);
        QCOMPARE(readFile(file), QByteArray("\xEF\xBB\xBF尺寸,,备注\r\nd,D,\r\n1.6,1.2,粗牙\r\n"));
    }

    void xlsxWithMergedTitles()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("螺纹.xlsx"));
        dataexport::writeXlsx(sampleSheet({{QStringLiteral("1.6"), QStringLiteral("1.2"), QStringLiteral("粗牙")},
                                           {QStringLiteral("0101"), QString(), QStringLiteral("0101")}}),
                              file);
        const QByteArray sheet = unzipped(file, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY2(!sheet.isEmpty(), "unzip reads the workbook");
        QVERIFY2(sheet.contains("<mergeCell ref=\"A1:B1\"/>"), sheet.right(300).constData());
        QVERIFY2(sheet.contains("<mergeCell ref=\"C1:C2\"/>"), sheet.constData());
        QVERIFY(sheet.contains(QStringLiteral("尺寸").toUtf8()));
        QVERIFY(sheet.contains(QStringLiteral("备注").toUtf8()));
        // Number cells as numbers, text cells as text ("0101" in a text column keeps its zero).
        QVERIFY2(sheet.contains("<c r=\"A3\" s=\"0\"><v>1.6</v></c>") || sheet.contains("<c r=\"A3\"><v>1.6</v></c>"), sheet.constData());
        QVERIFY(sheet.contains("<v>101</v>"));
        QVERIFY(sheet.contains("0101</t>"));
        const QByteArray book = unzipped(file, QStringLiteral("xl/workbook.xml"));
        QVERIFY2(book.contains(QStringLiteral("螺纹_粗牙_").toUtf8()), book.constData());
        QVERIFY(!QFile::exists(file + QStringLiteral(".part")));
    }

    void unwritableTargetIsAnError()
    {
        const dataexport::Sheet s = sampleSheet({});
        QVERIFY_THROWS_EXCEPTION(core::Error, dataexport::writeCsv(s, QStringLiteral("/nonexistent/dir/a.csv")));
        QVERIFY_THROWS_EXCEPTION(core::Error, dataexport::writeXlsx(s, QStringLiteral("/nonexistent/dir/a.xlsx")));
    }
};

QTEST_MAIN(TstExport)
#include "tst_export.moc"
