#include "U_cxjg.h"

#include "core/contrast.h"
#include "core/dialogs.h"
#include "core/sharedstate.h"
#include "core/text.h"
#include "panefill.h"
#include "printout.h"
#include "storage/dataset.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

Tfrm_cxjg *frm_cxjg = nullptr;

Tfrm_cxjg::Tfrm_cxjg() : SecondaryWindow(QStringLiteral("查询结果"), 699, 631)
{
    Shape1 = new QWidget(this);
    Shape1->setGeometry(0, 0, 699, 73);
    Shape1->setAutoFillBackground(true);
    QPalette band = Shape1->palette();
    band.setColor(QPalette::Window, QColor(0x3a, 0x6e, 0xa5)); // the desktop background colour
    Shape1->setPalette(band);

    Label4 = new QLabel(QStringLiteral("查 询 结 果"), Shape1);
    QFont title(QStringLiteral("隶书"));
    title.setPixelSize(48);
    title.setBold(true);
    Label4->setFont(title);
    core::keepReadable(Label4, Qt::blue, QPalette::WindowText, band.color(QPalette::Window));
    Label4->setGeometry(0, 0, 699, 73);
    Label4->setAlignment(Qt::AlignCenter);

    E_zt = new QLineEdit(this);
    E_zt->setAccessibleName(QStringLiteral("查询主题"));
    E_zt->setFont(songti(16));
    E_zt->setGeometry(77, 88, 545, 26);

    Label1 = new QLabel(QStringLiteral("查询结果"), this);
    core::keepReadable(Label1, Qt::blue);
    Label1->setGeometry(16, 124, 200, 20);

    Memo1 = new QPlainTextEdit(this);
    Label1->setBuddy(Memo1);
    Memo1->setFont(songti(16));
    datatools::plainLineBreaks(Memo1);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setGeometry(16, 148, 667, 420);
    m_filler = new datatools::PaneFiller(Memo1);

    BitBtn1 = addButton(QStringLiteral("保存"), {150, 584, 100, 32}, [this] { BitBtn1Click(); });
    BitBtn2 = addButton(QStringLiteral("清除"), {300, 584, 100, 32}, [this] { BitBtn2Click(); });
    BitBtn3 = addButton(QStringLiteral("退出"), {450, 584, 100, 32}, [this] { BitBtn3Click(); });

    T_cxjl = new storage::Dataset(this);
    T_cxjl->setTableName(QStringLiteral("cx_jl.db"));

    centre();
}

void Tfrm_cxjg::FormShow()
{
    core::SharedState &s = core::shared();
    T_cxjl->setDirectory(s.UserDir + QStringLiteral("database"));
    E_zt->setText(s.CurTitle);
    m_filler->fill(s.ResultText);
    s.ResultText.clear();
}

void Tfrm_cxjg::hideEvent(QHideEvent *event)
{
    // A report still arriving is complete when the window is shown again or its text read.
    m_filler->finish();
    SecondaryWindow::hideEvent(event);
}

void Tfrm_cxjg::BitBtn1Click()
{
    m_filler->finish();
    try {
        T_cxjl->open();
        T_cxjl->append();
        T_cxjl->setValue(QStringLiteral("查询主题"), E_zt->text());
        T_cxjl->setValue(QStringLiteral("查询条件"), QStringLiteral("双击"));
        T_cxjl->setValue(QStringLiteral("查询日期"), QDate::currentDate());
        T_cxjl->setValue(QStringLiteral("查询结果"), core::toCrLf(datatools::paneText(Memo1)));
        T_cxjl->post();
    } catch (...) {
        // A record that could not be stored is dropped, so the next store starts afresh.
        T_cxjl->cancel();
        T_cxjl->close();
        throw;
    }
    T_cxjl->close();
    core::dialogs().notice(this, QStringLiteral("保存完毕"));
}

void Tfrm_cxjg::BitBtn2Click()
{
    m_filler->cancel();
    Memo1->clear();
}

void Tfrm_cxjg::BitBtn3Click()
{
    close();
}
