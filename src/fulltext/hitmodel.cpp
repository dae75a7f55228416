#include "hitmodel.h"

#include "core/guard.h"

namespace fulltext {

HitModel::HitModel(QObject *parent) : QAbstractListModel(parent) {}

HitModel::~HitModel() = default;

void HitModel::setSearch(std::unique_ptr<Search> search)
{
    beginResetModel();
    m_search = std::move(search);
    m_hits.clear();
    endResetModel();
    fetchMore({});
}

int HitModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

QVariant HitModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_hits.size())
        return {};
    const Hit &h = m_hits[index.row()];
    if (role == Qt::DisplayRole)
        return QStringList{h.pageTitle, placeText(h), h.excerpt}.join(u'\n');
    if (role == Qt::ToolTipRole)
        return h.excerpt;
    return {};
}

bool HitModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_search && !m_search->atEnd();
}

void HitModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    // Views ask for more from their own event handling: an error reading the content is shown
    // by the default error box and ends the search, instead of crossing the event loop.
    QVector<Hit> more;
    bool read = false;
    core::guarded([&] {
        more = m_search->next(m_screenful);
        read = true;
    });
    if (!read)
        m_search.reset();
    if (!more.isEmpty()) {
        beginInsertRows({}, int(m_hits.size()), int(m_hits.size() + more.size() - 1));
        m_hits << std::move(more);
        endInsertRows();
    }
    emit fetched();
}

QString placeText(const Hit &hit)
{
    switch (hit.place) {
    case Place::Title: return QStringLiteral("标题");
    case Place::Note: return QStringLiteral("注释");
    case Place::PageText: return QStringLiteral("正文");
    case Place::Cell: break;
    }
    return QStringLiteral("第 %1 行 · %2").arg(hit.rowNumber).arg(hit.fieldName.split(u'|').join(QStringLiteral(" › ")));
}

} // namespace fulltext
