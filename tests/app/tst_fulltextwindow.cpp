// The "全文" tab in the main window: typing searches, a click or Return on a hit opens its page
// with history and puts the user on the hit.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/pagearea.h"
#include "browserfixture.h"
#include "fits/DataUnit.h"
#include "fulltext/hitmodel.h"
#include "fulltext/indexfile.h"
#include "fulltext/searchpanel.h"
#include "geotol/DataofShapeLocation.h"
#include "datamodules.h"
#include "scripteddialogs.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

class TestFulltextWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BrowserFixture> m_fx;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfrmMain> m_w;

    fulltext::SearchPanel *panel() const { return m_w->Pan_full; }

    int historyRows() const
    {
        auto h = m_fx->table(QStringLiteral("History.DB"));
        h->open();
        return h->recordCount();
    }

    // index: "fresh", "none", or "stale" (a page changed after the index was written).
    void start(const QString &index)
    {
        if (index != u"none")
            fulltext::buildIndex(m_fx->dir.path());
        if (index == u"stale") {
            QFile page(m_fx->path(QStringLiteral("txt/yiban.html")));
            QVERIFY(page.open(QIODevice::ReadWrite));
            QVERIFY(page.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
        }
        m_w = std::make_unique<TfrmMain>(m_fx->dir.path());
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        m_w->PageControl->setCurrentWidget(m_w->Ts_full);
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
    }

    // Types the text into the box and returns the row of the first hit whose lines hold every
    // part of `hit` ("|" between the parts), scrolling further down the list while none does.
    int search(const QString &text, const QString &hit)
    {
        panel()->E_full->clear();
        // Key presses carrying each character's text, as a keyboard or an input method gives them.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, panel()->E_full, Qt::Key_unknown, QString(c), Qt::NoModifier);
        fulltext::HitModel *hits = panel()->hits;
        const QStringList parts = hit.split(u'|');
        for (int row = 0;; ++row) {
            if (row == hits->rowCount()) {
                if (hits->canFetchMore({}))
                    hits->fetchMore({}); // the rows a user reaches by scrolling down
                if (row == hits->rowCount())
                    return -1;
            }
            const QString lines = hits->index(row).data().toString();
            if (std::all_of(parts.cbegin(), parts.cend(), [&](const QString &p) { return lines.contains(p); }))
                return row;
        }
    }

    void clickHit(int row)
    {
        QListView *list = panel()->LV_full;
        list->scrollTo(panel()->hits->index(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(panel()->hits->index(row)).center());
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<BrowserFixture>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Data = new TData;
        Data2 = new TData2;
    }

    void cleanup()
    {
        m_w.reset();
        testdata::dropDataModules();
        m_dialogs.reset();
        m_fx.reset();
    }

    void clickedHitOpensItsPlace_data()
    {
        QTest::addColumn<QString>("index");    // the index file: fresh, none, stale
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hit");      // a text of the hit's lines in the list
        QTest::addColumn<QString>("title");    // the page title afterwards
        QTest::addColumn<int>("gridRow");      // -1: not a data page
        QTest::addColumn<int>("gridColumn");
        QTest::addColumn<QString>("selected"); // text selected in the page or the note
        QTest::newRow("a value only in a table cell") << QStringLiteral("fresh") << QStringLiteral("1.373") << QStringLiteral("第 1 行 · 基本尺寸/mm › 中径 d2")
                                                      << QStringLiteral("普通螺纹基本尺寸") << 0 << 2 << QString();
        QTest::newRow("a cell further down") << QStringLiteral("fresh") << QStringLiteral("6204") << QStringLiteral("第 5 行")
                                             << QStringLiteral("深沟球轴承 62 系列") << 4 << 0 << QString();
        QTest::newRow("page text, the third occurrence") << QStringLiteral("fresh") << QStringLiteral("配合") << QStringLiteral("正文|配合公差等于")
                                                         << QString() << -1 << -1 << QStringLiteral("配合");
        QTest::newRow("a note") << QStringLiteral("fresh") << QStringLiteral("几何平均值") << QStringLiteral("注释") << QStringLiteral("标准公差因子")
                                << -1 << -1 << QStringLiteral("几何平均值");
        QTest::newRow("a title") << QStringLiteral("fresh") << QStringLiteral("标准公差数值") << QStringLiteral("标题") << QStringLiteral("标准公差数值")
                                 << 0 << 0 << QString();
        QTest::newRow("without the index, a cell") << QStringLiteral("none") << QStringLiteral("1.373") << QStringLiteral("d2")
                                                   << QStringLiteral("普通螺纹基本尺寸") << 0 << 2 << QString();
        QTest::newRow("a stale index: not used, a cell") << QStringLiteral("stale") << QStringLiteral("1.373") << QStringLiteral("d2")
                                                         << QStringLiteral("普通螺纹基本尺寸") << 0 << 2 << QString();
        QTest::newRow("without the index, page text") << QStringLiteral("none") << QStringLiteral("配合") << QStringLiteral("正文")
                                                      << QString() << -1 << -1 << QStringLiteral("配合");
    }

    void clickedHitOpensItsPlace()
    {
        QFETCH(QString, index);
        QFETCH(QString, text);
        QFETCH(QString, hit);
        QFETCH(QString, title);
        QFETCH(int, gridRow);
        QFETCH(int, gridColumn);
        QFETCH(QString, selected);
        start(index);
        const int row = search(text, hit);
        QVERIFY2(row >= 0, qPrintable(panel()->L_state->text()));
        const QString state = panel()->L_state->text();
        QCOMPARE(state.contains(QStringLiteral("没有全文索引")), index == u"none");
        QCOMPARE(state.contains(QStringLiteral("全文索引早于内容")), index == u"stale");
        QCOMPARE(state.contains(QStringLiteral("较慢")), index != u"fresh");
        clickHit(row);
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        QCOMPARE(historyRows(), 1);
        if (!title.isEmpty())
            QCOMPARE(m_w->Panel2->itemtitle->text(), title);
        if (gridRow >= 0) {
            QVERIFY(m_w->Panel2->DBview->isVisible());
            QCOMPARE(m_w->Panel2->DBview->currentIndex().row(), gridRow);
            QCOMPARE(m_w->Panel2->DBview->currentIndex().column(), gridColumn);
            QCOMPARE(m_w->tblView->currentIndex(), gridRow);
        }
        if (!selected.isEmpty()) {
            const QString inPage = m_w->Panel2->WebBrowser->isVisible() ? m_w->Panel2->WebBrowser->textCursor().selectedText()
                                                                         : m_w->Panel2->DBMemo1->textCursor().selectedText();
            QCOMPARE(inPage, selected);
        }
        // The note box follows the opened node.
        QCOMPARE(m_w->Panel2->DBMemo1->toPlainText(), m_w->T_Full->text(QStringLiteral("CMemo")).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void pageTextHitSelectsItsOwnOccurrence()
    {
        start(QStringLiteral("fresh"));
        const int first = search(QStringLiteral("配合"), QStringLiteral("正文"));
        QVERIFY(first >= 0);
        clickHit(first + 2);
        const QTextCursor c = m_w->Panel2->WebBrowser->textCursor();
        QCOMPARE(c.selectedText(), QStringLiteral("配合"));
        const QString excerpt = panel()->hits->hit(first + 2).excerpt;
        const QString shown = m_w->Panel2->WebBrowser->document()->toPlainText();
        QVERIFY2(shown.mid(c.selectionStart() - 4, 12).replace(u'\n', u' ').contains(excerpt.mid(panel()->hits->hit(first + 2).at - 4, 6)),
                 qPrintable(excerpt));
    }

    void returnOpensTheCurrentHit()
    {
        start(QStringLiteral("fresh"));
        QVERIFY(search(QStringLiteral("1.373"), QStringLiteral("d2")) == 0);
        QTest::keyClick(panel()->E_full, Qt::Key_Return); // in the box: the current (first) hit
        QCOMPARE(m_w->Panel2->itemtitle->text(), QStringLiteral("普通螺纹基本尺寸"));
        QCOMPARE(historyRows(), 1);
        QVERIFY(m_w->Panel2->DBview->hasFocus());
        QVERIFY(search(QStringLiteral("深沟球轴承"), QStringLiteral("标题")) >= 0);
        QTest::keyClick(panel()->E_full, Qt::Key_Down); // into the list
        QVERIFY(panel()->LV_full->hasFocus());
        QTest::keyClick(panel()->LV_full, Qt::Key_Down);
        const QString chosen = panel()->hits->hit(panel()->LV_full->currentIndex().row()).pageTitle;
        QTest::keyClick(panel()->LV_full, Qt::Key_Return);
        QCOMPARE(m_w->T_Full->text(QStringLiteral("CName")), chosen);
        QCOMPARE(historyRows(), 2);
    }

    void aRowTheDataQueryHidesIsNamed()
    {
        start(QStringLiteral("fresh"));
        m_w->tblView->setFilterCallback([](const storage::RowView &) { return false; });
        m_w->tblView->setFiltered(true);
        clickHit(search(QStringLiteral("1.373"), QStringLiteral("d2")));
        QCOMPARE(m_w->Panel2->itemtitle->text(), QStringLiteral("普通螺纹基本尺寸"));
        QVERIFY2(panel()->L_state->text().contains(QStringLiteral("第 1 行不在数据查询的结果中")), qPrintable(panel()->L_state->text()));
    }

    void moreHitsAsTheListScrolls()
    {
        start(QStringLiteral("fresh"));
        search(QStringLiteral("1"), QString());
        fulltext::HitModel *hits = panel()->hits;
        const int first = hits->rowCount();
        QCOMPARE(first, hits->screenful());
        QVERIFY(panel()->L_state->text().contains(QStringLiteral("向下滚动")));
        QListView *list = panel()->LV_full;
        list->setFocus();
        list->setCurrentIndex(hits->index(first - 1));
        QTest::keyClick(list, Qt::Key_End);
        QTest::keyClick(list, Qt::Key_PageDown);
        QCoreApplication::processEvents();
        QVERIFY2(hits->rowCount() > first, qPrintable(QString::number(hits->rowCount())));
    }

    void bookmarkOfTheOpenedHit()
    {
        start(QStringLiteral("fresh"));
        clickHit(search(QStringLiteral("1.373"), QStringLiteral("d2")));
        m_w->N18->trigger();
        QCOMPARE(m_dialogs->notices.value(0), QStringLiteral("添加完毕"));
        auto book = m_fx->table(QStringLiteral("ibook.db"));
        book->open();
        book->last();
        QCOMPARE(book->text(QStringLiteral("CName")), QStringLiteral("普通螺纹基本尺寸"));
    }
};

QTEST_MAIN(TestFulltextWindow)
#include "tst_fulltextwindow.moc"
