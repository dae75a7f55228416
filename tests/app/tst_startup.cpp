// Where the handbook finds its data and keeps the user's files, one handbook per user's files,
// and what a table held by another process says.
#include "app/UMain.h"
#include "app/datalocation.h"
#include "app/singleinstance.h"

#include "binding/dbgrid.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "datamodules.h"
#include "scripteddialogs.h"
#include "storage/dataset.h"
#include "storage/error.h"
#include "storage/sqlite.h"
#include "testdata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTabWidget>
#include <QTreeView>
#include <QAction>

#include <memory>

class TestStartup : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &rel) const { return m_dir->filePath(rel); }

    static QByteArray bytes(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void write(const QString &file, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    int bookmarks(const QString &databaseDir)
    {
        storage::Dataset ds;
        ds.setDirectory(databaseDir);
        ds.setTableName(QStringLiteral("ibook.db"));
        ds.open();
        return ds.recordCount();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        storage::setReadOnlyDirectory(QString());
    }

    void cleanup()
    {
        storage::setReadOnlyDirectory(QString());
        m_dir.reset();
    }

    void dataDirectoryIsFound_data()
    {
        QTest::addColumn<QStringList>("folders"); // with a database folder each
        QTest::addColumn<QString>("expected");    // relative to the scratch directory
        QTest::addColumn<bool>("installed");
        QTest::newRow("build folder: beside the program") << QStringList{u"bin"_qs, u"share/orvane-handbook"_qs} << "bin/" << false;
        QTest::newRow("installed: share beside bin") << QStringList{u"share/orvane-handbook"_qs} << "share/orvane-handbook/" << true;
        QTest::newRow("nothing anywhere: beside the program") << QStringList{} << "bin/" << false;
    }

    void dataDirectoryIsFound()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        QFETCH(bool, installed);
        QDir().mkpath(path(u"bin"_qs));
        for (const QString &f : folders)
            QVERIFY(QDir().mkpath(path(f + u"/database"_qs)));
        const app::DataDirectory found = app::findDataDirectory(path(u"bin"_qs), u"../share/orvane-handbook"_qs);
        QCOMPARE(found.path, path(expected));
        QCOMPARE(found.installed, installed);
    }

    void userFilesLiveWhereTheyMayBeWritten_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("readOnlyFile"); // History.DB cannot be written
        QTest::addColumn<bool>("shared");
        QTest::newRow("writable build folder: nothing changes") << false << false << false;
        QTest::newRow("installed: per-user, even where writable") << true << false << true;
        QTest::newRow("build folder with a read-only history") << false << true << true;
    }

    void userFilesLiveWhereTheyMayBeWritten()
    {
        QFETCH(bool, installed);
        QFETCH(bool, readOnlyFile);
        QFETCH(bool, shared);
        testdata::buildSample(path(u"data"_qs));
        if (readOnlyFile) {
            QFile::setPermissions(path(u"data/database/History.DB"_qs), QFileDevice::ReadOwner);
            if (QFileInfo(path(u"data/database/History.DB"_qs)).isWritable())
                QSKIP("this user (root) may write a read-only file");
        }
        const app::DataLocations where = app::chooseLocations({path(u"data/"_qs), installed}, path(u"user"_qs));
        QCOMPARE(where.shared, shared);
        QCOMPARE(where.dataDir, path(u"data/"_qs));
        QCOMPARE(where.userDir, shared ? path(u"user/"_qs) : path(u"data/"_qs));
    }

    void userFilesAreSeededOnceAndNeverOverwritten()
    {
        testdata::buildSample(path(u"data"_qs));
        const app::DataLocations where{path(u"data/"_qs), path(u"user/"_qs), true};
        app::seedUserFiles(where);
        for (const QString &file : app::userFiles()) {
            QVERIFY2(QFile::exists(path(u"user/"_qs + file)), qPrintable(file));
            QCOMPARE(bytes(path(u"user/"_qs + file)), bytes(path(u"data/"_qs + file)));
            QVERIFY(QFileInfo(path(u"user/"_qs + file)).isWritable());
        }
        QVERIFY(QDir(path(u"user/database"_qs)).entryList({u"*.part"_qs}).isEmpty());
        // The user's own content is kept at the next start, also when the shipped one changes.
        write(path(u"user/cx_jg.rst"_qs), "mine");
        write(path(u"data/cx_jg.rst"_qs), "shipped anew");
        QFile::remove(path(u"user/database/cx_jl.db"_qs));
        app::seedUserFiles(where);
        QCOMPARE(bytes(path(u"user/cx_jg.rst"_qs)), QByteArray("mine"));
        QVERIFY(QFile::exists(path(u"user/database/cx_jl.db"_qs))); // a lost one comes back
    }

    void seedingFromItselfChangesNothing()
    {
        testdata::buildSample(path(u"data"_qs));
        const QByteArray before = bytes(path(u"data/database/History.DB"_qs));
        app::seedUserFiles({path(u"data/"_qs), path(u"data/"_qs), false});
        QCOMPARE(bytes(path(u"data/database/History.DB"_qs)), before);
    }

    // The window on a shared data directory: bookmarks go to the per-user copy and survive a
    // restart; the content opens read-only and stays as shipped.
    void sharedDataKeepsBookmarksPerUser()
    {
        testdata::buildSample(path(u"data"_qs));
        const app::DataLocations where{path(u"data/"_qs), path(u"user/"_qs), true};
        app::seedUserFiles(where);
        const QString page = path(u"data/dat/youxianshu.db"_qs);
        QVERIFY(storage::canWriteTableFile(page));
        storage::setReadOnlyDirectory(where.dataDir);
        QVERIFY(!storage::canWriteTableFile(page)); // editing is refused before the first post
        QVERIFY(storage::canWriteTableFile(path(u"user/database/ibook.db"_qs)));
        const QByteArray shippedBook = bytes(path(u"data/database/ibook.db"_qs));
        ScriptedDialogs dialogs;
        for (int run = 1; run <= 2; ++run) {
            Data = new TData;
            Data2 = new TData2;
            {
                TfrmMain w(where.dataDir, where.userDir);
                w.show();
                QCoreApplication::processEvents();
                QVERIFY2(dialogs.errors.isEmpty(), qPrintable(dialogs.errors.join(u'\n')));
                QCOMPARE(w.tBook->recordCount(), run - 1);
                w.PageControl->setCurrentWidget(w.Ts_ml);
                w.m_Tree->setCurrentIndex(w.m_Tree->model()->index(1, 0));
                QTest::mouseClick(w.m_Tree->viewport(), Qt::LeftButton, {},
                                  w.m_Tree->visualRect(w.m_Tree->currentIndex()).center());
                w.N18->trigger();
                QCOMPARE(w.tBook->recordCount(), run);
                // Content tables are read-only: a write says so in Chinese.
                QVERIFY(w.T_Tree->isOpen());
                bool refused = false;
                try {
                    w.T_Tree->edit();
                    w.T_Tree->setValue(u"CName"_qs, u"改"_qs);
                    w.T_Tree->post();
                } catch (const storage::Error &e) {
                    refused = e.text().contains(u"只读"_qs);
                    w.T_Tree->cancel();
                }
                QVERIFY(refused);
                w.close();
            }
            testdata::dropDataModules();
        }
        QCOMPARE(bookmarks(path(u"user/database"_qs)), 2);
        QCOMPARE(bytes(path(u"data/database/ibook.db"_qs)), shippedBook);
        QVERIFY(!QFile::exists(path(u"data/database/ibook.db-wal"_qs)));
    }

    void aSecondHandbookOnTheSameFilesIsRefusedTheLock()
    {
        QDir().mkpath(path(u"user"_qs));
        auto first = std::make_unique<SingleInstance>(path(u"user"_qs), path(u"run"_qs));
        QVERIFY(first->tryLock());
        SingleInstance second(path(u"user"_qs), path(u"run"_qs));
        QVERIFY(!second.tryLock());
        SingleInstance other(path(u"other"_qs), path(u"run"_qs)); // another user's files
        QVERIFY(other.tryLock());
        first.reset(); // the first ends
        QVERIFY(second.tryLock());
    }

    void aLockLeftByAnEndedProcessIsTakenOver()
    {
        QDir().mkpath(path(u"user"_qs));
        SingleInstance probe(path(u"user"_qs), path(u"run"_qs));
        const QString lock = probe.serverName().replace(u".socket"_qs, u".lock"_qs);
        // The lock file of a process that no longer runs (pid 2^22 + 1 is above Linux's limit).
        write(lock, "4194305\nOrvaneV3.0\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QVERIFY(probe.tryLock());
    }

    void aSecondStartBringsTheFirstToTheFront()
    {
        QDir().mkpath(path(u"user"_qs));
        // The first handbook answers from a thread of its own, as another process would.
        QThread thread;
        auto *first = new SingleInstance(path(u"user"_qs), path(u"run"_qs));
        QVERIFY(first->tryLock());
        first->moveToThread(&thread);
        thread.start();
        QSignalSpy asked(first, &SingleInstance::activationRequested);
        bool listening = false;
        QMetaObject::invokeMethod(first, [&] { listening = first->listen(); }, Qt::BlockingQueuedConnection);
        QVERIFY(listening);

        SingleInstance second(path(u"user"_qs), path(u"run"_qs));
        QVERIFY(!second.tryLock());
        QVERIFY(second.activateRunning(5000));
        QTRY_COMPARE(asked.count(), 1);

        QMetaObject::invokeMethod(first, [first] { delete first; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        // Nobody answers now: the second gives up after its time.
        QElapsedTimer t;
        t.start();
        QVERIFY(!second.activateRunning(300));
        QVERIFY(t.elapsed() >= 300);
    }

    void aTableHeldByAnotherProcessSaysSoInChinese()
    {
        testdata::buildSample(path(u"data"_qs));
        storage::Dataset holder;
        holder.setDirectory(path(u"data/database"_qs));
        holder.setTableName(u"History.DB"_qs);
        holder.setExclusive(true);
        holder.open();
        storage::Dataset second;
        second.setDirectory(path(u"data/database"_qs));
        second.setTableName(u"History.DB"_qs);
        second.setExclusive(true);
        QElapsedTimer t;
        t.start();
        QString text;
        try {
            second.open();
        } catch (const storage::Error &e) {
            text = e.text();
        }
        QVERIFY2(text.contains(u"正被另一个程序使用"_qs), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(path(u"data/database/History.DB"_qs))), qPrintable(text));
        QVERIFY(t.elapsed() >= storage::busyTimeoutMs - 100); // it waited for the lock first
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
