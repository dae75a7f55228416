// HTML pages in the page pane, shown through ShowPage and clicked with the mouse: legacy
// encodings, names that differ in case or use "\", names that leave their folder, links out of
// the handbook, and pages that would stall the browser.
#include "browser/htmlview.h"
#include "browser/pagearea.h"
#include "browserfixture.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestHtmlView : public QObject {
    Q_OBJECT

public slots:
    void openedOutside(const QUrl &url) { m_opened << url; }

private:
    std::unique_ptr<BrowserFixture> m_fx;
    std::unique_ptr<storage::Dataset> m_tblView;
    std::unique_ptr<QWidget> m_tabs;
    std::unique_ptr<browser::PageArea> m_area;
    QList<QUrl> m_opened;

    browser::HtmlView *view() const { return m_area->WebBrowser; }

    void write(const QString &rel, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(m_fx->path(rel)).absolutePath());
        QFile f(m_fx->path(rel));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void showHtml(const QString &name)
    {
        core::shared().CurTable = name;
        m_area->ShowPage(4);
        QCoreApplication::processEvents();
    }

    // A left click on the middle of the first occurrence of text in the pane.
    void clickText(const QString &text)
    {
        QTextCursor found = view()->document()->find(text);
        QVERIFY2(!found.isNull(), qPrintable(text));
        QTextCursor at(view()->document());
        at.setPosition(found.selectionStart() + 1);
        const QPoint point = view()->cursorRect(at).center();
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, point);
        QCoreApplication::processEvents();
    }

    int redPixels()
    {
        const QImage shot = view()->viewport()->grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                red += shot.pixel(x, y) == qRgb(255, 0, 0);
        }
        return red;
    }

private slots:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openedOutside");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openedOutside");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void init()
    {
        m_fx = std::make_unique<BrowserFixture>();
        m_tblView = m_fx->table(QStringLiteral("aaa.db"), QStringLiteral("dat"));
        m_tabs = std::make_unique<QWidget>();
        m_area = std::make_unique<browser::PageArea>(m_tblView.get(), m_tabs.get());
        m_area->resize(700, 760);
        m_area->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
        m_opened.clear();
        QImage red(40, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(QDir().mkpath(m_fx->path(QStringLiteral("txt/pic"))));
        QVERIFY(red.save(m_fx->path(QStringLiteral("txt/pic/red.bmp")), "BMP"));
        write(QStringLiteral("txt/other.htm"), "<p>OTHER PAGE</p>");
        write(QStringLiteral("secret.htm"), "<p>TOP SECRET CONTENT</p>");
    }

    void legacyEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("code page 936, undeclared") << QByteArray("<p>\xc6\xd5\xcd\xa8\xc2\xdd\xce\xc6</p>");
        QTest::newRow("declared gb2312") << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                                       "charset=gb2312\"></head><body>\xc6\xd5\xcd\xa8\xc2\xdd\xce\xc6</body></html>");
        QTest::newRow("UTF-8, undeclared") << QStringLiteral("<p>普通螺纹</p>").toUtf8();
    }
    void legacyEncodings()
    {
        QFETCH(QByteArray, bytes);
        write(QStringLiteral("txt/legacy.htm"), bytes);
        showHtml(QStringLiteral("legacy"));
        QVERIFY2(view()->toPlainText().contains(QStringLiteral("普通螺纹")), qPrintable(view()->toPlainText()));
    }

    void pictureNames_data()
    {
        QTest::addColumn<QString>("src");
        QTest::addColumn<bool>("shown");
        QTest::newRow("as stored") << QStringLiteral("pic/red.bmp") << true;
        QTest::newRow("other letter case") << QStringLiteral("PIC/Red.BMP") << true;
        QTest::newRow("backslash") << QStringLiteral("pic\\red.bmp") << true;
        QTest::newRow("up and down again") << QStringLiteral("..\\txt\\pic\\red.bmp") << true;
        QTest::newRow("a device") << QStringLiteral("/dev/zero") << false;
        QTest::newRow("a device by URL") << QStringLiteral("file:///dev/zero") << false;
        QTest::newRow("out of the directory") << QStringLiteral("../../../../../../dev/zero") << false;
    }
    void pictureNames()
    {
        QFETCH(QString, src);
        write(QStringLiteral("txt/pictured.htm"), QStringLiteral("<p>图</p><img src=\"%1\">").arg(src).toUtf8());
        showHtml(QStringLiteral("pictured"));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("图")));
        QTEST(redPixels() >= 40 * 40, "shown");
    }

    void pageNamesStayInTxt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("up out of txt") << QStringLiteral("../secret");
        QTest::newRow("backslashes up") << QStringLiteral("..\\SECRET.htm");
        QTest::newRow("absolute") << m_fx->path(QStringLiteral("secret.htm"));
    }
    void pageNamesStayInTxt()
    {
        QFETCH(QString, name);
        showHtml(name);
        QVERIFY(!view()->toPlainText().contains(QStringLiteral("TOP SECRET CONTENT")));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("找不到文件")));
        QVERIFY(view()->pageFile().isEmpty());
    }

    void linkClicks_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("shows"); // text the pane shows after the click
        QTest::addColumn<QString>("opened"); // URL handed to the system, if any
        QTest::newRow("https link") << QStringLiteral("https://example.com/iso286") << QStringLiteral("LINK")
                                    << QStringLiteral("https://example.com/iso286");
        QTest::newRow("http link") << QStringLiteral("http://example.com/") << QStringLiteral("LINK")
                                   << QStringLiteral("http://example.com/");
        QTest::newRow("page in other case") << QStringLiteral("OTHER.HTM") << QStringLiteral("OTHER PAGE") << QString();
        QTest::newRow("page with backslash") << QStringLiteral(".\\Other.htm") << QStringLiteral("OTHER PAGE") << QString();
        QTest::newRow("missing page") << QStringLiteral("none.htm") << QStringLiteral("找不到文件") << QString();
        QTest::newRow("page out of the directory") << QStringLiteral("../../../../../../etc/passwd")
                                                   << QStringLiteral("找不到文件") << QString();
        QTest::newRow("a device") << QStringLiteral("file:///dev/zero") << QStringLiteral("找不到文件") << QString();
        QTest::newRow("javascript") << QStringLiteral("javascript:void(0)") << QStringLiteral("LINK") << QString();
    }
    void linkClicks()
    {
        QFETCH(QString, href);
        QFETCH(QString, shows);
        QFETCH(QString, opened);
        write(QStringLiteral("txt/links.htm"), QStringLiteral("<p><a href=\"%1\">LINK</a></p>").arg(href).toUtf8());
        showHtml(QStringLiteral("links"));
        clickText(QStringLiteral("LINK"));
        QVERIFY2(view()->toPlainText().contains(shows), qPrintable(view()->toPlainText()));
        QCOMPARE(m_opened, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
    }

    void costlyPagesShowANotice_data()
    {
        const QString table = QStringLiteral("<table><tr><td>");
        const QString tableEnd = QStringLiteral("</td></tr></table>");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("notice");
        QTest::newRow("tables 50 deep") << table.repeated(50) + QStringLiteral("x") + tableEnd.repeated(50)
                                        << QStringLiteral("此网页过于复杂");
        QTest::newRow("tables 5,000 deep") << table.repeated(5000) + QStringLiteral("x") + tableEnd.repeated(5000)
                                           << QStringLiteral("此网页过于复杂");
        QTest::newRow("100,000 nested divs") << QStringLiteral("<div>").repeated(100000) + QStringLiteral("x")
                                             << QStringLiteral("此网页过于复杂");
        QTest::newRow("100,000 nested divs, closed") << QStringLiteral("<div>").repeated(100000) + QStringLiteral("x")
                                                            + QStringLiteral("</div>").repeated(100000)
                                                     << QStringLiteral("此网页过大");
        QTest::newRow("too large") << QStringLiteral("字").repeated(200000) << QStringLiteral("此网页过大");
    }
    void costlyPagesShowANotice()
    {
        QFETCH(QString, html);
        QFETCH(QString, notice);
        write(QStringLiteral("txt/costly.htm"), html.toUtf8());
        showHtml(QStringLiteral("costly"));
        QVERIFY2(view()->toPlainText().contains(notice), qPrintable(view()->toPlainText().left(200)));
        QVERIFY(view()->pageFile().isEmpty());
        QVERIFY(m_tabs->isEnabled());
        // The pane still works: the next page shows.
        showHtml(QStringLiteral("other"));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("OTHER PAGE")));
    }
};

QTEST_MAIN(TestHtmlView)
#include "tst_htmlview.moc"
