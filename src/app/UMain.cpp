#include "UMain.h"

#include "artwork.h"
#include "placement.h"
#include "binding/dbgrid.h"
#include "binding/dbmemo.h"
#include "browser/catalogue.h"
#include "browser/pagearea.h"
#include "core/contrast.h"
#include "core/fonts.h"
#include "core/guard.h"
#include "core/sharedstate.h"
#include "fits/DataUnit.h"
#include "fits/Ugcph.h"
#include "geotol/DataofShapeLocation.h"
#include "geotol/ShapeLocation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

TfrmMain *frmMain = nullptr;

namespace {

// The selected node's text is drawn in red (the tree's selected-text colour, made readable on its
// selection band by keepSelectionReadable), also by styles that draw selected text in the text
// colour; everything else as the tree draws it.
class SelectedRedDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->state & QStyle::State_Selected)
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::HighlightedText));
    }
};

storage::Dataset *makeDataset(QObject *owner, const QString &table)
{
    auto *ds = new storage::Dataset(owner);
    ds->setTableName(table);
    return ds;
}

} // namespace

TfrmMain::TfrmMain(const QString &programDir, const QString &userDir) : m_programDir(programDir), m_userDir(userDir)
{
    setWindowTitle(QStringLiteral("OrvaneV3.0"));
    resize(1022, 766);

    T_Tree = makeDataset(this, QStringLiteral("vtree.DB"));
    TreeM = makeDataset(this, QStringLiteral("vtree.DB"));
    Query1 = new storage::Dataset(this);
    Q_Tree = new storage::Dataset(this);
    Q_Tree->setSql(QStringLiteral("select * from vt  order by cname collate CP936"));
    QF_tree = new storage::Dataset(this);
    QF_tree->setSql(QStringLiteral("select * from vt"));
    T_history = makeDataset(this, QStringLiteral("History.DB"));
    T_history->setExclusive(true);
    tBook = makeDataset(this, QStringLiteral("ibook.db"));
    tblView = makeDataset(this, QStringLiteral("aaa.db"));
    dsQtree = new binding::DataSource(Q_Tree, this);
    dsQFTree = new binding::DataSource(QF_tree, this);
    dsBook = new binding::DataSource(tBook, this);
    dstblView = new binding::DataSource(tblView, this);

    buildMenus();
    buildToolbar();

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, central);
    layout->addWidget(Splitter1);
    setCentralWidget(central);
    buildLeftPane();
    Panel2 = new browser::PageArea(tblView, PageControl, Splitter1);
    Panel2->setCoverPicture(artwork::cover());
    Panel2->DBview->setDataSource(dstblView);
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({329, 1022 - 329});

    wireBrowser();
    wireDataTools();
    wireFulltext();
    wireExport();
    wireMenus();
    wireKeys();

    // The designed size, made smaller where the screen is (a laptop at 150 %), centred.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(app::firstPlacement(size(), screen->availableGeometry(), frameAllowance()));
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildToolbar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFixedHeight(49);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(16, 16));
    auto button = [&](const QString &caption, int image) {
        Q_ASSERT(image == m_toolbarButtons.size());
        auto *b = new QToolButton(ToolBar1);
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setFixedSize(82, 38);
        b->setFont(core::songti(15));
        ToolBar1->addWidget(b);
        m_toolbarButtons.append(b);
        return b;
    };
    ToolButton1 = button(QStringLiteral("上一页"), 0);
    ToolButton2 = button(QStringLiteral("下一页"), 1);
    ToolBar1->addSeparator();
    ToolButton4 = button(QStringLiteral("展开目录树"), 2);
    ToolBar1->addSeparator();
    ToolButton6 = button(QStringLiteral("数据查询"), 3);
    ToolButton7 = button(QStringLiteral("数据检索"), 4);
    ToolButton8 = button(QStringLiteral("查询结果"), 5);
    ToolBar1->addSeparator();
    ToolButton10 = button(QStringLiteral("教程"), 6);
    ToolButton11 = button(QStringLiteral("在线服务"), 7);
    core::followPalette(this, [this] { paintToolbarImages(); }); // the window is told of a palette change
}

// Pictures are not text: 3:1 against their background is enough to make them out (WCAG).
void TfrmMain::paintToolbarImages()
{
    const QColor background = QApplication::palette(ToolBar1).color(QPalette::Window);
    const QVector<QPixmap> normal = artwork::toolbarImages(core::readableOn(QColor(30, 70, 140), background, 3.0));
    const QVector<QPixmap> hot = artwork::toolbarImages(core::readableOn(QColor(200, 40, 40), background, 3.0));
    for (int i = 0; i < m_toolbarButtons.size(); ++i) {
        QIcon icon(normal[i]);
        icon.addPixmap(hot[i], QIcon::Active);
        icon.addPixmap(hot[i], QIcon::Disabled);
        m_toolbarButtons[i]->setIcon(icon);
    }
}

void TfrmMain::buildLeftPane()
{
    Panel1 = new QWidget(Splitter1);
    Panel1->setMinimumWidth(120);
    auto *layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl = new QTabWidget(Panel1);
    PageControl->setFont(core::songti(15));
    layout->addWidget(PageControl);

    PopupMenu_dh = new QMenu(this);
    N18 = PopupMenu_dh->addAction(QStringLiteral("加入书签"));
    auto attachPopup = [this](QWidget *w) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint &pos) { PopupMenu_dh->popup(w->mapToGlobal(pos)); });
    };
    attachPopup(PageControl);

    Ts_ml = new QWidget;
    auto *treeLayout = new QVBoxLayout(Ts_ml);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeModel = new browser::CatalogueModel(this);
    QIcon treeIcon(artwork::treeImages()[0]);
    treeIcon.addPixmap(artwork::treeImages()[1], QIcon::Selected);
    treeModel->setImages(treeIcon);
    m_Tree = new QTreeView(Ts_ml);
    m_Tree->setModel(treeModel);
    m_Tree->setHeaderHidden(true);
    m_Tree->setIndentation(19);
    m_Tree->setUniformRowHeights(true);
    m_Tree->setItemDelegate(new SelectedRedDelegate(m_Tree));
    core::keepSelectionReadable(m_Tree, QColor(255, 0, 0));
    m_Tree->setFont(core::songti(14));
    m_Tree->setAccessibleName(QStringLiteral("目录"));
    treeLayout->addWidget(m_Tree);
    Button1 = new QPushButton(Ts_ml);
    Button1->setAccessibleName(QStringLiteral("Button1"));
    Button1->hide();
    PageControl->addTab(Ts_ml, QStringLiteral("目录"));

    Ts_index = new QWidget;
    Label1 = new QLabel(QStringLiteral("请键入要查找的关键词："), Ts_index);
    Label1->move(8, 8);
    s_index = new QLineEdit(Ts_index);
    Label1->setBuddy(s_index); // the box's accessible name
    s_index->setGeometry(8, 32, 305, 23);
    DBGrid2 = new binding::DBGrid(Ts_index);
    DBGrid2->setDataSource(dsQtree);
    DBGrid2->setColumns({{QStringLiteral("CName"), QStringLiteral("索引结果")}});
    DBGrid2->setRowSelect(true);
    DBGrid2->setAccessibleName(QStringLiteral("索引结果"));
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    PageControl->addTab(Ts_index, QStringLiteral("索引"));

    Ts_search = new QWidget;
    Label2 = new QLabel(QStringLiteral("请键入要查找的关键词："), Ts_search);
    Label2->move(8, 2);
    E_search = new QLineEdit(Ts_search);
    Label2->setBuddy(E_search);
    E_search->setGeometry(8, 24, 305, 23);
    DBGrid3 = new binding::DBGrid(Ts_search);
    DBGrid3->setDataSource(dsQFTree);
    DBGrid3->setColumns({{QStringLiteral("CName"), QStringLiteral("查找结果")}});
    DBGrid3->setRowSelect(true);
    DBGrid3->setAccessibleName(QStringLiteral("查找结果"));
    DBGrid3->horizontalHeader()->setStretchLastSection(true);
    PageControl->addTab(Ts_search, QStringLiteral("查找"));

    Ts_bookmark = new QWidget;
    auto *bookLayout = new QVBoxLayout(Ts_bookmark);
    DBGrid1 = new binding::DBGrid(Ts_bookmark);
    DBGrid1->setDataSource(dsBook);
    DBGrid1->setColumns({{QStringLiteral("CName"), QStringLiteral("名       称")}});
    DBGrid1->setRowSelect(true);
    DBGrid1->setAccessibleName(QStringLiteral("书签"));
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setMaximumHeight(601);
    bookLayout->addWidget(DBGrid1, 1);
    auto *buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("删除"), Ts_bookmark);
    BitBtn2 = new QPushButton(QStringLiteral("清空"), Ts_bookmark);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    bookLayout->addLayout(buttons);
    PageControl->addTab(Ts_bookmark, QStringLiteral("书签"));

    for (QWidget *tab : {Ts_index, Ts_search})
        tab->installEventFilter(this);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { core::guarded([this] { PageControlChange(); }); });
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == Ts_index || watched == Ts_search))
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Start-up runs once: not again when the window is restored from a minimised state.
    if (m_shown)
        return;
    m_shown = true;
    core::guarded([this] { FormShow(); });
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    core::guarded([this] { FormClose(); });
    event->accept();
    QApplication::quit();
}

void TfrmMain::FormShow()
{
    core::SharedState &s = core::shared();
    const QString dir = m_programDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_programDir;
    s.AppDir = dir.endsWith(u'/') ? dir : dir + u'/';
    s.UserDir = m_userDir.isEmpty() ? s.AppDir : (m_userDir.endsWith(u'/') ? m_userDir : m_userDir + u'/');
    for (storage::Dataset *ds : {T_Tree, Q_Tree, QF_tree, Query1, TreeM})
        ds->setDirectory(s.AppDir + QStringLiteral("database"));
    for (storage::Dataset *ds : {T_history, tBook})
        ds->setDirectory(s.UserDir + QStringLiteral("database"));
    tblView->setDirectory(s.AppDir + QStringLiteral("dat"));

    Data->open(geotol::shapeConnectionString(s.AppDir));
    Data2->open(fits::toleranceConnectionString(s.AppDir));

    T_history->open();
    T_history->emptyTable();
    T_history->close();

    tBook->open();
    tBook->first();

    T_Tree->open();
    T_Tree->first();

    s.EmbeddedWindow.clear();
    showPageOf(*T_Tree, 0);
    browser::BuildTree(*TreeM, *Query1, *treeModel);
}

void TfrmMain::ShowPage(unsigned kind)
{
    Panel2->ShowPage(kind);
    showStatus();
}

void TfrmMain::FormResize()
{
    // The two result grids keep 10 pixels below their edit boxes and reach the bottom of their tab.
    const QList<QPair<QLineEdit *, binding::DBGrid *>> pairs = {{s_index, DBGrid2}, {E_search, DBGrid3}};
    for (const auto &[edit, grid] : pairs) {
        const QWidget *tab = grid->parentWidget();
        const int top = edit->y() + edit->height() + 10;
        grid->setGeometry(0, top, tab->width(), std::max(0, tab->height() - top));
    }
}

void TfrmMain::PageControlChange()
{
    s_index->setText(QString());
    core::rethrowPending();
    E_search->setText(QString());
    core::rethrowPending();
    // The note pane keeps the note of the page shown: it does not follow the lists.
    QWidget *tab = PageControl->currentWidget();
    if (tab == Ts_index)
        Q_Tree->open();
    else
        Q_Tree->close();
    if (tab != Ts_search)
        QF_tree->close();
    if (tab == Ts_bookmark)
        tBook->open();
    else
        tBook->close();
}

void TfrmMain::FormClose()
{
    for (storage::Dataset *ds : {tBook, T_Tree, Q_Tree, QF_tree, T_Full})
        ds->close();
    for (storage::Dataset *t : {Data->ADOTable1, Data->ADOTable2, Data->ADOTable3, Data->ADOTable4})
        t->close();
    Data->ADOConnection1.disconnect();
}
