// Wiring of the catalogue tree, history, index and find, bookmarks and viewers.
#include "UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/bookmarks.h"
#include "browser/catalogue.h"
#include "browser/listinput.h"
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
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
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
    // A history step shows the note stored with the visit: the lists have not moved.
    m_history = std::make_unique<browser::History>(*T_history, [this](unsigned kind) { showPageOf(*T_history, kind); });

    // Every left click on the tree acts, also on an expand arrow or on empty space: the press has
    // already moved the selection when the release arrives. Keyboard moves show nothing. The
    // lists act on their (left) cell click; in the tree and the index and find lists a context
    // menu acts on the item it is opened on.
    new browser::ListInput(m_Tree, [this] { m_TreeClick(); },
                           [this](const QModelIndex &item, const QPoint &pos) { popupOnTree(item, pos); });
    new browser::ListInput(DBGrid2, {},
                           [this](const QModelIndex &item, const QPoint &pos) { popupOnList(*Q_Tree, item, pos); });
    new browser::ListInput(DBGrid3, {},
                           [this](const QModelIndex &item, const QPoint &pos) { popupOnList(*QF_tree, item, pos); });
    // The bookmark list takes the same clicks; its menu stores nothing (the bookmark tab's rule).
    new browser::ListInput(DBGrid1, {}, [this](const QModelIndex &, const QPoint &pos) { PopupMenu_dh->popup(pos); });
    // The menu's own item for the node is forgotten once the menu has closed and acted.
    connect(PopupMenu_dh, &QMenu::aboutToHide, this, [this] {
        QTimer::singleShot(0, this, [this] { m_menuBookmark = {}; });
    });
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
    if (selectFrom(*T_Tree))
        AddHistory(*T_Tree);
}

bool TfrmMain::selectFrom(const storage::Dataset &source)
{
    return browser::selectPage(source, [this, &source](unsigned kind) { showPageOf(source, kind); });
}

void TfrmMain::showPageOf(const storage::Dataset &source, unsigned kind)
{
    Panel2->setNote(source.value(QStringLiteral("CMemo")).toString());
    ShowPage(kind);
}

void TfrmMain::popupOnTree(const QModelIndex &item, const QPoint &globalPos)
{
    if (item.isValid()) {
        // The node is read into a dataset of its own: the page shown and its note stay.
        const browser::TTreeRec node = treeModel->record(treeModel->nodeOf(item));
        m_menuBookmark = [this, node] {
            storage::Dataset row;
            row.setDirectory(T_Tree->directory());
            browser::openNode(row, node);
            AddBookmark(row);
        };
        const QPersistentModelIndex before = m_Tree->currentIndex();
        m_Tree->setCurrentIndex(item);
        connect(PopupMenu_dh, &QMenu::aboutToHide, m_Tree, [this, before] { m_Tree->setCurrentIndex(before); },
                Qt::SingleShotConnection);
    }
    PopupMenu_dh->popup(globalPos);
}

void TfrmMain::popupOnList(storage::Dataset &list, const QModelIndex &item, const QPoint &globalPos)
{
    if (item.isValid() && list.isOpen()) {
        const int row = item.row();
        m_menuBookmark = [this, &list, row] {
            const int before = list.currentIndex();
            list.setCurrentIndex(row);
            struct Back {
                storage::Dataset &list;
                int row;
                ~Back() { list.setCurrentIndex(row); }
            } back{list, before};
            AddBookmark(list);
        };
        const int before = list.currentIndex();
        list.setCurrentIndex(row);
        connect(PopupMenu_dh, &QMenu::aboutToHide, &list, [&list, before] {
            if (list.isOpen() && before < list.recordCount())
                list.setCurrentIndex(before);
        }, Qt::SingleShotConnection);
    }
    PopupMenu_dh->popup(globalPos);
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
    if (selectFrom(*Q_Tree))
        AddHistory(*Q_Tree);
}

void TfrmMain::DBGrid3CellClick()
{
    if (selectFrom(*QF_tree))
        AddHistory(*QF_tree);
}

void TfrmMain::DBGrid1CellClick()
{
    // A bookmark shows its page without entering the history.
    selectFrom(*tBook);
}

void TfrmMain::AddBookmark(const storage::Dataset &source)
{
    browser::addBookmark(*tBook, source);
    core::dialogs().notice(this, QStringLiteral("添加完毕"));
}

void TfrmMain::N18Click()
{
    if (m_menuBookmark) {
        std::exchange(m_menuBookmark, {})();
        return;
    }
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
