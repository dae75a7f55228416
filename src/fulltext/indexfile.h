#pragma once
#include <QString>

namespace fulltext {

// The full-text index of a data directory: one SQLite file beside the catalogue tables,
// database/fulltext.db. It holds every document of the content (see ContentWalk) with an FTS5
// trigram index over their texts, and the state of every file it was built from, so that an
// index older than its content is known as such and never used.
QString indexPath(const QString &dataDir);

enum class IndexState {
    Fresh,   // built from the content as it is now
    Missing, // no index file, or one that cannot be read
    Stale,   // built from other content (a table, note or page changed since), another format
             // or another locale
};
IndexState indexState(const QString &dataDir);

struct IndexFigures {
    qint64 documents = 0;
    qint64 bytes = 0; // size of the index file
};

// Writes the index of the data directory's content, replacing the index file only once the new
// one is complete. Throws core::Error when the content cannot be read or the file not written.
IndexFigures buildIndex(const QString &dataDir);

// Builds the index when it is missing or stale; returns whether it was written.
bool updateIndex(const QString &dataDir);

} // namespace fulltext
