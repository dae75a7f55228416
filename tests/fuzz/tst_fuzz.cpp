// Damaged content opens without a crash or a hang: table files, pictures and HTML pages of the
// sample content, mutated with a fixed seed, each end in the page or the stated error. The rounds
// are few and fixed, so the suite takes seconds and a failure names the round that repeats it.
#include "browser/htmlview.h"
#include "core/error.h"
#include "core/textfinder.h"
#include "htmlpage/contentfile.h"
#include "htmlpage/htmlpage.h"
#include "storage/dataset.h"
#include "testdata.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// One of a few kinds of damage a file meets on disk or by hand.
QByteArray mutate(QByteArray bytes, QRandomGenerator &random, const QList<QByteArray> &pieces = {})
{
    const auto at = [&] { return bytes.isEmpty() ? 0 : int(random.bounded(int(bytes.size()))); };
    switch (random.bounded(pieces.isEmpty() ? 4 : 5)) {
    case 0: // a few bytes changed
        for (int i = 0, n = 1 + int(random.bounded(16)); i < n && !bytes.isEmpty(); ++i)
            bytes[at()] = char(random.bounded(256));
        break;
    case 1: // cut short
        bytes.truncate(at());
        break;
    case 2: { // a run of noise
        const int from = at();
        for (int i = from; i < std::min<qsizetype>(bytes.size(), from + 512); ++i)
            bytes[i] = char(random.bounded(256));
        break;
    }
    case 3: { // a part repeated
        const int from = at();
        bytes.insert(from, bytes.mid(from, 1 + int(random.bounded(4096))));
        break;
    }
    default: // text pieces of the format put in, many times
        for (int i = 0, n = 1 + int(random.bounded(400)); i < n; ++i)
            bytes.insert(at(), pieces[random.bounded(int(pieces.size()))]);
        break;
    }
    return bytes;
}

QStringList filesIn(const QString &dir, const QStringList &patterns)
{
    QStringList files;
    for (const QString &f : QDir(dir).entryList(patterns, QDir::Files, QDir::Name))
        files << dir + u'/' + f;
    return files;
}

} // namespace

class TestFuzz : public QObject {
    Q_OBJECT

    QTemporaryDir m_sample; // the sample content, untouched
    QTemporaryDir m_data;   // where damaged copies are opened

private slots:
    void initTestCase()
    {
        testdata::buildSample(m_sample.path());
        QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("dat")));
        QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("img")));
        QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("txt")));
    }

    void damagedTables()
    {
        const QStringList tables = filesIn(m_sample.filePath(QStringLiteral("dat")), {QStringLiteral("*.db")})
                                   + filesIn(m_sample.filePath(QStringLiteral("database")), {QStringLiteral("*.db"), QStringLiteral("*.DB")});
        QVERIFY(!tables.isEmpty());
        QRandomGenerator random(1301);
        int opened = 0, refused = 0;
        for (int round = 0; round < 160; ++round) {
            const QString source = tables[round % tables.size()];
            const QString name = QFileInfo(source).fileName();
            writeAll(m_data.filePath(QStringLiteral("dat/") + name), mutate(readAll(source), random));
            try {
                storage::Dataset ds;
                ds.setDirectory(m_data.filePath(QStringLiteral("dat")));
                ds.setTableName(name);
                ds.open();
                // Every cell as the grid and the reports show it, and a search over them.
                for (ds.first(); !ds.eof(); ds.next()) {
                    for (int f = 0; f < ds.fields().size(); ++f)
                        storage::plainText(ds.fields()[f], ds.value(f));
                }
                const core::TextFinder finder(QStringLiteral("1"));
                ds.scan(0, [&](int, const storage::RowView &row) {
                    for (int f = 0; f < row.fields().size(); ++f)
                        row.containsText(f, finder);
                    return true;
                });
                ++opened;
            } catch (const core::Error &e) {
                QVERIFY2(!e.text().isEmpty(), qPrintable(QStringLiteral("round %1").arg(round)));
                ++refused;
            }
        }
        qInfo("tables: %d opened, %d refused with the engine's error", opened, refused);
        QVERIFY(opened > 0 && refused > 0);
    }

    void damagedPictures()
    {
        const QStringList pictures = filesIn(m_sample.filePath(QStringLiteral("img")), {QStringLiteral("*.bmp"), QStringLiteral("*.jpg")})
                                     << m_sample.filePath(QStringLiteral("111.bmp"));
        QVERIFY(pictures.size() > 1);
        QRandomGenerator random(1302);
        int shown = 0, refused = 0;
        for (int round = 0; round < 160; ++round) {
            const QString source = pictures[round % pictures.size()];
            const QString copy = m_data.filePath(QStringLiteral("img/") + QFileInfo(source).fileName());
            writeAll(copy, mutate(readAll(source), random));
            try {
                const QImage image = htmlpage::readPicture(m_data.path(), copy);
                QVERIFY(!image.isNull());
                ++shown;
            } catch (const core::Error &e) {
                QVERIFY2(e.text().startsWith(QStringLiteral("Cannot load picture")), qPrintable(e.text()));
                ++refused;
            }
        }
        qInfo("pictures: %d shown, %d refused with the loader's error", shown, refused);
        QVERIFY(shown > 0 && refused > 0);
    }

    void damagedPages()
    {
        const QStringList pages = filesIn(m_sample.filePath(QStringLiteral("txt")), {QStringLiteral("*.htm*")});
        QVERIFY(!pages.isEmpty());
        for (const QString &f : filesIn(m_sample.filePath(QStringLiteral("img")), {QStringLiteral("*")}))
            QFile::copy(f, m_data.filePath(QStringLiteral("txt/") + QFileInfo(f).fileName()));
        const QList<QByteArray> pieces = {"<table><tr><td>", "</td></tr></table>", "<div>", "</div>", "<ul><li>", "<b>",
                                          "<font size=7>", "<img src=\"GONGCHADAI.BMP\">", "<img src=\"/dev/zero\">",
                                          "<a href=\"..\\\\..\\\\x\">", "<!--", "-->", "<p>", "\xd6\xd0", "<style>",
                                          "<link rel=stylesheet href=\"/dev/zero\">", "&#x10FFFF;", "<td colspan=99999>"};
        browser::HtmlView view;
        view.resize(640, 480);
        view.setDataDirectory(m_data.path());
        QRandomGenerator random(1303);
        int shown = 0, notices = 0;
        for (int round = 0; round < 160; ++round) {
            const QString source = pages[round % pages.size()];
            const QString copy = m_data.filePath(QStringLiteral("txt/") + QFileInfo(source).fileName());
            writeAll(copy, mutate(readAll(source), random, pieces));
            view.showPage(copy);
            view.document()->documentLayout()->documentSize(); // the whole layout, as the pane draws it
            const bool notice = view.pageFile().isEmpty();
            QVERIFY2(!notice || view.toPlainText().contains(QStringLiteral("未予显示")),
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(view.toPlainText().left(80))));
            ++(notice ? notices : shown);
        }
        qInfo("pages: %d shown, %d replaced by the notice", shown, notices);
        QVERIFY(shown > 0 && notices > 0);
    }
};

QTEST_MAIN(TestFuzz)
#include "tst_fuzz.moc"
