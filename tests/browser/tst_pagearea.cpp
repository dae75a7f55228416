// The page area laid out and filled for each page kind, on a scratch data directory.
#include "binding/datasource.h"
#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/multirowheader.h"
#include "browser/htmlview.h"
#include "browser/pagearea.h"
#include "browserfixture.h"
#include "core/error.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSplitter>
#include <QTest>
#include <QTextBrowser>

class TestPageArea : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BrowserFixture> m_fx;
    std::unique_ptr<storage::Dataset> m_tblView;
    std::unique_ptr<QWidget> m_tabs;
    std::unique_ptr<browser::PageArea> m_area;
    std::unique_ptr<QWidget> m_gcph, m_gccx;

    void savePicture(const QString &name, QSize size, const char *format)
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        QVERIFY(img.save(m_fx->path(QStringLiteral("img/") + name), format));
    }

    void show(unsigned kind, const QString &table = QString(), const QString &picture = QString(),
              const QString &note = QString())
    {
        core::SharedState &s = core::shared();
        s.CurTable = table;
        s.CurPicture = picture;
        m_area->DBMemo1->setPlainText(note);
        m_area->ShowPage(kind);
    }

    QSize image1() const { return m_area->Image1->pixmap().size(); }

private slots:
    void init()
    {
        m_fx = std::make_unique<BrowserFixture>();
        m_tblView = m_fx->table(QStringLiteral("aaa.db"), QStringLiteral("dat"));
        m_tabs = std::make_unique<QWidget>();
        m_area = std::make_unique<browser::PageArea>(m_tblView.get(), m_tabs.get());
        m_gcph = std::make_unique<QWidget>();
        m_gccx = std::make_unique<QWidget>();
        m_area->setCalculators(m_gcph.get(), m_gccx.get());
        m_area->DBview->setDataSource(new binding::DataSource(m_tblView.get(), m_area.get()));
        m_area->resize(700, 760);
        m_area->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
    }

    void cleanup()
    {
        // the calculators may have become children of the page area: delete them first
        m_gcph.reset();
        m_gccx.reset();
        m_area.reset();
    }

    void lowerPane_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<bool>("noteShown");
        QTest::addColumn<bool>("pictureShown");
        QTest::newRow("neither") << "" << "" << false << false << false;
        QTest::newRow("blank note counts as none") << "" << " \t\n " << false << false << false;
        QTest::newRow("note only") << "" << "说明" << true << true << false;
        QTest::newRow("picture only") << "gongchadai" << "" << true << false << true;
        QTest::newRow("both") << "gongchadai" << "说明" << true << true << true;
    }
    void lowerPane()
    {
        QFETCH(QString, picture);
        QFETCH(QString, note);
        QFETCH(bool, lower);
        show(1, QString(), picture, note);
        QCoreApplication::processEvents();
        QCOMPARE(m_area->Pan_M->isVisible(), lower);
        QTEST(m_area->Pan_fz->isVisible(), "noteShown");
        QTEST(m_area->Pan_pic->isVisible(), "pictureShown");
        if (lower)
            QCOMPARE(m_area->Pan_Dat->height(), 400);
        else
            QCOMPARE(m_area->Pan_Dat->height(), m_area->height() - m_area->P_title->height());
        if (m_area->Pan_fz->isVisible() && m_area->Pan_pic->isVisible())
            QCOMPARE(m_area->Pan_fz->width(), m_area->Pan_Dat->width() / 2);
        QVERIFY(core::shared().CurPicture.isEmpty());
        QVERIFY(m_tabs->isEnabled());
    }

    void lowerPicture_data()
    {
        QTest::addColumn<bool>("bmp");
        QTest::addColumn<bool>("jpg");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("bitmap before JPEG") << true << true << QSize(30, 20);
        QTest::newRow("only JPEG") << false << true << QSize(40, 24);
        QTest::newRow("neither: 111.bmp") << false << false << QSize(160, 120);
    }
    void lowerPicture()
    {
        QFETCH(bool, bmp);
        QFETCH(bool, jpg);
        if (bmp)
            savePicture(QStringLiteral("p.bmp"), QSize(30, 20), "BMP");
        if (jpg)
            savePicture(QStringLiteral("p.jpg"), QSize(40, 24), "JPG");
        show(1, QString(), QStringLiteral("p"));
        QTEST(image1(), "shown");
    }

    void noPictureNameShows111()
    {
        savePicture(QStringLiteral("p.bmp"), QSize(30, 20), "BMP");
        show(1, QString(), QStringLiteral("p"));
        show(0);
        QCOMPARE(image1(), QSize(160, 120));
    }

    void pictureLoaderErrors_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("remove111");
        QTest::newRow("not a picture") << "junk" << false;
        QTest::newRow("111.bmp missing") << "" << true;
    }
    void pictureLoaderErrors()
    {
        QFETCH(QString, picture);
        QFETCH(bool, remove111);
        QFile junk(m_fx->path(QStringLiteral("img/junk.bmp")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("no picture here");
        junk.close();
        show(0);
        if (remove111)
            QVERIFY(QFile::remove(m_fx->path(QStringLiteral("111.bmp"))));
        m_area->img_cover->hide();
        QVERIFY_THROWS_EXCEPTION(core::Error, show(0, QString(), picture));
        QVERIFY(m_tabs->isEnabled());          // the tabs come back after the failed switch
        QVERIFY(!m_area->img_cover->isVisible()); // the switch stopped before the page
    }

    void calculatorsAreReleasedOnTheNextSwitch()
    {
        m_gcph->setMaximumSize(440, 310);
        show(7, QStringLiteral("frmgcph"));
        QCOMPARE(core::shared().EmbeddedWindow, QStringLiteral("frmgcph"));
        QVERIFY(m_gcph->isVisible());
        QCOMPARE(m_gcph->parentWidget(), m_area->Pan_Dat);
        // it fills the pane from the top-left corner within its maximum size, also after a resize
        QCOMPARE(m_gcph->geometry(), QRect(0, 0, 440, 310));
        m_area->resize(300, 760);
        QCoreApplication::processEvents();
        QCOMPARE(m_gcph->geometry(), QRect(QPoint(0, 0), QSize(m_area->Pan_Dat->width(), 310)));
        show(7, QStringLiteral("frmgccx"));
        QVERIFY(!m_gcph->isVisible());
        QVERIFY(m_gccx->isVisible());
        QCOMPARE(core::shared().EmbeddedWindow, QStringLiteral("frmgccx"));
        show(7, QStringLiteral("frmgccx")); // the same page again: hidden and shown again
        QVERIFY(m_gccx->isVisible());
        show(3);
        QVERIFY(!m_gccx->isVisible());
        QVERIFY(core::shared().EmbeddedWindow.isEmpty());
        show(7, QStringLiteral("other"));
        QVERIFY(core::shared().EmbeddedWindow.isEmpty());
        QVERIFY(!m_gcph->isVisible() && !m_gccx->isVisible());
    }

    void dataPage()
    {
        core::shared().CurTitle = QStringLiteral("标准公差数值");
        show(3, QStringLiteral("gongcha"));
        QVERIFY(m_tblView->isOpen());
        QVERIFY(m_area->DBview->isVisible());
        QVERIFY(m_area->P_title->isVisible());
        QCOMPARE(m_area->itemtitle->text(), QStringLiteral("标准公差数值"));
        // "标准公差等级|μm|IT1": the last title row "IT1" is 3 bytes, below the float width
        for (const storage::FieldDef &f : m_tblView->fields())
            QVERIFY2(f.displayWidth >= 6 && f.displayWidth <= 60, qPrintable(f.name));
        const auto *header = qobject_cast<browser::MultiRowHeader *>(m_area->DBview->horizontalHeader());
        QVERIFY(header);
        QCOMPARE(header->titles().rows(), 3);
        QCOMPARE(header->height(), 3 * header->rowHeight());
        QCOMPARE(m_area->DBview->model()->rowCount(), 21);
    }

    void dataPageTableMissingOrNamedEmpty_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("missing table") << "nope";
        QTest::newRow("no table name") << "";
        QTest::newRow("a name out of dat") << "../database/ibook";
    }
    void dataPageTableMissingOrNamedEmpty()
    {
        show(3, QStringLiteral("gongcha"));
        QFETCH(QString, table);
        show(3, table); // no error: the grid stays empty
        QVERIFY(!m_tblView->isOpen());
        QVERIFY(m_area->DBview->isVisible());
        QCOMPARE(m_area->DBview->model()->rowCount(), 0);
        QVERIFY(!QFile::exists(m_fx->path(QStringLiteral("dat/nope.db"))));
    }

    void htmlPage()
    {
        show(4, QStringLiteral("luowen"));
        const QString file = core::shared().AppDir + QStringLiteral("txt/luowen.htm");
        QCOMPARE(core::shared().CurTable, file);
        QVERIFY(!m_area->P_title->isVisible());
        QVERIFY(m_area->Pan_web->isVisible());
        QCOMPARE(m_area->WebBrowser->pageFile(), file);
        QVERIFY(m_area->WebBrowser->toPlainText().contains(QStringLiteral("普通螺纹的基本牙型")));
    }

    void missingHtmlPageSaysSoInThePane()
    {
        show(4, QStringLiteral("absent"));
        QVERIFY(m_area->Pan_web->isVisible());
        QVERIFY(m_area->WebBrowser->toPlainText().contains(QStringLiteral("txt/absent.htm")));
    }

    void pagePicture()
    {
        savePicture(QStringLiteral("only.jpg"), QSize(50, 30), "JPG");
        core::shared().CurTitle = QStringLiteral("图");
        show(6, QStringLiteral("only"));
        QVERIFY(m_area->imgPic->isVisible());
        QCOMPARE(m_area->itemtitle->text(), QStringLiteral("图"));
        QCOMPARE(m_area->imgPic->pixmap().size(), QSize(50, 30));
        show(6, QStringLiteral("missing")); // keeps the picture it had, no error
        QCOMPARE(m_area->imgPic->pixmap().size(), QSize(50, 30));
    }

    // The title bar always names the page shown: the cover has no title (as at start-up), a
    // note-and-picture page shows its node's title, an HTML page hides the bar.
    void titleBarBelongsToThePage_data()
    {
        QTest::addColumn<unsigned>("kind");
        QTest::addColumn<bool>("titleBar");
        QTest::addColumn<QString>("title");
        QTest::newRow("cover") << 0u << true << "";
        QTest::newRow("note and picture only (1)") << 1u << true << "乙";
        QTest::newRow("note and picture only (2)") << 2u << true << "乙";
        QTest::newRow("above the known kinds") << 9u << true << "乙";
        QTest::newRow("negative kind") << 4294967295u << true << "乙";
        QTest::newRow("HTML page") << 4u << false << "";
        QTest::newRow("data page") << 3u << true << "乙";
    }
    void titleBarBelongsToThePage()
    {
        QFETCH(unsigned, kind);
        QFETCH(bool, titleBar);
        for (unsigned before : {4u, 3u}) { // after a page without and a page with a title bar
            core::shared().CurTitle = QStringLiteral("甲");
            show(before, before == 3 ? QStringLiteral("gongcha") : QStringLiteral("luowen"));
            core::shared().CurTitle = QStringLiteral("乙");
            show(kind, kind == 4 ? QStringLiteral("luowen") : QStringLiteral("gongcha"));
            QCOMPARE(m_area->P_title->isVisible(), titleBar);
            if (titleBar)
                QTEST(m_area->itemtitle->text(), "title");
        }
        if (kind != 3) {
            QVERIFY(!m_area->DBview->isVisible());
            QVERIFY(m_tblView->isOpen()); // the data view keeps its table
        }
    }

    // A lower-pane picture is shown whole: at its own size when it fits, else scaled down with
    // its proportions kept; the picture itself stays at full size for the picture viewer.
    void lowerPictureShownWhole_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("fits") << QSize(40, 30);
        QTest::newRow("wider than the pane") << QSize(2400, 200);
        QTest::newRow("taller than the pane") << QSize(120, 1600);
        QTest::newRow("larger both ways") << QSize(3000, 2000);
    }
    void lowerPictureShownWhole()
    {
        QFETCH(QSize, size);
        // Red at the left edge, blue at the right edge, green between.
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::green);
        const int edge = std::max(1, size.width() / 20);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < edge; ++x) {
                img.setPixel(x, y, qRgb(255, 0, 0));
                img.setPixel(size.width() - 1 - x, y, qRgb(0, 0, 255));
            }
        QVERIFY(img.save(m_fx->path(QStringLiteral("img/big.bmp")), "BMP"));
        show(1, QString(), QStringLiteral("big"), QStringLiteral("说明"));
        QCoreApplication::processEvents();
        QCOMPARE(image1(), size); // full size for the viewer

        const QImage shown = m_area->Image1->grab().toImage();
        // The columns where red and blue are drawn: both edges are in view, the aspect is kept.
        int left = -1, right = -1, top = -1, bottom = -1;
        for (int x = 0; x < shown.width(); ++x)
            for (int y = 0; y < shown.height(); ++y) {
                const QColor c = shown.pixelColor(x, y);
                const int lightest = std::max({c.red(), c.green(), c.blue()});
                const int darkest = std::min({c.red(), c.green(), c.blue()});
                if (lightest - darkest < 150) // the pane's grey, not the picture's pure colours

                    continue;
                if (left < 0)
                    left = x;
                right = x;
                top = top < 0 ? y : std::min(top, y);
                bottom = std::max(bottom, y);
            }
        QVERIFY(left >= 0);
        QCOMPARE(shown.pixelColor(left, (top + bottom) / 2).red(), 255);
        QCOMPARE(shown.pixelColor(right, (top + bottom) / 2).blue(), 255);
        const QSize drawn(right - left + 1, bottom - top + 1);
        QVERIFY2(drawn.width() <= m_area->Image1->width() && drawn.height() <= m_area->Image1->height(),
                 qPrintable(QStringLiteral("%1x%2").arg(drawn.width()).arg(drawn.height())));
        if (size.width() <= m_area->Image1->width() && size.height() <= m_area->Image1->height()) {
            QCOMPARE(drawn, size); // unscaled, centred
            QVERIFY(std::abs((left + right) / 2 - m_area->Image1->width() / 2) <= 1);
        } else {
            QVERIFY(drawn.width() == m_area->Image1->width() || drawn.height() == m_area->Image1->height());
            QVERIFY(std::abs(drawn.width() * size.height() - drawn.height() * size.width())
                    <= std::max(size.width(), size.height()));
        }
    }

    void filterBarOnlyOverDataPages()
    {
        m_area->setFilterNotice(QStringLiteral("数据查询：只显示“值” >= “r3”的行"));
        QVERIFY(!m_area->filterBar->isVisible()); // no data page yet
        show(3, QStringLiteral("gongcha"));
        QCoreApplication::processEvents();
        QVERIFY(m_area->filterBar->isVisible());
        QVERIFY(m_area->filterBar->geometry().bottom() < m_area->DBview->geometry().top());
        show(6, QStringLiteral("gongchadai"));
        QVERIFY(!m_area->filterBar->isVisible());
        show(3, QStringLiteral("gongcha"));
        QVERIFY(m_area->filterBar->isVisible());
        m_area->setFilterNotice(QString());
        QCoreApplication::processEvents();
        QVERIFY(!m_area->filterBar->isVisible());
        QCOMPARE(m_area->DBview->geometry().top(), 0);
    }
};

QTEST_MAIN(TestPageArea)
#include "tst_pagearea.moc"
