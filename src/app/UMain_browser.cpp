// Wiring of the catalogue tree, history, index and find, bookmarks and viewers.
#include "UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/bookmarks.h"
#include "browser/catalogue.h"
#include "browser/pagearea.h"
#include "browser/titlelists.h"
#include "core/dialogs.h"
#include "core/guard.h"
#include "datatools/uImage.h"
#include "datatools/uMemo.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

namespace {

// Runs a handler whenever a watched widget receives one kind of event; the widget still
// handles the event itself.
class EventHook : public QObject {
public:
    EventHook(QObject *watched, QEvent::Type type, std::function<void()> handler)
        : QObject(watched), m_type(type), m_handler(std::move(handler))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            core::guarded(m_handler);
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_handler;
};

// Shows a secondary window; one already shown only comes to the front.
void showWindow(QWidget *window)
{
    if (!window)
        return;
    if (!window->isVisible())
        window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void TfrmMain::wireBrowser()
{
    m_history = std::make_unique<browser::History>(*T_history, [this](unsigned kind) { ShowPage(kind); });

    // Every mouse click on the tree acts, also on an expand arrow or on empty space: the press has
    // already moved the selection when the release arrives. Keyboard moves show nothing.
    new EventHook(m_Tree->viewport(), QEvent::MouseButtonRelease, [this] { m_TreeClick(); });
    new EventHook(Panel2->Image1, QEvent::MouseButtonDblClick, [this] { Image1DblClick(); });

    auto on = [](auto *sender, auto signal, auto handler) {
        QObject::connect(sender, signal, sender, [handler] { core::guarded(handler); });
    };
    on(ToolButton1, &QToolButton::clicked, [this] { ToolButton1Click(); });
    on(ToolButton2, &QToolButton::clicked, [this] { ToolButton2Click(); });
    // textChanged also fires inside setText, as the tab switch relies on.
    on(s_index, &QLineEdit::textChanged, [this] { s_indexChange(); });
    on(E_search, &QLineEdit::textChanged, [this] { E_searchChange(); });
    on(DBGrid2, &binding::DBGrid::cellClicked, [this] { DBGrid2CellClick(); });
    on(DBGrid3, &binding::DBGrid::cellClicked, [this] { DBGrid3CellClick(); });
    on(DBGrid1, &binding::DBGrid::cellClicked, [this] { DBGrid1CellClick(); });
    on(N18, &QAction::triggered, [this] { N18Click(); });
    on(BitBtn1, &QPushButton::clicked, [this] { BitBtn1Click(); });
    on(BitBtn2, &QPushButton::clicked, [this] { BitBtn2Click(); });
    on(Panel2->DBMemo1, &binding::DBMemo::doubleClicked, [this] { DBMemo1DblClick(); });

    // The note is shown, not edited: a node's note is stored in its branch table and again in the
    // index table, and an edit through one list would leave the two disagreeing.
    Panel2->DBMemo1->setReadOnly(true);
}

void TfrmMain::m_TreeClick()
{
    m_Tree->setFocus();
    const QModelIndex selected = m_Tree->currentIndex();
    if (!selected.isValid())
        return;
    browser::openNode(*T_Tree, treeModel->record(treeModel->nodeOf(selected)));
    if (browser::selectPage(*T_Tree, [this](unsigned kind) { ShowPage(kind); }))
        AddHistory(*T_Tree);
}

void TfrmMain::AddHistory(const storage::Dataset &source)
{
    m_history->add(source);
}

void TfrmMain::ToolButton1Click()
{
    m_history->stepNewer();
}

void TfrmMain::ToolButton2Click()
{
    m_history->stepOlder();
}

void TfrmMain::s_indexChange()
{
    browser::jumpToPrefix(*Q_Tree, s_index->text());
}

void TfrmMain::E_searchChange()
{
    browser::runFind(*QF_tree, E_search->text());
}

void TfrmMain::DBGrid2CellClick()
{
    if (browser::selectPage(*Q_Tree, [this](unsigned kind) { ShowPage(kind); }))
        AddHistory(*Q_Tree);
}

void TfrmMain::DBGrid3CellClick()
{
    if (browser::selectPage(*QF_tree, [this](unsigned kind) { ShowPage(kind); }))
        AddHistory(*QF_tree);
}

void TfrmMain::DBGrid1CellClick()
{
    // A bookmark shows its page without entering the history.
    browser::selectPage(*tBook, [this](unsigned kind) { ShowPage(kind); });
}

void TfrmMain::AddBookmark(const storage::Dataset &source)
{
    browser::addBookmark(*tBook, source);
    core::dialogs().notice(this, QStringLiteral("添加完毕"));
}

void TfrmMain::N18Click()
{
    QWidget *tab = PageControl->currentWidget();
    if (tab == Ts_ml)
        AddBookmark(*T_Tree);
    else if (tab == Ts_index)
        AddBookmark(*Q_Tree);
    else if (tab == Ts_search)
        AddBookmark(*QF_tree);
    else if (tab == Ts_full)
        AddBookmark(*T_Full);
}

void TfrmMain::BitBtn1Click()
{
    browser::deleteBookmark(*tBook);
    core::dialogs().notice(this, QStringLiteral("删除完成"));
}

void TfrmMain::BitBtn2Click()
{
    browser::clearBookmarks(*tBook);
    core::dialogs().notice(this, QStringLiteral("清空完毕"));
}

void TfrmMain::DBMemo1DblClick()
{
    showWindow(frmMemo);
}

void TfrmMain::Image1DblClick()
{
    if (frmImage)
        frmImage->setSourcePicture(Panel2->Image1);
    showWindow(frmImage);
}
