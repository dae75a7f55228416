// Wiring of the data query, data search, result capture and results log.
#include "UMain.h"

#include "binding/dbgrid.h"
#include "browser/pagearea.h"
#include "core/dialogs.h"
#include "core/guard.h"
#include "core/sharedstate.h"
#include "core/waitcursor.h"
#include "datatools/U_cxjg.h"
#include "datatools/U_find.h"
#include "datatools/U_search.h"
#include "datatools/querynotice.h"
#include "datatools/resultreport.h"
#include "datatools/rowtest.h"
#include "datatools/u_cxls.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

datatools::RowTest rowTest;
quint64 rowTestRevision = 0; // frm_find's condition revision that rowTest holds
bool queryFailed = false;    // a row of the walk in progress could not be tested
bool noticePending = false;  // the message about the failed walk waits to be shown

// The condition of the last walk over the data view's table: what the filter bar says.
struct Walk {
    QString condition;
    bool operatorKnown = true;
    bool failed = false;
} lastWalk;

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

// The tool bar's data tools and the items of 文件 show their windows.
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

// The main window closes (and the program ends) only when the results log lets its text go.
class KeepUnsavedLog : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close || !frmcxls || !frmcxls->isVisible() || frmcxls->close())
            return false;
        event->ignore();
        return true;
    }
};

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
    // One message per walk over the table, shown when the action that walked has finished. It
    // names the condition and brings the query window, as it was left, to the front.
    connect(tblView, &storage::Dataset::filterWalkFinished, this, [this] {
        const bool failed = std::exchange(queryFailed, false);
        if (!frm_find)
            return;
        readCondition();
        lastWalk = {datatools::describeCondition(tblView->fields(), frm_find->fieldPosition(),
                                                 frm_find->ComboBox2->currentText(), frm_find->Edit1->text()),
                    rowTest.operatorKnown(), failed};
        if (!failed || noticePending)
            return;
        noticePending = true;
        QMetaObject::invokeMethod(
            this,
            [this, message = datatools::wrongConditionMessage(lastWalk.condition)] {
                noticePending = false;
                if (frm_find)
                    frm_find->bringToFront();
                core::dialogs().notice(frm_find ? static_cast<QWidget *>(frm_find) : this, message);
            },
            Qt::QueuedConnection);
    });
    // While the query is on, the data page says so above the grid.
    connect(tblView, &storage::Dataset::rowsReset, this, [this] {
        const bool on = frm_find && tblView->filtered() && tblView->isOpen();
        Panel2->setFilterNotice(on ? datatools::filterNotice(lastWalk.condition, lastWalk.operatorKnown, lastWalk.failed)
                                   : QString());
    });
    installEventFilter(new KeepUnsavedLog(this));

    connect(ToolButton6, &QToolButton::clicked, this, &ToolButton6Click);
    connect(ToolButton7, &QToolButton::clicked, this, &ToolButton7Click);
    connect(ToolButton8, &QToolButton::clicked, this, &ToolButton8Click);
    connect(N6, &QAction::triggered, this, &N6Click);
    // 文件 → 数据查询 and 数据检索 open what the tool bar's buttons open.
    connect(N4, &QAction::triggered, this, &ToolButton6Click);
    connect(N5, &QAction::triggered, this, &ToolButton7Click);

    // DBviewDblClick: the report of what the data view shows goes to the query-result window.
    connect(Panel2->DBview, &binding::DBGrid::doubleClicked, this, [this] {
        core::guarded([this] {
            core::SharedState &s = core::shared();
            {
                core::WaitCursor wait;
                s.ResultText = datatools::composeReport(*tblView, s.KeyColumns, Panel2->DBview->selectedColumn());
            }
            if (frm_cxjg)
                frm_cxjg->showWindow();
        });
    });
}
