#pragma once
#include "htmlview.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

class QAction;
class QGridLayout;
class QMenu;
class QSplitter;
class QPlainTextEdit;

namespace binding {
class DBGrid;
class DBMemo;
} // namespace binding
namespace storage {
class Dataset;
}

namespace browser {

class GridEditing;

// The page area of the main window: the title bar, the upper pane that shows the page (cover,
// data grid, HTML page, picture or an embedded calculator) and the lower pane with the node's
// note and picture. ShowPage lays it out from the shared state for one page kind.
class PageArea : public QWidget {
    Q_OBJECT
public:
    // tblView: the data view's table; leftTabs: disabled while a page is switched.
    PageArea(storage::Dataset *tblView, QWidget *leftTabs, QWidget *parent = nullptr);

    // The calculator windows that kind-7 pages embed, by name ("frmgcph", "frmgccx").
    void setCalculators(QWidget *frmgcph, QWidget *frmgccx);
    void setCoverPicture(const QPixmap &cover);

    // Lays out and fills the page for the kind (the node's CFrame, read as unsigned). Every page
    // shown starts read-only.
    void ShowPage(unsigned kind);
    // The note of the page about to be shown (as stored, CR LF line ends); ShowPage lays the
    // lower pane out from it.
    void setNote(const QString &storedText);
    // What the data query does to the data page: shown in a bar above the grid while a data page
    // is shown; an empty text hides the bar.
    void setFilterNotice(const QString &text);

    // The data grid's context menu: "允许编辑" first; other tools add their actions after it.
    QMenu *gridMenu() const;
    // "允许编辑": the data grid's editing mode (GridEditing).
    QAction *AllowEdit;

    QWidget *P_title;
    QLabel *itemtitle;
    QWidget *Pan_Dat;
    QLabel *filterBar; // above the data grid while the data query is on
    QLabel *img_cover;
    QLabel *imgPic;
    binding::DBGrid *DBview;
    QWidget *Pan_web;
    HtmlView *WebBrowser;
    QPlainTextEdit *Memo1; // hidden scratch memo
    QSplitter *Splitter2;  // between the upper and the lower pane
    QWidget *Pan_M;
    QWidget *Pan_fz;
    // The note of the page shown: set with the page (setNote), never bound to a list, whose
    // current row may be another node than the page's.
    binding::DBMemo *DBMemo1;
    QSplitter *Splitter3;  // between the note and the picture
    QWidget *Pan_pic;
    QLabel *Image1; // a FittedPicture: shown whole, pixmap() at full size

private:
    void showDataTable();
    void showFilterBar();
    void showHtmlPage();
    void embed(QWidget *calculator, const QString &name);
    void fitCalculator(QWidget *calculator) const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    storage::Dataset *m_tblView;
    GridEditing *m_editing;
    QWidget *m_leftTabs;
    QGridLayout *m_datLayout;
    QWidget *m_frmgcph = nullptr;
    QWidget *m_frmgccx = nullptr;
};

} // namespace browser
