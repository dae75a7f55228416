#pragma once
#include <QObject>
#include <QPointer>

#include "storage/dataset.h"


namespace binding {

// Links a dataset to the controls that show it. Controls follow the data source, so rebinding a
// control to another list is one call, and a data source can be pointed at another dataset.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(storage::Dataset *dataset = nullptr, QObject *parent = nullptr);
    void setDataset(storage::Dataset *dataset);
    storage::Dataset *dataset() const { return m_dataset; }

signals:
    void reset();            // another dataset, or its rows were re-read, opened or closed
    void currentChanged();   // the current row moved (or its values changed)
    void rowUpdated(int row);
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    QPointer<storage::Dataset> m_dataset;
    QList<QMetaObject::Connection> m_links;
};

} // namespace binding
