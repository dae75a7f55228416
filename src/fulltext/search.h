#pragma once
#include "hit.h"
#include "indexfile.h"

#include <QVector>

#include <memory>

namespace fulltext {

// One search over a data directory's content, handing out its hits in listing order (titles,
// notes, page texts, table cells) a few at a time, so that it holds no more than what was asked
// for. Matching is the handbook's: literal, case-sensitive, whole characters; the text is bound,
// never part of a statement, and query syntax in it is only text.
// A fresh index is used: its trigram match for a text of three characters or more, a scan of its
// stored texts for one or two. Without a fresh index the content itself is read (slower), so a
// stale index never shows what the files no longer hold.
class Search {
public:
    // text: as typed; blanks around it are removed, and an empty text finds nothing.
    Search(const QString &dataDir, const QString &text);
    ~Search();
    Search(const Search &) = delete;
    Search &operator=(const Search &) = delete;

    const QString &text() const { return m_text; }
    IndexState indexState() const { return m_state; }
    // The next hits, at most count; fewer only when the search has reached its end.
    QVector<Hit> next(int count);
    bool atEnd() const { return m_atEnd; }

    class Cursor;

private:
    QString m_text;
    IndexState m_state = IndexState::Missing;
    std::unique_ptr<Cursor> m_cursor;
    bool m_atEnd = false;
};

// The text of an FTS5 query that matches the text literally: one string, double quotes doubled.
QString ftsString(const QString &text);

} // namespace fulltext
