#include "fittedpicture.h"

#include <QPainter>

namespace browser {

FittedPicture::FittedPicture(QWidget *parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

QRect FittedPicture::shownRect() const
{
    const QPixmap picture = pixmap();
    if (picture.isNull())
        return {};
    const QRect room = contentsRect();
    QSize size = picture.deviceIndependentSize().toSize();
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room.size(), Qt::KeepAspectRatio);
    QRect shown(QPoint(0, 0), size);
    shown.moveCenter(room.center());
    return shown;
}

void FittedPicture::paintEvent(QPaintEvent *)
{
    const QRect shown = shownRect();
    if (shown.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(shown, pixmap());
}

} // namespace browser
