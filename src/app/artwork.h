#pragma once
#include <QIcon>
#include <QPixmap>
#include <QVector>

// Pictures the main window carries, drawn by code: the cover, the eight toolbar images (normal
// and hot/disabled sets) and the tree images.
namespace artwork {

QPixmap cover(); // 546 × 767
QVector<QPixmap> toolbarImages(const QColor &ink); // 8 images, 16 × 16, drawn in ink
QVector<QPixmap> treeImages(); // 3 images, 16 × 16: closed book, open book, page

} // namespace artwork
