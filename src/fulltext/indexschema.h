#pragma once
#include "indexfile.h"

#include <memory>

namespace storage {
class Connection;
}

// The layout of the index file, shared by its writer and its readers.
namespace fulltext::schema {

// Raised whenever the layout or the documents change: an index of another format is stale.
inline constexpr const char *format = "2";

// info(key, value): "format", "textform" (textFormStamp of the kinds of the indexed cells). sources(path, state): the files the
// content was read from. nodes(id, catalogue, cid, title); tables(id, node, name, fields: the
// field names separated by the cell separator). docs(id, kind: Place, node, tbl, row, ordinal,
// body), in listing order; fts: the trigram index over docs.body (case-sensitive, so that its
// matches are the handbook's literal, case-sensitive matches), each body indexed with two cell
// separators after it, so that every character of a body begins a trigram: the trigrams that
// begin with a text of one or two characters then name every body holding it.
inline constexpr const char *layout =
    "CREATE TABLE info(key TEXT PRIMARY KEY, value TEXT);"
    "CREATE TABLE sources(path TEXT, state TEXT);"
    "CREATE TABLE nodes(id INTEGER PRIMARY KEY, catalogue TEXT, cid TEXT, title TEXT);"
    "CREATE TABLE tables(id INTEGER PRIMARY KEY, node INTEGER, name TEXT, fields TEXT);"
    "CREATE TABLE docs(id INTEGER PRIMARY KEY, kind INTEGER, node INTEGER, tbl INTEGER, row INTEGER,"
    " ordinal INTEGER, body TEXT);"
    "CREATE VIEW docs_fts AS SELECT id, body || char(31, 31) AS body FROM docs;"
    "CREATE VIRTUAL TABLE fts USING fts5(body, content='docs_fts', content_rowid='id',"
    " tokenize='trigram case_sensitive 1');";

// The trigrams beginning with a text shorter than a trigram are looked up in the index's term
// list; up to this many, the bodies holding them are matched through the index, more (a text
// found nearly everywhere) are found sooner by reading the bodies in order.
inline constexpr int shortTextTerms = 48;

// The state of an open index file against the content of the data directory.
IndexState stateOf(const storage::Connection &index, const QString &dataDir);

} // namespace fulltext::schema
