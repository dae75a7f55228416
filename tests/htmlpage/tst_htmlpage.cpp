// The page loader without a window: what a page costs, how it is decoded, which files its names
// reach, and what is read of them.
#include "core/error.h"
#include "htmlpage/contentfile.h"
#include "htmlpage/htmlpage.h"
#include "htmlpage/pagecost.h"
#include "htmlpage/pagetext.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QString repeat(const QString &open, const QString &close, int n, const QString &middle = QStringLiteral("x"))
{
    return open.repeated(n) + middle + close.repeated(n);
}

QByteArray bmp(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

class TstHtmlPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cost_data();
    void cost();
    void decode_data();
    void decode();
    void load_data();
    void load();
    void target_data();
    void target();
    void picture_data();
    void picture();

private:
    void write(const QString &rel, const QByteArray &bytes);
    QString path(const QString &rel) const { return m_dir.path() + u'/' + rel; }
    QTemporaryDir m_dir;   // the data directory
    QTemporaryDir m_other; // a folder outside it
};

void TstHtmlPage::write(const QString &rel, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path(rel)).absolutePath());
    QFile f(path(rel));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TstHtmlPage::initTestCase()
{
    QVERIFY(m_dir.isValid() && m_other.isValid());
    write(QStringLiteral("txt/page.htm"), "<p>ok</p>");
    write(QStringLiteral("txt/Pic/Dot.BMP"), bmp(QSize(4, 4)));
    write(QStringLiteral("img/gongcha.bmp"), bmp(QSize(8, 8)));
    write(QStringLiteral("txt/broken.bmp"), "BM not a picture");
    QByteArray bomb = bmp(QSize(1, 1)); // a header that claims 20,000 x 20,000 pixels
    qToLittleEndian<qint32>(20000, bomb.data() + 18);
    qToLittleEndian<qint32>(20000, bomb.data() + 22);
    write(QStringLiteral("img/bomb.bmp"), bomb);
    write(QStringLiteral("txt/big.htm"), QByteArray(htmlpage::maxPageBytes + 1, 'a'));
    write(QStringLiteral("txt/deep.htm"), repeat(QStringLiteral("<table><tr><td>"), QStringLiteral("</td></tr></table>"), 50).toUtf8());
    QFile outside(m_other.path() + QStringLiteral("/secret.htm"));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.write("<p>secret</p>");
    outside.close();
    QVERIFY(QFile::link(m_other.path() + QStringLiteral("/secret.htm"), path(QStringLiteral("txt/out.htm"))));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("txt/zero.htm"))));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("img/zero.bmp"))));
    QCOMPARE(mkfifo(QFile::encodeName(path(QStringLiteral("txt/fifo.htm"))).constData(), 0600), 0);
    QCOMPARE(mkfifo(QFile::encodeName(path(QStringLiteral("img/fifo.bmp"))).constData(), 0600), 0);
}

void TstHtmlPage::cost_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("shown");
    const QString table = QStringLiteral("<table><tr><td>");
    const QString tableEnd = QStringLiteral("</td></tr></table>");
    QTest::newRow("plain page") << QStringLiteral("<html><body><h1>螺纹</h1><p>a<p>b<br><img src=x></body></html>") << true;
    QTest::newRow("tables 8 deep") << repeat(table, tableEnd, 8) << true;
    QTest::newRow("tables 9 deep") << repeat(table, tableEnd, 9) << false;
    QTest::newRow("tables 50 deep") << repeat(table, tableEnd, 50) << false;
    QTest::newRow("tables 5,000 deep") << repeat(table, tableEnd, 5000) << false;
    QTest::newRow("tables never closed") << table.repeated(20) << false;
    QTest::newRow("16 nests 8 deep") << repeat(table, tableEnd, 8).repeated(16) << true;
    QTest::newRow("17 nests 8 deep") << repeat(table, tableEnd, 8).repeated(17) << false;
    QTest::newRow("100,000 nested divs") << repeat(QStringLiteral("<div>"), QStringLiteral("</div>"), 100000) << false;
    QTest::newRow("256 nested divs") << repeat(QStringLiteral("<DIV class=a>"), QStringLiteral("</DIV>"), 256) << true;
    QTest::newRow("257 nested divs") << repeat(QStringLiteral("<div>"), QStringLiteral("</div>"), 257) << false;
    QTest::newRow("divs without >") << QStringLiteral("<div").repeated(300) << false;
    QTest::newRow("self-closing divs") << QStringLiteral("<div/>").repeated(1000) << true;
    QTest::newRow("unclosed paragraphs and items") << QStringLiteral("<ul>") + QStringLiteral("<li>a<p>b").repeated(2000) << true;
    QTest::newRow("5,000 elements") << QStringLiteral("<br>").repeated(5000) << true;
    QTest::newRow("5,001 elements") << QStringLiteral("<br>").repeated(5001) << false;
    QTest::newRow("tags in a comment count") << QStringLiteral("<!--") + QStringLiteral("<div>").repeated(300) + QStringLiteral("-->") << false;
    QTest::newRow("less-than in text") << QStringLiteral("a < b, 3<4 ").repeated(3000) << true;
}

void TstHtmlPage::cost()
{
    QFETCH(QString, html);
    QFETCH(bool, shown);
    const htmlpage::PageCost cost = htmlpage::measurePage(html);
    QCOMPARE(cost.withinBounds(), shown);
    QCOMPARE(cost.excess().isEmpty(), shown);
}

void TstHtmlPage::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString chinese = QStringLiteral("普通螺纹");
    const QByteArray gbk = QByteArray("<p>") + QByteArray("\xc6\xd5\xcd\xa8\xc2\xdd\xce\xc6") + "</p>";
    QTest::newRow("undeclared code page 936") << gbk << QStringLiteral("<p>") + chinese + QStringLiteral("</p>");
    QTest::newRow("undeclared UTF-8") << (QStringLiteral("<p>") + chinese + QStringLiteral("</p>")).toUtf8()
                                      << QStringLiteral("<p>") + chinese + QStringLiteral("</p>");
    QTest::newRow("declared gb2312 (read as GB18030)")
        << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\x81\x30\x81\x30") << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\u0080");
    QTest::newRow("declared utf-8 wins") << QByteArray("<meta charset='UTF-8'>\xe4\xb8\xad") << QStringLiteral("<meta charset='UTF-8'>中");
    QTest::newRow("declared latin-1") << QByteArray("<META CHARSET=iso-8859-1>\xe9") << QStringLiteral("<META CHARSET=iso-8859-1>é");
    QTest::newRow("unknown charset: guessed") << QByteArray("<meta charset=nonesuch>\xd6\xd0") << QStringLiteral("<meta charset=nonesuch>中");
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xef\xbb\xbf\xe4\xb8\xad") << QStringLiteral("中");
    QTest::newRow("UTF-16 byte-order mark") << QByteArray("\xff\xfe\x2d\x4e", 4) << QStringLiteral("中");
}

void TstHtmlPage::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(htmlpage::decodePage(bytes), text);
}

void TstHtmlPage::load_data()
{
    QTest::addColumn<QString>("rel");
    QTest::addColumn<QString>("holds"); // text of the page or of its notice
    QTest::addColumn<bool>("notice");
    QTest::newRow("page") << QStringLiteral("txt/page.htm") << QStringLiteral("<p>ok</p>") << false;
    QTest::newRow("other letter case") << QStringLiteral("TXT/Page.HTM") << QStringLiteral("<p>ok</p>") << false;
    QTest::newRow("missing") << QStringLiteral("txt/none.htm") << QStringLiteral("找不到文件") << true;
    QTest::newRow("link out of the directory") << QStringLiteral("txt/out.htm") << QStringLiteral("找不到文件") << true;
    QTest::newRow("device") << QStringLiteral("txt/zero.htm") << QStringLiteral("找不到文件") << true;
    QTest::newRow("FIFO") << QStringLiteral("txt/fifo.htm") << QStringLiteral("找不到文件") << true;
    QTest::newRow("folder") << QStringLiteral("txt") << QStringLiteral("找不到文件") << true;
    QTest::newRow("too large") << QStringLiteral("txt/big.htm") << QStringLiteral("此网页过大") << true;
    QTest::newRow("tables 50 deep") << QStringLiteral("txt/deep.htm") << QStringLiteral("表格嵌套超过 8 层") << true;
}

void TstHtmlPage::load()
{
    QFETCH(QString, rel);
    QFETCH(QString, holds);
    QFETCH(bool, notice);
    const htmlpage::HtmlPage page = htmlpage::loadHtmlPage(m_dir.path(), path(rel));
    QVERIFY2(page.html.contains(holds), qPrintable(page.html));
    QCOMPARE(page.isNotice, notice);
    QCOMPARE(page.folder.isEmpty(), notice);
    if (!notice)
        QCOMPARE(page.file, path(QStringLiteral("txt/page.htm")));
}

void TstHtmlPage::target_data()
{
    using Kind = htmlpage::Target::Kind;
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file"); // relative to the data directory
    QTest::newRow("same folder") << QStringLiteral("page.htm") << int(Kind::File) << QStringLiteral("txt/page.htm");
    QTest::newRow("letter case") << QStringLiteral("PAGE.Htm#a") << int(Kind::File) << QStringLiteral("txt/page.htm");
    QTest::newRow("backslash") << QStringLiteral("pic\\dot.bmp") << int(Kind::File) << QStringLiteral("txt/Pic/Dot.BMP");
    QTest::newRow("up into img") << QStringLiteral("..\\IMG\\GongCha.bmp") << int(Kind::File) << QStringLiteral("img/gongcha.bmp");
    QTest::newRow("out of the directory") << QStringLiteral("../../../../etc/passwd") << int(Kind::Missing) << QString();
    QTest::newRow("absolute path") << QStringLiteral("/dev/zero") << int(Kind::Missing) << QString();
    QTest::newRow("file URL") << QStringLiteral("file:///dev/zero") << int(Kind::Missing) << QString();
    QTest::newRow("link to a device") << QStringLiteral("zero.htm") << int(Kind::Missing) << QString();
    QTest::newRow("FIFO") << QStringLiteral("fifo.htm") << int(Kind::Missing) << QString();
    QTest::newRow("missing") << QStringLiteral("none.htm") << int(Kind::Missing) << QString();
    QTest::newRow("http") << QStringLiteral("http://example.com/a") << int(Kind::Outside) << QString();
    QTest::newRow("https") << QStringLiteral("HTTPS://example.com/") << int(Kind::Outside) << QString();
    QTest::newRow("mailto") << QStringLiteral("mailto:a@example.com") << int(Kind::Outside) << QString();
    QTest::newRow("anchor") << QStringLiteral("#top") << int(Kind::Anchor) << QString();
    QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << int(Kind::Ignored) << QString();
    QTest::newRow("drive letter") << QStringLiteral("C:\\a.htm") << int(Kind::Ignored) << QString();
}

void TstHtmlPage::target()
{
    QFETCH(QString, link);
    QFETCH(int, kind);
    QFETCH(QString, file);
    const htmlpage::Target t = htmlpage::resolveTarget(m_dir.path(), path(QStringLiteral("txt")), QUrl(link));
    QCOMPARE(int(t.kind), kind);
    if (!file.isEmpty())
        QCOMPARE(t.file, path(file));
}

void TstHtmlPage::picture_data()
{
    QTest::addColumn<QString>("rel");
    QTest::addColumn<QString>("error"); // empty: the picture loads
    QTest::newRow("bitmap") << QStringLiteral("img/gongcha.bmp") << QString();
    QTest::newRow("not a picture") << QStringLiteral("txt/broken.bmp") << QStringLiteral("Cannot load picture");
    QTest::newRow("device") << QStringLiteral("img/zero.bmp") << QStringLiteral("Not a regular file");
    QTest::newRow("FIFO") << QStringLiteral("img/fifo.bmp") << QStringLiteral("Not a regular file");
    QTest::newRow("missing") << QStringLiteral("img/none.bmp") << QStringLiteral("No such file");
    QTest::newRow("too many pixels") << QStringLiteral("img/bomb.bmp") << QStringLiteral("Cannot load picture");
}

void TstHtmlPage::picture()
{
    QFETCH(QString, rel);
    QFETCH(QString, error);
    try {
        const QImage image = htmlpage::readPicture(m_dir.path(), path(rel));
        QVERIFY2(error.isEmpty(), qPrintable(rel));
        QCOMPARE(image.size(), QSize(8, 8));
    } catch (const core::Error &e) {
        QVERIFY2(!error.isEmpty() && e.text().contains(error), qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(TstHtmlPage)
#include "tst_htmlpage.moc"
