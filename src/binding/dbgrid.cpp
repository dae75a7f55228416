#include "dbgrid.h"

#include "core/dialogs.h"
#include "core/guard.h"
#include "datasource.h"
#include "storage/dataset.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace binding {

DBGrid::DBGrid(QWidget *parent) : QTableView(parent)
{
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
        if (m_following || !current.isValid() || !m_source->dataset())
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
    m_editable = on;
    if (m_model)
        m_model->setEditable(on);
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed
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
        if (event->key() == Qt::Key_Insert) {
            core::guarded([&] {
                ds->append();
                ds->post();
            });
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

} // namespace binding
