// The handbook as a desktop application, every window created as at start-up: the keys of the
// everyday paths (driven by key events), the menu items, the about box, accessible names and
// window roles, colours under light and dark palettes, labels under a larger font, the window's
// placement and Qt's own dialogs in Chinese.
#include "app/UMain.h"
#include "app/desktop.h"
#include "app/placement.h"
#include "app/startup.h"
#include "app/windowconventions.h"

#include "binding/dbgrid.h"
#include "browser/catalogue.h"
#include "browser/pagearea.h"
#include "core/contrast.h"
#include "core/qtdialogs.h"
#include "core/sharedstate.h"
#include "datatools/U_cxjg.h"
#include "datatools/U_find.h"
#include "datatools/U_search.h"
#include "datatools/uImage.h"
#include "datatools/uMemo.h"
#include "datatools/u_cxls.h"
#include "fits/DataUnit.h"
#include "fits/Ugcph.h"
#include "geotol/DataofShapeLocation.h"
#include "geotol/ShapeLocation.h"
#include "geotol/Uzzd.h"
#include "datamodules.h"
#include "scripteddialogs.h"
#include "storage/dataset.h"
#include "testdata.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace {

QPalette darkPalette()
{
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 30), text(230, 230, 230);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(38, 79, 120));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// Key presses carrying each character's text, as a keyboard or an input method gives them.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QList<QWidget *> allWindows()
{
    return {frmMain, frm_cxjg, frmcxls, frm_find, frm_search, frmImage, frmMemo, frmgccx, frmgcph};
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QPalette m_lightPalette;
    QFont m_font;

    int historyRows() const
    {
        storage::Dataset h;
        h.setDirectory(m_dir->filePath(QStringLiteral("database")));
        h.setTableName(QStringLiteral("History.DB"));
        h.open();
        return h.recordCount();
    }

    void start()
    {
        createWindows(m_dir->path());
        frmMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(frmMain));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join(u'\n')));
    }

    // Gives a window the keyboard, as a click on it would.
    static void activate(QWidget *window)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    QModelIndex node(int root, int child = -1) const
    {
        const QModelIndex r = frmMain->treeModel->index(root, 0);
        return child < 0 ? r : frmMain->treeModel->index(child, 0, r);
    }

private slots:
    void initTestCase()
    {
        app::installWindowRoles();
        m_lightPalette = QApplication::palette();
        m_font = QApplication::font();
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testdata::buildSample(m_dir->path());
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }

    void cleanup()
    {
        // The calculators first: one of them may be embedded in the main window.
        for (QWidget *w : std::initializer_list<QWidget *>{frmgcph, frmgccx, frmzzd, frm_cxjg, frmcxls, frm_find, frm_search,
                                                           frmImage, frmMemo, frmMain})
            delete w;
        frmgcph = nullptr, frmgccx = nullptr, frmzzd = nullptr, frm_cxjg = nullptr, frmcxls = nullptr;
        frm_find = nullptr, frm_search = nullptr, frmImage = nullptr, frmMemo = nullptr, frmMain = nullptr;
        testdata::dropDataModules();
        m_dialogs.reset();
        m_dir.reset();
        QApplication::setPalette(m_lightPalette);
        QApplication::setFont(m_font);
    }

    // Arrow keys only move through the tree; Return opens the node's page as a click does.
    void treeKeys()
    {
        start();
        activate(frmMain);
        QTreeView *tree = frmMain->m_Tree;
        tree->setFocus();
        tree->setCurrentIndex(node(0));
        QTest::keyClick(tree, Qt::Key_Right); // expands the first root
        QTest::keyClick(tree, Qt::Key_Down);  // its first child, a data page
        QCOMPARE(tree->currentIndex(), node(0, 0));
        QVERIFY(core::shared().CurTitle.isEmpty());
        QCOMPARE(historyRows(), 0);
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(core::shared().CurTitle, node(0, 0).data().toString());
        QVERIFY(frmMain->Panel2->DBview->isVisible());
        QCOMPARE(historyRows(), 1);
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(historyRows(), 1);
        QTest::keyClick(tree, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(core::shared().CurTitle, node(0, 1).data().toString());
        QCOMPARE(historyRows(), 2);
    }

    // Return in the index box or on a row of the index list opens the row's page.
    void indexKeys()
    {
        start();
        activate(frmMain);
        frmMain->PageControl->setCurrentWidget(frmMain->Ts_index);
        typeText(frmMain->s_index, QStringLiteral("标准公差"));
        const QString found = frmMain->Q_Tree->text(QStringLiteral("CName"));
        QVERIFY(found.startsWith(QStringLiteral("标准公差")));
        QTest::keyClick(frmMain->s_index, Qt::Key_Return);
        QCOMPARE(core::shared().CurTitle, found);
        QCOMPARE(historyRows(), 1);
        frmMain->DBGrid2->setFocus();
        QTest::keyClick(frmMain->DBGrid2, Qt::Key_Down);
        const QString next = frmMain->Q_Tree->text(QStringLiteral("CName"));
        QVERIFY(next != found);
        QCOMPARE(core::shared().CurTitle, found); // moving shows nothing
        QTest::keyClick(frmMain->DBGrid2, Qt::Key_Return);
        QCOMPARE(historyRows(), frmMain->Q_Tree->text(QStringLiteral("CFrame")).isEmpty() ? 1 : 2);
        QCOMPARE(frmMain->Q_Tree->text(QStringLiteral("CName")), next);
    }

    // Alt+Left and Alt+Right step as "上一页" and "下一页" do.
    void historyKeys()
    {
        start();
        activate(frmMain);
        QTreeView *tree = frmMain->m_Tree;
        tree->setFocus();
        tree->setCurrentIndex(node(0));
        QTest::keyClick(tree, Qt::Key_Right);
        QStringList titles;
        for (int child : {0, 2, 4}) {
            tree->setCurrentIndex(node(0, child));
            QTest::keyClick(tree, Qt::Key_Return);
            titles << core::shared().CurTitle;
        }
        QCOMPARE(historyRows(), 3);
        QTest::keyClick(frmMain, Qt::Key_Left, Qt::AltModifier); // 上一页: from the oldest visit on
        QCOMPARE(core::shared().CurTitle, titles[1]);
        QTest::keyClick(frmMain, Qt::Key_Right, Qt::AltModifier); // 下一页: back towards the oldest
        QCOMPARE(core::shared().CurTitle, titles[0]);
        QCOMPARE(frmMain->T_history->recordCount(), 3); // stepping records nothing (the table is open meanwhile)
    }

    // Ctrl+F opens 数据检索; F3 runs its "下一个", from the main window and from the search window.
    void searchKeys()
    {
        testdata::writeTable(m_dir->filePath(QStringLiteral("dat/q.db")),
                             QStringLiteral("编号:A4,名称:A20\nr1,甲乙\nr2,丙\nr3,乙丁\nr4,戊乙\n"));
        start();
        core::shared().CurTable = QStringLiteral("q");
        frmMain->ShowPage(3);
        activate(frmMain);
        QTest::keyClick(frmMain, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(frm_search->isVisible());
        activate(frm_search);
        typeText(frm_search->Edit1, QStringLiteral("乙"));
        QTest::mouseClick(frm_search->BitBtn1, Qt::LeftButton);
        QCOMPARE(frmMain->tblView->currentIndex(), 0);
        QTest::keyClick(frm_search, Qt::Key_F3);
        QCOMPARE(frmMain->tblView->currentIndex(), 2);
        activate(frmMain);
        QTest::keyClick(frmMain, Qt::Key_F3);
        QCOMPARE(frmMain->tblView->currentIndex(), 3);
    }

    void escapeClosesSecondaryWindows_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("查询结果") << 0;
        QTest::newRow("results log") << 1;
        QTest::newRow("数据查询") << 2;
        QTest::newRow("数据检索") << 3;
        QTest::newRow("picture viewer") << 4;
        QTest::newRow("note viewer") << 5;
    }

    void escapeClosesSecondaryWindows()
    {
        QFETCH(int, window);
        start();
        QWidget *w = QList<QWidget *>{frm_cxjg, frmcxls, frm_find, frm_search, frmImage, frmMemo}[window];
        w->show();
        activate(w);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QVERIFY(frmMain->isVisible());
    }

    void quitKeyAndExitItemClose_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Ctrl+Q") << true;
        QTest::newRow("文件 → 退出") << false;
    }

    void quitKeyAndExitItemClose()
    {
        QFETCH(bool, byKey);
        start();
        activate(frmMain);
        if (byKey)
            QTest::keyClick(frmMain, Qt::Key_Q, Qt::ControlModifier);
        else
            frmMain->N8->trigger();
        QVERIFY(!frmMain->isVisible());
    }

    void menuItemsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("文件 → 数据查询") << "数据查询";
        QTest::newRow("文件 → 数据检索") << "数据检索";
        QTest::newRow("文件 → 查询结果") << "查询结果";
    }

    void menuItemsOpenTheirWindows()
    {
        QFETCH(QString, item);
        start();
        const QHash<QString, QPair<QAction *, QWidget *>> items = {{QStringLiteral("数据查询"), {frmMain->N4, frm_find}},
                                                                   {QStringLiteral("数据检索"), {frmMain->N5, frm_search}},
                                                                   {QStringLiteral("查询结果"), {frmMain->N6, frmcxls}}};
        QCOMPARE(items[item].first->text(), item);
        items[item].first->trigger();
        QVERIFY(items[item].second->isVisible());
    }

    void calculatorItemsShowTheirPages_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("公差与配合") << "公差与配合" << "frmgcph";
        QTest::newRow("形位公差") << "形位公差" << "frmgccx";
    }

    void calculatorItemsShowTheirPages()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        start();
        QAction *action = item == u"公差与配合" ? frmMain->actFits : frmMain->actGeotol;
        QCOMPARE(action->text(), item);
        action->trigger();
        QWidget *calculator = window == u"frmgcph" ? static_cast<QWidget *>(frmgcph) : frmgccx;
        QCOMPARE(core::shared().EmbeddedWindow, window);
        QVERIFY(calculator->isVisible());
        QCOMPARE(calculator->parentWidget(), frmMain->Panel2->Pan_Dat);
        // through the selection steps: the node's title, and a visit in the history
        QCOMPARE(frmMain->Panel2->itemtitle->text(), core::shared().CurTitle);
        QVERIFY(!core::shared().CurTitle.isEmpty());
        QCOMPARE(historyRows(), 1);
    }

    void itemsWithNothingBehindThemAreDisabled()
    {
        start();
        QStringList enabled, disabled;
        for (QAction *menu : frmMain->menuBar()->actions()) {
            if (!menu->isEnabled()) {
                disabled << menu->text();
                continue;
            }
            for (QAction *a : menu->menu()->actions())
                if (!a->isSeparator())
                    (a->isEnabled() ? enabled : disabled) << a->text();
        }
        QCOMPARE(enabled, (QStringList{u"数据查询"_qs, u"数据检索"_qs, u"查询结果"_qs, u"退出"_qs, u"工具栏"_qs, u"导航器"_qs,
                                       u"状态栏"_qs, u"公差与配合"_qs, u"形位公差"_qs, u"教程"_qs, u"关于"_qs}));
        QVERIFY(disabled.contains(u"工程计算器"_qs) && disabled.contains(u"弹簧设计"_qs) && disabled.size() == 13);
        QVERIFY(!frmMain->ToolButton11->isEnabled());
    }

    void expandAllExpandsEveryNode()
    {
        start();
        QTest::mouseClick(frmMain->ToolButton4, Qt::LeftButton);
        int checked = 0;
        std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
            for (int r = 0; r < frmMain->treeModel->rowCount(parent); ++r) {
                const QModelIndex i = frmMain->treeModel->index(r, 0, parent);
                if (frmMain->treeModel->rowCount(i) > 0) {
                    QVERIFY(frmMain->m_Tree->isExpanded(i));
                    ++checked;
                }
                walk(i);
            }
        };
        walk(QModelIndex());
        QVERIFY(checked > 3);
    }

    void viewItemsShowAndHideTheBars()
    {
        start();
        QVERIFY(frmMain->ToolBar1->isVisible() && frmMain->Panel1->isVisible());
        QVERIFY(!frmMain->statusBar()->isVisible());
        frmMain->actToolbar->trigger();
        frmMain->actNavigator->trigger();
        frmMain->actStatusbar->trigger();
        QVERIFY(!frmMain->ToolBar1->isVisible() && !frmMain->Panel1->isVisible());
        QVERIFY(frmMain->statusBar()->isVisible());
        frmMain->actFits->trigger(); // the status bar names the page shown
        QCOMPARE(frmMain->StatusText->text(), core::shared().CurTitle);
        frmMain->actToolbar->trigger();
        frmMain->actNavigator->trigger();
        QVERIFY(frmMain->ToolBar1->isVisible() && frmMain->Panel1->isVisible());
    }

    void tutorialShowsTheGuide()
    {
        start();
        QTest::mouseClick(frmMain->ToolButton10, Qt::LeftButton);
        QVERIFY(frmMain->Panel2->Pan_web->isVisible());
        QVERIFY2(frmMain->Panel2->WebBrowser->toPlainText().contains(QStringLiteral("使用教程")),
                 qPrintable(frmMain->Panel2->WebBrowser->toPlainText().left(200)));
        frmMain->actFits->trigger(); // another page, then F1 (帮助 → 教程) brings the guide back
        QVERIFY(!frmMain->Panel2->Pan_web->isVisible());
        activate(frmMain);
        QTest::keyClick(frmMain, Qt::Key_F1);
        QVERIFY(frmMain->Panel2->Pan_web->isVisible());
        QVERIFY(frmMain->Panel2->WebBrowser->toPlainText().contains(QStringLiteral("Ctrl+F")));
    }

    void aboutNamesVersionAndDataDirectory()
    {
        start();
        frmMain->actAbout->trigger();
        QCOMPARE(m_dialogs->abouts.size(), 1);
        const QString text = m_dialogs->abouts[0];
        QVERIFY2(text.startsWith(QStringLiteral("关于\n")) && text.contains(QStringLiteral("版本 ") + app::version())
                     && text.contains(QDir::toNativeSeparators(core::shared().AppDir)),
                 qPrintable(text));
        const QString shared = app::aboutText(QStringLiteral("/usr/share/orvane-handbook/"), QStringLiteral("/home/u/.local/share/x/"));
        QVERIFY(shared.contains(QStringLiteral("/usr/share/orvane-handbook/")) && shared.contains(QStringLiteral("/home/u/.local/share/x/")));
    }

    // What an assistive technology sees: every control has a name, secondary windows are windows.
    void everyControlIsNamed()
    {
        start();
        // The picture viewer holds a picture, as after a double-click on a page's picture: a
        // label with a picture is a graphic and needs a name of its own.
        activate(frmMain);
        frmMain->m_Tree->setFocus();
        frmMain->m_Tree->setCurrentIndex(node(0));
        QTest::keyClick(frmMain->m_Tree, Qt::Key_Right);
        QTest::keyClick(frmMain->m_Tree, Qt::Key_Down); // 优先数系 R5: a note and a picture
        QTest::keyClick(frmMain->m_Tree, Qt::Key_Return);
        QTest::mouseDClick(frmMain->Panel2->Image1, Qt::LeftButton);
        QVERIFY(frmImage->isVisible() && !frmImage->Img_show->pixmap().isNull());
        const QSet<QAccessible::Role> controls = {
            QAccessible::EditableText, QAccessible::ComboBox,    QAccessible::List,        QAccessible::Tree,
            QAccessible::Table,        QAccessible::PushButton,  QAccessible::CheckBox,    QAccessible::RadioButton,
            QAccessible::SpinBox,      QAccessible::PageTab,     QAccessible::PageTabList, QAccessible::ToolBar,
            QAccessible::Graphic,      QAccessible::ButtonMenu,  QAccessible::Slider,      QAccessible::Window,
            QAccessible::Dialog,       QAccessible::Border};
        QStringList unnamed;
        std::function<void(QAccessibleInterface *, const QString &)> walk = [&](QAccessibleInterface *iface, const QString &where) {
            if (!iface || !iface->isValid())
                return;
            const QString name = iface->text(QAccessible::Name);
            const QString here = where + u'/' + (name.isEmpty() ? QString::fromLatin1(iface->object() ? iface->object()->metaObject()->className() : "?") : name);
            if (controls.contains(iface->role()) && name.trimmed().isEmpty())
                unnamed << here + QStringLiteral(" (role %1)").arg(int(iface->role()));
            // On Linux Qt gives a drop-down list its value as name and reaches its label through
            // its label's relation: a list needs a label, or a name of its own for the others.
            if (iface->role() == QAccessible::ComboBox && iface->relations(QAccessible::Label).isEmpty()
                && static_cast<QWidget *>(iface->object())->accessibleName().isEmpty())
                unnamed << here + QStringLiteral(" (a drop-down list without a label)");
            // Rows and cells of views are named by their content, the parts of a drop-down list by
            // the list: walk widgets only.
            if (iface->role() == QAccessible::Table || iface->role() == QAccessible::Tree || iface->role() == QAccessible::List
                || iface->role() == QAccessible::ComboBox)
                return;
            for (int i = 0; i < iface->childCount(); ++i)
                walk(iface->child(i), here);
        };
        for (QWidget *w : allWindows()) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            QVERIFY(iface);
            if (w != frmgccx && w != frmgcph) // the calculators are pages of the main window
                QVERIFY2(iface->role() == QAccessible::Window, w->metaObject()->className());
            walk(iface, QString::fromLatin1(w->metaObject()->className()));
        }
        for (const QString &u : std::as_const(unnamed))
            qWarning("unnamed: %s", qPrintable(u));
        QVERIFY2(unnamed.isEmpty(), qPrintable(QString::number(unnamed.size()) + QStringLiteral(" unnamed controls, listed above")));
    }

    // 打印 in the results log shows Qt's preview of the printout first; Esc leaves it unprinted.
    void resultsLogPrintsThroughAPreview()
    {
        start();
        QTest::mouseClick(frmMain->ToolButton8, Qt::LeftButton);
        QVERIFY(frmcxls->isVisible());
        QString text;
        for (int i = 1; i <= 200; ++i)
            text += QStringLiteral("第 %1 行 查询结果\r\n").arg(i);
        frmcxls->setPaneText(text);
        const QString pdf = m_dir->filePath(QStringLiteral("log.pdf"));
        frmcxls->PrintDialog1().setOutputFormat(QPrinter::PdfFormat);
        frmcxls->PrintDialog1().setOutputFileName(pdf);
        core::QtDialogs qtDialogs;
        core::setDialogs(&qtDialogs);
        int pages = -1;
        bool previewed = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
            if (!preview) { // a print dialog straight away, say: closed unanswered
                if (modal)
                    QTest::keyClick(modal, Qt::Key_Escape);
                return;
            }
            previewed = true;
            auto *pagesShown = preview->findChild<QPrintPreviewWidget *>();
            if (pagesShown && QTest::qWaitFor([&] { return pagesShown->pageCount() > 0; }))
                pages = pagesShown->pageCount();
            QTest::keyClick(preview, Qt::Key_Escape);
        });
        QTest::mouseClick(frmcxls->BitBtn12, Qt::LeftButton); // returns when the preview is closed
        core::setDialogs(m_dialogs.get());
        QVERIFY(previewed);
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages))); // 200 lines do not fit on one page
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Switching the filter on or off over a table walks it: a wait cursor meanwhile, none after.
    void filterShowsAWaitCursor_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("查询") << true;
        QTest::newRow("撤销查询") << false;
    }

    void filterShowsAWaitCursor()
    {
        QFETCH(bool, on);
        testdata::writeTable(m_dir->filePath(QStringLiteral("dat/q.db")),
                             QStringLiteral("编号:A4,名称:A20\nr1,甲\nr2,乙\nr3,丙\n"));
        start();
        core::shared().CurTable = QStringLiteral("q");
        frmMain->ShowPage(3);
        QTest::mouseClick(frmMain->ToolButton6, Qt::LeftButton);
        QVERIFY(frm_find->isVisible());
        activate(frm_find);
        frm_find->ComboBox1->setFocus();
        typeText(frm_find->ComboBox1->lineEdit(), QStringLiteral("编号"));
        frm_find->Edit1->setFocus();
        typeText(frm_find->Edit1, QStringLiteral("r2"));
        if (!on)
            QTest::mouseClick(frm_find->BitBtn3, Qt::LeftButton);
        QCOMPARE(frmMain->tblView->recordCount(), on ? 3 : 1);
        QList<int> shapes;
        connect(frmMain->tblView, &storage::Dataset::rowsReset, this, [&] {
            const QCursor *c = QGuiApplication::overrideCursor();
            shapes << (c ? int(c->shape()) : -1);
        });
        QTest::mouseClick(on ? frm_find->BitBtn3 : frm_find->BitBtn4, Qt::LeftButton);
        QCOMPARE(frmMain->tblView->recordCount(), on ? 1 : 3);
        QVERIFY(!shapes.isEmpty());
        for (int shape : std::as_const(shapes))
            QCOMPARE(shape, int(Qt::WaitCursor));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void coloursStayReadable_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("afterStart"); // the palette changes while the handbook runs
        QTest::newRow("light") << false << false;
        QTest::newRow("dark") << true << false;
        QTest::newRow("dark switched on while running") << true << true;
    }

    void coloursStayReadable()
    {
        QFETCH(bool, dark);
        QFETCH(bool, afterStart);
        if (dark && !afterStart)
            QApplication::setPalette(darkPalette());
        start();
        if (dark && afterStart)
            QApplication::setPalette(darkPalette());
        const auto textOn = [](QWidget *w, QWidget *background) {
            return core::contrastRatio(w->palette().color(QPalette::WindowText), background->palette().color(QPalette::Window));
        };
        QList<QPair<QString, double>> ratios = {
            {QStringLiteral("page title"), textOn(frmMain->Panel2->itemtitle, frmMain->Panel2->P_title)},
            {QStringLiteral("查 询 结 果 heading"), textOn(frm_cxjg->Label4, frm_cxjg->Shape1)},
            {QStringLiteral("查询结果 label"), textOn(frm_cxjg->Label1, frm_cxjg)},
            {QStringLiteral("geometric tolerance value"), textOn(frmgccx->LB, frmgccx)}};
        for (QLabel *result : frmgcph->findChildren<QLabel *>())
            if (result->palette().color(QPalette::WindowText).hslHue() > 200 && result->palette().color(QPalette::WindowText).hslHue() < 260)
                ratios.append({QStringLiteral("fit result ") + result->objectName(), textOn(result, frmgcph)});
        QVERIFY(ratios.size() > 4);
        // The selected tree node: red on its selection band, in the focused and unfocused tree.
        const QPalette tree = frmMain->m_Tree->palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
            const QColor red = tree.color(g, QPalette::HighlightedText);
            QVERIFY2(red.hslHue() <= 10 || red.hslHue() >= 350, qPrintable(red.name()));
            QVERIFY(red.hslSaturation() > 150);
            ratios.append({QStringLiteral("selected node"), core::contrastRatio(red, tree.color(g, QPalette::Highlight))});
        }
        for (const auto &[what, ratio] : ratios)
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(what).arg(ratio)));
        // The toolbar's pictures: their ink (the most opaque pixel) at 3:1 on the toolbar.
        const QColor bar = frmMain->ToolBar1->palette().color(QPalette::Window);
        QCOMPARE(frmMain->m_toolbarButtons.size(), 8);
        for (QToolButton *b : std::as_const(frmMain->m_toolbarButtons)) {
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active}) {
                const QImage image = b->icon().pixmap(QSize(16, 16), 1.0, mode).toImage();
                QColor ink = Qt::transparent;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        if (image.pixelColor(x, y).alpha() > ink.alpha())
                            ink = image.pixelColor(x, y);
                const double ratio = core::contrastRatio(ink, bar);
                QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("%1: %2").arg(b->text()).arg(ratio)));
            }
        }
    }

    void readableColourKeepsItsHue_data()
    {
        QTest::addColumn<QColor>("wanted");
        QTest::addColumn<QColor>("background");
        QTest::newRow("blue on white stays") << QColor(Qt::blue) << QColor(Qt::white);
        QTest::newRow("blue on dark grey lightens") << QColor(Qt::blue) << QColor(45, 45, 48);
        QTest::newRow("red on white darkens") << QColor(Qt::red) << QColor(Qt::white);
        QTest::newRow("red on navy lightens") << QColor(Qt::red) << QColor(0, 0, 128);
        QTest::newRow("blue on the desktop blue") << QColor(Qt::blue) << QColor(0x3a, 0x6e, 0xa5);
        QTest::newRow("grey on grey: black or white") << QColor(128, 128, 128) << QColor(118, 118, 118);
    }

    void readableColourKeepsItsHue()
    {
        QFETCH(QColor, wanted);
        QFETCH(QColor, background);
        const QColor c = core::readableOn(wanted, background);
        QVERIFY2(core::contrastRatio(c, background) >= 4.5, qPrintable(c.name()));
        if (core::contrastRatio(wanted, background) >= 4.5)
            QCOMPARE(c, wanted.toRgb());
        else if (wanted.hslSaturation() > 0)
            QVERIFY2(std::abs(c.hslHue() - wanted.hslHue()) <= 2, qPrintable(c.name()));
        QCOMPARE(qRound(core::contrastRatio(Qt::black, Qt::white)), 21);
    }

    void labelsAreWholeUnderALargerFont_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("system font") << 1.0;
        QTest::newRow("system font half as large again") << 1.5;
        QTest::newRow("system font twice as large") << 2.0;
    }

    void labelsAreWholeUnderALargerFont()
    {
        QFETCH(qreal, scale);
        QFont larger = m_font;
        larger.setPointSizeF(m_font.pointSizeF() * scale);
        QApplication::setFont(larger);
        start();
        for (QWidget *w : allWindows())
            w->show();
        frmgccx->LB->setText(QStringLiteral("0.025 mm 以上的一个较长结果")); // a text set later
        QCoreApplication::processEvents();
        QStringList cut;
        for (QWidget *w : allWindows()) {
            for (QLabel *label : w->findChildren<QLabel *>()) {
                const QWidget *parent = label->parentWidget();
                if (label->text().isEmpty() || label->wordWrap() || (parent->layout() && parent->layout()->indexOf(label) >= 0))
                    continue;
                const QSize hint = label->sizeHint();
                if (label->width() < hint.width() || label->height() < hint.height())
                    cut << QStringLiteral("%1 in %2: %3×%4 < %5×%6")
                               .arg(label->text(), QString::fromLatin1(w->metaObject()->className()))
                               .arg(label->width()).arg(label->height()).arg(hint.width()).arg(hint.height());
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }

    void firstPlacementFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("1280×1024: the designed size, centred")
            << QRect(0, 0, 1280, 1024) << QRect((1280 - 1022 - 16) / 2 + 8, (1024 - 766 - 44) / 2 + 36, 1022, 766);
        QTest::newRow("1080p at 150 % (1280×720 with a panel)")
            << QRect(0, 0, 1280, 688) << QRect((1280 - 1022 - 16) / 2 + 8, 36, 1022, 688 - 44);
        QTest::newRow("1366×768 laptop with a side panel")
            << QRect(64, 0, 1302, 768) << QRect(64 + (1302 - 1022 - 16) / 2 + 8, 36, 1022, 768 - 44);
        QTest::newRow("800×600 at 2× (400×300)") << QRect(0, 0, 400, 300) << QRect(8, 36, 400 - 16, 300 - 44);
        QTest::newRow("second screen to the right") << QRect(1920, 0, 1920, 1080)
                                                    << QRect(1920 + (1920 - 1022 - 16) / 2 + 8, (1080 - 766 - 44) / 2 + 36, 1022, 766);
    }

    void firstPlacementFitsTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        const QRect placed = app::firstPlacement(QSize(1022, 766), available, TfrmMain::frameAllowance());
        QCOMPARE(placed, expected);
        QVERIFY(available.contains(placed.marginsAdded(TfrmMain::frameAllowance())));
    }

    void placementIsRememberedPerUser_data()
    {
        QTest::addColumn<QSize>("left");     // the size the user left
        QTest::addColumn<QSize>("restored"); // on this screen (offscreen: 800 × 800)
        QTest::newRow("as the user left it") << QSize(600, 450) << QSize(600, 450);
        QTest::newRow("left on a larger screen: fitted to this one") << QSize(1600, 1200) << QSize(784, 756);
    }

    void placementIsRememberedPerUser()
    {
        QFETCH(QSize, left);
        QFETCH(QSize, restored);
        QTemporaryDir config; // outlives the data directory of the first run
        const QString file = config.filePath(QStringLiteral("settings.conf"));
        start();
        frmMain->setGeometry(QRect(QPoint(60, 70), left));
        frmMain->Splitter1->setSizes({200, left.width() - 210});
        frmMain->actStatusbar->setChecked(true);
        frmMain->actToolbar->setChecked(false);
        const int leftPane = frmMain->Splitter1->sizes().constFirst();
        {
            QSettings settings(file, QSettings::IniFormat);
            app::savePlacement(*frmMain, settings);
        }
        cleanup();
        init();
        createWindows(m_dir->path());
        QSettings settings(file, QSettings::IniFormat);
        app::restorePlacement(*frmMain, settings);
        frmMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(frmMain));
        QCOMPARE(frmMain->size(), restored);
        QVERIFY(frmMain->screen()->availableGeometry().contains(frmMain->frameGeometry()));
        QCOMPARE(frmMain->Splitter1->sizes().constFirst(), leftPane);
        QVERIFY(frmMain->actStatusbar->isChecked() && frmMain->statusBar()->isVisible());
        QVERIFY(!frmMain->actToolbar->isChecked() && !frmMain->ToolBar1->isVisible());
    }

    void qtDialogsSpeakChinese_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("file");
        QTest::newRow("Simplified Chinese system") << "zh_CN" << "qtbase_zh_CN.qm";
        QTest::newRow("Traditional Chinese system") << "zh_TW" << "qtbase_zh_TW.qm";
        QTest::newRow("English system: the interface's Chinese") << "en_US" << "qtbase_zh_CN.qm";
        QTest::newRow("C locale (a fresh system)") << "C" << "qtbase_zh_CN.qm";
    }

    void qtDialogsSpeakChinese()
    {
        QFETCH(QString, locale);
        QFETCH(QString, file);
        QTranslator translator;
        const QString loaded = app::loadQtTranslation(translator, QLocale(locale));
        QVERIFY2(!loaded.isEmpty(), "Qt's translations are missing: scripts/setup installs qt6-translations-l10n");
        QCOMPARE(QFileInfo(loaded).fileName(), file);
        QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), u"取消"_qs);
        QVERIFY(!QCoreApplication::translate("QPrintPreviewDialog", "Print Preview").startsWith(u"Print"_qs));
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
