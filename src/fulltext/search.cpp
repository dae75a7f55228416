#include "search.h"

#include "content.h"
#include "documents.h"
#include "indexschema.h"
#include "storage/error.h"
#include "storage/sqlite.h"

#include <QFileInfo>
#include <QHash>

namespace fulltext {

class Search::Cursor {
public:
    virtual ~Cursor() = default;
    virtual bool next(Hit &hit) = 0;
};

namespace {

// The statement finding the candidate documents for a text, in listing order: the trigram match
// of the text for three characters or more; for one or two, the trigrams that begin with it
// (none: no document holds it), or when there are many, a scan of the stored bodies.
QString candidates(storage::Connection &db, const QString &text, QString *match)
{
    const QString fromIndex = QStringLiteral("SELECT d.kind, d.node, d.tbl, d.row, d.ordinal, d.body FROM fts"
                                             " CROSS JOIN docs d ON d.id = fts.rowid WHERE fts MATCH ?1 ORDER BY fts.rowid");
    if (characterCount(text) >= 3) {
        *match = ftsString(text);
        return fromIndex;
    }
    db.exec(QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS temp.fts_terms USING fts5vocab(main, fts, 'row')"));
    storage::Statement terms(db, QStringLiteral("SELECT term FROM temp.fts_terms WHERE term >= ?1 AND term < ?2 LIMIT ?3"));
    terms.bind(1, text).bind(2, text + QString::fromUcs4(U"\U0010FFFF")).bind(3, schema::shortTextTerms + 1);
    QStringList found;
    while (terms.step())
        found << ftsString(terms.text(0));
    if (found.size() > schema::shortTextTerms) {
        *match = text;
        return QStringLiteral("SELECT kind, node, tbl, row, ordinal, body FROM docs WHERE instr(body, ?1) > 0 ORDER BY id");
    }
    *match = found.isEmpty() ? QString() : found.join(QStringLiteral(" OR "));
    return fromIndex;
}

// Hits from the index: the candidate documents in listing order, each checked by DocumentHits.
class IndexCursor : public Search::Cursor {
public:
    IndexCursor(std::shared_ptr<storage::Connection> db, const QString &text)
        : m_db(std::move(db)),
          m_docs(*m_db, candidates(*m_db, text, &m_match)),
          m_node(*m_db, QStringLiteral("SELECT catalogue, cid, title FROM nodes WHERE id=?1")),
          m_table(*m_db, QStringLiteral("SELECT name, fields FROM tables WHERE id=?1")),
          m_hits(text)
    {
        m_docs.bind(1, m_match);
    }

    bool next(Hit &hit) override
    {
        while (!m_hits.next(hit)) {
            if (m_match.isEmpty() || !m_docs.step())
                return false;
            Document doc;
            doc.place = Place(m_docs.int64(0));
            TableInfo table;
            if (doc.place == Place::Cell) {
                table = tableInfo(m_docs.int64(2));
                doc.rowId = m_docs.int64(3);
                doc.rowNumber = int(m_docs.int64(4));
                doc.cells = rowCells(m_docs.text(5));
            } else {
                doc.text = m_docs.text(5);
            }
            m_hits.start(std::move(doc), nodeInfo(m_docs.int64(1)), std::move(table));
        }
        return true;
    }

private:
    NodeInfo nodeInfo(qint64 id)
    {
        m_node.reset();
        m_node.bind(1, id);
        if (!m_node.step())
            return {};
        return {{m_node.text(0), m_node.text(1)}, m_node.text(2)};
    }

    TableInfo tableInfo(qint64 id)
    {
        const auto known = m_tables.constFind(id);
        if (known != m_tables.constEnd())
            return *known;
        m_table.reset();
        m_table.bind(1, id);
        TableInfo info;
        if (m_table.step())
            info = {m_table.text(0), rowCells(m_table.text(1))};
        m_tables.insert(id, info);
        return info;
    }

    std::shared_ptr<storage::Connection> m_db;
    QString m_match; // what ?1 of m_docs is bound to (empty: nothing can match)
    storage::Statement m_docs, m_node, m_table;
    DocumentHits m_hits;
    QHash<qint64, TableInfo> m_tables;
};

// Hits read from the content itself, when there is no fresh index.
class DirectCursor : public Search::Cursor {
public:
    DirectCursor(const QString &dataDir, const QString &text)
        : m_content(readContent(dataDir)), m_finder(text), m_walk(m_content, &m_finder), m_hits(text)
    {
    }

    bool next(Hit &hit) override
    {
        while (!m_hits.next(hit)) {
            Document doc;
            if (!m_walk.next(doc))
                return false;
            const CatalogueNode &node = m_content.nodes[doc.node];
            TableInfo table;
            if (doc.place == Place::Cell)
                table = {m_content.tables[doc.table].name, m_walk.fieldNames(doc.table)};
            m_hits.start(std::move(doc), {node.ref, node.title}, std::move(table));
        }
        return true;
    }

private:
    SearchableContent m_content;
    core::TextFinder m_finder;
    ContentWalk m_walk;
    DocumentHits m_hits;
};

} // namespace

Search::Search(const QString &dataDir, const QString &text) : m_text(searchText(text))
{
    const QString index = indexPath(dataDir);
    if (QFileInfo(index).isFile()) {
        try {
            auto db = storage::Connection::open(index);
            m_state = schema::stateOf(*db, dataDir);
            if (m_state == IndexState::Fresh && !m_text.isEmpty())
                m_cursor = std::make_unique<IndexCursor>(std::move(db), m_text);
        } catch (const storage::Error &) {
            m_state = IndexState::Missing;
        }
    }
    if (m_text.isEmpty())
        m_atEnd = true;
    else if (!m_cursor)
        m_cursor = std::make_unique<DirectCursor>(dataDir, m_text);
}

Search::~Search() = default;

QVector<Hit> Search::next(int count)
{
    QVector<Hit> hits;
    Hit hit;
    while (!m_atEnd && hits.size() < count) {
        if (m_cursor->next(hit))
            hits << std::move(hit);
        else
            m_atEnd = true;
    }
    return hits;
}

QString ftsString(const QString &text)
{
    QString quoted = text;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace fulltext
