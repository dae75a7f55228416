// Copy, export and print of a data page through the grid's context menu and Ctrl+C, on a page
// with two title rows.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "browser/pagearea.h"
#include "core/sharedstate.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "datamodules.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestDataPageCopy : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfrmMain> m_w;

    binding::DBGrid *grid() const { return m_w->Panel2->DBview; }
    QPoint cell(int row, int column) const { return grid()->visualRect(grid()->model()->index(row, column)).center(); }

    // Right-clicks the grid and clicks the item of its context menu.
    void menu(const QString &item)
    {
        const QPoint at = cell(0, 0);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid()->viewport(), &event);
        QMenu *popup = grid()->contextMenu();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QAction *action = nullptr;
        for (QAction *a : popup->actions())
            action = a->text() == item ? a : action;
        QVERIFY2(action && action->isEnabled(), qPrintable(item));
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
        QCoreApplication::processEvents();
    }

    static QByteArray fileBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testdata::buildSample(m_dir->path());
        testdata::writeTable(m_dir->filePath(QStringLiteral("dat/t.db")),
                             QStringLiteral("尺寸|大径:N,尺寸|小径:N,备注:A20\n1.6,1.2,\"粗, 牙\"\n2,1.5,\"M2 \"\"细\"\"\"\n3,,末行\n"));
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Data = new TData;
        Data2 = new TData2;
        m_w = std::make_unique<TfrmMain>(m_dir->path());
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        core::SharedState &s = core::shared();
        s.CurTable = QStringLiteral("t");
        s.CurTitle = QStringLiteral("螺纹尺寸");
        m_w->ShowPage(3);
        QCoreApplication::processEvents();
        QApplication::clipboard()->clear();
    }

    void cleanup()
    {
        m_w.reset();
        testdata::dropDataModules();
        m_dialogs.reset();
        m_dir.reset();
    }

    void copyOfTheSelection_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text");
        QTest::newRow("one cell, Ctrl+C") << u"click:1,2 ctrl+c"_qs << u"\"M2 \"\"细\"\"\"\n"_qs;
        QTest::newRow("a block by Shift+click, Ctrl+C") << u"click:0,0 shift-click:1,1 ctrl+c"_qs << u"1.6\t1.2\n2\t1.5\n"_qs;
        QTest::newRow("a block with its titles, from the menu")
            << u"click:0,1 shift-click:1,2 menu:复制（含标题）"_qs << u"尺寸\t备注\n小径\t\n1.2\t粗, 牙\n1.5\t\"M2 \"\"细\"\"\"\n"_qs;
        QTest::newRow("one cell from the menu") << u"click:2,0 menu:复制"_qs << u"3\n"_qs;
        QTest::newRow("whole columns come with all title rows")
            << u"header:0 shift-header:1 ctrl+c"_qs << u"尺寸\t\n大径\t小径\n1.6\t1.2\n2\t1.5\n3\t\n"_qs;
    }

    void copyOfTheSelection()
    {
        QFETCH(QString, input);
        QFETCH(QString, text);
        for (const QString &step : input.split(u' ')) {
            const QString kind = step.section(u':', 0, 0);
            const QString arg = step.section(u':', 1);
            const Qt::KeyboardModifiers mods = kind.startsWith(u"shift-") ? Qt::ShiftModifier : Qt::NoModifier;
            if (step == u"ctrl+c") {
                QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
            } else if (kind == u"menu") {
                menu(arg);
            } else if (kind.endsWith(u"click")) {
                const QStringList rc = arg.split(u',');
                QTest::mouseClick(grid()->viewport(), Qt::LeftButton, mods, cell(rc[0].toInt(), rc[1].toInt()));
            } else {
                QHeaderView *header = grid()->horizontalHeader();
                const int column = arg.toInt();
                const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() - 4);
                QTest::mouseClick(header->viewport(), Qt::LeftButton, mods, at);
            }
        }
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->text(), text);
        QVERIFY(data->html().startsWith(u"<table"_qs));
    }

    void exportAsTheGridShows_data()
    {
        QTest::addColumn<bool>("filtered");
        QTest::addColumn<QByteArray>("csv");
        QTest::newRow("every row") << false
                                   << QByteArray("\xEF\xBB\xBF尺寸,,备注\r\n大径,小径,\r\n1.6,1.2,\"粗, 牙\"\r\n2,1.5,\"M2 \"\"细\"\"\"\r\n3,,末行\r\n");
        QTest::newRow("the data query on: the rows that pass")
            << true << QByteArray("\xEF\xBB\xBF尺寸,,备注\r\n大径,小径,\r\n1.6,1.2,\"粗, 牙\"\r\n3,,末行\r\n");
    }

    void exportAsTheGridShows()
    {
        QFETCH(bool, filtered);
        QFETCH(QByteArray, csv);
        if (filtered) {
            m_w->tblView->setFilterCallback([](const storage::RowView &row) { return row.value(0).toDouble() != 2; });
            m_w->tblView->setFiltered(true);
        }
        const QString file = m_dir->filePath(u"导出.csv"_qs);
        m_dialogs->files.enqueue(file);
        menu(u"导出为 CSV 文件…"_qs);
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        QCOMPARE(fileBytes(file), csv);
        QCOMPARE(m_dialogs->notices.size(), 1);

        const QString book = m_dir->filePath(u"导出.xlsx"_qs);
        m_dialogs->files.enqueue(book);
        menu(u"导出为 Excel 工作簿…"_qs);
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        QProcess unzip;
        unzip.start(u"unzip"_qs, {u"-p"_qs, book, u"xl/worksheets/sheet1.xml"_qs});
        unzip.waitForFinished();
        const QByteArray sheet = unzip.readAllStandardOutput();
        QVERIFY2(sheet.contains("<mergeCell ref=\"A1:B1\"/>") && sheet.contains("<mergeCell ref=\"C1:C2\"/>"), sheet.right(300).constData());
        QVERIFY(sheet.contains(u"尺寸"_qs.toUtf8()));
        QCOMPARE(sheet.contains(u"M2 &quot;细&quot;"_qs.toUtf8()) || sheet.contains(u"M2 \"细\""_qs.toUtf8()), !filtered);
    }

    void cancelledExportWritesNothing()
    {
        menu(u"导出为 CSV 文件…"_qs);
        QVERIFY(m_dialogs->notices.isEmpty());
        QVERIFY(m_dialogs->errors.isEmpty());
    }

    void printWithTitles_data()
    {
        QTest::addColumn<QString>("table"); // empty: the page of init()
        QTest::addColumn<bool>("landscape");
        const QString longText(30, u'长');
        QTest::newRow("a narrow table: portrait") << QString() << false;
        QTest::newRow("wide text fields holding short texts: portrait")
            << u"甲:A255,乙:A255,丙:A255,丁:A255\n短,短,短,短\n"_qs << false;
        QTest::newRow("short titles over long cell texts: landscape")
            << u"甲:A40,乙:A40,丙:A40,丁:A40\n%1,%1,%1,%1\n"_qs.arg(longText) << true;
        QStringList spanned; // four titles of 30 characters, each over two narrow columns
        for (const QChar group : u"甲乙丙丁"_qs)
            spanned << u"%1%2|左:N,%1%2|右:N"_qs.arg(group, QString(29, u'题'));
        QTest::newRow("titles wider than the two columns under them: landscape") << spanned.join(u',') + u"\n1,2\n"_qs << true;
        QStringList many;
        for (int c = 0; c < 30; ++c)
            many << u"列%1:N"_qs.arg(c);
        QTest::newRow("thirty number columns: landscape") << many.join(u',') + u"\n1.25\n"_qs << true;
    }

    void printWithTitles()
    {
        QFETCH(QString, table);
        QFETCH(bool, landscape);
        if (!table.isEmpty()) {
            testdata::writeTable(m_dir->filePath(u"dat/w.db"_qs), table);
            core::shared().CurTable = u"w"_qs;
            m_w->ShowPage(3);
            QCoreApplication::processEvents();
        }
        m_dialogs->printAnswer = true;
        m_dialogs->printFile = m_dir->filePath(u"页.pdf"_qs);
        menu(u"打印…"_qs);
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        const QByteArray pdf = fileBytes(m_dialogs->printFile);
        QVERIFY(pdf.startsWith("%PDF"));
        // The page's size in points, wider than high when it lies.
        const QRegularExpressionMatch box = QRegularExpression(u"/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"_qs).match(QString::fromLatin1(pdf));
        QVERIFY2(box.hasMatch(), pdf.left(400).constData());
        QCOMPARE(box.captured(1).toDouble() > box.captured(2).toDouble(), landscape);
    }
};

QTEST_MAIN(TestDataPageCopy)
#include "tst_datapagecopy.moc"
