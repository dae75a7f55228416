#pragma once
#include <QAbstractTableModel>
#include <QStringList>

namespace binding {

class DataSource;

// A table model over a data source's dataset: one row per visible row, values fetched as the
// view asks for them (no item per row). Columns are all fields in order, or a chosen list.
// While editable, a cell takes the text typed into it (readCellText) and posts it when it stands
// for another value; a new row is offered after the last one and reaches the table only with its
// first changed cell.
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
    void setEditable(bool on);
    bool isEditable() const { return m_editable; }
    // The dataset's field position of a model column (-1 when the field is missing).
    int fieldOf(int column) const;

    // The new row after the last one (editable models only); its row, or -1 when there is none.
    void addNewRow();
    void dropNewRow();
    int newRow() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // value: the text typed. A text that does not read shows the engine's error (handler guard)
    // and leaves the stored value; false then.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    int datasetRows() const;
    DataSource *m_source;
    QList<Column> m_columns;
    bool m_editable = false;
    bool m_newRow = false;
    bool m_postingNewRow = false; // the new row's first post: it becomes the dataset's last row
};

} // namespace binding
