#pragma once
#include <QStyledItemDelegate>

namespace fulltext {

class HitModel;

// Draws a hit in two lines: the page title with where the hit is, then the excerpt with the hit
// marked.
class HitDelegate : public QStyledItemDelegate {
public:
    HitDelegate(const HitModel *model, QObject *parent);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const HitModel *m_model;
};

} // namespace fulltext
