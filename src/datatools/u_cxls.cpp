#include "u_cxls.h"

#include "binding/datasource.h"
#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "binding/dbnavigator.h"
#include "core/dialogs.h"
#include "core/guard.h"
#include "core/sharedstate.h"
#include "core/text.h"
#include "printout.h"
#include "resultfile.h"
#include "storage/dataset.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include <tuple>

Tfrmcxls *frmcxls = nullptr;
QString LogFile;

namespace {
const QString fileFilter = QStringLiteral("*.rst (*.rst);;*.txt (*.txt)");
const QString resultField = QStringLiteral("查询结果");
} // namespace

Tfrmcxls::Tfrmcxls() : SecondaryWindow(QStringLiteral("查询结果"), 976, 618)
{
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSize(8);
    setFont(windowFont);

    T_cx = new storage::Dataset(this);
    T_cx->setTableName(QStringLiteral("cx_jl.db"));
    ds_cx = new binding::DataSource(T_cx, this);

    // The log is reviewed here, not edited: only the navigator's delete changes it.
    DBGrid1 = new binding::DBGrid(this);
    DBGrid1->setDataSource(ds_cx);
    DBGrid1->setColumns({{QStringLiteral("查询主题"), QStringLiteral("查询主题")},
                         {QStringLiteral("查询条件"), QStringLiteral("查询条件")},
                         {QStringLiteral("查询日期"), QStringLiteral("查询日期")}});
    DBGrid1->setRowSelect(true);
    DBGrid1->setAccessibleName(QStringLiteral("查询记录"));
    DBGrid1->setColumnWidth(0, 125);
    DBGrid1->setColumnWidth(1, 191);
    DBGrid1->setGeometry(8, 8, 420, 260);

    DBNavigator1 = new binding::DBNavigator(this);
    DBNavigator1->setDataSource(ds_cx);
    DBNavigator1->setGeometry(8, 272, 420, 28);

    DBMemo1 = new binding::DBMemo(this);
    DBMemo1->setDataField(resultField);
    DBMemo1->setDataSource(ds_cx);
    DBMemo1->setReadOnly(true);
    DBMemo1->setAccessibleName(QStringLiteral("记录的查询结果"));
    DBMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    DBMemo1->setGeometry(8, 306, 340, 304);
    BitBtn2 = addButton(QStringLiteral("导入"), {356, 306, 72, 30}, [this] { BitBtn2Click(); });

    Memo1 = new QPlainTextEdit(this);
    Memo1->setAccessibleName(QStringLiteral("结果文件"));
    // Reports keep their columns in the monospaced face of the query-result window, in the stored
    // text and in the pane; a point size, because the printout takes the pane's font at its
    // point size.
    QFont reports = songti(16);
    reports.setPointSize(10);
    DBMemo1->setFont(reports);
    Memo1->setFont(reports);
    datatools::plainLineBreaks(Memo1);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setGeometry(436, 8, 424, 602);

    // The file buttons stand in one column on the right.
    const QList<std::tuple<QPushButton **, QString, void (Tfrmcxls::*)()>> column = {
        {&BitBtn1, QStringLiteral("打开"), &Tfrmcxls::BitBtn1Click},    {&BitBtn9, QStringLiteral("保存"), &Tfrmcxls::BitBtn9Click},
        {&BitBtn10, QStringLiteral("另存为"), &Tfrmcxls::BitBtn10Click}, {&BitBtn11, QStringLiteral("清空"), &Tfrmcxls::BitBtn11Click},
        {&BitBtn12, QStringLiteral("打印"), &Tfrmcxls::BitBtn12Click},  {&BitBtn13, QStringLiteral("退出"), &Tfrmcxls::BitBtn13Click}};
    int y = 8;
    for (const auto &[button, caption, handler] : column) {
        *button = addButton(caption, {872, y, 96, 32}, [this, h = handler] { (this->*h)(); });
        y += 44;
    }
    centre();
}

QString Tfrmcxls::paneText() const
{
    return core::toCrLf(datatools::paneText(Memo1));
}

void Tfrmcxls::setPaneText(const QString &crlfText)
{
    Memo1->setPlainText(core::fromCrLf(crlfText));
}

void Tfrmcxls::FormShow()
{
    const QString &dir = core::shared().UserDir;
    T_cx->setDirectory(dir + QStringLiteral("database"));
    T_cx->open();
    m_dialogDir = dir;
    LogFile = dir + QStringLiteral("cx_jg.rst");
    // Text the user changed and did not save stays (it is asked about when the window closes).
    if (paneText() != m_kept)
        return;
    setPaneText(datatools::readResultFile(LogFile));
    m_kept = paneText();
}

bool Tfrmcxls::mayDropPane()
{
    if (paneText() == m_kept)
        return true;
    const QString question = QStringLiteral("文本已修改，尚未保存。\n要保存到默认结果文件“%1”吗？").arg(QFileInfo(LogFile).fileName());
    switch (core::dialogs().askSave(this, question)) {
    case core::Dialogs::SaveChoice::Save: {
        bool saved = false;
        core::guarded([&] {
            BitBtn9Click();
            saved = true;
        });
        return saved;
    }
    case core::Dialogs::SaveChoice::Discard: m_kept = paneText(); return true;
    case core::Dialogs::SaveChoice::Cancel: break;
    }
    return false;
}

void Tfrmcxls::closeEvent(QCloseEvent *event)
{
    if (!mayDropPane()) {
        event->ignore();
        return;
    }
    core::guarded([this] { FormClose(); });
    SecondaryWindow::closeEvent(event);
}

void Tfrmcxls::FormClose()
{
    T_cx->close();
}

void Tfrmcxls::BitBtn1Click()
{
    if (!mayDropPane())
        return;
    const QString path = core::dialogs().openFile(this, m_dialogDir, fileFilter);
    if (path.isEmpty())
        return;
    setPaneText(datatools::readResultFile(path));
    m_kept = paneText();
}

void Tfrmcxls::BitBtn2Click()
{
    const bool hasRecord = T_cx->isOpen() && !T_cx->isEmpty();
    const QString stored = hasRecord ? T_cx->value(resultField).toString() : QString();
    setPaneText(datatools::appendImportBlock(paneText(), stored));
    Memo1->moveCursor(QTextCursor::End);
}

void Tfrmcxls::BitBtn9Click()
{
    datatools::writeResultFile(LogFile, paneText());
    m_kept = paneText();
}

void Tfrmcxls::BitBtn10Click()
{
    const QString path = core::dialogs().saveFile(this, m_dialogDir, fileFilter);
    if (path.isEmpty())
        return;
    datatools::writeResultFile(path, paneText());
    m_kept = paneText();
}

void Tfrmcxls::BitBtn11Click()
{
    Memo1->clear();
}

QPrinter &Tfrmcxls::PrintDialog1()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(QStringLiteral("查询结果"));
        m_printer->setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    }
    return *m_printer;
}

void Tfrmcxls::BitBtn12Click()
{
    const QStringList lines = datatools::displayedLines(Memo1);
    core::dialogs().previewPrint(this, PrintDialog1(), [this, &lines](QPrinter &printer) {
        datatools::printLines(printer, Memo1->font(), lines);
    });
}

void Tfrmcxls::BitBtn13Click()
{
    close();
}
