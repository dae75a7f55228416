#include "dbgrid.h"

#include "core/dialogs.h"
#include "core/guard.h"
#include "datasource.h"
#include "storage/dataset.h"
#include "valuedelegate.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace binding {

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_menu(new QMenu(this))
{
    setItemDelegate(new ValueDelegate(this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(14);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DBGrid::setDataSource(DataSource *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    delete m_model;
    m_model = new DatasetModel(source, this);
    m_model->setEditable(m_editable);
    setModel(m_model);
    connect(source, &DataSource::currentChanged, this, &DBGrid::followDataset);
    connect(source, &DataSource::reset, this, &DBGrid::followDataset, Qt::QueuedConnection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (!current.isValid() || current.row() != m_model->newRow())
            m_model->dropNewRow(); // a new row left untouched is not kept
        if (m_following || !current.isValid() || !m_source->dataset() || current.row() == m_model->newRow())
            return;
        core::guarded([&] { m_source->dataset()->setCurrentIndex(current.row()); });
    });
}

void DBGrid::setColumns(const QList<DatasetModel::Column> &columns)
{
    m_model->setColumns(columns);
}

void DBGrid::setEditable(bool on)
{
    if (!on && state() == QAbstractItemView::EditingState) {
        // an editor still open keeps what was typed, as when it loses the focus
        if (QWidget *editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    m_editable = on;
    if (m_model)
        m_model->setEditable(on);
    // Never on a double-click: that gesture belongs to the grid's owner.
    setEditTriggers(on ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void DBGrid::setRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

int DBGrid::selectedColumn() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

void DBGrid::selectColumn(int column)
{
    const storage::Dataset *ds = m_source ? m_source->dataset() : nullptr;
    const int row = ds && ds->isOpen() ? ds->currentIndex() : 0;
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}

void DBGrid::followDataset()
{
    const storage::Dataset *ds = m_source ? m_source->dataset() : nullptr;
    if (!ds || !ds->isOpen() || ds->isEmpty())
        return;
    const int column = std::max(0, currentIndex().column());
    const QModelIndex target = m_model->index(ds->currentIndex(), column);
    if (target == currentIndex())
        return;
    m_following = true;
    setCurrentIndex(target);
    scrollTo(target);
    m_following = false;
}

void DBGrid::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    QTableView::mousePressEvent(event);
}

void DBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (m_pressed && index.isValid())
        emit cellClicked(index);
    m_pressed = false;
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    storage::Dataset *ds = m_source ? m_source->dataset() : nullptr;
    if (m_editable && ds && ds->isOpen() && state() != QAbstractItemView::EditingState) {
        const bool onNewRow = currentIndex().isValid() && currentIndex().row() == m_model->newRow();
        if (event->key() == Qt::Key_Insert) {
            // a row to fill in; it reaches the table with its first changed cell
            m_model->addNewRow();
            setCurrentIndex(m_model->index(m_model->newRow(), std::max(0, currentIndex().column())));
            return;
        }
        if (onNewRow && (event->key() == Qt::Key_Escape
                         || (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)))) {
            const int column = std::max(0, currentIndex().column());
            m_model->dropNewRow();
            if (!ds->isEmpty())
                setCurrentIndex(m_model->index(ds->recordCount() - 1, column));
            return;
        }
        if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
            core::guarded([&] {
                if (!ds->isEmpty() && core::dialogs().confirm(this, QStringLiteral("Delete record?")))
                    ds->deleteCurrent();
            });
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_menu->actions().isEmpty()) {
        QTableView::contextMenuEvent(event);
        return;
    }
    m_menu->popup(event->globalPos());
}

} // namespace binding
