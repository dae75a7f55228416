#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {

namespace {

QFont pixelFont(int px, bool bold = false)
{
    QFont f;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QPixmap canvas16()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap cover()
{
    QPixmap pm(546, 767);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 767);
    g.setColorAt(0, QColor(18, 52, 96));
    g.setColorAt(1, QColor(6, 20, 44));
    p.fillRect(pm.rect(), g);
    // a gear outline, the handbook's emblem
    p.translate(273, 300);
    p.setPen(QPen(QColor(230, 190, 90), 6));
    QPainterPath gear;
    const int teeth = 18;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a = i * M_PI / teeth;
        const double r = (i % 2) ? 120 : 140;
        const QPointF pt(r * std::cos(a), r * std::sin(a));
        i == 0 ? gear.moveTo(pt) : gear.lineTo(pt);
    }
    gear.closeSubpath();
    p.drawPath(gear);
    p.drawEllipse(QPointF(0, 0), 45, 45);
    p.resetTransform();
    p.setPen(QColor(240, 240, 240));
    p.setFont(pixelFont(54, true));
    p.drawText(QRect(0, 500, 546, 70), Qt::AlignCenter, QStringLiteral("机械设计手册"));
    p.setFont(pixelFont(22));
    p.drawText(QRect(0, 575, 546, 40), Qt::AlignCenter, QStringLiteral("常用数据 · 公差与配合 · 连接件"));
    p.setPen(QColor(230, 190, 90));
    p.setFont(pixelFont(26, true));
    p.drawText(QRect(0, 680, 546, 40), Qt::AlignCenter, QStringLiteral("OrvaneV3.0"));
    return pm;
}

QVector<QPixmap> toolbarImages(const QColor &ink)
{
    QVector<QPixmap> out;
    for (int i = 0; i < 8; ++i) {
        QPixmap pm = canvas16();
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(ink, 1.6));
        p.setBrush(ink);
        switch (i) {
        case 0: p.drawPolygon(QPolygonF({{12, 2}, {4, 8}, {12, 14}})); break;  // previous page
        case 1: p.drawPolygon(QPolygonF({{4, 2}, {12, 8}, {4, 14}})); break;   // next page
        case 2: // expand tree
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 2, 5, 5);
            p.drawLine(4, 7, 4, 13);
            p.drawLine(4, 12, 10, 12);
            p.drawRect(10, 10, 4, 4);
            break;
        case 3: // data query: a funnel
            p.drawPolygon(QPolygonF({{2, 2}, {14, 2}, {9, 8}, {9, 14}, {7, 12}, {7, 8}}));
            break;
        case 4: // data retrieval: a magnifier
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
            p.setPen(QPen(ink, 2.4));
            p.drawLine(10, 10, 14, 14);
            break;
        case 5: // query results: a sheet with lines
            p.setBrush(Qt::white);
            p.drawRect(3, 1, 10, 14);
            for (int y = 4; y <= 12; y += 3)
                p.drawLine(5, y, 11, y);
            break;
        case 6: // tutorial: an open book
            p.setBrush(Qt::NoBrush);
            p.drawLine(8, 4, 8, 14);
            p.drawPolyline(QPolygonF({{8, 4}, {2, 2}, {2, 12}, {8, 14}, {14, 12}, {14, 2}, {8, 4}}));
            break;
        case 7: // online service: a globe
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(8, 8), 6, 6);
            p.drawEllipse(QPointF(8, 8), 2.5, 6);
            p.drawLine(2, 8, 14, 8);
            break;
        }
        out << pm;
    }
    return out;
}

QVector<QPixmap> treeImages()
{
    QVector<QPixmap> out;
    for (int i = 0; i < 3; ++i) {
        QPixmap pm = canvas16();
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor cover = i == 1 ? QColor(200, 60, 40) : QColor(40, 90, 160);
        p.setPen(QPen(cover.darker(140), 1));
        if (i == 2) {
            p.setBrush(Qt::white);
            p.drawRect(3, 1, 10, 14);
            p.drawLine(5, 5, 11, 5);
            p.drawLine(5, 8, 11, 8);
        } else if (i == 1) {
            p.setBrush(QColor(250, 245, 230));
            p.drawPolygon(QPolygonF({{8, 5}, {1, 3}, {1, 13}, {8, 15}, {15, 13}, {15, 3}}));
            p.drawLine(8, 5, 8, 15);
        } else {
            p.setBrush(cover);
            p.drawRect(3, 1, 10, 14);
            p.setPen(Qt::white);
            p.drawLine(5, 4, 11, 4);
        }
        out << pm;
    }
    return out;
}

} // namespace artwork
