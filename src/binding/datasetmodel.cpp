#include "datasetmodel.h"

#include "cellinput.h"
#include "core/guard.h"
#include "datasource.h"
#include "storage/dataset.h"

namespace binding {

DatasetModel::DatasetModel(DataSource *source, QObject *parent) : QAbstractTableModel(parent), m_source(source)
{
    connect(source, &DataSource::reset, this, [this] {
        beginResetModel();
        m_newRow = false;
        endResetModel();
    });
    connect(source, &DataSource::rowUpdated, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(source, &DataSource::rowInserted, this, [this](int row) {
        if (m_postingNewRow && m_newRow && row == datasetRows() - 1) {
            // the new row is now the table's: same place, same row count
            m_newRow = false;
            m_postingNewRow = false;
            emit headerDataChanged(Qt::Vertical, row, row);
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
            return;
        }
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

void DatasetModel::setEditable(bool on)
{
    if (!on)
        dropNewRow();
    m_editable = on;
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

int DatasetModel::datasetRows() const
{
    const storage::Dataset *ds = m_source->dataset();
    return !ds || !ds->isOpen() ? 0 : ds->recordCount();
}

void DatasetModel::addNewRow()
{
    const storage::Dataset *ds = m_source->dataset();
    if (m_newRow || !m_editable || !ds || !ds->isOpen())
        return;
    const int row = datasetRows();
    beginInsertRows({}, row, row);
    m_newRow = true;
    endInsertRows();
}

void DatasetModel::dropNewRow()
{
    if (!m_newRow)
        return;
    const int row = datasetRows();
    beginRemoveRows({}, row, row);
    m_newRow = false;
    endRemoveRows();
}

int DatasetModel::newRow() const
{
    return m_newRow ? datasetRows() : -1;
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : datasetRows() + (m_newRow ? 1 : 0);
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
    if (!ds || field < 0 || index.row() == newRow())
        return {};
    const QVariant v = ds->valueAt(index.row(), field);
    // The editor takes the text shown, every digit of it, never a value of its own rounding.
    return storage::plainText(ds->fields()[field], v);
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section == newRow() ? QVariant(QStringLiteral("*")) : QVariant();
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
    if (role != Qt::EditRole || !m_editable || !ds || field < 0)
        return false;
    bool ok = false;
    core::guarded([&] {
        const storage::FieldDef &f = ds->fields()[field];
        const QVariant typed = readCellText(f, value.toString());
        const bool adding = index.row() == newRow();
        if (sameStoredValue(f, typed, adding ? QVariant() : ds->valueAt(index.row(), field))) {
            ok = true; // nothing changed: nothing is written
            return;
        }
        try {
            if (adding) {
                ds->append();
                m_postingNewRow = true;
            } else {
                ds->setCurrentIndex(index.row());
            }
            ds->setValue(field, typed);
            ds->post();
        } catch (...) {
            m_postingNewRow = false;
            ds->cancel();
            throw;
        }
        ok = true;
    });
    return ok;
}

} // namespace binding
