#pragma once
#include "titlegrid.h"

#include <QHeaderView>

namespace browser {

// Horizontal header of the data grid drawing several title rows (see TitleGrid): as tall as the
// most title rows any column has, with shared higher rows drawn as one cell across their columns.
class MultiRowHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit MultiRowHeader(QWidget *parent = nullptr);
    QSize sizeHint() const override;
    int rowHeight() const;
    // The titles as the header lays them out now.
    TitleGrid titles() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    TitleGrid m_grid{QStringList()};
};

} // namespace browser
