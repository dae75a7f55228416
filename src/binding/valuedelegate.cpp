#include "valuedelegate.h"

#include <QLineEdit>

namespace binding {

namespace {
constexpr const char *shownText = "shownText"; // the cell's text when the editor took it
}

QWidget *ValueDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

void ValueDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = static_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    line->setText(text);
    line->setProperty(shownText, text);
}

void ValueDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const auto *line = static_cast<const QLineEdit *>(editor);
    if (line->text() == line->property(shownText).toString())
        return; // not changed: nothing is written
    model->setData(index, line->text(), Qt::EditRole);
}

} // namespace binding
