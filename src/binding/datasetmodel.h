#pragma once
#include <QAbstractTableModel>
#include <QStringList>

namespace binding {

class DataSource;

// A table model over a data source's dataset: one row per visible row, values fetched as the
// view asks for them (no item per row). Columns are all fields in order, or a chosen list.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
    };
    explicit DatasetModel(DataSource *source, QObject *parent = nullptr);
    // Shows only these fields with these titles (empty: every field, titled by its name).
    void setColumns(const QList<Column> &columns);
    void setEditable(bool on) { m_editable = on; }
    // The dataset's field position of a model column (-1 when the field is missing).
    int fieldOf(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    DataSource *m_source;
    QList<Column> m_columns;
    bool m_editable = false;
};

} // namespace binding
