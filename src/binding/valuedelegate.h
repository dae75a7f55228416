#pragma once
#include <QStyledItemDelegate>

namespace binding {

// The editor of a data grid's cell: a line edit holding the cell's text as the grid shows it,
// every digit of it (no spin box of its own precision). The text goes to the model only when the
// user changed it; the model reads it as the field's kind.
class ValueDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};

} // namespace binding
