// The main window's menus and keys: items that open what they name, items with nothing behind
// them shown disabled, the view switches, the help menu, and the keys of the everyday paths.
#include "UMain.h"

#include "binding/dbgrid.h"
#include "browser/pagearea.h"
#include "core/dialogs.h"
#include "core/guard.h"
#include "core/sharedstate.h"
#include "core/waitcursor.h"
#include "datatools/U_search.h"
#include "desktop.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace {

// The bundled page on how to use the handbook, in "txt".
const QString guidePage = QStringLiteral("guide.htm");

// Runs a handler when a watched widget gets Return or Enter; the key goes no further.
class ReturnKeyHook : public QObject {
public:
    ReturnKeyHook(QWidget *watched, std::function<void()> handler) : QObject(watched), m_handler(std::move(handler))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        core::guarded(m_handler);
        return true;
    }

private:
    std::function<void()> m_handler;
};

// The key sequences of a standard key, with `fallback` added when the platform's list lacks it.
QList<QKeySequence> keysOf(QKeySequence::StandardKey key, const QKeySequence &fallback)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.contains(fallback))
        keys.append(fallback);
    return keys;
}

} // namespace

void TfrmMain::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件"));
    N4 = file->addAction(QStringLiteral("数据查询"));
    N5 = file->addAction(QStringLiteral("数据检索"));
    N5->setShortcuts(keysOf(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)));
    N6 = file->addAction(QStringLiteral("查询结果"));
    file->addSeparator();
    N8 = file->addAction(QStringLiteral("退出"));
    N8->setShortcuts(keysOf(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));

    QMenu *view = menuBar()->addMenu(QStringLiteral("视图"));
    actToolbar = view->addAction(QStringLiteral("工具栏"));
    actNavigator = view->addAction(QStringLiteral("导航器"));
    actStatusbar = view->addAction(QStringLiteral("状态栏"));
    for (QAction *a : {actToolbar, actNavigator, actStatusbar})
        a->setCheckable(true);
    actToolbar->setChecked(true);
    actNavigator->setChecked(true);

    // Calculators the handbook does not have yet: shown, disabled.
    menuBar()->addMenu(QStringLiteral("工程计算器"))->setEnabled(false);
    QMenu *calc = menuBar()->addMenu(QStringLiteral("常用设计计算程序"));
    actFits = calc->addAction(QStringLiteral("公差与配合"));
    actGeotol = calc->addAction(QStringLiteral("形位公差"));
    const QList<QStringList> notBuilt = {
        {QStringLiteral("滚动轴承选用计算"), QStringLiteral("滑动轴承选用计算")},
        {QStringLiteral("渐开线圆柱齿轮传动设计"), QStringLiteral("圆锥齿轮传动设计"), QStringLiteral("带轮传动设计"),
         QStringLiteral("摩擦轮传动设计")},
        {QStringLiteral("轴传动设计"), QStringLiteral("链传动设计"), QStringLiteral("螺旋传动设计")},
        {QStringLiteral("平面连杆机构设计"), QStringLiteral("凸轮机构设计")},
        {QStringLiteral("弹簧设计")}};
    for (const QStringList &group : notBuilt) {
        calc->addSeparator();
        for (const QString &t : group)
            calc->addAction(t)->setEnabled(false);
    }

    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助"));
    actTutorial = help->addAction(QStringLiteral("教程"));
    actTutorial->setShortcuts(QKeySequence::HelpContents);
    help->addSeparator();
    actAbout = help->addAction(QStringLiteral("关于"));

    // Keys without a menu item of their own: they step the history as "上一页" and "下一页" do,
    // and run "下一个" of the data search.
    actBack = new QAction(QStringLiteral("上一页"), this);
    actBack->setShortcuts(keysOf(QKeySequence::Back, QKeySequence(Qt::ALT | Qt::Key_Left)));
    actForward = new QAction(QStringLiteral("下一页"), this);
    actForward->setShortcuts(keysOf(QKeySequence::Forward, QKeySequence(Qt::ALT | Qt::Key_Right)));
    actNextFound = new QAction(QStringLiteral("下一个"), this);
    actNextFound->setShortcuts(keysOf(QKeySequence::FindNext, QKeySequence(Qt::Key_F3)));
    addActions({actBack, actForward, actNextFound});
}

void TfrmMain::wireMenus()
{
    auto on = [this](auto *sender, auto signal, auto handler) {
        connect(sender, signal, this, [handler] { core::guarded(handler); });
    };
    on(N8, &QAction::triggered, [this] { close(); });

    ToolBar1->setWindowTitle(QStringLiteral("工具栏"));
    if (auto *more = ToolBar1->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("更多工具"));
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu); // shown and hidden through 视图 only
    StatusText = new QLabel(this);
    statusBar()->addWidget(StatusText, 1);
    statusBar()->setVisible(actStatusbar->isChecked());
    connect(actToolbar, &QAction::toggled, ToolBar1, &QWidget::setVisible);
    connect(actNavigator, &QAction::toggled, Panel1, &QWidget::setVisible);
    connect(actStatusbar, &QAction::toggled, statusBar(), &QWidget::setVisible);
    connect(tblView, &storage::Dataset::rowsReset, this, &TfrmMain::showStatus);

    on(actFits, &QAction::triggered, [this] { showCalculator(QStringLiteral("frmgcph"), actFits->text()); });
    on(actGeotol, &QAction::triggered, [this] { showCalculator(QStringLiteral("frmgccx"), actGeotol->text()); });
    on(ToolButton4, &QToolButton::clicked, [this] { ToolButton4Click(); });
    on(ToolButton10, &QToolButton::clicked, [this] { ToolButton10Click(); });
    on(actTutorial, &QAction::triggered, [this] { ToolButton10Click(); });
    on(actAbout, &QAction::triggered, [this] { AboutClick(); });
    ToolButton11->setEnabled(false); // the online service does not exist
}

void TfrmMain::wireKeys()
{
    auto on = [this](QAction *action, auto handler) {
        connect(action, &QAction::triggered, this, [handler] { core::guarded(handler); });
    };
    on(actBack, [this] { ToolButton1Click(); });
    on(actForward, [this] { ToolButton2Click(); });
    on(actNextFound, [this] { NextFoundClick(); });

    // Return opens the page of the node or row the keyboard is on, as a click does; the arrow
    // keys only move.
    new ReturnKeyHook(m_Tree, [this] { m_TreeClick(); });
    new ReturnKeyHook(DBGrid2, [this] { DBGrid2CellClick(); });
    new ReturnKeyHook(DBGrid3, [this] { DBGrid3CellClick(); });
    new ReturnKeyHook(DBGrid1, [this] { DBGrid1CellClick(); });
    // In the index and find boxes, Return opens the row the typed text found.
    new ReturnKeyHook(s_index, [this] {
        if (Q_Tree->isOpen() && !Q_Tree->isEmpty())
            DBGrid2CellClick();
    });
    new ReturnKeyHook(E_search, [this] {
        if (QF_tree->isOpen() && !QF_tree->isEmpty())
            DBGrid3CellClick();
    });
}

void TfrmMain::ToolButton4Click()
{
    core::WaitCursor wait;
    m_Tree->expandAll();
}

void TfrmMain::ToolButton10Click()
{
    core::SharedState &s = core::shared();
    s.CurTable = guidePage;
    s.CurTitle = ToolButton10->text();
    ShowPage(4);
}

void TfrmMain::showCalculator(const QString &name, const QString &caption)
{
    // The calculator's page through the selection steps, as a click on its node in the index
    // does; a handbook without such a node shows the calculator under the menu item's caption.
    storage::Dataset node;
    node.setDirectory(core::shared().AppDir + QStringLiteral("database"));
    node.setSql(QStringLiteral("select * from vt where Ctable = ?1"), {name});
    node.open();
    if (!node.isEmpty()) {
        if (selectFrom(node))
            AddHistory(node);
        return;
    }
    core::SharedState &s = core::shared();
    s.CurTable = name;
    s.CurTitle = caption;
    s.CurPicture.clear();
    s.KeyColumns = 0;
    ShowPage(7);
}

void TfrmMain::NextFoundClick()
{
    // Without a text to look for, F3 opens the search window to type one.
    if (frm_search && !frm_search->Edit1->text().isEmpty())
        frm_search->BitBtn2->click();
    else
        N5->trigger();
}

void TfrmMain::AboutClick()
{
    const core::SharedState &s = core::shared();
    core::dialogs().about(this, QStringLiteral("关于"), app::aboutText(s.AppDir, s.UserDir));
}

void TfrmMain::showStatus()
{
    // The page shown, and for a data page how many rows the grid lists.
    const core::SharedState &s = core::shared();
    QString text = s.CurTitle;
    if (Panel2->DBview->isVisible() && tblView->isOpen())
        text += QStringLiteral("　共 %1 行").arg(tblView->recordCount());
    StatusText->setText(text);
}
