#include "catalogue.h"

#include "core/error.h"
#include "core/text.h"
#include "storage/dataset.h"

#include <QHash>

namespace browser {

CatalogueModel::CatalogueModel(QObject *parent) : QAbstractItemModel(parent) {}

int CatalogueModel::addNode(int parent, const TTreeRec &rec)
{
    return addNode(parent, rec.NodeID.toUtf8(), rec.Title.toUtf8(), branchKey(rec.BranchKey));
}

int CatalogueModel::addNode(int parent, QByteArrayView id, QByteArrayView title, int key)
{
    const int node = int(m_nodes.size());
    const QVector<int> &siblings = parent < 0 ? m_roots : m_nodes[parent].children;
    m_nodes.append(CatalogueNode{m_text.size(), int(id.size()), int(title.size()), key, parent, int(siblings.size()), {}});
    // The append may have moved the nodes: the sibling list is looked up again.
    (parent < 0 ? m_roots : m_nodes[parent].children).append(node);
    m_text.append(id);
    m_text.append(title);
    return node;
}

int CatalogueModel::branchKey(const QString &key)
{
    if (m_keys.isEmpty() || m_keys.constLast() != key)
        m_keys.append(key);
    return int(m_keys.size()) - 1;
}

TTreeRec CatalogueModel::record(int node) const
{
    const CatalogueNode &n = m_nodes[node];
    return TTreeRec{QString::fromUtf8(QByteArrayView(m_text).sliced(n.text, n.idLength)),
                    QString::fromUtf8(title(n)), m_keys[n.key]};
}

QByteArrayView CatalogueModel::title(const CatalogueNode &n) const
{
    return QByteArrayView(m_text).sliced(n.text + n.idLength, n.titleLength);
}

void CatalogueModel::clear()
{
    beginResetModel();
    m_nodes.clear();
    m_roots.clear();
    m_text.clear();
    m_keys.clear();
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
        return QString::fromUtf8(title(m_nodes[node]));
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

// One row of a branch table: its three cells as UTF-8 in the branch's text buffer. A blank
// cell is remembered so the walk can report it where the ordered reading reaches it.
struct BranchRow {
    struct Cell {
        qsizetype at;
        int length;
        bool blank;
    };
    Cell parent, id, name;
};

// The texts of one branch table's rows, read in one pass.
class BranchTexts {
public:
    BranchRow::Cell read(const storage::RowView &row, int field)
    {
        const qsizetype at = m_bytes.size();
        const bool blank = !row.appendText(field, m_bytes);
        return {at, int(m_bytes.size() - at), blank};
    }
    QByteArrayView text(const BranchRow::Cell &cell) const
    {
        if (cell.blank)
            throw core::Error(QStringLiteral("Could not convert variant of type (Null) into type (String)"));
        return QByteArrayView(m_bytes).sliced(cell.at, cell.length);
    }
    // (ParentID, CID) in code page 936 byte order, blanks first, as the ordered statement delivers them.
    bool before(const BranchRow &a, const BranchRow &b) const
    {
        if (a.parent.blank != b.parent.blank)
            return a.parent.blank;
        if (const int c = core::compareUtf8AsCp936(view(a.parent), view(b.parent)))
            return c < 0;
        if (a.id.blank != b.id.blank)
            return a.id.blank;
        return core::compareUtf8AsCp936(view(a.id), view(b.id)) < 0;
    }

private:
    QByteArrayView view(const BranchRow::Cell &cell) const { return QByteArrayView(m_bytes).sliced(cell.at, cell.length); }
    QByteArray m_bytes;
};

// An id as node ids are matched, without regard to case; the id itself (no copy) when it has
// no capital letter.
QByteArray idKey(QByteArrayView id)
{
    bool ascii = true, lower = true;
    for (char c : id) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        lower = lower && !(c >= 'A' && c <= 'Z');
    }
    if (ascii && lower)
        return QByteArray::fromRawData(id.data(), id.size());
    return ascii ? id.toByteArray().toLower() : QString::fromUtf8(id).toLower().toUtf8();
}

} // namespace

void AddBranch(storage::Dataset &branch, CatalogueModel &model, int rootNode, const QString &id)
{
    // The rows are read in one pass and ordered by (ParentID, CID) here: ordering thousands of rows
    // through the database's sorter and a collation callback costs several times more. Their
    // texts stay UTF-8 bytes: the model keeps them so.
    // The root's identifier names the branch file ("vt" + CID + ".db"); it is looked up among the
    // files of the folder like any table name and never becomes part of a statement.
    branch.close();
    branch.setTableName(QStringLiteral("vt%1.db").arg(id));
    int parentField = -1, idField = -1, nameField = -1;
    BranchTexts texts;
    QVector<BranchRow> rows;
    branch.readOnce(
        [&](const storage::Fields &fields) {
            auto position = [&](const QString &name) { return int(&branch.field(name) - fields.constData()); };
            parentField = position(QStringLiteral("ParentID"));
            idField = position(QStringLiteral("CID"));
            nameField = position(QStringLiteral("CName"));
            return QVector<int>{parentField, idField, nameField};
        },
        [&](const storage::RowView &row) {
            const BranchRow::Cell parent = texts.read(row, parentField);
            const BranchRow::Cell cid = texts.read(row, idField);
            rows.append(BranchRow{parent, cid, texts.read(row, nameField)});
        });
    std::stable_sort(rows.begin(), rows.end(), [&](const BranchRow &a, const BranchRow &b) { return texts.before(a, b); });

    // Node ids seen so far; lookups ignore case and the first node added under an id wins.
    const int key = model.branchKey(id);
    QHash<QByteArray, int> seen;
    seen.reserve(rows.size());
    qsizetype i = 0;
    auto add = [&](int parent) {
        const BranchRow &r = rows[i++];
        const QByteArrayView cid = texts.text(r.id);
        const int node = model.addNode(parent, cid, texts.text(r.name), key);
        const QByteArray idText = idKey(cid);
        if (!seen.contains(idText))
            seen.insert(idText, node);
    };
    while (i < rows.size()) {
        const QByteArrayView parentId = texts.text(rows[i].parent);
        const auto found = seen.constFind(idKey(parentId));
        if (found == seen.constEnd()) {
            add(rootNode);
            continue;
        }
        const int parentNode = *found;
        while (i < rows.size() && texts.text(rows[i].parent) == parentId)
            add(parentNode);
    }
}

} // namespace browser
