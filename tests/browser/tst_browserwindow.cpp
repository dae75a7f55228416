// The browser handlers wired in the main window: tree clicks, lists, bookmarks, history buttons
// and viewers, on a scratch copy of the sample data directory.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/bookmarks.h"
#include "browser/catalogue.h"
#include "browser/navigation.h"
#include "browser/pagearea.h"
#include "browserfixture.h"
#include "core/text.h"
#include "datatools/uImage.h"
#include "datatools/uMemo.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "datamodules.h"
#include "scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>

class TestBrowserWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BrowserFixture> m_fx;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfrmMain> m_w;

    int historyRows() const
    {
        auto h = m_fx->table(QStringLiteral("History.DB"));
        h->open();
        return h->recordCount();
    }

    QModelIndex node(int root, int child = -1) const
    {
        const QModelIndex r = m_w->treeModel->index(root, 0);
        return child < 0 ? r : m_w->treeModel->index(child, 0, r);
    }

    void clickTree(const QPoint &at)
    {
        QTest::mouseClick(m_w->m_Tree->viewport(), Qt::LeftButton, {}, at);
    }

    QPoint arrowOf(const QModelIndex &index) const
    {
        const QRect r = m_w->m_Tree->visualRect(index);
        return QPoint(r.left() - m_w->m_Tree->indentation() / 2, r.center().y());
    }

    // The tree node of a catalogue identifier, its ancestors expanded so it can be clicked.
    QModelIndex nodeById(const QString &cid, const QModelIndex &parent = {}) const
    {
        for (int r = 0; r < m_w->treeModel->rowCount(parent); ++r) {
            const QModelIndex i = m_w->treeModel->index(r, 0, parent);
            if (m_w->treeModel->record(m_w->treeModel->nodeOf(i)).NodeID == cid)
                return i;
            const QModelIndex below = nodeById(cid, i);
            if (below.isValid()) {
                m_w->m_Tree->expand(i);
                return below;
            }
        }
        return {};
    }

    // The stored note of a catalogue node, as a text box shows it.
    QString noteOf(const QString &cid) const
    {
        storage::Dataset row;
        row.setDirectory(m_fx->path(QStringLiteral("database")));
        browser::openNode(row, m_w->treeModel->record(m_w->treeModel->nodeOf(nodeById(cid))));
        return core::fromCrLf(row.value(QStringLiteral("CMemo")).toString());
    }

    // The place of an item in one of the lists: the tree node of a CID, or the row of a title in
    // the index, find or bookmark list (on its tab).
    struct Place {
        QAbstractItemView *view;
        QModelIndex index;
    };
    Place placeOf(const QString &list, const QString &item)
    {
        if (list == u"tree") {
            m_w->PageControl->setCurrentWidget(m_w->Ts_ml);
            const QModelIndex i = nodeById(item);
            m_w->m_Tree->scrollTo(i);
            return {m_w->m_Tree, i};
        }
        if (list == u"bookmarks" && m_w->tBook->isEmpty()) {
            // Two bookmarks, so a key can move between them.
            for (const char *cid : {"0201", "0204"}) {
                storage::Dataset row;
                row.setDirectory(m_fx->path(QStringLiteral("database")));
                browser::openNode(row, m_w->treeModel->record(m_w->treeModel->nodeOf(nodeById(QString::fromLatin1(cid)))));
                browser::addBookmark(*m_w->tBook, row);
            }
        }
        const int which = QStringList{u"index"_qs, u"find"_qs, u"bookmarks"_qs}.indexOf(list);
        binding::DBGrid *grid = QList<binding::DBGrid *>{m_w->DBGrid2, m_w->DBGrid3, m_w->DBGrid1}[which];
        storage::Dataset *ds = QList<storage::Dataset *>{m_w->Q_Tree, m_w->QF_tree, m_w->tBook}[which];
        m_w->PageControl->setCurrentWidget(QList<QWidget *>{m_w->Ts_index, m_w->Ts_search, m_w->Ts_bookmark}[which]);
        if (list == u"find" && !ds->isOpen())
            type(m_w->E_search, QStringLiteral("配合"));
        QCoreApplication::processEvents();
        int row = -1;
        ds->scan(0, [&](int r, const storage::RowView &) {
            const int name = ds->fieldIndex(QStringLiteral("CName"));
            if (ds->valueAt(r, name).toString() == item) {
                row = r;
                return false;
            }
            return true;
        });
        const QModelIndex i = grid->model()->index(row, 0);
        grid->scrollTo(i);
        return {grid, i};
    }

    // Types a text key by key (QTest::keyClicks knows only ASCII).
    static void type(QWidget *box, const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    QPoint centreOf(const Place &p) const { return p.view->visualRect(p.index).center(); }

    // Clicks, double-clicks or middle-clicks an item with the mouse.
    void press(const Place &p, const QString &how)
    {
        QWidget *viewport = p.view->viewport();
        if (how == u"click")
            QTest::mouseClick(viewport, Qt::LeftButton, {}, centreOf(p));
        else if (how == u"double-click") {
            QTest::mouseClick(viewport, Qt::LeftButton, {}, centreOf(p));
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, centreOf(p));
        } else if (how == u"middle-click")
            QTest::mouseClick(viewport, Qt::MiddleButton, {}, centreOf(p));
        QCoreApplication::processEvents();
    }

    // Opens the pop-up menu on an item with the right button; it is open when this returns. The
    // click goes through the main window's native window, where the platform's context menu
    // event is made.
    QMenu *rightClick(const Place &p)
    {
        const QPoint at = p.view->viewport()->mapTo(m_w.get(), centreOf(p));
        QTest::mouseClick(m_w->windowHandle(), Qt::RightButton, {}, at);
        if (!QTest::qWaitFor([this] { return m_w->PopupMenu_dh->isVisible(); }))
            return nullptr;
        return m_w->PopupMenu_dh;
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<BrowserFixture>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Data = new TData;
        Data2 = new TData2;
        m_w = std::make_unique<TfrmMain>(m_fx->dir.path());
        frmImage = new TfrmImage;
        frmMemo = new TfrmMemo(m_w->Panel2->DBMemo1);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
    }

    void cleanup()
    {
        delete frmImage;
        delete frmMemo;
        frmImage = nullptr;
        frmMemo = nullptr;
        m_w.reset();
        testdata::dropDataModules();
        m_dialogs.reset();
    }

    void everyTreeClickActsOnTheSelectedNode()
    {
        clickTree(m_w->m_Tree->visualRect(node(1)).center()); // the root 公差与配合: a heading
        QCOMPARE(m_w->T_Tree->text(QStringLiteral("CID")), QStringLiteral("02"));
        QVERIFY(m_w->Panel2->img_cover->isVisible());
        QCOMPARE(historyRows(), 0);
        clickTree(arrowOf(node(1))); // the expand arrow: expands, acts on the same node
        QVERIFY(m_w->m_Tree->isExpanded(node(1)));
        QCOMPARE(m_w->T_Tree->text(QStringLiteral("CID")), QStringLiteral("02"));
        clickTree(m_w->m_Tree->visualRect(node(1, 0)).center()); // 标准公差数值
        QCOMPARE(m_w->T_Tree->text(QStringLiteral("CID")), QStringLiteral("0201"));
        QVERIFY(m_w->tblView->isOpen());
        QCOMPARE(m_w->Panel2->itemtitle->text(), QStringLiteral("标准公差数值"));
        QCOMPARE(historyRows(), 1);
        clickTree(QPoint(5, m_w->m_Tree->viewport()->height() - 5)); // empty space: the same page again
        QCOMPARE(historyRows(), 2);
        // the note box follows the clicked node and keeps what it shows
        QCOMPARE(m_w->Panel2->DBMemo1->toPlainText(), m_w->T_Tree->text(QStringLiteral("CMemo")));
        QVERIFY(m_w->Panel2->DBMemo1->isReadOnly());
    }

    void keyboardMovesShowNothing()
    {
        clickTree(m_w->m_Tree->visualRect(node(0)).center());
        QTest::keyClick(m_w->m_Tree, Qt::Key_Down);
        QCOMPARE(m_w->m_Tree->currentIndex(), node(1));
        QCOMPARE(m_w->T_Tree->text(QStringLiteral("CID")), QStringLiteral("01"));
    }

    void historyButtons()
    {
        m_w->m_Tree->expand(node(1));
        for (int child : {0, 5}) {
            m_w->m_Tree->setCurrentIndex(node(1, child));
            m_w->m_TreeClick();
        }
        QCOMPARE(m_w->Panel2->itemtitle->text(), QStringLiteral("标准公差因子"));
        m_w->ToolButton2->click(); // 下一页: the page before
        QCOMPARE(m_w->Panel2->itemtitle->text(), QStringLiteral("标准公差数值"));
        QCOMPARE(core::shared().CurTable, QStringLiteral("gongcha"));
        m_w->ToolButton1->click(); // 上一页: forward again
        QCOMPARE(m_w->Panel2->itemtitle->text(), QStringLiteral("标准公差因子"));
        QVERIFY(m_dialogs->errors.isEmpty());
    }

    void indexAndFindListsShowPages()
    {
        m_w->PageControl->setCurrentWidget(m_w->Ts_index);
        const QString startNote = m_w->Panel2->DBMemo1->toPlainText();
        m_w->s_index->setText(QStringLiteral("普通"));
        QCOMPARE(m_w->Q_Tree->text(QStringLiteral("CName")), QStringLiteral("普通螺纹基本尺寸"));
        QCOMPARE(m_w->Panel2->DBMemo1->toPlainText(), startNote); // the note is the page's, not the list's
        m_w->DBGrid2CellClick();
        QCOMPARE(m_w->Panel2->DBMemo1->toPlainText(), m_w->Q_Tree->text(QStringLiteral("CMemo")));
        QCOMPARE(core::shared().CurTable, QStringLiteral("luowen"));
        QCOMPARE(historyRows(), 1);
        m_w->PageControl->setCurrentWidget(m_w->Ts_search);
        m_w->E_search->setText(QStringLiteral("'"));
        QVERIFY(m_w->QF_tree->isOpen());
        QCOMPARE(m_w->QF_tree->recordCount(), 0);
        m_w->E_search->setText(QStringLiteral("配合"));
        QCOMPARE(m_w->QF_tree->recordCount(), 3); // 公差与配合查询, 配合种类, 配合的选用
        m_w->QF_tree->last();
        m_w->DBGrid3CellClick();
        QCOMPARE(core::shared().CurTable, core::shared().AppDir + QStringLiteral("txt/peihe_xuanyong.html"));
        QCOMPARE(historyRows(), 2);
        QVERIFY(m_dialogs->errors.isEmpty());
    }

    void bookmarksByTab()
    {
        m_w->N18->trigger(); // 目录 before any click: the first root
        QCOMPARE(m_dialogs->notices, QStringList{QStringLiteral("添加完毕")});
        m_w->PageControl->setCurrentWidget(m_w->Ts_search);
        m_dialogs->clear();
        m_w->N18->trigger(); // the find list is closed: nothing stored
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY(m_dialogs->notices.isEmpty());
        m_w->PageControl->setCurrentWidget(m_w->Ts_bookmark);
        m_dialogs->clear();
        m_w->N18->trigger(); // on the bookmark tab: nothing at all
        QVERIFY(m_dialogs->notices.isEmpty() && m_dialogs->errors.isEmpty());
        QCOMPARE(m_w->tBook->recordCount(), 1);
        QCOMPARE(m_w->tBook->text(QStringLiteral("CName")), QStringLiteral("常用数据与标准"));
        m_w->DBGrid1CellClick(); // a heading: the cover, no history
        QVERIFY(m_w->Panel2->img_cover->isVisible());
        QCOMPARE(historyRows(), 0);
        m_w->BitBtn1->click();
        QCOMPARE(m_dialogs->notices, QStringList{QStringLiteral("删除完成")});
        m_w->BitBtn1->click(); // empty list: the engine's error, no notice
        QCOMPARE(m_dialogs->notices.size(), 1);
        QCOMPARE(m_dialogs->errors.size(), 1);
        m_w->BitBtn2->click();
        QCOMPARE(m_dialogs->notices.last(), QStringLiteral("清空完毕"));
    }

    // One click, one visit: a page loads once per left click or double-click, never for the
    // middle button; the keyboard focus comes back to the clicked list. (A bookmark adds no visit.)
    void mouseButtonsOnTheLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("loads");
        QTest::addColumn<int>("visits");
        const QList<std::pair<const char *, QString>> lists = {{"tree", QStringLiteral("0201")},
                                                               {"index", QStringLiteral("标准公差数值")},
                                                               {"find", QStringLiteral("配合种类")},
                                                               {"bookmarks", QStringLiteral("标准公差数值")}};
        for (const auto &[list, item] : lists) {
            for (const char *how : {"click", "double-click", "middle-click"}) {
                const int loads = QByteArray(how) == "middle-click" ? 0 : 1;
                QTest::addRow("%s %s", list, how) << QString::fromLatin1(list) << item << QString::fromLatin1(how)
                                                  << loads << (QByteArray(list) == "bookmarks" ? 0 : loads);
            }
        }
    }
    void mouseButtonsOnTheLists()
    {
        QFETCH(QString, list);
        QFETCH(QString, item);
        QFETCH(QString, how);
        QFETCH(int, loads);
        QFETCH(int, visits);
        const Place p = placeOf(list, item);
        QVERIFY(p.index.isValid());
        const QModelIndex before = p.view->currentIndex();
        const QString titleBefore = m_w->Panel2->itemtitle->text();
        int loaded = 0;
        connect(m_w->tblView, &storage::Dataset::opened, this, [&] { ++loaded; });
        connect(m_w->Panel2->WebBrowser, &browser::HtmlView::pageShown, this, [&] { ++loaded; });
        press(p, how);
        QCOMPARE(historyRows(), visits);
        QCOMPARE(loaded, loads);
        if (loads == 0) {
            QCOMPARE(p.view->currentIndex(), before); // the highlight did not move either
            QCOMPARE(m_w->Panel2->itemtitle->text(), titleBefore);
            return;
        }
        QCOMPARE(p.view->currentIndex().row(), p.index.row());
        // The page switch disabled the left tabs; the focus is back where the user clicked and
        // the arrow keys move in the list at once.
        QCOMPARE(QApplication::focusWidget(), p.view);
        QTest::keyClick(QApplication::focusWidget(), p.index.row() == 0 ? Qt::Key_Down : Qt::Key_Up);
        QVERIFY(p.view->currentIndex() != p.index);
        QCOMPARE(historyRows(), visits); // a key shows nothing
    }

    // The pop-up menu acts on the item it was opened on: right-click B while A's page is shown,
    // "加入书签" stores B; A's page, title and note stay; B is highlighted while the menu is open.
    void menuActsOnTheItemItWasOpenedOn_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("opened");
        QTest::newRow("tree") << "tree" << "0201" << "0204";
        QTest::newRow("index list") << "index" << "标准公差数值" << "配合种类";
        QTest::newRow("find list") << "find" << "公差与配合查询" << "配合种类";
    }
    void menuActsOnTheItemItWasOpenedOn()
    {
        QFETCH(QString, list);
        QFETCH(QString, shown);
        QFETCH(QString, opened);
        press(placeOf(list, shown), QStringLiteral("click"));
        const QString title = m_w->Panel2->itemtitle->text();
        const QString note = m_w->Panel2->DBMemo1->toPlainText();
        const Place a = placeOf(list, shown);
        const Place b = placeOf(list, opened);
        QMenu *menu = rightClick(b);
        QVERIFY(menu);
        QCOMPARE(b.view->currentIndex().row(), b.index.row()); // highlighted while the menu is open
        QCOMPARE(b.view->currentIndex().parent(), b.index.parent());
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_COMPARE(m_dialogs->notices, QStringList{QStringLiteral("添加完毕")});
        m_w->tBook->last();
        QCOMPARE(m_w->tBook->text(QStringLiteral("CName")), list == u"tree" ? QStringLiteral("配合种类") : opened);
        QCOMPARE(m_w->tBook->text(QStringLiteral("Ctable")), QStringLiteral("peihe.html"));
        QCOMPARE(m_w->Panel2->itemtitle->text(), title);
        QCOMPARE(m_w->Panel2->DBMemo1->toPlainText(), note);
        QCOMPARE(historyRows(), 1);
        QCOMPARE(a.view->currentIndex(), a.index); // the highlight is back on the page shown

        // Closed without a choice: nothing stored, the highlight back again.
        menu = rightClick(placeOf(list, opened));
        QVERIFY(menu);
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(a.view->currentIndex(), a.index);
        QCOMPARE(m_w->tBook->recordCount(), 1);
        // The menu item used alone (not from a list item) keeps acting on the active tab's node.
        QCoreApplication::processEvents();
        m_w->N18->trigger();
        m_w->tBook->last();
        QCOMPARE(m_w->tBook->text(QStringLiteral("CName")), list == u"tree" ? QStringLiteral("标准公差数值") : shown);
    }

    // The title bar and the note pane show the page shown, whichever way it came.
    void titleAndNoteBelongToThePageShown_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("node"); // whose note is shown
        QTest::newRow("heading's cover") << QStringList{u"tree:0201"_qs, u"tree:02"_qs} << "" << "02";
        QTest::newRow("note page (kind 1)") << QStringList{u"tree:0201"_qs, u"tree:0104"_qs} << "数据来源说明" << "0104";
        QTest::newRow("下一页") << QStringList{u"tree:0201"_qs, u"tree:0206"_qs, u"next"_qs} << "标准公差数值" << "0201";
        QTest::newRow("下一页 twice, 上一页")
            << QStringList{u"tree:0201"_qs, u"tree:0206"_qs, u"tree:0101"_qs, u"next"_qs, u"next"_qs, u"prev"_qs}
            << "标准公差因子" << "0206";
        QTest::newRow("上一页 from the oldest")
            << QStringList{u"tree:0101"_qs, u"tree:0201"_qs, u"tree:0206"_qs, u"prev"_qs} << "标准公差数值" << "0201";
        QTest::newRow("history step over a calculator")
            << QStringList{u"tree:0101"_qs, u"tree:0202"_qs, u"tree:0201"_qs, u"next"_qs} << "公差与配合查询" << "0202";
        QTest::newRow("tab switch keeps the note")
            << QStringList{u"tree:0201"_qs, u"tab:index"_qs, u"tab:search"_qs, u"tab:bookmark"_qs} << "标准公差数值" << "0201";
        QTest::newRow("typing in the index box keeps the note")
            << QStringList{u"tree:0201"_qs, u"tab:index"_qs, u"type:普通"_qs} << "标准公差数值" << "0201";
        QTest::newRow("index list click") << QStringList{u"tree:0201"_qs, u"index:普通螺纹基本尺寸"_qs, u"tab:tree"_qs}
                                          << "普通螺纹基本尺寸" << "030101";
    }
    void titleAndNoteBelongToThePageShown()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, node);
        QTest::mouseDClick(m_w->Panel2->DBMemo1->viewport(), Qt::LeftButton); // the note viewer follows too
        for (const QString &step : steps) {
            const QString arg = step.section(u':', 1);
            if (step.startsWith(u"tree:"))
                press(placeOf(QStringLiteral("tree"), arg), QStringLiteral("click"));
            else if (step.startsWith(u"index:"))
                press(placeOf(QStringLiteral("index"), arg), QStringLiteral("click"));
            else if (step == u"next")
                QTest::mouseClick(m_w->ToolButton2, Qt::LeftButton);
            else if (step == u"prev")
                QTest::mouseClick(m_w->ToolButton1, Qt::LeftButton);
            else if (step.startsWith(u"tab:"))
                m_w->PageControl->setCurrentIndex(QStringList{u"tree"_qs, u"index"_qs, u"search"_qs, u"bookmark"_qs}.indexOf(arg));
            else if (step.startsWith(u"type:"))
                type(m_w->s_index, arg);
        }
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        QVERIFY(m_w->Panel2->P_title->isVisible());
        QTEST(m_w->Panel2->itemtitle->text(), "title");
        QCOMPARE(m_w->Panel2->DBMemo1->toPlainText(), noteOf(node));
        QCOMPARE(frmMemo->DBMemo1->toPlainText(), noteOf(node));
    }

    void viewersOpenOnDoubleClick()
    {
        m_w->m_Tree->expand(node(0));
        m_w->m_Tree->setCurrentIndex(node(0, 0)); // 优先数系 R5: note and picture
        m_w->m_TreeClick();
        QTest::mouseDClick(m_w->Panel2->Image1, Qt::LeftButton);
        QVERIFY(frmImage->isVisible());
        QCOMPARE(frmImage->Img_show->pixmap().size(), m_w->Panel2->Image1->pixmap().size());
        QTest::mouseDClick(m_w->Panel2->DBMemo1->viewport(), Qt::LeftButton);
        QVERIFY(frmMemo->isVisible());
        QCOMPARE(frmMemo->DBMemo1->toPlainText(), m_w->T_Tree->text(QStringLiteral("CMemo")));
        m_w->m_Tree->setCurrentIndex(node(0, 3));
        m_w->m_TreeClick(); // the open note viewer follows
        QCOMPARE(frmMemo->DBMemo1->toPlainText(), m_w->T_Tree->text(QStringLiteral("CMemo")));
    }
};

QTEST_MAIN(TestBrowserWindow)
#include "tst_browserwindow.moc"
