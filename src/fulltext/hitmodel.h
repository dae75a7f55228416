#pragma once
#include "search.h"

#include <QAbstractListModel>

#include <memory>

namespace fulltext {

// The hits of one search as a list: a screenful is fetched when the search starts and one more
// each time the view reaches the end of what it shows, so the list holds only the hits shown
// so far, never the whole result.
class HitModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit HitModel(QObject *parent = nullptr);
    ~HitModel() override;

    // Replaces the list with the first screenful of a search (none: an empty list).
    void setSearch(std::unique_ptr<Search> search);
    const Search *search() const { return m_search.get(); }
    // Hits fetched at a time: a screenful of the view.
    void setScreenful(int rows) { m_screenful = std::max(1, rows); }
    int screenful() const { return m_screenful; }
    const Hit &hit(int row) const { return m_hits.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    // Display: the page title, where the hit is and the excerpt, one line each.
    QVariant data(const QModelIndex &index, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

signals:
    // Hits were added or the search reached its end.
    void fetched();

private:
    std::unique_ptr<Search> m_search;
    QVector<Hit> m_hits;
    int m_screenful = 30;
};

// Where a hit is, as the list shows it: "标题", "注释", "正文", or the row and the column's
// title rows ("第 3 行 · 基本尺寸/mm › 大于").
QString placeText(const Hit &hit);

} // namespace fulltext
