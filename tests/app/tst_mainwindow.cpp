// Start-up, tab switching and the resize rule of the main window, and what real mouse and key
// input on the data grid does to the table shown, on a scratch copy of the sample data directory.
#include "app/UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/catalogue.h"
#include "browser/gridediting.h"
#include "browser/pagearea.h"
#include "builder.h"
#include "core/sharedstate.h"
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"
#include "datamodules.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every stored value of a table file, row by row.
QList<QVariantList> storedCells(const QString &dir, const QString &table)
{
    storage::Dataset ds;
    ds.setDirectory(dir);
    ds.setTableName(table);
    ds.open();
    QList<QVariantList> rows;
    for (ds.first(); !ds.eof(); ds.next()) {
        QVariantList row;
        for (int f = 0; f < ds.fields().size(); ++f)
            row << ds.value(f);
        rows << row;
    }
    return rows;
}

// Makes a file or folder one that cannot be written, also by root (immutable); false when the
// file system cannot do that.
bool setImmutable(const QString &path, bool on)
{
    if (geteuid() != 0)
        return QFile::setPermissions(path, on ? QFile::ReadOwner | QFile::ExeOwner
                                              : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

} // namespace

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

    // The data page 优先数系 R5 (youxianshu: 序号 short, 理论值 float, 优先数 A6, 相对误差 float).
    std::unique_ptr<TfrmMain> startOnDataPage(const QString &table = QStringLiteral("youxianshu"))
    {
        auto w = start();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("the main window did not become active");
        core::SharedState &s = core::shared();
        s.CurTable = table;
        s.CurTitle = QStringLiteral("优先数系 R5");
        s.KeyColumns = 1;
        w->ShowPage(3);
        QCoreApplication::processEvents();
        return w;
    }

    // Plays input on the data grid: "click:r,c" / "dclick:r,c" (the cell's centre on the viewport),
    // "type:text" (␣ for a blank), "menu:允许编辑" (the grid's context menu, then the item), and key names (Return,
    // Escape, Insert, F2, Up, Down, Delete, CtrlDelete) or single characters, sent to the widget
    // that has the focus (the grid or its cell editor).
    static void play(TfrmMain &w, const QString &steps)
    {
        binding::DBGrid *grid = w.Panel2->DBview;
        const auto cellCentre = [grid](const QString &at) {
            const QStringList rc = at.split(u',');
            return grid->visualRect(grid->model()->index(rc[0].toInt(), rc[1].toInt())).center();
        };
        const auto focus = [&w]() -> QWidget * { return w.focusWidget() ? w.focusWidget() : w.Panel2->DBview; };
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            const QString arg = step.section(u':', 1);
            if (step.startsWith(u"click:"_qs)) {
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(arg));
            } else if (step.startsWith(u"dclick:"_qs)) {
                // a real double-click: press, release, press, double-click, release
                const QPoint at = cellCentre(arg);
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
            } else if (step.startsWith(u"type:"_qs)) {
                const QString text = QString(arg).replace(u'␣', u' ');
                for (QChar c : text) // each key to where the focus is now
                    QTest::keyClicks(focus(), QString(c));
            } else if (step.startsWith(u"menu:"_qs)) {
                const QPoint at = grid->viewport()->rect().center();
                QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
                QApplication::sendEvent(grid->viewport(), &event);
                QMenu *menu = grid->contextMenu();
                QVERIFY(QTest::qWaitForWindowExposed(menu));
                QAction *item = nullptr;
                for (QAction *a : menu->actions())
                    item = a->text() == arg ? a : item;
                QVERIFY2(item, qPrintable(arg));
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            } else if (step == u"CtrlDelete") {
                QTest::keyClick(focus(), Qt::Key_Delete, Qt::ControlModifier);
            } else if (step.size() == 1) {
                QTest::keyClick(focus(), step[0].toLatin1());
            } else {
                static const QHash<QString, Qt::Key> keys{
                    {u"Return"_qs, Qt::Key_Return}, {u"Escape"_qs, Qt::Key_Escape}, {u"Insert"_qs, Qt::Key_Insert},
                    {u"F2"_qs, Qt::Key_F2},         {u"Up"_qs, Qt::Key_Up},         {u"Down"_qs, Qt::Key_Down},
                    {u"Delete"_qs, Qt::Key_Delete}};
                QVERIFY2(keys.contains(step), qPrintable(step));
                QTest::keyClick(focus(), keys[step]);
            }
            QCoreApplication::processEvents();
        }
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
        testdata::dropDataModules();
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
        QCOMPARE(w->treeModel->rowCount(), 7);
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
        QCOMPARE(w->treeModel->rowCount(), 7);             // not built twice
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

    void tabSwitchClosesListsAndKeepsTheNote()
    {
        auto w = start();
        binding::DBMemo *memo = w->Panel2->DBMemo1;
        const QString note = memo->toPlainText(); // the first root's, shown with the cover
        w->PageControl->setCurrentWidget(w->Ts_index);
        QVERIFY(w->Q_Tree->isOpen());
        QVERIFY(!w->tBook->isOpen());
        w->Q_Tree->last();
        w->PageControl->setCurrentWidget(w->Ts_ml);
        QVERIFY(!w->Q_Tree->isOpen());
        w->PageControl->setCurrentWidget(w->Ts_index); // reopened from its first row
        QCOMPARE(w->Q_Tree->currentIndex(), 0);
        w->PageControl->setCurrentWidget(w->Ts_search);
        QVERIFY(!w->QF_tree->isOpen()); // the find list is empty until something is typed
        QVERIFY(!w->Q_Tree->isOpen());
        w->PageControl->setCurrentWidget(w->Ts_bookmark);
        QVERIFY(w->tBook->isOpen());
        // The note pane belongs to the page shown, not to the list of the active tab.
        QCOMPARE(memo->toPlainText(), note);
        QVERIFY(memo->dataSource() == nullptr);
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

    // Data pages show read-only: no gesture on the grid writes to the table.
    void gridGesturesLeaveTheTable_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::newRow("double-click on 1.58489 captures") << u"dclick:1,1"_qs;
        QTest::newRow("double-click, then Return") << u"dclick:1,1 Return"_qs;
        QTest::newRow("stray key, then Return") << u"click:3,3 x Return"_qs;
        QTest::newRow("a digit, then leaving the row") << u"click:3,3 9 Down"_qs;
        QTest::newRow("F2, typing, Return") << u"click:1,1 F2 type:1.58 Return"_qs;
        QTest::newRow("Insert, then Return") << u"click:2,1 Insert Return"_qs;
        QTest::newRow("Insert, typing, Up") << u"click:2,1 Insert type:7 Up"_qs;
        QTest::newRow("Delete and Ctrl+Delete") << u"click:4,2 Delete CtrlDelete"_qs;
        QTest::newRow("editing on and off again") << u"menu:允许编辑 menu:允许编辑 click:1,1 F2 type:2 Return"_qs;
    }

    void gridGesturesLeaveTheTable()
    {
        QFETCH(QString, steps);
        auto w = startOnDataPage();
        const QString file = path(QStringLiteral("dat/youxianshu.db"));
        const QByteArray before = fileBytes(file);
        QVERIFY(!before.isEmpty());
        play(*w, steps);
        binding::DBGrid *grid = w->Panel2->DBview;
        QVERIFY(!grid->isEditable());
        for (const QLineEdit *editor : grid->viewport()->findChildren<QLineEdit *>())
            QVERIFY(!editor->isVisible()); // no editor is open
        QCOMPARE(grid->model()->rowCount(), 6);
        QCOMPARE(fileBytes(file), before);
        QVERIFY(!QFile::exists(file + QStringLiteral("-journal")));
        QCOMPARE(m_dialogs->errors, QStringList());
        QCOMPARE(m_dialogs->questions, QStringList());
        if (steps.startsWith(u"dclick:"_qs)) // the report of the column, every digit as shown
            QVERIFY2(core::shared().ResultText.contains(QStringLiteral("\r\n1") + QString(39, u' ') + QStringLiteral("1.58489\r\n")),
                     qPrintable(core::shared().ResultText));
    }

    // With editing switched on: what is stored is exactly what was typed, and nothing else.
    void gridEdits_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("row");       // the cell expected to change (-1: the file stays as it was)
        QTest::addColumn<int>("field");     // -1: the row is deleted
        QTest::addColumn<QVariant>("value"); // its stored value afterwards
        QTest::addColumn<QString>("error");
        const QString on = u"menu:允许编辑 "_qs;
        QTest::newRow("typed value stored exactly") << on + u"click:1,1 F2 type:1.584893 Return"_qs << 1 << 1
                                                    << QVariant(1.584893) << QString();
        QTest::newRow("typing replaces the cell") << on + u"click:3,3 type:0.5 Return"_qs << 3 << 3 << QVariant(0.5) << QString();
        QTest::newRow("blanks around a number") << on + u"click:2,3 F2 type:␣-1E-2␣ Return"_qs << 2 << 3
                                                << QVariant(-0.01) << QString();
        QTest::newRow("text field as typed") << on + u"click:1,2 F2 type:1.6 Return"_qs << 1 << 2 << QVariant(u"1.6"_qs) << QString();
        QTest::newRow("short field") << on + u"click:5,0 F2 type:-7 Return"_qs << 5 << 0 << QVariant(-7) << QString();
        QTest::newRow("emptied cell is blank") << on + u"click:4,3 F2 Delete Return"_qs << 4 << 3 << QVariant() << QString();
        QTest::newRow("unchanged, Return") << on + u"click:1,1 F2 Return"_qs << -1 << 0 << QVariant() << QString();
        QTest::newRow("same value, other text") << on + u"click:1,1 F2 type:1.584890 Return"_qs << -1 << 0 << QVariant() << QString();
        QTest::newRow("Escape drops the typing") << on + u"click:1,1 type:9 Escape"_qs << -1 << 0 << QVariant() << QString();
        QTest::newRow("not a number") << on + u"click:1,1 F2 type:abc Return"_qs << -1 << 0 << QVariant()
                                      << u"'abc' is not a valid floating point value"_qs;
        QTest::newRow("other locale's separator") << on + u"click:1,1 type:1,5 Return"_qs << -1 << 0 << QVariant()
                                                  << u"'1,5' is not a valid floating point value"_qs;
        QTest::newRow("not an integer") << on + u"click:5,0 type:1.5 Return"_qs << -1 << 0 << QVariant()
                                        << u"'1.5' is not a valid integer value"_qs;
        QTest::newRow("inserted row left untouched") << on + u"click:2,1 Insert Up"_qs << -1 << 0 << QVariant() << QString();
        QTest::newRow("inserted row, Return only") << on + u"click:2,1 Insert F2 Return Up"_qs << -1 << 0 << QVariant() << QString();
        QTest::newRow("inserted row, Escape") << on + u"click:2,1 Insert Escape"_qs << -1 << 0 << QVariant() << QString();
        QTest::newRow("inserted row with a value") << on + u"click:2,0 Insert type:6 Return Up"_qs << 6 << 0 << QVariant(6)
                                                   << QString();
        QTest::newRow("Delete record? cancelled") << on + u"click:2,1 CtrlDelete"_qs << -1 << 0 << QVariant() << QString();
        QTest::newRow("Delete record? confirmed") << on + u"click:2,1 CtrlDelete"_qs << 2 << -1 << QVariant() << QString();
    }

    void gridEdits()
    {
        QFETCH(QString, steps);
        QFETCH(int, row);
        QFETCH(int, field);
        QFETCH(QVariant, value);
        QFETCH(QString, error);
        auto w = startOnDataPage();
        const QString file = path(QStringLiteral("dat/youxianshu.db"));
        const QByteArray bytes = fileBytes(file);
        QList<QVariantList> expected = storedCells(path(QStringLiteral("dat")), QStringLiteral("youxianshu"));
        if (row >= expected.size())
            expected << QVariantList(expected[0].size());
        if (row >= 0 && field < 0) {
            expected.removeAt(row);
        } else if (row >= 0) {
            if (value.isValid() && expected[row][field].isValid())
                value.convert(expected[row][field].metaType());
            expected[row][field] = value;
        }
        if (steps.contains(u"CtrlDelete"_qs) && row < 0)
            m_dialogs->answers.enqueue(false);
        play(*w, steps);
        QVERIFY(w->Panel2->AllowEdit->isChecked());
        QCOMPARE(m_dialogs->errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(m_dialogs->questions,
                 steps.contains(u"CtrlDelete"_qs) ? QStringList{u"Delete record?"_qs} : QStringList());
        const QList<QVariantList> stored = storedCells(path(QStringLiteral("dat")), QStringLiteral("youxianshu"));
        QCOMPARE(stored, expected);
        if (row < 0)
            QCOMPARE(fileBytes(file), bytes);
        QCOMPARE(w->Panel2->DBview->model()->rowCount(), expected.size());
    }

    // Editing is for the page shown; it shows while it is on, and a new page starts read-only.
    void editingModeBelongsToThePage()
    {
        auto w = startOnDataPage();
        browser::PageArea *page = w->Panel2;
        const QPalette readOnly = page->DBview->palette();
        QVERIFY(!page->AllowEdit->isChecked()); // off at every start
        play(*w, u"menu:允许编辑"_qs);
        QVERIFY(page->AllowEdit->isChecked());
        QVERIFY(page->DBview->isEditable());
        const QList<QLabel *> labels = page->P_title->findChildren<QLabel *>();
        const auto badge = std::find_if(labels.begin(), labels.end(), [](QLabel *l) { return l->text().startsWith(u"编辑模式"_qs); });
        QVERIFY(badge != labels.end() && (*badge)->isVisible());
        QVERIFY(page->DBview->palette().color(QPalette::Base) != readOnly.color(QPalette::Base));
        core::shared().CurTitle = QStringLiteral("另一页");
        w->ShowPage(3);
        QVERIFY(!page->AllowEdit->isChecked());
        QVERIFY(!page->DBview->isEditable());
        QVERIFY(!(*badge)->isVisible());
        QCOMPARE(page->DBview->palette().color(QPalette::Base), readOnly.color(QPalette::Base));
        QCOMPARE(m_dialogs->notices, QStringList());
    }

    // An installed handbook's table that cannot be written shows normally; editing says why not.
    void editingAReadOnlyTable_data()
    {
        QTest::addColumn<QString>("locked");
        QTest::newRow("read-only file") << u"dat/youxianshu.db"_qs;
        QTest::newRow("read-only folder") << u"dat"_qs;
    }

    void editingAReadOnlyTable()
    {
        QFETCH(QString, locked);
        if (!setImmutable(path(locked), true))
            QSKIP("the file system here cannot make a file read-only for this user");
        struct Unlock {
            QString path;
            ~Unlock() { setImmutable(path, false); }
        } unlock{path(locked)};
        const QByteArray before = fileBytes(path(QStringLiteral("dat/youxianshu.db")));
        auto w = startOnDataPage();
        QCOMPARE(w->Panel2->DBview->model()->rowCount(), 6);
        QCOMPARE(w->Panel2->DBview->model()->index(1, 1).data().toString(), u"1.58489"_qs);
        play(*w, u"menu:允许编辑 click:1,1 F2 type:7 Return"_qs);
        QCOMPARE(m_dialogs->notices, QStringList{browser::GridEditing::unwritableNotice});
        QVERIFY(!w->Panel2->AllowEdit->isChecked());
        QVERIFY(!w->Panel2->DBview->isEditable());
        QCOMPARE(m_dialogs->errors, QStringList());
        QCOMPARE(fileBytes(path(QStringLiteral("dat/youxianshu.db"))), before);
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
