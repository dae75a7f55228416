#include "datasource.h"

#include "storage/dataset.h"

namespace binding {

DataSource::DataSource(storage::Dataset *dataset, QObject *parent) : QObject(parent)
{
    setDataset(dataset);
}

void DataSource::setDataset(storage::Dataset *dataset)
{
    for (const auto &c : std::as_const(m_links))
        disconnect(c);
    m_links.clear();
    m_dataset = dataset;
    if (dataset) {
        using storage::Dataset;
        m_links << connect(dataset, &Dataset::rowsReset, this, &DataSource::reset)
                << connect(dataset, &Dataset::currentChanged, this, &DataSource::currentChanged)
                << connect(dataset, &Dataset::rowUpdated, this, [this](int row) {
                       emit rowUpdated(row);
                       emit currentChanged();
                   })
                << connect(dataset, &Dataset::rowInserted, this, &DataSource::rowInserted)
                << connect(dataset, &Dataset::rowRemoved, this, &DataSource::rowRemoved);
    }
    emit reset();
    emit currentChanged();
}

} // namespace binding
