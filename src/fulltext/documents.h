#pragma once
#include "content.h"
#include "hit.h"

#include "core/textfinder.h"

#include <memory>

namespace storage {
class Dataset;
}

namespace fulltext {

// One searchable text of the content: a node's title or note, a page's text, or a data-table
// row (its cells in field order).
struct Document {
    Place place = Place::Title;
    int node = -1;      // position among the content's nodes
    int table = -1;     // cells: position among the content's tables
    qint64 rowId = -1;  // cells: the row's id
    int rowNumber = 0;  // cells: the row's position in stored order, from 1
    QString text;       // title, note or page text
    QStringList cells;  // cells: the texts the grid shows, blank as empty
};

// Walks the documents of the content in the order hits are listed: every title, every note,
// every page's text, every table's rows. With a finder it hands out only the documents that
// hold its text (tables are read with the file passing over the other rows); without one, every
// document with some text. Page texts and table rows are read as the walk reaches them.
class ContentWalk {
public:
    ContentWalk(const SearchableContent &content, const core::TextFinder *finder);
    ~ContentWalk();
    bool next(Document &doc);
    // The field names of a table the walk has reached (its rows come after it is reached).
    QStringList fieldNames(int table) const { return m_fieldNames.value(table); }
    // The codes of the field kinds of the tables reached so far.
    const QString &kindsSeen() const { return m_kinds; }

private:
    bool nextRows(Document &doc);
    const SearchableContent &m_content;
    const core::TextFinder *m_finder;
    Place m_place = Place::Title;
    int m_item = 0;
    // The table being read, where its next row is, and rows read ahead.
    std::unique_ptr<storage::Dataset> m_table;
    int m_position = 0;
    QVector<Document> m_ahead;
    QVector<QStringList> m_fieldNames;
    QString m_kinds;
};

// What a hit shows of its node and table.
struct NodeInfo {
    NodeRef ref;
    QString title;
};
struct TableInfo {
    QString name;
    QStringList fieldNames;
};

// The hits of one document for a text, one at a time: a title or a note gives one hit (its first
// occurrence), a page text one per occurrence, a row one per cell that holds the text. A document
// that does not hold the text gives none, so candidates of an index are checked here.
class DocumentHits {
public:
    explicit DocumentHits(const QString &needle) : m_needle(needle) {}
    void start(Document doc, NodeInfo node, TableInfo table = {});
    bool next(Hit &hit);

private:
    Hit base() const;
    QString m_needle;
    Document m_doc;
    NodeInfo m_node;
    TableInfo m_table;
    qsizetype m_from = 0;
    int m_field = 0;
    int m_occurrence = 0;
    bool m_done = true;
};

// Separator of the cells in a stored row text: no cell holds it (see rowText).
inline constexpr QChar cellSeparator = u'\x1f';
QString rowText(const QStringList &cells);
QStringList rowCells(const QString &text);

} // namespace fulltext
