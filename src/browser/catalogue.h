#pragma once
#include <QAbstractItemModel>
#include <QByteArray>
#include <QIcon>
#include <QStringList>
#include <QVector>

namespace storage {
class Dataset;
}

namespace browser {

// The record every catalogue tree node carries.
struct TTreeRec {
    QString NodeID;    // the node's CID
    QString Title;     // the node's CName (also its text)
    QString BranchKey; // "0": the node is in vtree.DB; otherwise the root whose branch table holds it
};

// A node of the catalogue model: where its texts are, its place and its children (node ids in
// order). The CID and CName are kept as UTF-8, one after the other, in the model's text buffer.
struct CatalogueNode {
    qsizetype text;
    int idLength;
    int titleLength;
    int key; // position of its BranchKey
    int parent;
    int row;
    QVector<int> children;
};

} // namespace browser

// Nodes move as plain memory when the vector grows: tens of thousands are added at start-up.
Q_DECLARE_TYPEINFO(browser::CatalogueNode, Q_RELOCATABLE_TYPE);

namespace browser {

// The catalogue tree's model: nodes kept in one vector and their texts in one buffer, no item
// object and no string per node, so tens of thousands of nodes stay cheap; a text becomes a
// string when the view or a caller asks for it. Every node shows image 0, and image 1 while
// selected.
class CatalogueModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit CatalogueModel(QObject *parent = nullptr);

    // Adds a node as the last child of parent (-1: the root level) and returns its id.
    int addNode(int parent, const TTreeRec &rec);
    // The same with the CID and CName in UTF-8 and the BranchKey by its position (branchKey).
    int addNode(int parent, QByteArrayView id, QByteArrayView title, int key);
    // Position of a BranchKey for addNode; the key asked for last is not added again.
    int branchKey(const QString &key);
    void clear();
    int nodeCount() const { return int(m_nodes.size()); }
    TTreeRec record(int node) const;
    int nodeOf(const QModelIndex &index) const { return index.isValid() ? int(index.internalId()) : -1; }
    QModelIndex indexOf(int node) const;
    void setImages(const QIcon &icon) { m_icon = icon; }

    // Children are added in bulk while the tree is built; views see the result at the end.
    void beginBuild() { beginResetModel(); }
    void endBuild() { endResetModel(); }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QByteArrayView title(const CatalogueNode &node) const;

    QVector<CatalogueNode> m_nodes;
    QByteArray m_text;
    QStringList m_keys;
    QVector<int> m_roots;
    QIcon m_icon;
};

// Fills the catalogue from the root table (dataset on vtree.DB) and one branch table per root
// (read through `branch`, a query dataset pointed at the branch directory). A root's children
// hang under the node whose CID is their ParentID when that node was added before them in
// (ParentID, CID) order, otherwise directly under the root. Throws the engine's error or the
// conversion error of a blank field; nodes added until then stay.
void BuildTree(storage::Dataset &roots, storage::Dataset &branch, CatalogueModel &model);
void AddBranch(storage::Dataset &branch, CatalogueModel &model, int rootNode, const QString &id);

// Reads a field as text; a blank field cannot be read as text and raises the conversion error.
QString fieldText(const storage::Dataset &ds, const QString &field);

} // namespace browser
