// Wiring of the data query, data search, result capture and results log.
#include "UMain.h"

#include "binding/dbgrid.h"
#include "browser/pagearea.h"
#include "core/dialogs.h"
#include "core/guard.h"
#include "core/sharedstate.h"
#include "datatools/U_cxjg.h"
#include "datatools/U_find.h"
#include "datatools/U_search.h"
#include "datatools/resultreport.h"
#include "datatools/rowtest.h"
#include "datatools/u_cxls.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

datatools::RowTest rowTest;
quint64 rowTestRevision = 0; // frm_find's condition revision that rowTest holds
bool queryFailed = false;    // a row of the walk in progress could not be tested
bool noticePending = false;  // the message about the failed walk waits to be shown

// The row test of the data query, attached to tblView for the whole run: the condition is what
// frm_find's three controls hold when the row is read (read again only after they changed). A
// row that cannot be tested passes; the user is told once, after the walk.
void readCondition()
{
    if (frm_find->conditionRevision() != rowTestRevision) {
        rowTest.setCondition(frm_find->fieldPosition(), frm_find->ComboBox2->currentText(), frm_find->Edit1->text());
        rowTestRevision = frm_find->conditionRevision();
    }
}

bool tblViewFilterRecord(const storage::RowView &row)
{
    if (!frm_find)
        return true;
    readCondition();
    const datatools::Verdict verdict = rowTest.test(row);
    if (verdict == datatools::Verdict::Fail)
        queryFailed = true;
    return verdict != datatools::Verdict::Reject;
}

// The tool bar's data tools and the menu item 文件 → 查询结果 show their windows.
void ToolButton6Click()
{
    if (frm_find)
        frm_find->showWindow();
}

void ToolButton7Click()
{
    if (frm_search)
        frm_search->showWindow();
}

void ToolButton8Click()
{
    if (frmcxls)
        frmcxls->showWindow();
}

void N6Click()
{
    ToolButton8Click();
}

} // namespace

void TfrmMain::wireDataTools()
{
    tblView->setFilterCallback(&tblViewFilterRecord);
    // The row test reads the chosen field only.
    tblView->setFilterFields([] { return frm_find ? QVector<int>{frm_find->fieldPosition()} : QVector<int>(); });
    // A Like on a text or number field is decided by the file itself, without the row test.
    tblView->setFilterHint([this]() -> std::optional<storage::TextHint> {
        if (!frm_find)
            return std::nullopt;
        readCondition();
        return rowTest.hint(tblView->fields());
    });
    // One message per walk over the table, shown when the action that walked has finished.
    connect(tblView, &storage::Dataset::filterWalkFinished, this, [this] {
        const bool failed = queryFailed;
        queryFailed = false;
        if (!failed || noticePending)
            return;
        noticePending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                noticePending = false;
                QWidget *owner = frm_find && frm_find->isVisible() ? static_cast<QWidget *>(frm_find) : this;
                core::dialogs().notice(owner, QStringLiteral("查询条件不对或所选的字段不支持查询"));
            },
            Qt::QueuedConnection);
    });

    connect(ToolButton6, &QToolButton::clicked, this, &ToolButton6Click);
    connect(ToolButton7, &QToolButton::clicked, this, &ToolButton7Click);
    connect(ToolButton8, &QToolButton::clicked, this, &ToolButton8Click);
    connect(N6, &QAction::triggered, this, &N6Click);

    // DBviewDblClick: the report of what the data view shows goes to the query-result window.
    connect(Panel2->DBview, &binding::DBGrid::doubleClicked, this, [this] {
        core::guarded([this] {
            core::SharedState &s = core::shared();
            s.ResultText = datatools::composeReport(*tblView, s.KeyColumns, Panel2->DBview->selectedColumn());
            if (frm_cxjg)
                frm_cxjg->showWindow();
        });
    });
}
