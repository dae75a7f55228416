// The page area laid out and filled for each page kind, on a scratch data directory.
#include "binding/datasource.h"
#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/multirowheader.h"
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
        QCOMPARE(m_area->WebBrowser->source().toLocalFile(), file);
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

    void coverAndNoteKindsKeepTheTitleBar()
    {
        show(4, QStringLiteral("luowen"));
        show(0);
        QVERIFY(!m_area->P_title->isVisible());
        QVERIFY(m_area->img_cover->isVisible());
        core::shared().CurTitle = QStringLiteral("甲");
        show(3, QStringLiteral("gongcha"));
        core::shared().CurTitle = QStringLiteral("乙");
        show(9);
        QVERIFY(m_area->P_title->isVisible());
        QCOMPARE(m_area->itemtitle->text(), QStringLiteral("甲"));
        QVERIFY(!m_area->DBview->isVisible());
        QVERIFY(m_tblView->isOpen()); // the data view keeps its table
    }
};

QTEST_MAIN(TestPageArea)
#include "tst_pagearea.moc"
