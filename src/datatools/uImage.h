#pragma once
#include <QPoint>
#include <QSize>
#include <QWidget>

class QAction;
class QLabel;
class QToolBar;

// Position, size and display flags of the picture viewer's picture control. They persist
// between openings of the viewer; the zoom steps change them.
struct PictureViewState {
    int left = 33;
    int top = 17;
    int width = 569;
    int height = 336;
    bool autoSize = false; // the control takes the natural size of its picture
    bool stretch = false;  // the picture is scaled to fill the control
    bool center = false;   // the picture is centred in the control

    // Zooming in stops before the picture would pass this many pixels (16 times a 1024 x 1024
    // picture: 64 MB of scaled picture) or this size on a side.
    static constexpr qint64 maxZoomPixels = 16 * 1024 * 1024;
    static constexpr int maxZoomSide = 16384;
    bool canZoomIn() const;           // the doubled size stays within the bounds and differs
    void zoomIn();                    // twice the size, stretched and centred, where it is; nothing past the bound
    void restore(QSize naturalSize);  // natural size at (0, 0), not stretched
    void zoomOut();                   // half the size (rounded down), stretched, at (0, 0)
};

// Dragging the picture with the left mouse button: the picture follows the pointer while its
// left stays between panelWidth - width and 0 (its top likewise), the upper bound applied last.
class PictureDrag {
public:
    void press(Qt::MouseButton button, QPoint pointer, const PictureViewState &view, QSize panel);
    // The picture's new (left, top) for a pointer move; unchanged when no drag is running.
    QPoint move(QPoint pointer, const PictureViewState &view) const;
    void release() { m_dragging = false; }
    bool dragging() const { return m_dragging; }

private:
    QPoint m_start;  // X0, Y0
    QPoint m_origin; // L0, T0
    int m_minX = 0, m_maxX = 0, m_minY = 0, m_maxY = 0;
    bool m_dragging = false;
};

// The picture viewer "图形浏览": a copy of the main window's lower-pane picture, to enlarge,
// restore, reduce and drag.
class TfrmImage : public QWidget {
    Q_OBJECT
public:
    explicit TfrmImage();

    // The picture control whose picture each opening copies (the main window's Image1).
    void setSourcePicture(const QLabel *image) { m_source = image; }
    const PictureViewState &view() const { return m_view; }

    void FormShow();
    void ToolButton1Click(); // " 放大 "
    void ToolButton2Click(); // " 还原 "
    void ToolButton3Click(); // " 缩小 "
    void ToolButton5Click(); // " 退出 "

    QToolBar *ToolBar1;
    QAction *ToolButton1, *ToolButton2, *ToolButton3, *ToolButton5;
    QWidget *Pan_imgshow;
    QLabel *Img_show;
    QLabel *Label1;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyView();
    const QLabel *m_source = nullptr;
    PictureViewState m_view;
    PictureDrag m_drag;
};

extern TfrmImage *frmImage;
