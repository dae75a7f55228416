// The handbook on data directories of the older format: before the import it says which command
// converts them; after it, the tree, a data page, the bookmarks and the results log all open.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "browser/catalogue.h"
#include "browser/pagearea.h"
#include "datatools/u_cxls.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "importer.h"
#include "paradoxfixture.h"
#include "datamodules.h"
#include "scripteddialogs.h"
#include "storage/dataset.h"
#include "testdata.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

class TestImportWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfrmMain> m_main;

    QString path(const QString &rel) const { return m_tmp.filePath(rel); }

    // A table of the sample handbook as it was built.
    std::unique_ptr<storage::Dataset> built(const QString &dir, const QString &table) const
    {
        auto ds = std::make_unique<storage::Dataset>();
        ds->setDirectory(path(u"handbook/"_qs) + dir);
        ds->setTableName(table);
        ds->open();
        return ds;
    }

    void append(const QString &table, const QVariantMap &values)
    {
        storage::Dataset ds;
        ds.setDirectory(path(u"handbook/database"_qs));
        ds.setTableName(table);
        ds.open();
        ds.append();
        for (auto it = values.begin(); it != values.end(); ++it)
            ds.setValue(it.key(), it.value());
        ds.post();
    }

    void start(const QString &dir)
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Data = new TData;
        Data2 = new TData2;
        m_main = std::make_unique<TfrmMain>(dir);
        frmMain = m_main.get();
        frmcxls = new Tfrmcxls;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

private slots:
    // The sample handbook with a bookmark and a stored result, as Paradox tables.
    void initTestCase()
    {
        testdata::buildSample(path(u"handbook"_qs));
        append(u"ibook.db"_qs, {{u"CID"_qs, u"0201"_qs}, {u"ParentID"_qs, u"02"_qs}, {u"CName"_qs, u"标准公差数值"_qs},
                                {u"CFrame"_qs, u"3"_qs}, {u"COrder"_qs, 2}, {u"Ctable"_qs, u"gongcha"_qs}});
        append(u"cx_jl.db"_qs, {{u"查询主题"_qs, u"标准公差数值"_qs}, {u"查询条件"_qs, u"IT7"_qs},
                                {u"查询日期"_qs, QDate(2024, 5, 1)}, {u"查询结果"_qs, u"基本尺寸 10～18：IT7 = 18 μm\r\n"_qs}});
        paradoxfixture::writeParadoxDirectory(path(u"handbook"_qs), path(u"old"_qs));
    }

    void cleanup()
    {
        delete frmcxls;
        frmcxls = nullptr;
        m_main.reset();
        frmMain = nullptr;
        testdata::dropDataModules();
        m_dialogs.reset();
    }

    void olderDirectoryNamesTheCommand()
    {
        start(path(u"old"_qs));
        // History.DB is the first table opened at start; the start-up ends there, as for any table
        // that cannot be opened.
        QCOMPARE(m_dialogs->errors.size(), 1);
        QCOMPARE(m_dialogs->errors[0], QDir::toNativeSeparators(path(u"old/database/History.DB"_qs)) +
                                           u" 是旧格式（Paradox）的数据表，本手册不能直接打开。\n请先用命令 handbook-import "
                                           u"转换整个数据目录：\nhandbook-import 旧数据目录 新数据目录"_qs);
        QCOMPARE(m_main->treeModel->rowCount(), 0);
    }

    void importedDirectoryOpens()
    {
        handbookimport::importDirectory(path(u"old"_qs), path(u"new"_qs), {path(u"handbook"_qs), 0});
        start(path(u"new"_qs));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        QCOMPARE(m_main->treeModel->rowCount(), built(u"database"_qs, u"vtree.DB"_qs)->recordCount());

        // A data page, by clicks on the tree.
        const QModelIndex root = m_main->treeModel->index(1, 0);
        QTest::mouseClick(m_main->m_Tree->viewport(), Qt::LeftButton, {}, m_main->m_Tree->visualRect(root).center());
        m_main->m_Tree->expand(root);
        const QModelIndex node = m_main->treeModel->index(0, 0, root);
        QTest::mouseClick(m_main->m_Tree->viewport(), Qt::LeftButton, {}, m_main->m_Tree->visualRect(node).center());
        QCOMPARE(m_main->Panel2->itemtitle->text(), u"标准公差数值"_qs);
        QVERIFY(m_main->tblView->isOpen());
        const auto page = built(u"dat"_qs, u"gongcha.db"_qs);
        QCOMPARE(m_main->tblView->recordCount(), page->recordCount());
        QCOMPARE(m_main->tblView->fields().size(), page->fields().size());
        for (int f = 0; f < page->fields().size(); ++f) // multi-row titles with "|" among them
            QCOMPARE(m_main->tblView->fields()[f].name, page->fields()[f].name);
        QCOMPARE(page->fields()[2].name.count(u'|'), 2);

        // The bookmark, on its tab.
        QTabBar *tabs = m_main->PageControl->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QCOMPARE(m_main->PageControl->currentWidget(), m_main->Ts_bookmark);
        QCOMPARE(m_main->DBGrid1->model()->rowCount(), 1);
        QCOMPARE(m_main->DBGrid1->model()->index(0, 0).data().toString(), u"标准公差数值"_qs);

        // The stored result, in the results log.
        m_main->N6->trigger();
        QVERIFY(frmcxls->isVisible());
        QCOMPARE(frmcxls->DBGrid1->model()->rowCount(), 1);
        QTest::mouseClick(frmcxls->BitBtn2, Qt::LeftButton);
        QVERIFY2(frmcxls->paneText().contains(u"基本尺寸 10～18：IT7 = 18 μm\r\n"_qs), qPrintable(frmcxls->paneText()));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
    }
};

QTEST_MAIN(TestImportWindow)
#include "tst_importwindow.moc"
