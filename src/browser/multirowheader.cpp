#include "multirowheader.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace browser {

MultiRowHeader::MultiRowHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

TitleGrid MultiRowHeader::titles() const
{
    QStringList names;
    const int n = model() ? model()->columnCount(rootIndex()) : 0;
    for (int i = 0; i < n; ++i)
        names << model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    return TitleGrid(names);
}

int MultiRowHeader::rowHeight() const
{
    return fontMetrics().height() + 6;
}

QSize MultiRowHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(titles().rows() * rowHeight());
    return size;
}

void MultiRowHeader::paintEvent(QPaintEvent *event)
{
    m_grid = titles();
    QHeaderView::paintEvent(event);
}

void MultiRowHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const int line = rect.height() / std::max(1, m_grid.rows());
    for (const TitleGrid::Cell &cell : m_grid.cellsOf(logicalIndex)) {
        const int left = sectionViewportPosition(cell.firstColumn);
        const int right = sectionViewportPosition(cell.lastColumn) + sectionSize(cell.lastColumn);
        const int top = rect.top() + cell.topRow * line;
        const bool reachesBottom = cell.topRow + cell.rowSpan == m_grid.rows();
        const int bottom = reachesBottom ? rect.bottom() + 1 : top + cell.rowSpan * line;
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.state &= ~QStyle::State_MouseOver;
        opt.rect = QRect(left, top, right - left, bottom - top);
        opt.section = logicalIndex;
        opt.position = QStyleOptionHeader::Middle;
        painter->save();
        painter->setClipRect(opt.rect);
        style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
        // A cell wider than the view keeps its title in the part that can be seen.
        opt.rect = opt.rect.intersected(viewport()->rect());
        opt.text = cell.text;
        opt.textAlignment = Qt::AlignCenter;
        style()->drawControl(QStyle::CE_HeaderLabel, &opt, painter, this);
        painter->restore();
    }
}

} // namespace browser
