#pragma once
#include <QObject>
#include <QPalette>

class QAction;
class QLabel;
class QWidget;

namespace binding {
class DBGrid;
}
namespace storage {
class Dataset;
}

namespace browser {

// The editing mode of the data grid. Data pages show read-only; the grid's checkable "允许编辑"
// switches editing on for the table shown, when its file can be written (otherwise a notice says
// why not). It is off at every start and whenever a page is shown. While it is on, the grid is
// tinted and the title bar says that changes go straight into the table.
class GridEditing : public QObject {
    Q_OBJECT
public:
    GridEditing(binding::DBGrid *grid, storage::Dataset *table, QWidget *titleBar);

    QAction *action() const { return m_action; }
    bool isOn() const;
    void switchOff();

    static const QString unwritableNotice;

private:
    void toggled(bool on);
    void show(bool on);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void placeBadge();

    binding::DBGrid *m_grid;
    storage::Dataset *m_table;
    QWidget *m_titleBar;
    QAction *m_action;
    QLabel *m_badge;
    QPalette m_readOnlyPalette;
};

} // namespace browser
