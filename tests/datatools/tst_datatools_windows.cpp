// The windows of the data query, data search, result capture and results log, wired to the main
// window, on a scratch copy of the sample data directory.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "binding/dbnavigator.h"
#include "browser/pagearea.h"
#include "core/sharedstate.h"
#include "core/text.h"
#include "datatools/U_cxjg.h"
#include "datatools/U_find.h"
#include "datatools/U_search.h"
#include "datatools/printout.h"
#include "datatools/u_cxls.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "datamodules.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

#include <memory>

namespace {

const QString wrongCondition = QStringLiteral("查询条件不对或所选的字段不支持查询");
// The message about a condition, naming the window it comes from.
QString wrongConditionFrom(const QString &condition)
{
    return wrongCondition + QStringLiteral("\n条件来自“数据查询”窗口：") + condition;
}
const QString crlf = QStringLiteral("\r\n");
const QString unsavedQuestion = QStringLiteral("文本已修改，尚未保存。\n要保存到默认结果文件“cx_jg.rst”吗？");

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestDataToolsWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfrmMain> m_main;

    QString path(const QString &rel) const { return m_dir->filePath(rel); }
    storage::Dataset *tblView() const { return m_main->tblView; }
    binding::DBGrid *DBview() const { return m_main->Panel2->DBview; }

    void showDataPage(const QString &table, int keyColumns = 1, const QString &title = QStringLiteral("测试页"))
    {
        core::SharedState &s = core::shared();
        s.CurTable = table;
        s.CurTitle = title;
        s.KeyColumns = keyColumns;
        m_main->ShowPage(3);
        QCoreApplication::processEvents();
    }

    QStringList visibleKeys() const
    {
        QStringList keys;
        tblView()->scan(0, [&](int, const storage::RowView &row) {
            keys << row.value(0).toString();
            return true;
        });
        return keys;
    }

    void chooseCondition(const QString &field, const QString &op, const QString &value)
    {
        frm_find->ComboBox1->setEditText(field);
        frm_find->ComboBox2->setEditText(op);
        frm_find->Edit1->setText(value);
    }

    // A real double-click on the cell's centre (press, release, press, double-click, release).
    void doubleClickCell(int row, int column)
    {
        const QPoint at = DBview()->visualRect(DBview()->model()->index(row, column)).center();
        QTest::mouseClick(DBview()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(DBview()->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }

    QList<QStringList> logRecords()
    {
        storage::Dataset log;
        log.setDirectory(path(QStringLiteral("database")));
        log.setTableName(QStringLiteral("cx_jl.db"));
        log.open();
        QList<QStringList> out;
        for (log.first(); !log.eof(); log.next()) {
            out << QStringList{log.text(QStringLiteral("查询主题")), log.text(QStringLiteral("查询条件")),
                               log.value(QStringLiteral("查询日期")).toDate().toString(Qt::ISODate),
                               log.text(QStringLiteral("查询结果"))};
        }
        return out;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testdata::buildSample(m_dir->path());
        testdata::writeTable(path(QStringLiteral("dat/q.db")), QStringLiteral("编号:A4,名称:A20,值:N\n"
                                                                            "r1,ABC,12.5\n"
                                                                            "r2,abc,0.5\n"
                                                                            "r3,中文,\n"
                                                                            "r4,a5,15\n"));
        testdata::writeTable(path(QStringLiteral("dat/p.db")), QStringLiteral("值:N,编号:A4\n1,p1\n20,p2\n300,p3\n"));
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Data = new TData;
        Data2 = new TData2;
        m_main = std::make_unique<TfrmMain>(m_dir->path());
        frmMain = m_main.get();
        frm_cxjg = new Tfrm_cxjg;
        frmcxls = new Tfrmcxls;
        frm_find = new Tfrm_find(m_main->tblView);
        frm_search = new Tfrm_search(m_main->tblView, m_main->Panel2->DBview);
        m_main->show();
        QCoreApplication::processEvents();
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        FoundColumn = 0;
    }

    void cleanup()
    {
        for (QWidget *w : std::initializer_list<QWidget *>{frm_cxjg, frmcxls, frm_find, frm_search})
            delete w;
        frm_cxjg = nullptr;
        frmcxls = nullptr;
        frm_find = nullptr;
        frm_search = nullptr;
        m_main.reset();
        frmMain = nullptr;
        testdata::dropDataModules();
        m_dialogs.reset();
        m_dir.reset();
    }

    void queryWindowOpensWithTheFieldList()
    {
        showDataPage(QStringLiteral("q"));
        frm_find->ComboBox2->setEditText(QStringLiteral("Like"));
        m_main->ToolButton6->click();
        QVERIFY(frm_find->isVisible());
        QCOMPARE(frm_find->windowTitle(), QStringLiteral("数据查询"));
        QVERIFY(frm_find->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(frm_find->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(frm_find->ComboBox1->count(), 3);
        QCOMPARE(frm_find->ComboBox1->itemText(1), QStringLiteral("名称"));
        QCOMPARE(frm_find->ComboBox1->currentText(), QString());
        QCOMPARE(frm_find->fieldPosition(), -1);
        QCOMPARE(frm_find->ComboBox2->currentText(), QStringLiteral("Like")); // kept from the last use

        // Opening work runs only from hidden: a second click keeps what the user typed.
        frm_find->Edit1->setText(QStringLiteral("typed"));
        m_main->ToolButton6->click();
        QCOMPARE(frm_find->Edit1->text(), QStringLiteral("typed"));
        frm_find->BitBtn5->click();
        QVERIFY(!frm_find->isVisible());
        m_main->ToolButton6->click();
        QCOMPARE(frm_find->Edit1->text(), QString());
    }

    void queryNarrowsTheView()
    {
        showDataPage(QStringLiteral("q"));
        m_main->ToolButton6->click();
        chooseCondition(QStringLiteral("名称"), QStringLiteral("="), QStringLiteral(" abc "));
        QCOMPARE(frm_find->fieldPosition(), 1);
        frm_find->BitBtn3->click();
        QCoreApplication::processEvents();
        QCOMPARE(visibleKeys(), QStringList{QStringLiteral("r2")});
        QCOMPARE(DBview()->model()->rowCount(), 1);

        // A text that is not exactly an item chooses no field.
        chooseCondition(QStringLiteral("名称 "), QStringLiteral("="), QStringLiteral("abc"));
        QCOMPARE(frm_find->fieldPosition(), -1);

        chooseCondition(QStringLiteral("值"), QStringLiteral("Like"), QStringLiteral("5"));
        frm_find->BitBtn3->click(); // pressed again: the condition of now
        QCoreApplication::processEvents();
        QCOMPARE(visibleKeys(), (QStringList{QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r4")}));
        QVERIFY(m_dialogs->notices.isEmpty());

        tblView()->setCurrentIndex(2);
        frm_find->BitBtn4->click();
        QCOMPARE(visibleKeys().size(), 4);
        QCOMPARE(tblView()->currentIndex(), 0);
        tblView()->setCurrentIndex(2);
        frm_find->BitBtn4->click(); // already off: still back to the first row
        QCOMPARE(tblView()->currentIndex(), 0);
    }

    // While the query is on, every data page says so above the grid: field, operator, value.
    void filterBarSaysWhatIsOn_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("nextPage"); // a data page opened afterwards, the query still on
        QTest::addColumn<QString>("bar");
        const QString only = QStringLiteral("数据查询已开启：只显示 %1 的行。按“撤销查询”显示全部行。");
        QTest::newRow("text") << "名称" << "=" << " abc " << "" << only.arg(QStringLiteral("“名称” = “abc”"));
        QTest::newRow("Like") << "值" << "Like" << "5" << "" << only.arg(QStringLiteral("“值” Like “5”"));
        QTest::newRow("next data page names its own field") << "编号" << ">" << "0" << "p"
                                                            << only.arg(QStringLiteral("“值” > “0”"));
        QTest::newRow("field beyond the next table") << "值" << "<" << "9" << "p"
            << QStringLiteral("数据查询已开启：条件 （第 3 个字段，本表没有） < “9” 不适用于本表，无法判断的行照常显示。");
        QTest::newRow("hand-typed operator") << "值" << "<>" << "abc" << ""
                                             << QStringLiteral("数据查询已开启：条件 “值” <> “abc” 的运算符不可用，显示全部行。");
        QTest::newRow("no field") << "" << "=" << "x" << ""
            << QStringLiteral("数据查询已开启：条件 （未选字段） = “x” 不适用于本表，无法判断的行照常显示。");
    }
    void filterBarSaysWhatIsOn()
    {
        QFETCH(QString, field);
        QFETCH(QString, op);
        QFETCH(QString, value);
        QFETCH(QString, nextPage);
        showDataPage(QStringLiteral("q"));
        QLabel *bar = m_main->Panel2->filterBar;
        QVERIFY(!bar->isVisible());
        m_main->ToolButton6->click();
        chooseCondition(field, op, value);
        QTest::mouseClick(frm_find->BitBtn3, Qt::LeftButton);
        frm_find->BitBtn5->click();
        if (!nextPage.isEmpty())
            showDataPage(nextPage);
        QCoreApplication::processEvents();
        QVERIFY(bar->isVisible());
        QTEST(bar->text(), "bar");
        QVERIFY(bar->geometry().bottom() < DBview()->geometry().top());
        m_main->ShowPage(1); // not a data page: no bar
        QVERIFY(!bar->isVisible());
        showDataPage(QStringLiteral("q"));
        QVERIFY(bar->isVisible());
        m_main->ToolButton6->click();
        QTest::mouseClick(frm_find->BitBtn4, Qt::LeftButton); // 撤销查询
        QVERIFY(!bar->isVisible());
    }

    // A wrong condition is reported once per walk over the table, not once per row.
    void wrongConditionOncePerWalk()
    {
        showDataPage(QStringLiteral("q"));
        m_main->ToolButton6->click();
        frm_find->BitBtn3->click(); // no field chosen
        QCoreApplication::processEvents();
        QCOMPARE(m_dialogs->notices, QStringList{wrongConditionFrom(QStringLiteral("（未选字段） = “”"))});
        QCOMPARE(visibleKeys().size(), 4); // every row passes

        m_dialogs->clear();
        chooseCondition(QStringLiteral("值"), QStringLiteral("="), QStringLiteral("abc"));
        frm_find->BitBtn3->click();
        QCoreApplication::processEvents();
        QCOMPARE(m_dialogs->notices, QStringList{wrongConditionFrom(QStringLiteral("“值” = “abc”"))});
        // the blank cell is decided without the value: "=" rejects it
        QCOMPARE(visibleKeys(), (QStringList{QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r4")}));

        m_dialogs->clear();
        showDataPage(QStringLiteral("q")); // a data page opened under the query walks once more
        QCOMPARE(m_dialogs->notices, QStringList{wrongConditionFrom(QStringLiteral("“值” = “abc”"))});

        m_dialogs->clear();
        chooseCondition(QStringLiteral("值"), QStringLiteral("<>"), QStringLiteral("abc"));
        frm_find->BitBtn3->click();
        QCoreApplication::processEvents();
        QVERIFY(m_dialogs->notices.isEmpty()); // hand-typed operator: all pass, silently
        QCOMPARE(visibleKeys().size(), 4);
    }

    void queryStaysOnAcrossPagesAndExit()
    {
        showDataPage(QStringLiteral("q"));
        m_main->ToolButton6->click();
        chooseCondition(QStringLiteral("编号"), QStringLiteral(">="), QStringLiteral("r3"));
        frm_find->BitBtn3->click();
        frm_find->BitBtn5->click();
        QCoreApplication::processEvents();
        QVERIFY(!frm_find->isVisible());
        QVERIFY(tblView()->filtered());
        QCOMPARE(visibleKeys(), (QStringList{QStringLiteral("r3"), QStringLiteral("r4")}));

        // The field is taken by its position (0) in the next table: "值" >= "r3" cannot be read.
        // The message names the condition, and the query window comes back as it was left.
        showDataPage(QStringLiteral("p"));
        QVERIFY(tblView()->filtered());
        QCOMPARE(m_dialogs->notices, QStringList{wrongConditionFrom(QStringLiteral("“值” >= “r3”"))});
        QVERIFY(frm_find->isVisible());
        QCOMPARE(frm_find->ComboBox1->currentText(), QStringLiteral("编号"));
        QCOMPARE(frm_find->Edit1->text(), QStringLiteral("r3"));
        QCOMPARE(m_main->Panel2->filterBar->text(),
                 QStringLiteral("数据查询已开启：条件 “值” >= “r3” 不适用于本表，无法判断的行照常显示。"));
        m_dialogs->clear();
        frm_find->Edit1->setText(QStringLiteral("20"));
        showDataPage(QStringLiteral("p"));
        QVERIFY(m_dialogs->notices.isEmpty());
        QCOMPARE(visibleKeys(), (QStringList{QStringLiteral("20"), QStringLiteral("300")}));
    }

    void searchFirstAndNext()
    {
        showDataPage(QStringLiteral("q"));
        m_main->ToolButton7->click();
        QVERIFY(frm_search->isVisible());
        QCOMPARE(frm_search->windowTitle(), QStringLiteral("数据搜索"));
        frm_search->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frm_search));
        QTest::keyClicks(frm_search->Edit1, QStringLiteral("5"));
        QTest::mouseClick(frm_search->BitBtn1, Qt::LeftButton);
        // The hit takes the keyboard to the grid: the arrow keys move in the table at once.
        QTRY_COMPARE(QApplication::focusWidget(), DBview());
        QVERIFY(frm_search->isVisible());
        QCOMPARE(tblView()->currentIndex(), 0); // 12.5 in row r1
        QCOMPARE(DBview()->selectedColumn(), 2);
        QCOMPARE(DBview()->currentIndex().row(), 0);
        QCOMPARE(FoundColumn, 2);
        frm_search->BitBtn2->click(); // last field: on from the next row
        QCOMPARE(tblView()->currentIndex(), 1);
        QCOMPARE(DBview()->selectedColumn(), 2);
        frm_search->BitBtn2->click(); // two fields of r4: the left one first
        QCOMPARE(tblView()->currentIndex(), 3);
        QCOMPARE(DBview()->selectedColumn(), 1);
        frm_search->BitBtn2->click();
        QCOMPARE(tblView()->currentIndex(), 3);
        QCOMPARE(DBview()->selectedColumn(), 2);
        frm_search->BitBtn2->click(); // nothing more: silence at the end, no wrap-around
        frm_search->BitBtn2->click();
        QCOMPARE(tblView()->currentIndex(), 3);
        QVERIFY(m_dialogs->notices.isEmpty());

        frm_search->Edit1->setText(QStringLiteral("abcd"));
        tblView()->first();
        frm_search->BitBtn1->click();
        QCOMPARE(m_dialogs->notices, QStringList{QStringLiteral("没有搜索结果")});
        QCOMPARE(tblView()->currentIndex(), 3);
        QCOMPARE(frm_search->Edit1->text(), QStringLiteral("abcd")); // kept between uses
    }

    void searchSeesOnlyRowsPassingTheQuery()
    {
        showDataPage(QStringLiteral("q"));
        m_main->ToolButton6->click();
        chooseCondition(QStringLiteral("编号"), QStringLiteral(">"), QStringLiteral("r1"));
        frm_find->BitBtn3->click();
        m_main->ToolButton7->click();
        frm_search->Edit1->setText(QStringLiteral("12.5"));
        frm_search->BitBtn1->click();
        QCOMPARE(m_dialogs->notices, QStringList{QStringLiteral("没有搜索结果")});
    }

    void searchWithoutTable()
    {
        showDataPage(QString()); // a data page without a table leaves tblView closed
        m_main->ToolButton7->click();
        frm_search->Edit1->setText(QStringLiteral("5"));
        frm_search->BitBtn1->click();
        frm_search->BitBtn2->click();
        QCOMPARE(m_dialogs->errors.size(), 2);
        QVERIFY(m_dialogs->errors[0].contains(QStringLiteral("closed dataset")));
    }

    void doubleClickReportsAndStores()
    {
        showDataPage(QStringLiteral("q"), 1, QStringLiteral("测试页"));
        const QByteArray table = fileBytes(path(QStringLiteral("dat/q.db")));
        doubleClickCell(0, 2);
        QVERIFY(frm_cxjg->isVisible());
        QCOMPARE(frm_cxjg->E_zt->text(), QStringLiteral("测试页"));
        const QString report = QStringLiteral("编号") + QString(30, u' ') + QStringLiteral("值\n") + QString(50, u'-')
                               + QStringLiteral("\nr1") + QString(38, u' ') + QStringLiteral("12.5\n");
        QVERIFY(frm_cxjg->Memo1->toPlainText().startsWith(report));
        QVERIFY(core::shared().ResultText.isEmpty());
        QCOMPARE(tblView()->currentIndex(), 3); // the walk ends on the last row

        // While the window is open a new report is not displayed.
        const QString shown = frm_cxjg->Memo1->toPlainText();
        doubleClickCell(1, 1);
        QCOMPARE(frm_cxjg->Memo1->toPlainText(), shown);
        QVERIFY(core::shared().ResultText.contains(QStringLiteral("名称")));
        QCOMPARE(fileBytes(path(QStringLiteral("dat/q.db"))), table); // capturing writes nothing

        // A topic of 61 bytes keeps its first whole characters within 40 bytes.
        frm_cxjg->E_zt->setText(QStringLiteral("a") + QString(30, QChar(0x4E2D)));
        frm_cxjg->BitBtn1->click();
        QCOMPARE(m_dialogs->notices, QStringList{QStringLiteral("保存完毕")});
        frm_cxjg->BitBtn2->click();
        QVERIFY(frm_cxjg->Memo1->toPlainText().isEmpty());
        frm_cxjg->BitBtn1->click();
        const QList<QStringList> records = logRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0][0], QStringLiteral("a") + QString(19, QChar(0x4E2D)));
        QCOMPARE(records[0][1], QStringLiteral("双击"));
        QCOMPARE(records[0][2], QDate::currentDate().toString(Qt::ISODate));
        QCOMPARE(records[0][3], core::toCrLf(shown));
        QVERIFY(records[0][3].contains(QStringLiteral("12.5\r\n")));
        QCOMPARE(records[1][3], QString());

        frm_cxjg->BitBtn3->click();
        QVERIFY(!frm_cxjg->isVisible());
    }

    void aLongReportArrivesInSlicesAndIsStoredWhole()
    {
        QString report;
        for (int i = 0; i < 40000; ++i)
            report += QStringLiteral("GB%1        第%1行\r\n").arg(i);
        core::shared().ResultText = report;
        frm_cxjg->showWindow();
        const QString start = frm_cxjg->Memo1->toPlainText();
        QVERIFY(start.startsWith(QStringLiteral("GB0        第0行\nGB1")));
        QVERIFY2(start.size() < report.size() - 40000, "the first slice is shown at once, the rest follows");
        // "保存" stores the whole report, also while the rest is still arriving.
        frm_cxjg->BitBtn1->click();
        QCOMPARE(logRecords().value(0).value(3), report);
        QCOMPARE(frm_cxjg->Memo1->toPlainText(), core::fromCrLf(report));
        QVERIFY(frm_cxjg->Memo1->isUndoRedoEnabled());

        // Shown again: the slices arrive on their own; "清除" drops what has not arrived yet.
        frm_cxjg->BitBtn3->click();
        core::shared().ResultText = report;
        frm_cxjg->showWindow();
        QTRY_COMPARE(frm_cxjg->Memo1->toPlainText(), core::fromCrLf(report));
        frm_cxjg->BitBtn3->click();
        core::shared().ResultText = report;
        frm_cxjg->showWindow();
        frm_cxjg->BitBtn2->click();
        QTest::qWait(50);
        QVERIFY(frm_cxjg->Memo1->toPlainText().isEmpty());
    }

    void recordListingAndFailedStore()
    {
        showDataPage(QStringLiteral("q"), 0);
        doubleClickCell(2, 1);
        QCOMPARE(frm_cxjg->Memo1->toPlainText(),
                 QStringLiteral("编号:    r3\n名称:    中文\n值:    \n") + QString(24, u' ') + u'\n');
        QFile::remove(path(QStringLiteral("database/cx_jl.db")));
        frm_cxjg->BitBtn1->click();
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY(m_dialogs->notices.isEmpty());
        QVERIFY(!frm_cxjg->T_cxjl->isOpen());
    }

    void resultsLogImportAndFiles()
    {
        writeBytes(path(QStringLiteral("cx_jg.rst")), QByteArray("first\nsecond"));
        m_main->N6->trigger();
        QVERIFY(frmcxls->isVisible());
        QCOMPARE(LogFile, path(QStringLiteral("cx_jg.rst")));
        QCOMPARE(frmcxls->paneText(), QStringLiteral("first\r\nsecond"));
        frmcxls->BitBtn9->click(); // LF-only file written back with CR LF
        QCOMPARE(fileBytes(LogFile), QByteArray("first\r\nsecond"));

        const QString rule(43, u'-');
        frmcxls->BitBtn11->click();
        frmcxls->BitBtn2->click(); // empty log
        QCOMPARE(frmcxls->paneText(), QString(4, u' ') + crlf + rule + crlf + crlf + rule + crlf);

        // A stored result appears in the log when the window opens again; the imported text is
        // dropped only on the user's word.
        m_dialogs->saveChoices.enqueue(core::Dialogs::SaveChoice::Discard);
        frmcxls->BitBtn13->click();
        QCOMPARE(m_dialogs->questions, QStringList{unsavedQuestion});
        m_dialogs->clear();
        QVERIFY(!frmcxls->T_cx->isOpen());
        frm_cxjg->showWindow();
        frm_cxjg->E_zt->setText(QStringLiteral("主题"));
        frm_cxjg->Memo1->setPlainText(QStringLiteral("结果 1\n"));
        frm_cxjg->BitBtn1->click();
        m_main->ToolButton8->click();
        QCOMPARE(frmcxls->paneText(), QStringLiteral("first\r\nsecond")); // reloaded; closing did not save
        QCOMPARE(frmcxls->T_cx->recordCount(), 1);
        frmcxls->BitBtn11->click();
        frmcxls->BitBtn2->click();
        QCOMPARE(frmcxls->paneText(), QString(4, u' ') + crlf + rule + crlf + QStringLiteral("结果 1\r\n\r\n") + rule + crlf);

        // "保存" writes the default log file, never the file opened last.
        const QString other = path(QStringLiteral("other.txt"));
        writeBytes(other, QByteArray("\xd6\xd0\r\n"));
        m_dialogs->files.enqueue(other);
        m_dialogs->saveChoices.enqueue(core::Dialogs::SaveChoice::Discard); // the imported block
        frmcxls->BitBtn1->click();
        QCOMPARE(frmcxls->paneText(), QStringLiteral("中\r\n"));
        m_dialogs->clear();
        frmcxls->Memo1->moveCursor(QTextCursor::End);
        frmcxls->Memo1->insertPlainText(QStringLiteral("改"));
        frmcxls->BitBtn9->click();
        QCOMPARE(fileBytes(other), QByteArray("\xd6\xd0\r\n"));
        QCOMPARE(fileBytes(LogFile), core::toCp936(QStringLiteral("中\r\n改")));
        const QString saved = path(QStringLiteral("saved.rst"));
        m_dialogs->files.enqueue(saved);
        frmcxls->BitBtn10->click();
        QCOMPARE(fileBytes(saved), fileBytes(LogFile));
        frmcxls->BitBtn10->click(); // cancelled: nothing happens
        QVERIFY(m_dialogs->errors.isEmpty());

        frmcxls->BitBtn11->click();
        frmcxls->BitBtn9->click();
        QCOMPARE(QFile(LogFile).size(), 0);

        m_dialogs->answers.enqueue(true);
        frmcxls->DBNavigator1->deleteButton()->click();
        QCOMPARE(m_dialogs->questions, QStringList{QStringLiteral("Delete record?")});
        QCOMPARE(frmcxls->T_cx->recordCount(), 0);
    }

    // "退出" (and the main window's closing) ask before text the user changed is dropped; the
    // next opening reloads the default log file only when nothing unsaved is lost.
    void resultsLogAsksBeforeDroppingText_data()
    {
        QTest::addColumn<QString>("change"); // typed, imported, or nothing
        QTest::addColumn<QString>("closing"); // through 退出, 打开 or the main window
        QTest::addColumn<int>("choice");     // the answer, -1: no question expected
        QTest::addColumn<bool>("stays");
        QTest::addColumn<QByteArray>("file"); // the default log file afterwards
        const int save = int(core::Dialogs::SaveChoice::Save);
        const int discard = int(core::Dialogs::SaveChoice::Discard);
        const int cancel = int(core::Dialogs::SaveChoice::Cancel);
        QTest::newRow("unchanged: no question") << "" << "退出" << -1 << false << QByteArray("log");
        QTest::newRow("typed, save") << "typed" << "退出" << save << false << QByteArray("log\r\nab");
        QTest::newRow("typed, discard") << "typed" << "退出" << discard << false << QByteArray("log");
        QTest::newRow("typed, cancel") << "typed" << "退出" << cancel << true << QByteArray("log");
        QTest::newRow("imported, cancel") << "imported" << "退出" << cancel << true << QByteArray("log");
        QTest::newRow("typed, then 打开, cancel") << "typed" << "打开" << cancel << true << QByteArray("log");
        QTest::newRow("typed, main window closes, cancel") << "typed" << "main" << cancel << true << QByteArray("log");
        QTest::newRow("typed, main window closes, save") << "typed" << "main" << save << false << QByteArray("log\r\nab");
    }
    void resultsLogAsksBeforeDroppingText()
    {
        QFETCH(QString, change);
        QFETCH(QString, closing);
        QFETCH(int, choice);
        QFETCH(bool, stays);
        writeBytes(path(QStringLiteral("cx_jg.rst")), QByteArray("log"));
        m_main->ToolButton8->click();
        if (change == u"typed") {
            frmcxls->Memo1->moveCursor(QTextCursor::End);
            QTest::keyClick(frmcxls->Memo1, Qt::Key_Return);
            QTest::keyClicks(frmcxls->Memo1, QStringLiteral("ab"));
        } else if (change == u"imported") {
            QTest::mouseClick(frmcxls->BitBtn2, Qt::LeftButton);
        }
        const QString changed = frmcxls->paneText();
        if (choice >= 0)
            m_dialogs->saveChoices.enqueue(core::Dialogs::SaveChoice(choice));
        m_dialogs->files.enqueue(path(QStringLiteral("other.rst")));
        writeBytes(path(QStringLiteral("other.rst")), QByteArray("other"));
        if (closing == u"退出")
            QTest::mouseClick(frmcxls->BitBtn13, Qt::LeftButton);
        else if (closing == u"打开")
            QTest::mouseClick(frmcxls->BitBtn1, Qt::LeftButton);
        else
            m_main->close();
        QCOMPARE(m_dialogs->questions, choice >= 0 ? QStringList{unsavedQuestion} : QStringList());
        QTEST(fileBytes(LogFile), "file");
        if (closing == u"打开") {
            QVERIFY(stays);
            QCOMPARE(frmcxls->paneText(), changed); // nothing opened over it
            QCOMPARE(m_dialogs->files.size(), 1);
            return;
        }
        QCOMPARE(frmcxls->isVisible(), stays);
        if (closing == u"main")
            QCOMPARE(m_main->isVisible(), stays);
        if (stays) {
            QCOMPARE(frmcxls->paneText(), changed);
            QVERIFY(frmcxls->T_cx->isOpen());
            return;
        }
        m_dialogs->clear();
        m_main->ToolButton8->click(); // reopened: the default log file, as it is now
        QCOMPARE(frmcxls->paneText(), core::fromCp936(fileBytes(LogFile)));
        QVERIFY(m_dialogs->questions.isEmpty());
    }

    // Every line break the user types is stored and written as CR LF, Shift+Enter included
    // (a plain-text box would put in the line separator U+2028, GB18030 bytes 81 36 A6 35).
    void lineBreaksAreCrLf_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        for (const char *pane : {"report", "log"}) {
            QTest::addRow("%s: Enter", pane) << QString::fromLatin1(pane) << int(Qt::Key_Return) << int(Qt::NoModifier);
            QTest::addRow("%s: Shift+Enter", pane) << QString::fromLatin1(pane) << int(Qt::Key_Return) << int(Qt::ShiftModifier);
            QTest::addRow("%s: Shift+keypad Enter", pane) << QString::fromLatin1(pane) << int(Qt::Key_Enter)
                                                          << int(Qt::ShiftModifier | Qt::KeypadModifier);
        }
    }
    void lineBreaksAreCrLf()
    {
        QFETCH(QString, pane);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const bool report = pane == u"report";
        if (report)
            frm_cxjg->showWindow();
        else
            m_main->ToolButton8->click();
        QPlainTextEdit *box = report ? frm_cxjg->Memo1 : frmcxls->Memo1;
        QTest::mouseClick(report ? frm_cxjg->BitBtn2 : frmcxls->BitBtn11, Qt::LeftButton); // empty the pane
        QTest::keyClicks(box, QStringLiteral("a"));
        QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::keyClicks(box, QStringLiteral("b"));
        QByteArray stored;
        if (report) {
            QTest::mouseClick(frm_cxjg->BitBtn1, Qt::LeftButton);
            stored = core::toCp936(logRecords().constLast()[3]);
        } else {
            QTest::mouseClick(frmcxls->BitBtn9, Qt::LeftButton);
            stored = fileBytes(LogFile);
        }
        QCOMPARE(stored, QByteArray("a\r\nb"));
        QCOMPARE(box->blockCount(), 2); // shown as two lines as it is stored
    }

    // The log shows reports, stored and gathered, in the query-result window's monospaced face:
    // a Chinese character is as wide as two letters, so byte-spaced columns line up.
    void logPaneUsesTheReportFace()
    {
        const QFont log = frmcxls->Memo1->font();
        QCOMPARE(QFontInfo(log).family(), QFontInfo(frm_cxjg->Memo1->font()).family());
        QCOMPARE(frmcxls->DBMemo1->font(), log); // the stored text of the current record too
        QVERIFY(log.pointSizeF() > 0); // the printout takes the pane's font at its point size
        const QFontMetrics m(log);
        QCOMPARE(m.horizontalAdvance(QStringLiteral("中文")), m.horizontalAdvance(QStringLiteral("abcd")));
        QCOMPARE(m.horizontalAdvance(QStringLiteral("    ")), m.horizontalAdvance(QStringLiteral("1.25")));
    }

    // "另存为" and "打开" touch only regular files: anything else is refused with the error box and
    // left as it was, the pane unchanged.
    void resultsLogFilesAreRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << QStringLiteral("fifo");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("link to a FIFO") << QStringLiteral("link");
    }
    void resultsLogFilesAreRegularFiles()
    {
        QFETCH(QString, kind);
        const QString fifo = path(QStringLiteral("pipe.rst"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QString target = fifo;
        if (kind == u"folder") {
            target = path(QStringLiteral("folder.rst"));
            QVERIFY(QDir().mkpath(target));
        } else if (kind == u"link") {
            target = path(QStringLiteral("link.rst"));
            QVERIFY(QFile::link(fifo, target));
        }
        m_main->N6->trigger();
        frmcxls->setPaneText(QStringLiteral("结果"));
        m_dialogs->files.enqueue(target);
        frmcxls->BitBtn10->click();
        m_dialogs->files.enqueue(target);
        m_dialogs->saveChoices.enqueue(core::Dialogs::SaveChoice::Discard); // the pane's text was changed
        frmcxls->BitBtn1->click(); // a FIFO would block the window for ever
        QCOMPARE(m_dialogs->errors.size(), 2);
        QVERIFY2(m_dialogs->errors[0].contains(QStringLiteral("Not a regular file")), qPrintable(m_dialogs->errors[0]));
        QCOMPARE(frmcxls->paneText(), QStringLiteral("结果"));
        QVERIFY(!QFileInfo(fifo).isFile());
        QVERIFY(!QFileInfo(target).isFile());
        m_dialogs->clear();
    }

    void resultsLogOpeningFailure()
    {
        QFile::remove(path(QStringLiteral("cx_jg.rst")));
        m_main->ToolButton8->click();
        QVERIFY(frmcxls->isVisible());
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY(frmcxls->T_cx->isOpen());
    }

    void printToPdf()
    {
        m_main->ToolButton8->click();
        QString text;
        const QString line = QStringLiteral("长的一行 ") + QString(150, u'x') + QStringLiteral(" 结尾");
        for (int i = 0; i < 150; ++i)
            text += line + crlf;
        frmcxls->setPaneText(text);
        const QStringList lines = datatools::displayedLines(frmcxls->Memo1);
        QVERIFY(lines.size() > 300); // the pane wraps every long line
        QCOMPARE(lines.mid(0, lines.size() / 150).join(QString()), line);

        const QString pdf = path(QStringLiteral("log.pdf"));
        frmcxls->PrintDialog1().setOutputFormat(QPrinter::PdfFormat);
        frmcxls->PrintDialog1().setOutputFileName(pdf);
        frmcxls->BitBtn12->click(); // cancelled
        QVERIFY(!QFile::exists(pdf));
        m_dialogs->printAnswer = true;
        frmcxls->BitBtn12->click();
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        const QByteArray bytes = fileBytes(pdf);
        const qsizetype pages = QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    }
};

QTEST_MAIN(TestDataToolsWindows)
#include "tst_datatools_windows.moc"
