// Wiring of the "全文" tab: a chosen hit opens its page through the selection steps, with
// history, and puts the user on the hit.
#include "UMain.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/pagearea.h"
#include "core/guard.h"
#include "core/sharedstate.h"
#include "fulltext/pagetext.h"
#include "fulltext/searchpanel.h"

#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// Selects a text in a text box and scrolls it into view.
template <typename Box>
void selectText(Box *box, qsizetype at, qsizetype length)
{
    QTextCursor cursor(box->document());
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + length), QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    box->ensureCursorVisible();
}

} // namespace

void TfrmMain::wireFulltext()
{
    T_Full = new storage::Dataset(this);
    Ts_full = new QWidget;
    auto *layout = new QVBoxLayout(Ts_full);
    layout->setContentsMargins(0, 0, 0, 0);
    Pan_full = new fulltext::SearchPanel(Ts_full);
    layout->addWidget(Pan_full);
    Pan_full->setDataDirectory([] {
        const QString &dir = core::shared().AppDir;
        return dir.endsWith(u'/') ? dir.chopped(1) : dir;
    });
    PageControl->addTab(Ts_full, QStringLiteral("全文"));
    connect(Pan_full, &fulltext::SearchPanel::hitChosen, this, [this](const fulltext::Hit &hit, const QString &text) {
        core::guarded([&] { FullTextHitChosen(hit, text); });
    });
}

void TfrmMain::FullTextHitChosen(const fulltext::Hit &hit, const QString &text)
{
    Pan_full->setNotice(QString());
    // The hit's catalogue row, located as a tree click locates its node.
    T_Full->close();
    T_Full->setDirectory(core::shared().AppDir + QStringLiteral("database"));
    T_Full->setTableName(hit.node.catalogue);
    T_Full->open();
    if (!T_Full->locate(QStringLiteral("CID"), hit.node.id, storage::LocateOptions{true, false})) {
        Pan_full->setNotice(QStringLiteral("目录中已没有“%1”。").arg(hit.pageTitle));
        return;
    }
    if (selectFrom(*T_Full))
        AddHistory(*T_Full);

    switch (hit.place) {
    case fulltext::Place::Title: break;
    case fulltext::Place::Note: {
        const qsizetype at = Panel2->DBMemo1->toPlainText().indexOf(text);
        if (at >= 0)
            selectText(Panel2->DBMemo1, at, text.size());
        break;
    }
    case fulltext::Place::PageText: {
        const qsizetype at = fulltext::occurrenceAt(Panel2->WebBrowser->document()->toPlainText(), text, hit.occurrence);
        if (at >= 0) {
            selectText(Panel2->WebBrowser, at, text.size());
            Panel2->WebBrowser->setFocus();
        }
        break;
    }
    case fulltext::Place::Cell: {
        // The grid shows the page's rows, only those that pass when the data query is on.
        int row = -1;
        for (int i = 0; tblView->isOpen() && i < tblView->recordCount() && row < 0; ++i) {
            if (tblView->rowIdAt(i) == hit.rowId)
                row = i;
        }
        if (row < 0) {
            Pan_full->setNotice(QStringLiteral("第 %1 行不在数据查询的结果中。").arg(hit.rowNumber));
            break;
        }
        tblView->setCurrentIndex(row);
        Panel2->DBview->selectColumn(hit.field);
        Panel2->DBview->scrollTo(Panel2->DBview->currentIndex());
        Panel2->DBview->setFocus();
        break;
    }
    }
}
