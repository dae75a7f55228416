// Page layout rules and the multi-row column titles, without widgets.
#include "browser/pagerules.h"
#include "browser/titlegrid.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestBrowserRules : public QObject {
    Q_OBJECT

private slots:
    void lowerPane_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("note");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("showNote");
        QTest::addColumn<bool>("showPicture");
        QTest::newRow("neither: the page takes the whole area") << false << false << false << false << false;
        QTest::newRow("note only") << false << true << true << true << false;
        QTest::newRow("picture only") << true << false << true << false << true;
        QTest::newRow("both") << true << true << true << true << true;
    }
    void lowerPane()
    {
        QFETCH(bool, picture);
        QFETCH(bool, note);
        const browser::LowerPaneLayout l = browser::lowerPaneLayout(picture, note);
        QTEST(l.visible, "visible");
        QTEST(l.showNote, "showNote");
        QTEST(l.showPicture, "showPicture");
    }

    void htmlPath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("ends in .html") << "peihe.html" << "/app/txt/peihe.html";
        QTest::newRow("ends in .htm") << "a.htm" << "/app/txt/a.htm";
        QTest::newRow("htm inside the name") << "htmlist" << "/app/txt/htmlist";
        QTest::newRow("no extension") << "luowen" << "/app/txt/luowen.htm";
        QTest::newRow("capitals get .htm") << "A.HTM" << "/app/txt/A.HTM.htm";
        QTest::newRow("empty name") << "" << "/app/txt/.htm";
    }
    void htmlPath()
    {
        QFETCH(QString, name);
        QTEST(browser::htmlPagePath(QStringLiteral("/app/"), name), "path");
    }

    void displayWidth_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("expected");
        // four Chinese characters after the last "|": L - p = 8
        QTest::newRow("4 CJK after bar, width 8") << "标准公差|基本尺寸" << 8 << 10;
        QTest::newRow("4 CJK after bar, width 5") << "标准公差|基本尺寸" << 5 << 10;
        QTest::newRow("4 CJK after bar, width 9 stays") << "标准公差|基本尺寸" << 9 << 9;
        QTest::newRow("text of 4, one-letter name") << "a" << 4 << 6;
        QTest::newRow("text of 100") << "a" << 100 << 60;
        QTest::newRow("long name without bar") << "abcdefghij" << 6 << 12;
        QTest::newRow("only the last title row counts") << "一二三四五六|IT" << 3 << 6;
        QTest::newRow("very long title capped") << QString(40, QChar(0x4E2D)) << 10 << 60;
    }
    void displayWidth()
    {
        QFETCH(QString, field);
        QFETCH(int, width);
        QTEST(browser::columnDisplayWidth(field, width), "expected");
    }

    void pictureFile_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        QTest::newRow("bitmap before JPEG") << QStringList{u"p.bmp"_qs, u"p.jpg"_qs} << "p.bmp";
        QTest::newRow("only JPEG") << QStringList{u"p.jpg"_qs} << "p.jpg";
        QTest::newRow("letter case ignored") << QStringList{u"P.BMP"_qs} << "P.BMP";
        QTest::newRow("neither") << QStringList{u"q.bmp"_qs} << "";
    }
    void pictureFile()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const QString &f : files) {
            QFile file(dir.filePath(f));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString result = browser::pictureFile(dir.path() + u'/', QStringLiteral("p"));
        QCOMPARE(result.isEmpty() ? QString() : QFileInfo(result).fileName(), found);
    }

    void titleRows()
    {
        // two columns share "标准公差等级" and "μm"; the third shares only the top row; the first
        // stands alone and reaches from its top row to the bottom
        const browser::TitleGrid grid({QStringLiteral("基本尺寸"), QStringLiteral("标准公差等级|μm|IT1"),
                                       QStringLiteral("标准公差等级|μm|IT2"), QStringLiteral("标准公差等级|mm|IT12"),
                                       QStringLiteral("其他|μm|IT3")});
        QCOMPARE(grid.rows(), 3);
        auto cells = grid.cellsOf(0);
        QCOMPARE(cells.size(), 1);
        QCOMPARE(cells[0].rowSpan, 3);
        cells = grid.cellsOf(2);
        QCOMPARE(cells.size(), 3);
        QCOMPARE(cells[0].text, QStringLiteral("标准公差等级"));
        QCOMPARE(cells[0].firstColumn, 1);
        QCOMPARE(cells[0].lastColumn, 3);
        QCOMPARE(cells[1].text, QStringLiteral("μm"));
        QCOMPARE(cells[1].firstColumn, 1);
        QCOMPARE(cells[1].lastColumn, 2);
        QCOMPARE(cells[2].firstColumn, 2); // bottom rows never merge
        QCOMPARE(cells[2].lastColumn, 2);
        // equal text in a lower row under different higher rows stays apart
        cells = grid.cellsOf(4);
        QCOMPARE(cells[0].firstColumn, 4);
        QCOMPARE(cells[1].firstColumn, 4);
    }

    void titleRowsMixedDepth()
    {
        // a two-row column beside a three-row one: its last row spans the two lower rows
        const browser::TitleGrid grid({QStringLiteral("公称直径|d"), QStringLiteral("基本尺寸|中径|d2")});
        const auto cells = grid.cellsOf(0);
        QCOMPARE(cells.size(), 2);
        QCOMPARE(cells[1].text, QStringLiteral("d"));
        QCOMPARE(cells[1].topRow, 1);
        QCOMPARE(cells[1].rowSpan, 2);
        // the same top text does not merge with a column where it is the last row
        const browser::TitleGrid flat({QStringLiteral("A|x"), QStringLiteral("A")});
        QCOMPARE(flat.cellsOf(0)[0].lastColumn, 0);
    }
};

QTEST_GUILESS_MAIN(TestBrowserRules)
#include "tst_browserrules.moc"
