// The browser handlers wired in the main window: tree clicks, lists, bookmarks, history buttons
// and viewers, on a scratch copy of the sample data directory.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/catalogue.h"
#include "browser/pagearea.h"
#include "browserfixture.h"
#include "datatools/uImage.h"
#include "datatools/uMemo.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "scripteddialogs.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
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

private slots:
    void init()
    {
        m_fx = std::make_unique<BrowserFixture>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Data = new TData;
        Data2 = new TData2;
        m_w = std::make_unique<TfrmMain>(m_fx->dir.path());
        frmImage = new TfrmImage;
        frmMemo = new TfrmMemo(m_w->dsTree);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
    }

    void cleanup()
    {
        delete frmImage;
        delete frmMemo;
        frmImage = nullptr;
        frmMemo = nullptr;
        m_w.reset();
        delete Data;
        delete Data2;
        Data = nullptr;
        Data2 = nullptr;
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
        m_w->s_index->setText(QStringLiteral("普通"));
        QCOMPARE(m_w->Q_Tree->text(QStringLiteral("CName")), QStringLiteral("普通螺纹基本尺寸"));
        QCOMPARE(m_w->Panel2->DBMemo1->toPlainText(), m_w->Q_Tree->text(QStringLiteral("CMemo")));
        m_w->DBGrid2CellClick();
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
