#pragma once
#include <QMainWindow>
#include <QMargins>

#include <memory>

#include "binding/datasource.h"
#include "browser/navigation.h"
#include "storage/dataset.h"

class QAction;
class QPrinter;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeView;
class QMenu;

namespace binding {
class DBGrid;
}
namespace browser {
class CatalogueModel;
class PageArea;
} // namespace browser
namespace fulltext {
class SearchPanel;
struct Hit;
} // namespace fulltext

// The main window: catalogue, index, find and bookmark tabs on the left, the page area on the
// right, the toolbar above.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // programDir: the data directory (the executable's own directory when empty); userDir: where
    // the user's history, bookmarks and results log lie (programDir when empty).
    explicit TfrmMain(const QString &programDir = QString(), const QString &userDir = QString());
    ~TfrmMain() override;

    // Start-up work, run once when the window is first shown.
    void FormShow();
    void FormResize();
    void PageControlChange();
    void FormClose();
    void ShowPage(unsigned kind);

    // Handlers of the catalogue tree, history, index and find, bookmarks and viewers
    // (UMain_browser.cpp).
    void m_TreeClick();
    void ToolButton1Click();
    void ToolButton2Click();
    void s_indexChange();
    void E_searchChange();
    void DBGrid2CellClick();
    void DBGrid3CellClick();
    void DBGrid1CellClick();
    void N18Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void DBMemo1DblClick();
    void Image1DblClick();
    void AddHistory(const storage::Dataset &source);
    void AddBookmark(const storage::Dataset &source);
    // The "全文" tab (UMain_fulltext.cpp): opens a chosen hit's page and puts the user on the hit.
    void FullTextHitChosen(const fulltext::Hit &hit, const QString &text);
    // Shows a page with the note of the source's current row (the node whose page it is).
    void showPageOf(const storage::Dataset &source, unsigned kind);
    // The data grid's copy, export and print (UMain_export.cpp): the selected block as tab-separated
    // text and an HTML table (with all title rows for whole columns or when asked); the page as the
    // grid shows it to CSV or XLSX, or printed with a preview.
    void DBviewCopy(bool withTitles);
    void DBviewExport(bool xlsx);
    void DBviewPrint();

    // Menu items and keys (UMain_menus.cpp).
    void ToolButton4Click();  // 展开目录树
    void ToolButton10Click(); // 教程: the bundled guide page
    void showCalculator(const QString &name, const QString &caption);
    void NextFoundClick();    // F3: "下一个" of the data search
    void AboutClick();
    void showStatus();
    // Room the window frame takes around the window on most desktops, for fitting it to a screen.
    static QMargins frameAllowance() { return QMargins(8, 36, 8, 8); }

    // Datasets of the window.
    storage::Dataset *T_Tree, *TreeM, *Query1, *Q_Tree, *QF_tree, *T_history, *tBook, *tblView;
    binding::DataSource *dsQtree, *dsQFTree, *dsBook, *dstblView;
    storage::Dataset *T_Full;  // the catalogue row of the hit last opened from the "全文" tab

    // Controls.
    QToolBar *ToolBar1;
    QToolButton *ToolButton1, *ToolButton2, *ToolButton4, *ToolButton6, *ToolButton7, *ToolButton8,
        *ToolButton10, *ToolButton11;
    QVector<QToolButton *> m_toolbarButtons; // in the order of their images
    QAction *N4, *N5, *N6, *N8; // 文件 → 数据查询, 数据检索, 查询结果, 退出
    QAction *actToolbar, *actNavigator, *actStatusbar; // 视图
    QAction *actFits, *actGeotol;                       // 常用设计计算程序 → 公差与配合, 形位公差
    QAction *actTutorial, *actAbout;                    // 帮助
    QAction *actBack, *actForward, *actNextFound;       // keys without a menu item
    QLabel *StatusText;
    QWidget *Panel1;
    QSplitter *Splitter1;
    QTabWidget *PageControl;
    QWidget *Ts_ml, *Ts_index, *Ts_search, *Ts_bookmark, *Ts_full;
    fulltext::SearchPanel *Pan_full; // the "全文" tab's box and hit list, filling Ts_full
    QTreeView *m_Tree;
    QPushButton *Button1;
    QLabel *Label1, *Label2;
    QLineEdit *s_index, *E_search;
    binding::DBGrid *DBGrid2, *DBGrid3, *DBGrid1;
    QPushButton *BitBtn1, *BitBtn2;
    QMenu *PopupMenu_dh;
    QAction *N18;
    QAction *A_copy, *A_copyTitles, *A_exportCsv, *A_exportXlsx, *A_print; // the data grid's menu
    browser::PageArea *Panel2;
    browser::CatalogueModel *treeModel;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Wiring of the controls whose behaviour lives in other modules (one file each).
    void wireBrowser();   // UMain_browser.cpp: tree click, history, index and find, bookmarks, viewers
    void wireDataTools(); // UMain_datatools.cpp: data query, search, result capture, results log
    void wireFulltext();  // UMain_fulltext.cpp: the "全文" tab
    void wireExport();    // UMain_export.cpp: copy, export and print of the data page
    void buildToolbar();
    void paintToolbarImages(); // in inks readable on the toolbar's background
    void buildMenus();
    void wireMenus();
    void wireKeys();
    void buildLeftPane();
    // The selection steps on a list's current row, the page shown with that row's note.
    bool selectFrom(const storage::Dataset &source);
    // The pop-up menu opened on a list item (or on none): the item is highlighted while the menu
    // is open, and "加入书签" stores that item.
    void popupOnTree(const QModelIndex &item, const QPoint &globalPos);
    void popupOnList(storage::Dataset &list, const QModelIndex &item, const QPoint &globalPos);
    std::function<void()> m_menuBookmark; // "加入书签" of the menu open now; empty: the active tab's node
    QString m_programDir;
    QString m_userDir;
    std::unique_ptr<browser::History> m_history;
    std::unique_ptr<QPrinter> m_pagePrinter; // made at the first print of a data page
    bool m_shown = false;
};

extern TfrmMain *frmMain;
