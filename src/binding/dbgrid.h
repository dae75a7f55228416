#pragma once
#include "datasetmodel.h"

#include <QTableView>

class QMenu;

namespace binding {

class DataSource;

// A grid on a data source. A click makes the clicked row the dataset's current row; moves of the
// dataset move the grid's current cell. A double-click is the grid's own gesture (doubleClicked):
// it never opens an editor. Editing is off until setEditable: then F2 or typing opens a cell's
// editor (ValueDelegate), Insert offers a new row after the last one (dropped when left
// untouched) and Ctrl+Delete deletes the current row after the question "Delete record?".
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);
    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    DatasetModel *datasetModel() const { return m_model; }
    void setColumns(const QList<DatasetModel::Column> &columns);
    void setEditable(bool on);
    bool isEditable() const { return m_editable; }
    // The grid's context menu (right mouse button, the menu key): owners add their actions to it.
    // Shown only when it holds an action.
    QMenu *contextMenu() const { return m_menu; }
    // Selects whole rows (list grids) instead of cells (data grids).
    void setRowSelect(bool on);
    // The column the user is on (0-based), or -1.
    int selectedColumn() const;
    void selectColumn(int column);

signals:
    void cellClicked(const QModelIndex &index);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void followDataset();
    DataSource *m_source = nullptr;
    DatasetModel *m_model = nullptr;
    QMenu *m_menu;
    bool m_editable = false;
    bool m_following = false;
    bool m_pressed = false;
};

} // namespace binding
