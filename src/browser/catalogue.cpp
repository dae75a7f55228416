#include "catalogue.h"

#include "core/error.h"
#include "storage/dataset.h"

#include <QHash>

namespace browser {

CatalogueModel::CatalogueModel(QObject *parent) : QAbstractItemModel(parent) {}

int CatalogueModel::addNode(int parent, const TTreeRec &rec)
{
    const int id = int(m_nodes.size());
    m_nodes.append(Node{rec, parent, 0, {}}); // may move the nodes: take references only after
    QVector<int> &siblings = parent < 0 ? m_roots : m_nodes[parent].children;
    m_nodes[id].row = int(siblings.size());
    siblings.append(id);
    return id;
}

void CatalogueModel::clear()
{
    beginResetModel();
    m_nodes.clear();
    m_roots.clear();
    endResetModel();
}

QModelIndex CatalogueModel::indexOf(int node) const
{
    if (node < 0 || node >= m_nodes.size())
        return {};
    return createIndex(m_nodes[node].row, 0, quintptr(node));
}

QModelIndex CatalogueModel::index(int row, int column, const QModelIndex &parent) const
{
    const QVector<int> &list = parent.isValid() ? m_nodes[nodeOf(parent)].children : m_roots;
    if (column != 0 || row < 0 || row >= list.size())
        return {};
    return createIndex(row, 0, quintptr(list[row]));
}

QModelIndex CatalogueModel::parent(const QModelIndex &child) const
{
    const int node = nodeOf(child);
    return node < 0 ? QModelIndex() : indexOf(m_nodes[node].parent);
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_roots.size());
    return parent.column() == 0 ? int(m_nodes[nodeOf(parent)].children.size()) : 0;
}

int CatalogueModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    const int node = nodeOf(index);
    if (node < 0)
        return {};
    if (role == Qt::DisplayRole)
        return m_nodes[node].rec.Title;
    if (role == Qt::DecorationRole && !m_icon.isNull())
        return m_icon;
    return {};
}

QString fieldText(const storage::Dataset &ds, const QString &field)
{
    const QVariant v = ds.value(field);
    if (!v.isValid() || v.isNull())
        throw core::Error(QStringLiteral("Could not convert variant of type (Null) into type (String)"));
    return ds.text(field);
}

void BuildTree(storage::Dataset &roots, storage::Dataset &branch, CatalogueModel &model)
{
    struct Batch {
        CatalogueModel &m;
        explicit Batch(CatalogueModel &model) : m(model) { m.beginBuild(); }
        ~Batch() { m.endBuild(); }
    } batch(model);
    roots.open();
    roots.first();
    while (!roots.eof()) {
        TTreeRec rec;
        const QVariant cid = roots.value(QStringLiteral("CID"));
        const bool hasId = cid.isValid() && !cid.isNull();
        rec.NodeID = hasId ? cid.toString() : QString();
        rec.BranchKey = fieldText(roots, QStringLiteral("ParentID"));
        rec.Title = fieldText(roots, QStringLiteral("CName"));
        const int node = model.addNode(-1, rec);
        if (hasId)
            AddBranch(branch, model, node, rec.NodeID);
        roots.next();
    }
}

void AddBranch(storage::Dataset &branch, CatalogueModel &model, int rootNode, const QString &id)
{
    branch.close();
    branch.setPreload(true);
    branch.setSql(QStringLiteral("select ParentID,CID,CName from vt%1 order by parentID collate CP936,CID collate CP936")
                      .arg(id));
    branch.open();
    branch.first();
    // Node ids seen so far; lookups ignore case and the first node added under an id wins.
    QHash<QString, int> seen;
    auto add = [&](int parent) {
        TTreeRec rec;
        rec.NodeID = fieldText(branch, QStringLiteral("CID"));
        rec.BranchKey = id;
        rec.Title = fieldText(branch, QStringLiteral("CName"));
        const int node = model.addNode(parent, rec);
        const QString key = rec.NodeID.toLower();
        if (!seen.contains(key))
            seen.insert(key, node);
        branch.next();
    };
    while (!branch.eof()) {
        const QString parentId = fieldText(branch, QStringLiteral("ParentID"));
        const auto found = seen.constFind(parentId.toLower());
        if (found == seen.constEnd()) {
            add(rootNode);
            continue;
        }
        const int parentNode = *found;
        while (!branch.eof() && fieldText(branch, QStringLiteral("ParentID")) == parentId)
            add(parentNode);
    }
    branch.close();
}

} // namespace browser
