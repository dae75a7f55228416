#include "pagearea.h"

#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "core/contrast.h"
#include "core/error.h"
#include "core/fonts.h"
#include "core/sharedstate.h"
#include "core/text.h"
#include "fittedpicture.h"
#include "gridediting.h"
#include "htmlpage/contentfile.h"
#include "htmlview.h"
#include "multirowheader.h"
#include "pagerules.h"
#include "storage/dataset.h"
#include "storage/paths.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace browser {

namespace {

// Pictures are read only from regular files of the data directory, within a size bound.
QPixmap loadPicture(const QString &path)
{
    return QPixmap::fromImage(htmlpage::readPicture(core::shared().AppDir, path));
}

} // namespace

PageArea::PageArea(storage::Dataset *tblView, QWidget *leftTabs, QWidget *parent)
    : QWidget(parent), m_tblView(tblView), m_leftTabs(leftTabs)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    P_title = new QWidget(this);
    P_title->setFixedHeight(32);
    itemtitle = new QLabel(P_title);
    itemtitle->move(24, 8);
    itemtitle->setFont(core::songti(15));
    itemtitle->setAccessibleName(QStringLiteral("页面标题"));
    core::keepReadable(itemtitle, QColor(0, 0, 255)); // blue, readable under any palette
    itemtitle->setMinimumWidth(600);
    outer->addWidget(P_title);

    Splitter2 = new QSplitter(Qt::Vertical, this);
    Splitter2->setHandleWidth(1);
    Splitter2->setChildrenCollapsible(false);
    outer->addWidget(Splitter2, 1);

    Pan_Dat = new QWidget(Splitter2);
    m_datLayout = new QGridLayout(Pan_Dat);
    m_datLayout->setContentsMargins(0, 0, 0, 0);
    m_datLayout->setSpacing(0);
    m_datLayout->setRowStretch(1, 1);
    filterBar = new QLabel(Pan_Dat);
    filterBar->setFont(core::songti(15));
    filterBar->setWordWrap(true);
    filterBar->setStyleSheet(QStringLiteral(
        "QLabel { background: #fff3bf; color: #6b3d00; border-bottom: 1px solid #d9b44a; padding: 4px 8px; }"));
    filterBar->hide();
    m_datLayout->addWidget(filterBar, 0, 0);
    img_cover = new QLabel(Pan_Dat);
    img_cover->setAccessibleName(QStringLiteral("封面"));
    img_cover->setScaledContents(true);
    img_cover->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    imgPic = new QLabel(Pan_Dat);
    imgPic->setAccessibleName(QStringLiteral("页面图片"));
    imgPic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgPic->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    DBview = new binding::DBGrid(Pan_Dat);
    DBview->setAccessibleName(QStringLiteral("数据表"));
    auto *titles = new MultiRowHeader(DBview);
    DBview->setHorizontalHeader(titles);
    // Shared title cells keep their text in view: repaint the whole header on every scroll.
    connect(DBview->horizontalScrollBar(), &QScrollBar::valueChanged, titles->viewport(),
            qOverload<>(&QWidget::update));
    Pan_web = new QWidget(Pan_Dat);
    auto *webLayout = new QVBoxLayout(Pan_web);
    webLayout->setContentsMargins(0, 0, 0, 0);
    WebBrowser = new HtmlView(Pan_web);
    webLayout->addWidget(WebBrowser);
    m_editing = new GridEditing(DBview, tblView, P_title);
    AllowEdit = m_editing->action();
    Memo1 = new QPlainTextEdit(Pan_Dat);
    Memo1->setAccessibleName(QStringLiteral("报表暂存"));
    for (QWidget *w : {static_cast<QWidget *>(img_cover), static_cast<QWidget *>(imgPic),
                       static_cast<QWidget *>(DBview), Pan_web, static_cast<QWidget *>(Memo1)}) {
        m_datLayout->addWidget(w, 1, 0);
        w->hide();
    }

    Pan_M = new QWidget(Splitter2);
    auto *lower = new QVBoxLayout(Pan_M);
    lower->setContentsMargins(0, 0, 0, 0);
    Splitter3 = new QSplitter(Qt::Horizontal, Pan_M);
    Splitter3->setChildrenCollapsible(false);
    lower->addWidget(Splitter3);
    Pan_fz = new QWidget(Splitter3);
    auto *noteLayout = new QVBoxLayout(Pan_fz);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    DBMemo1 = new binding::DBMemo(Pan_fz);
    DBMemo1->setAccessibleName(QStringLiteral("注释"));
    noteLayout->addWidget(DBMemo1);
    Pan_pic = new QWidget(Splitter3);
    auto *picLayout = new QVBoxLayout(Pan_pic);
    picLayout->setContentsMargins(0, 0, 0, 0);
    Image1 = new FittedPicture(Pan_pic);
    Image1->setAccessibleName(QStringLiteral("图片"));
    picLayout->addWidget(Image1);
    Splitter2->setSizes({400, 300});
    Splitter3->setSizes({312, 400});
}

QMenu *PageArea::gridMenu() const
{
    return DBview->contextMenu();
}

void PageArea::setCalculators(QWidget *frmgcph, QWidget *frmgccx)
{
    m_frmgcph = frmgcph;
    m_frmgccx = frmgccx;
}

void PageArea::setCoverPicture(const QPixmap &cover)
{
    img_cover->setPixmap(cover);
}

void PageArea::setNote(const QString &storedText)
{
    DBMemo1->setPlainText(core::fromCrLf(storedText));
}

void PageArea::setFilterNotice(const QString &text)
{
    filterBar->setText(text);
    showFilterBar();
}

void PageArea::showFilterBar()
{
    filterBar->setVisible(!filterBar->text().isEmpty() && !DBview->isHidden());
}

void PageArea::ShowPage(unsigned kind)
{
    core::SharedState &s = core::shared();
    // Disabling the tabs takes the keyboard focus from the list the user clicked; it goes back
    // there with the tabs, whatever happens below (a picture that does not load ends the switch).
    QWidget *focused = m_leftTabs->window()->focusWidget();
    struct Enable {
        QWidget *tabs;
        QPointer<QWidget> focus;
        ~Enable()
        {
            tabs->setEnabled(true);
            if (focus)
                focus->setFocus(Qt::OtherFocusReason);
        }
    } enableAgain{m_leftTabs, focused && m_leftTabs->isAncestorOf(focused) ? focused : nullptr};
    m_leftTabs->setEnabled(false);

    if (s.EmbeddedWindow == u"frmgcph" && m_frmgcph)
        m_frmgcph->hide();
    else if (s.EmbeddedWindow == u"frmgccx" && m_frmgccx)
        m_frmgccx->hide();
    s.EmbeddedWindow.clear();
    m_editing->switchOff();

    Pan_M->show();
    Pan_fz->show();
    Pan_pic->show();
    const bool hasPicture = !s.CurPicture.isEmpty();
    const bool hasNote = !core::trimBlanks(DBMemo1->toPlainText()).isEmpty();
    const LowerPaneLayout layout = lowerPaneLayout(hasPicture, hasNote);
    if (layout.visible) {
        const int lower = Splitter2->height() - Splitter2->handleWidth() - 400;
        Splitter2->setSizes({400, std::max(1, lower)});
    } else {
        Pan_M->hide();
    }
    Pan_fz->setVisible(layout.showNote);
    Pan_pic->setVisible(layout.showPicture);
    if (layout.showNote && layout.showPicture) {
        const int half = Pan_Dat->width() / 2;
        Splitter3->setSizes({half, std::max(1, Splitter3->width() - Splitter3->handleWidth() - half)});
    }

    QString picture = hasPicture ? pictureFile(s.AppDir + QStringLiteral("img/"), s.CurPicture) : QString();
    if (picture.isEmpty()) {
        picture = storage::resolvePath(s.AppDir + QStringLiteral("111.bmp"));
        if (picture.isEmpty())
            throw core::Error(QStringLiteral("Cannot open file \"%1\". No such file or directory")
                                  .arg(s.AppDir + QStringLiteral("111.bmp")));
    }
    Image1->setPixmap(loadPicture(picture));
    s.CurPicture.clear();

    Pan_web->hide();
    img_cover->hide();
    DBview->hide();
    imgPic->hide();
    switch (kind) {
    case 0:
        // The cover carries no page title (as at start-up).
        P_title->show();
        itemtitle->clear();
        img_cover->show();
        break;
    case 3:
        DBview->show();
        DBview->setEnabled(true);
        P_title->show();
        itemtitle->setText(s.CurTitle);
        showDataTable();
        break;
    case 4:
        P_title->hide();
        Pan_web->show();
        showHtmlPage();
        break;
    case 6: {
        P_title->show();
        itemtitle->setText(s.CurTitle);
        imgPic->show();
        // The page picture keeps what it showed when the file is missing or does not load.
        const QString file = pictureFile(s.AppDir + QStringLiteral("img/"), s.CurTable);
        try {
            if (!file.isEmpty())
                imgPic->setPixmap(loadPicture(file));
        } catch (const core::Error &) {
        }
        imgPic->update();
        break;
    }
    case 7:
        P_title->show();
        itemtitle->setText(s.CurTitle);
        if (s.CurTable == u"frmgcph")
            embed(m_frmgcph, s.CurTable);
        else if (s.CurTable == u"frmgccx")
            embed(m_frmgccx, s.CurTable);
        break;
    default:
        // Note and picture only: the title bar names the node all the same.
        P_title->show();
        itemtitle->setText(s.CurTitle);
        break;
    }
    showFilterBar();
    s.CurPicture.clear();
}

void PageArea::showDataTable()
{
    const core::SharedState &s = core::shared();
    try {
        m_tblView->close();
        if (s.CurTable.isEmpty())
            return;
        m_tblView->setTableName(s.CurTable);
        m_tblView->open();
        const QFontMetrics fm(DBview->font());
        for (int i = 0; i < m_tblView->fields().size(); ++i) {
            const storage::FieldDef &f = m_tblView->fields()[i];
            const int w = columnDisplayWidth(f.name, f.displayWidth);
            m_tblView->setDisplayWidth(i, w);
            DBview->setColumnWidth(i, w * fm.averageCharWidth() + 8);
        }
        DBview->viewport()->update();
    } catch (const core::Error &) {
        // a data page whose table does not open shows an empty grid
    }
}

void PageArea::showHtmlPage()
{
    core::SharedState &s = core::shared();
    const QString name = s.CurTable;
    s.CurTable = htmlPagePath(s.AppDir, name);
    // The page's name stays inside "txt": one that leaves it is a missing page.
    const QString file = storage::resolveInside(s.AppDir + QStringLiteral("txt"), htmlPageFileName(name));
    WebBrowser->setDataDirectory(s.AppDir);
    if (file.isEmpty())
        WebBrowser->showMissing(s.CurTable);
    else
        WebBrowser->showPage(file);
}

void PageArea::fitCalculator(QWidget *calculator) const
{
    // Fills the pane up to its own maximum size, from the pane's top-left corner.
    calculator->setGeometry(QRect(QPoint(0, 0), Pan_Dat->size().boundedTo(calculator->maximumSize())));
}

bool PageArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Pan_Dat && event->type() == QEvent::Resize) {
        for (QWidget *calculator : {m_frmgcph, m_frmgccx}) {
            if (calculator && calculator->parentWidget() == Pan_Dat)
                fitCalculator(calculator);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PageArea::embed(QWidget *calculator, const QString &name)
{
    if (!calculator)
        return;
    if (calculator->parentWidget() != Pan_Dat) {
        calculator->setParent(Pan_Dat, calculator->windowFlags() & ~Qt::Window);
        Pan_Dat->installEventFilter(this);
    }
    fitCalculator(calculator);
    calculator->show();
    core::shared().EmbeddedWindow = name;
}

} // namespace browser
