// Selection steps, the navigation history, the tree node lookup, the index and find lists and
// bookmarks, on a scratch data directory.
#include "browser/bookmarks.h"
#include "browser/catalogue.h"
#include "browser/navigation.h"
#include "browser/titlelists.h"
#include "browserfixture.h"
#include "core/error.h"
#include "storage/sqlite.h"

#include <QTest>

class TestNavigation : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BrowserFixture> m_fx;
    QList<unsigned> m_kinds;  // kinds shown, in order
    QStringList m_titles;     // CurTitle at each showing
    browser::ShowPageFn m_show = [this](unsigned kind) {
        m_kinds << kind;
        m_titles << core::shared().CurTitle;
    };

    // A catalogue of pages "页1".."页n" with kind 3, plus a heading "目录" as row n + 1.
    std::unique_ptr<storage::Dataset> pages(int n)
    {
        QStringList rows;
        for (int i = 1; i <= n; ++i)
            rows << QStringLiteral("p%1,01,页%1,3,%1,t%1,注%1,pic%1").arg(i);
        rows << QStringLiteral("h,01,目录,,,,,");
        m_fx->writeCatalogue(QStringLiteral("pages.db"), rows);
        auto ds = m_fx->table(QStringLiteral("pages.db"));
        ds->open();
        return ds;
    }

    void visit(browser::History &history, storage::Dataset &source, int row)
    {
        source.setCurrentIndex(row);
        if (browser::selectPage(source, m_show))
            history.add(source);
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<BrowserFixture>();
        m_kinds.clear();
        m_titles.clear();
    }

    void selectionStepsCopyThePageValues()
    {
        auto src = pages(2);
        src->setCurrentIndex(1);
        core::shared().CurPicture = QStringLiteral("old");
        QVERIFY(browser::selectPage(*src, m_show));
        const core::SharedState &s = core::shared();
        QCOMPARE(s.CurTable, QStringLiteral("t2"));
        QCOMPARE(s.CurPicture, QStringLiteral("pic2"));
        QCOMPARE(s.KeyColumns, 2);
        QCOMPARE(m_titles, QStringList{u"页2"_qs});
        QCOMPARE(m_kinds, QList<unsigned>{3});
    }

    void headingShowsTheCoverAndKeepsTheTitle()
    {
        auto src = pages(1);
        core::shared().CurTitle = QStringLiteral("之前");
        src->setCurrentIndex(1);
        QVERIFY(!browser::selectPage(*src, m_show));
        QCOMPARE(m_kinds, QList<unsigned>{0});
        QCOMPARE(core::shared().CurTitle, QStringLiteral("之前"));
        QCOMPARE(core::shared().KeyColumns, 0);
        QVERIFY(core::shared().CurTable.isEmpty());
    }

    void badPageKind_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("error");
        QTest::newRow("not a number") << "x3" << "'x3' is not a valid integer value";
        QTest::newRow("decimal") << "3.5" << "'3.5' is not a valid integer value";
    }
    void badPageKind()
    {
        QFETCH(QString, frame);
        QFETCH(QString, error);
        m_fx->writeCatalogue(QStringLiteral("bad.db"), {QStringLiteral("b1,01,坏页,%1,4,tb,,picb").arg(frame)});
        auto src = m_fx->table(QStringLiteral("bad.db"));
        src->open();
        try {
            browser::selectPage(*src, m_show);
            QFAIL("no error");
        } catch (const core::Error &e) {
            QCOMPARE(e.text(), error);
        }
        QVERIFY(m_kinds.isEmpty()); // no page switched
        QCOMPARE(core::shared().CurTable, QStringLiteral("tb"));
        QCOMPARE(core::shared().CurPicture, QStringLiteral("picb"));
        QCOMPARE(core::shared().KeyColumns, 4);
        QCOMPARE(core::shared().CurTitle, QStringLiteral("坏页"));
    }

    void negativeKindWraps()
    {
        QCOMPARE(browser::pageKind(QStringLiteral("-1")), 4294967295u);
        QCOMPARE(browser::pageKind(QStringLiteral(" 7 ")), 7u);
    }

    void historySteps()
    {
        auto src = pages(5);
        auto table = m_fx->table(QStringLiteral("History.DB"));
        browser::History history(*table, m_show);
        // empty history: both buttons do nothing
        history.stepNewer();
        history.stepOlder();
        table->close();
        QVERIFY(m_kinds.isEmpty());
        visit(history, *src, 0); // A
        m_titles.clear();
        history.stepOlder(); // one row: nothing
        table->close();
        history.stepNewer();
        QVERIFY(m_titles.isEmpty());
        visit(history, *src, 1); // B
        visit(history, *src, 2); // C
        m_titles.clear();
        history.stepOlder();
        history.stepOlder();
        history.stepOlder(); // at the oldest: nothing
        history.stepNewer();
        QCOMPARE(m_titles, (QStringList{u"页2"_qs, u"页1"_qs, u"页2"_qs}));
    }

    void historyForwardFromTheOldest()
    {
        auto src = pages(5);
        auto table = m_fx->table(QStringLiteral("History.DB"));
        browser::History history(*table, m_show);
        for (int i = 0; i < 5; ++i)
            visit(history, *src, i);
        m_titles.clear();
        const int keyColumns = core::shared().KeyColumns;
        history.stepNewer();
        QCOMPARE(m_titles, QStringList{u"页2"_qs});
        QCOMPARE(core::shared().KeyColumns, keyColumns); // stepping leaves the key columns
        QCOMPARE(core::shared().CurTable, QStringLiteral("t2"));
    }

    void historyKeepsTheLast21AndSkipsHeadings()
    {
        auto src = pages(25);
        auto table = m_fx->table(QStringLiteral("History.DB"));
        browser::History history(*table, m_show);
        for (int i = 0; i < 25; ++i)
            visit(history, *src, i);
        visit(history, *src, 25); // the heading adds no row
        QVERIFY(!table->isOpen());
        table->open();
        QCOMPARE(table->recordCount(), 21);
        QCOMPARE(table->text(QStringLiteral("CName")), QStringLiteral("页5"));
        table->last();
        QCOMPARE(table->text(QStringLiteral("CName")), QStringLiteral("页25"));
        QCOMPARE(table->text(QStringLiteral("CMemo")), QStringLiteral("注25"));
        QCOMPARE(table->value(QStringLiteral("COrder")).toInt(), 25);
    }

    void visitAfterSteppingAppends()
    {
        auto src = pages(3);
        auto table = m_fx->table(QStringLiteral("History.DB"));
        browser::History history(*table, m_show);
        for (int i = 0; i < 3; ++i)
            visit(history, *src, i);
        history.stepOlder();
        visit(history, *src, 0);
        m_titles.clear();
        history.stepOlder(); // the stepping position was forgotten: back from the newest
        QCOMPARE(m_titles, QStringList{u"页3"_qs});
        QCOMPARE(table->recordCount(), 4);
    }

    void historyVisitIsOneTransaction()
    {
        auto src = pages(22);
        auto table = m_fx->table(QStringLiteral("History.DB"));
        browser::History history(*table, m_show);
        for (int i = 0; i < 21; ++i)
            visit(history, *src, i);
        {
            // The file refuses the new row after the oldest went: both are undone together.
            auto conn = storage::Connection::open(m_fx->path(QStringLiteral("database/History.DB")));
            conn->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                           .arg(storage::quoteIdentifier(conn->tables().constFirst())));
        }
        QVERIFY_THROWS_EXCEPTION(core::Error, visit(history, *src, 21));
        table->close();
        table->open();
        QCOMPARE(table->recordCount(), 21);
        QCOMPARE(table->text(QStringLiteral("CName")), QStringLiteral("页1"));
    }

    void openNodeFindsTheRowIgnoringCase()
    {
        m_fx->writeCatalogue(QStringLiteral("vt09.db"), {QStringLiteral("09a,09,甲,3,,ta,,"), QStringLiteral("09B,09,乙,3,,tb,,")});
        auto tree = m_fx->table(QStringLiteral("vtree.db"));
        browser::openNode(*tree, browser::TTreeRec{QStringLiteral("09b"), QStringLiteral("乙"), QStringLiteral("09")});
        QCOMPARE(tree->text(QStringLiteral("CName")), QStringLiteral("乙"));
        // a missing identifier leaves the first row current
        browser::openNode(*tree, browser::TTreeRec{QStringLiteral("nope"), QString(), QStringLiteral("09")});
        QCOMPARE(tree->text(QStringLiteral("CName")), QStringLiteral("甲"));
        // a root lives in vtree.db
        browser::openNode(*tree, browser::TTreeRec{QStringLiteral("02"), QString(), QStringLiteral("0")});
        QCOMPARE(tree->text(QStringLiteral("CID")), QStringLiteral("02"));
    }

    void openNodeOfAMissingTableLeavesItClosed()
    {
        auto tree = m_fx->table(QStringLiteral("vtree.db"));
        tree->open();
        QVERIFY_THROWS_EXCEPTION(core::Error, browser::openNode(*tree, browser::TTreeRec{QStringLiteral("x"), QString(), QStringLiteral("77")}));
        QVERIFY(!tree->isOpen());
        QVERIFY(!QFile::exists(m_fx->path(QStringLiteral("database/vt77.db"))));
    }

    void indexJump_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("current");
        QTest::newRow("Chinese prefix") << "形" << "形状公差";
        QTest::newRow("case counts") << "ab" << "abc";
        QTest::newRow("first in title order") << "a" << "a_b";
        QTest::newRow("capital") << "A" << "A'B";
        QTest::newRow("blanks around are removed") << "  中文 " << "中文资料";
        QTest::newRow("no match keeps the row") << "zzz" << "螺纹";
        QTest::newRow("empty goes to the first row") << "" << "100%";
        QTest::newRow("whole title") << "螺纹" << "螺纹";
    }
    void indexJump()
    {
        QFETCH(QString, typed);
        writeTitles();
        auto list = m_fx->table(QString());
        list->setSql(QStringLiteral("select * from vt  order by cname collate CP936"));
        list->open();
        list->locate(QStringLiteral("CName"), QStringLiteral("螺纹"));
        browser::jumpToPrefix(*list, typed);
        QTEST(list->text(QStringLiteral("CName")), "current");
    }

    void indexOrderIsCodePage936()
    {
        writeTitles();
        auto list = m_fx->table(QString());
        list->setSql(QStringLiteral("select * from vt  order by cname collate CP936"));
        list->open();
        QStringList order;
        for (list->first(); !list->eof(); list->next())
            order << list->text(QStringLiteral("CName"));
        // ASCII first, then GB2312 characters in pinyin order: 丄 (81 41) sorts before them
        QCOMPARE(order, (QStringList{u"100%"_qs, u"A'B"_qs, u"Abc"_qs, u"a_b"_qs, u"abc"_qs, u"丄x"_qs, u"螺纹"_qs, u"形状公差"_qs, u"中文资料"_qs}));
    }

    void find_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        // stored order of the table, rows with a blank Ctable never listed
        QTest::newRow("empty lists every page") << "" << QStringList{u"中文资料"_qs, u"形状公差"_qs, u"Abc"_qs, u"abc"_qs, u"A'B"_qs, u"100%"_qs, u"a_b"_qs, u"丄x"_qs};
        QTest::newRow("whole characters only") << "形" << QStringList{u"形状公差"_qs};
        QTest::newRow("no byte match inside a character") << "A" << QStringList{u"Abc"_qs, u"A'B"_qs};
        QTest::newRow("case-sensitive") << "B" << QStringList{u"A'B"_qs};
        QTest::newRow("quote") << "'" << QStringList{u"A'B"_qs};
        QTest::newRow("percent is literal") << "%" << QStringList{u"100%"_qs};
        QTest::newRow("underscore is literal") << "_" << QStringList{u"a_b"_qs};
        QTest::newRow("blanks around removed") << " 资料 " << QStringList{u"中文资料"_qs};
        QTest::newRow("nothing") << "无此" << QStringList{};
    }
    void find()
    {
        QFETCH(QString, typed);
        writeTitles();
        auto list = m_fx->table(QString());
        browser::runFind(*list, typed);
        QStringList found;
        for (list->first(); !list->eof(); list->next())
            found << list->text(QStringLiteral("CName"));
        QTEST(found, "found");
    }

    void findFollowsAChangedIndexTable()
    {
        writeTitles();
        auto list = m_fx->table(QString());
        browser::runFind(*list, QStringLiteral("资料"));
        QCOMPARE(list->recordCount(), 1);
        m_fx->writeCatalogue(QStringLiteral("vt.db"), {QStringLiteral("n1,01,新资料,3,,tn,,"), QStringLiteral("n2,01,资料二,3,,tm,,")});
        browser::runFind(*list, QStringLiteral("资料"));
        QCOMPARE(list->recordCount(), 2);
        QCOMPARE(list->text(QStringLiteral("CName")), QStringLiteral("新资料"));
    }

    void findWithoutTheIndexTable()
    {
        QVERIFY(QFile::remove(m_fx->path(QStringLiteral("database/vt.db"))));
        auto list = m_fx->table(QString());
        QVERIFY_THROWS_EXCEPTION(core::Error, browser::runFind(*list, QStringLiteral("a")));
        QVERIFY(!list->isOpen());
    }

    void bookmarksPersist()
    {
        auto src = pages(2);
        auto book = m_fx->table(QStringLiteral("ibook.db"));
        src->setCurrentIndex(1);
        browser::addBookmark(*book, *src);
        browser::addBookmark(*book, *src); // no duplicate test
        QVERIFY(book->isOpen());
        book->close();
        auto again = m_fx->table(QStringLiteral("ibook.db"));
        again->open();
        QCOMPARE(again->recordCount(), 2);
        QCOMPARE(again->text(QStringLiteral("CName")), QStringLiteral("页2"));
        QCOMPARE(again->text(QStringLiteral("Cimage")), QStringLiteral("pic2"));
        browser::deleteBookmark(*again);
        QCOMPARE(again->recordCount(), 1);
        browser::clearBookmarks(*again);
        QCOMPARE(again->recordCount(), 0);
        browser::clearBookmarks(*again); // clearing an empty list is fine
        QVERIFY_THROWS_EXCEPTION(core::Error, browser::deleteBookmark(*again));
    }

    void bookmarkOfAClosedListStoresNothing()
    {
        auto closed = m_fx->table(QString());
        closed->setSql(browser::FindStatement, {QString()});
        auto book = m_fx->table(QStringLiteral("ibook.db"));
        QVERIFY_THROWS_EXCEPTION(core::Error, browser::addBookmark(*book, *closed));
        book->open();
        QCOMPARE(book->recordCount(), 0);
    }

private:
    void writeTitles()
    {
        m_fx->writeCatalogue(QStringLiteral("vt.db"),
                             {QStringLiteral("1,0,中文资料,3,,t,,"), QStringLiteral("2,0,形状公差,3,,t,,"),
                              QStringLiteral("3,0,Abc,3,,t,,"), QStringLiteral("4,0,abc,3,,t,,"),
                              QStringLiteral("5,0,螺纹,,,,,"), QStringLiteral("6,0,A'B,3,,t,,"),
                              QStringLiteral("7,0,100%,3,,t,,"), QStringLiteral("8,0,a_b,3,,t,,"),
                              QStringLiteral("9,0,丄x,3,,t,,")});
    }
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
