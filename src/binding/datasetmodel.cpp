#include "datasetmodel.h"

#include "core/guard.h"
#include "datasource.h"
#include "storage/dataset.h"

namespace binding {

DatasetModel::DatasetModel(DataSource *source, QObject *parent) : QAbstractTableModel(parent), m_source(source)
{
    connect(source, &DataSource::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(source, &DataSource::rowUpdated, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(source, &DataSource::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        endInsertRows();
    });
    connect(source, &DataSource::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        endRemoveRows();
    });
}

void DatasetModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

int DatasetModel::fieldOf(int column) const
{
    const storage::Dataset *ds = m_source->dataset();
    if (!ds || !ds->isOpen())
        return -1;
    if (m_columns.isEmpty())
        return column < ds->fields().size() ? column : -1;
    return column < m_columns.size() ? ds->fieldIndex(m_columns[column].field) : -1;
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    const storage::Dataset *ds = m_source->dataset();
    return parent.isValid() || !ds || !ds->isOpen() ? 0 : ds->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (!m_columns.isEmpty())
        return int(m_columns.size());
    const storage::Dataset *ds = m_source->dataset();
    return ds && ds->isOpen() ? int(ds->fields().size()) : 0;
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const storage::Dataset *ds = m_source->dataset();
    const int field = fieldOf(index.column());
    if (!ds || field < 0)
        return {};
    const QVariant v = ds->valueAt(index.row(), field);
    if (role == Qt::EditRole)
        return v;
    return storage::plainText(ds->fields()[field], v);
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return {};
    if (!m_columns.isEmpty())
        return section < m_columns.size() ? m_columns[section].title : QVariant();
    const storage::Dataset *ds = m_source->dataset();
    return ds && ds->isOpen() && section < ds->fields().size() ? ds->fields()[section].name : QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    storage::Dataset *ds = m_source->dataset();
    const int field = fieldOf(index.column());
    if (role != Qt::EditRole || !ds || field < 0)
        return false;
    bool ok = false;
    core::guarded([&] {
        ds->setCurrentIndex(index.row());
        ds->setValue(field, value.toString());
        ds->post();
        ok = true;
    });
    if (!ok)
        ds->cancel();
    return ok;
}

} // namespace binding
