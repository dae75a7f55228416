#include "hitdelegate.h"

#include "hitmodel.h"

#include <QApplication>
#include <QPainter>

namespace fulltext {

namespace {
constexpr int margin = 4;
} // namespace

HitDelegate::HitDelegate(const HitModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}

QSize HitDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), 2 * option.fontMetrics.lineSpacing() + 2 * margin);
}

void HitDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_model->rowCount())
        return;
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const Hit &hit = m_model->hit(index.row());
    const bool selected = option.state & QStyle::State_Selected;
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect area = option.rect.adjusted(margin, margin, -margin, -margin);
    const int line = option.fontMetrics.lineSpacing();
    painter->save();
    painter->setClipRect(option.rect);

    // First line: the page title, bold, then where the hit is.
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QString title = boldMetrics.elidedText(hit.pageTitle, Qt::ElideRight, area.width() * 2 / 3);
    painter->setFont(bold);
    painter->setPen(text);
    painter->drawText(area.left(), area.top() + boldMetrics.ascent(), title);
    const int after = area.left() + boldMetrics.horizontalAdvance(title) + option.fontMetrics.horizontalAdvance(u' ') * 2;
    painter->setFont(option.font);
    painter->setPen(selected ? text : option.palette.color(QPalette::PlaceholderText));
    painter->drawText(after, area.top() + option.fontMetrics.ascent(),
                      option.fontMetrics.elidedText(placeText(hit), Qt::ElideRight, std::max(0, area.right() - after)));

    // Second line: the excerpt, the hit on a marker colour. A long lead is cut from the left so
    // that the hit stays in view.
    const QFontMetrics &fm = option.fontMetrics;
    const int y = area.top() + line + fm.ascent();
    QString lead = hit.excerpt.left(hit.at);
    const QString found = hit.excerpt.mid(hit.at, hit.length);
    const QString rest = hit.excerpt.mid(hit.at + hit.length);
    if (fm.horizontalAdvance(lead) > area.width() / 3)
        lead = fm.elidedText(lead, Qt::ElideLeft, area.width() / 3);
    int x = area.left();
    painter->setPen(text);
    painter->drawText(x, y, lead);
    x += fm.horizontalAdvance(lead);
    const int foundWidth = fm.horizontalAdvance(found);
    painter->fillRect(QRect(x, area.top() + line, foundWidth, fm.height()), QColor(255, 230, 0));
    painter->setPen(Qt::black);
    painter->drawText(x, y, found);
    x += foundWidth;
    painter->setPen(text);
    painter->drawText(x, y, fm.elidedText(rest, Qt::ElideRight, std::max(0, area.right() - x)));
    painter->restore();
}

} // namespace fulltext
