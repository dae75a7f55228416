#include "uImage.h"

#include "core/fonts.h"

#include <QAction>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmImage *frmImage = nullptr;

bool PictureViewState::canZoomIn() const
{
    const qint64 w = qint64(width) * 2;
    const qint64 h = qint64(height) * 2;
    return (w > 0 || h > 0) && w <= maxZoomSide && h <= maxZoomSide && w * h <= maxZoomPixels;
}

void PictureViewState::zoomIn()
{
    if (!canZoomIn())
        return;
    autoSize = false;
    stretch = true;
    center = true;
    width *= 2;
    height *= 2;
}

void PictureViewState::restore(QSize naturalSize)
{
    autoSize = true;
    stretch = false;
    left = 0;
    top = 0;
    width = naturalSize.width();
    height = naturalSize.height();
}

void PictureViewState::zoomOut()
{
    autoSize = false;
    stretch = true;
    left = 0;
    top = 0;
    width /= 2;
    height /= 2;
}

void PictureDrag::press(Qt::MouseButton button, QPoint pointer, const PictureViewState &view, QSize panel)
{
    if (button != Qt::LeftButton)
        return;
    m_start = pointer;
    m_origin = QPoint(view.left, view.top);
    m_minX = pointer.x() + panel.width() - view.width - view.left;
    m_minY = pointer.y() + panel.height() - view.height - view.top;
    m_maxX = pointer.x() - view.left;
    m_maxY = pointer.y() - view.top;
    m_dragging = true;
}

QPoint PictureDrag::move(QPoint pointer, const PictureViewState &view) const
{
    if (!m_dragging)
        return QPoint(view.left, view.top);
    const int x = std::min(std::max(pointer.x(), m_minX), m_maxX);
    const int y = std::min(std::max(pointer.y(), m_minY), m_maxY);
    return QPoint(m_origin.x() + x - m_start.x(), m_origin.y() + y - m_start.y());
}

TfrmImage::TfrmImage() : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("图形浏览"));
    resize(696, 472);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setWindowTitle(QStringLiteral("图形浏览工具栏"));
    if (auto *more = ToolBar1->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("更多工具"));
    ToolBar1->setFont(core::songti(14));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolButton1 = ToolBar1->addAction(QStringLiteral(" 放大 "));
    ToolButton2 = ToolBar1->addAction(QStringLiteral(" 还原 "));
    ToolButton3 = ToolBar1->addAction(QStringLiteral(" 缩小 "));
    ToolBar1->addSeparator();
    ToolButton5 = ToolBar1->addAction(QStringLiteral(" 退出 "));
    layout->addWidget(ToolBar1);

    Pan_imgshow = new QWidget(this);
    layout->addWidget(Pan_imgshow, 1);
    // The picture is placed by hand; only the mouse-catching label follows the panel's size.
    Img_show = new QLabel(Pan_imgshow);
    Img_show->setAccessibleName(QStringLiteral("图形"));
    auto *panLayout = new QGridLayout(Pan_imgshow);
    panLayout->setContentsMargins(0, 0, 0, 0);
    Label1 = new QLabel(Pan_imgshow);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    panLayout->addWidget(Label1, 0, 0);
    Label1->raise();
    Label1->installEventFilter(this);
    applyView();

    connect(ToolButton1, &QAction::triggered, this, &TfrmImage::ToolButton1Click);
    connect(ToolButton2, &QAction::triggered, this, &TfrmImage::ToolButton2Click);
    connect(ToolButton3, &QAction::triggered, this, &TfrmImage::ToolButton3Click);
    connect(ToolButton5, &QAction::triggered, this, &TfrmImage::ToolButton5Click);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmImage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Opening work runs when the program shows the window, not when it comes back from minimised.
    if (!event->spontaneous())
        FormShow();
}

void TfrmImage::FormShow()
{
    Img_show->setPixmap(m_source ? m_source->pixmap() : QPixmap());
    applyView();
}

void TfrmImage::applyView()
{
    if (m_view.autoSize && !Img_show->pixmap().isNull()) {
        m_view.width = Img_show->pixmap().width();
        m_view.height = Img_show->pixmap().height();
    }
    Img_show->setScaledContents(m_view.stretch);
    Img_show->setAlignment(m_view.center ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    Img_show->setGeometry(m_view.left, m_view.top, m_view.width, m_view.height);
    // " 放大 " is offered only while a press would enlarge the picture.
    ToolButton1->setEnabled(m_view.canZoomIn());
}

void TfrmImage::ToolButton1Click()
{
    m_view.zoomIn();
    applyView();
}

void TfrmImage::ToolButton2Click()
{
    m_view.restore(Img_show->pixmap().size());
    applyView();
}

void TfrmImage::ToolButton3Click()
{
    m_view.zoomOut();
    applyView();
}

void TfrmImage::ToolButton5Click()
{
    close();
}

bool TfrmImage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Label1)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *e = static_cast<QMouseEvent *>(event);
        m_drag.press(e->button(), e->position().toPoint(), m_view, Pan_imgshow->size());
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_drag.dragging())
            return false;
        const QPoint to = m_drag.move(static_cast<QMouseEvent *>(event)->position().toPoint(), m_view);
        m_view.left = to.x();
        m_view.top = to.y();
        applyView();
        return true;
    }
    case QEvent::MouseButtonRelease: m_drag.release(); return true;
    default: return false;
    }
}
