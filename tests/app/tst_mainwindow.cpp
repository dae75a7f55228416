// Start-up, tab switching and the resize rule of the main window, on a scratch copy of the sample
// data directory.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/catalogue.h"
#include "browser/pagearea.h"
#include "builder.h"
#include "core/sharedstate.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

    QString path(const QString &rel) const { return m_dir->filePath(rel); }

    // Appends a catalogue-shaped row (eight fields) to a table file of the data directory.
    void addRow(const QString &rel, const QString &cid, const QString &name)
    {
        storage::Dataset ds;
        ds.setDirectory(path(QStringLiteral("database")));
        ds.setTableName(rel);
        ds.open();
        ds.append();
        ds.setValue(QStringLiteral("CID"), cid);
        ds.setValue(QStringLiteral("CName"), name);
        ds.setValue(QStringLiteral("CFrame"), QStringLiteral("3"));
        ds.post();
    }

    int rowsOf(const QString &rel)
    {
        storage::Dataset ds;
        ds.setDirectory(path(QStringLiteral("database")));
        ds.setTableName(rel);
        ds.open();
        return ds.recordCount();
    }

    std::unique_ptr<TfrmMain> start()
    {
        auto w = std::make_unique<TfrmMain>(m_dir->path());
        w->show();
        QCoreApplication::processEvents();
        return w;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testdata::buildSample(m_dir->path());
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Data = new TData;
        Data2 = new TData2;
    }

    void cleanup()
    {
        delete Data;
        delete Data2;
        Data = nullptr;
        Data2 = nullptr;
        m_dialogs.reset();
        m_dir.reset();
    }

    void startUpSetsEverythingUp()
    {
        addRow(QStringLiteral("History.DB"), QStringLiteral("0101"), QStringLiteral("上次的记录"));
        auto w = start();
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
        QCOMPARE(core::shared().AppDir, m_dir->path() + u'/');
        QVERIFY(core::shared().AppDir.endsWith(u'/') && !core::shared().AppDir.endsWith(QLatin1String("//")));
        QCOMPARE(rowsOf(QStringLiteral("History.DB")), 0); // every run starts with an empty history
        QVERIFY(!w->T_history->isOpen());
        QVERIFY(w->tBook->isOpen());
        QVERIFY(w->T_Tree->isOpen());
        QCOMPARE(w->T_Tree->text(QStringLiteral("CID")), QStringLiteral("01"));
        for (storage::Dataset *t : {Data->ADOTable1, Data->ADOTable2, Data->ADOTable3, Data->ADOTable4,
                                    Data2->ADOTable1, Data2->ADOTable2, Data2->ADOTable3})
            QVERIFY(t->isOpen());
        QVERIFY(w->Panel2->img_cover->isVisible());
        QVERIFY(core::shared().EmbeddedWindow.isEmpty());
        // the note memo shows the first root's note
        QCOMPARE(w->Panel2->DBMemo1->toPlainText(), w->T_Tree->text(QStringLiteral("CMemo")));
        // the tree holds every root in stored order, collapsed
        QCOMPARE(w->treeModel->rowCount(), 3);
        QCOMPARE(w->treeModel->index(1, 0).data().toString(), QStringLiteral("公差与配合"));
        QVERIFY(!w->m_Tree->isExpanded(w->treeModel->index(0, 0)));
    }

    void startUpRunsOnce()
    {
        auto w = start();
        addRow(QStringLiteral("History.DB"), QStringLiteral("0101"), QStringLiteral("访问"));
        w->showMinimized();
        QCoreApplication::processEvents();
        w->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(rowsOf(QStringLiteral("History.DB")), 1); // not emptied again
        QCOMPARE(w->treeModel->rowCount(), 3);             // not built twice
    }

    void bookmarksSurviveRestartAndRebuild()
    {
        addRow(QStringLiteral("ibook.db"), QStringLiteral("0201"), QStringLiteral("标准公差数值"));
        content::build(testdata::contentDir(), m_dir->path()); // a rebuild never overwrites user files
        auto w = start();
        QCOMPARE(w->tBook->recordCount(), 1);
        QCOMPARE(w->tBook->text(QStringLiteral("CName")), QStringLiteral("标准公差数值"));
    }

    void failedStepStopsTheRest_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<bool>("calculatorsOpen");
        QTest::addColumn<bool>("bookOpen");
        QTest::addColumn<int>("roots");
        QTest::newRow("geometric tolerance database") << "shape_location/DATAS/varnok.mdb" << false << false << 0;
        QTest::newRow("history") << "database/History.DB" << true << false << 0;
        QTest::newRow("bookmarks") << "database/ibook.db" << true << false << 0;
        QTest::newRow("catalogue roots") << "database/vtree.DB" << true << true << 0;
        // the second root's branch fails: the first two roots are in, the third is not
        QTest::newRow("branch table") << "database/vt02.db" << true << true << 2;
    }

    void failedStepStopsTheRest()
    {
        QFETCH(QString, removed);
        QFETCH(bool, calculatorsOpen);
        QFETCH(bool, bookOpen);
        QFETCH(int, roots);
        QVERIFY(QFile::remove(path(removed)));
        auto w = start();
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY2(m_dialogs->errors[0].contains(QFileInfo(removed).fileName(), Qt::CaseInsensitive)
                     || m_dialogs->errors[0].contains(QLatin1String("vt02")),
                 qPrintable(m_dialogs->errors[0]));
        QCOMPARE(Data2->ADOTable3->isOpen(), calculatorsOpen);
        QCOMPARE(w->tBook->isOpen(), bookOpen);
        QCOMPARE(w->treeModel->rowCount(), roots);
        QVERIFY(w->isVisible()); // the window stays open
        QVERIFY(!QFile::exists(path(removed))); // a missing table is never created
    }

    void corruptTableIsReportedNotRepaired()
    {
        QFile f(path(QStringLiteral("database/ibook.db")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray junk("this is not a table file, it is plain text................................");
        f.write(junk);
        f.close();
        auto w = start();
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY(!w->tBook->isOpen());
        QFile again(path(QStringLiteral("database/ibook.db")));
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), junk);
    }

    void tabSwitchRebindsAndClosesLists()
    {
        auto w = start();
        binding::DBMemo *memo = w->Panel2->DBMemo1;
        w->PageControl->setCurrentWidget(w->Ts_index);
        QVERIFY(w->Q_Tree->isOpen());
        QVERIFY(!w->tBook->isOpen());
        QVERIFY(memo->dataSource() == w->dsQtree);
        w->Q_Tree->last();
        w->PageControl->setCurrentWidget(w->Ts_ml);
        QVERIFY(!w->Q_Tree->isOpen());
        QVERIFY(memo->dataSource() == w->dsTree);
        w->PageControl->setCurrentWidget(w->Ts_index); // reopened from its first row
        QCOMPARE(w->Q_Tree->currentIndex(), 0);
        w->PageControl->setCurrentWidget(w->Ts_search);
        QVERIFY(!w->QF_tree->isOpen()); // the find list is empty until something is typed
        QVERIFY(!w->Q_Tree->isOpen());
        QVERIFY(memo->dataSource() == w->dsQFTree);
        w->PageControl->setCurrentWidget(w->Ts_bookmark);
        QVERIFY(w->tBook->isOpen());
        QVERIFY(memo->dataSource() == w->dsBook);
        QVERIFY(m_dialogs->errors.isEmpty());
    }

    void tabSwitchEmptiesTheBoxes()
    {
        auto w = start();
        w->PageControl->setCurrentWidget(w->Ts_index);
        w->s_index->setText(QStringLiteral("公差"));
        w->PageControl->setCurrentWidget(w->Ts_search);
        QVERIFY(w->s_index->text().isEmpty());
        QVERIFY(w->E_search->text().isEmpty());
    }

    void resizeKeepsGridsBelowTheirBoxes()
    {
        auto w = start();
        for (QSize size : {QSize(1022, 766), QSize(900, 600), QSize(1200, 900)}) {
            w->resize(size);
            w->PageControl->setCurrentWidget(w->Ts_index);
            QCoreApplication::processEvents();
            w->PageControl->setCurrentWidget(w->Ts_search);
            QCoreApplication::processEvents();
            QCOMPARE(w->DBGrid2->y(), 65);
            QCOMPARE(w->DBGrid3->y(), 57);
            QCOMPARE(w->DBGrid2->geometry().bottom() + 1, w->Ts_index->height());
            QCOMPARE(w->DBGrid3->geometry().bottom() + 1, w->Ts_search->height());
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
