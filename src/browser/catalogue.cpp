#include "catalogue.h"

#include "core/error.h"
#include "core/text.h"
#include "storage/dataset.h"

#include <QHash>

namespace browser {

CatalogueModel::CatalogueModel(QObject *parent) : QAbstractItemModel(parent) {}

int CatalogueModel::addNode(int parent, TTreeRec rec)
{
    const int id = int(m_nodes.size());
    m_nodes.append(CatalogueNode{std::move(rec), parent, 0, {}}); // may move the nodes: take references only after
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

namespace {

QString textOf(const storage::Dataset &ds, int field)
{
    const QVariant v = ds.value(field);
    if (!v.isValid() || v.isNull())
        throw core::Error(QStringLiteral("Could not convert variant of type (Null) into type (String)"));
    return storage::plainText(ds.fields()[field], v);
}

} // namespace

QString fieldText(const storage::Dataset &ds, const QString &field)
{
    return textOf(ds, ds.fieldIndex(field) < 0 ? int(&ds.field(field) - ds.fields().constData()) : ds.fieldIndex(field));
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

namespace {

// One row of a branch table; a blank cell is remembered so the walk can report it where the
// ordered reading reaches it.
struct BranchRow {
    QString parent, id, name;
    bool blankParent, blankId, blankName;
};

// (ParentID, CID) in code page 936 byte order, blanks first, as the ordered statement delivers them.
bool branchOrder(const BranchRow &a, const BranchRow &b)
{
    if (a.blankParent != b.blankParent)
        return a.blankParent;
    if (const int c = core::compareCp936(a.parent, b.parent))
        return c < 0;
    if (a.blankId != b.blankId)
        return a.blankId;
    return core::compareCp936(a.id, b.id) < 0;
}

const QString &textOrError(const QString &text, bool blank)
{
    if (blank)
        throw core::Error(QStringLiteral("Could not convert variant of type (Null) into type (String)"));
    return text;
}

} // namespace

void AddBranch(storage::Dataset &branch, CatalogueModel &model, int rootNode, const QString &id)
{
    // The rows are read in one pass and ordered by (ParentID, CID) here: ordering thousands of rows
    // through the database's sorter and a collation callback costs several times more.
    branch.close();
    branch.setSql(QStringLiteral("select ParentID,CID,CName from vt%1").arg(id));
    branch.open();
    const int parentField = int(&branch.field(QStringLiteral("ParentID")) - branch.fields().constData());
    const int idField = int(&branch.field(QStringLiteral("CID")) - branch.fields().constData());
    const int nameField = int(&branch.field(QStringLiteral("CName")) - branch.fields().constData());
    QVector<BranchRow> rows;
    rows.reserve(branch.recordCount());
    branch.scan(0, [&](int, const storage::RowView &row) {
        const QVariant parent = row.value(parentField), cid = row.value(idField), name = row.value(nameField);
        rows.append(BranchRow{parent.toString(), cid.toString(), name.toString(), parent.isNull(), cid.isNull(),
                              name.isNull()});
        return true;
    });
    branch.close();
    std::stable_sort(rows.begin(), rows.end(), branchOrder);

    // Node ids seen so far; lookups ignore case and the first node added under an id wins.
    QHash<QString, int> seen;
    seen.reserve(rows.size());
    qsizetype i = 0;
    auto add = [&](int parent) {
        BranchRow &r = rows[i++];
        textOrError(r.id, r.blankId);
        textOrError(r.name, r.blankName);
        const QString key = r.id.toLower();
        const int node = model.addNode(parent, TTreeRec{std::move(r.id), std::move(r.name), id});
        if (!seen.contains(key))
            seen.insert(key, node);
    };
    while (i < rows.size()) {
        const QString parentId = textOrError(rows[i].parent, rows[i].blankParent);
        const auto found = seen.constFind(parentId.toLower());
        if (found == seen.constEnd()) {
            add(rootNode);
            continue;
        }
        const int parentNode = *found;
        while (i < rows.size() && textOrError(rows[i].parent, rows[i].blankParent) == parentId)
            add(parentNode);
    }
}

} // namespace browser
