#include "U_search.h"

#include "binding/dbgrid.h"
#include "cellsearch.h"
#include "core/dialogs.h"
#include "core/waitcursor.h"
#include "storage/dataset.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

Tfrm_search *frm_search = nullptr;

namespace {

// A search over a large table takes a while: the wait cursor shows meanwhile (not over the
// notice that may follow).
datatools::SearchHit searching(const std::function<datatools::SearchHit()> &search)
{
    core::WaitCursor wait;
    return search();
}

} // namespace
int FoundColumn = 0;

Tfrm_search::Tfrm_search(storage::Dataset *tblView, binding::DBGrid *DBview)
    : SecondaryWindow(QStringLiteral("数据搜索"), 338, 155), m_tblView(tblView), m_DBview(DBview)
{
    setFont(songti(16));
    Label2 = new QLabel(QStringLiteral("请输入搜索字符"), this);
    Label2->setGeometry(24, 16, 290, 22);
    Edit1 = new QLineEdit(this);
    Label2->setBuddy(Edit1);
    Edit1->setGeometry(24, 44, 290, 28);
    BitBtn1 = addButton(QStringLiteral("搜索"), {24, 100, 86, 32}, [this] { BitBtn1Click(); });
    BitBtn2 = addButton(QStringLiteral("下一个"), {126, 100, 86, 32}, [this] { BitBtn2Click(); });
    BitBtn3 = addButton(QStringLiteral("退出"), {228, 100, 86, 32}, [this] { BitBtn3Click(); });
}

void Tfrm_search::showHit(const datatools::SearchHit &hit)
{
    m_tblView->setCurrentIndex(hit.row);
    m_DBview->selectColumn(hit.field);
    // The keyboard goes to the grid, in the main window: the search window stays on top. Without
    // a data page the grid is hidden: the row and column are chosen all the same, and the focus
    // stays where it is.
    if (m_DBview->isVisible()) {
        m_DBview->activateWindow();
        m_DBview->setFocus(Qt::OtherFocusReason);
    }
    FoundColumn = hit.field;
}

void Tfrm_search::BitBtn1Click()
{
    m_tblView->first();
    const datatools::SearchHit hit = searching([&] { return datatools::searchFrom(*m_tblView, 0, 0, Edit1->text()); });
    if (hit.found()) {
        showHit(hit);
        return;
    }
    m_tblView->last();
    core::dialogs().notice(this, QStringLiteral("没有搜索结果"));
}

void Tfrm_search::BitBtn2Click()
{
    // The rest of the current row after the last find, then the rows below; no wrap-around.
    const int fieldCount = int(m_tblView->fields().size());
    const int from = FoundColumn < fieldCount - 1 ? FoundColumn + 1 : fieldCount;
    const datatools::SearchHit hit =
        searching([&] { return datatools::searchFrom(*m_tblView, m_tblView->currentIndex(), from, Edit1->text()); });
    if (hit.found()) {
        showHit(hit);
        return;
    }
    m_tblView->last();
}

void Tfrm_search::BitBtn3Click()
{
    close();
}
