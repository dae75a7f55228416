#pragma once
#include <QDateTime>
#include <QString>

namespace content {

// Compiles the content folder into a data directory:
//  - "<name>.csv"        -> the table file <name> (one table, named after the file's base name);
//  - "<dir>.mdb/*.csv"   -> the database file <dir>.mdb, one table per CSV;
//  - "<name>.pic"        -> the picture <name>, drawn from the recipe (see pictures.h);
//  - any other file      -> copied (Markdown notes for content authors are skipped).
// Files the user writes (History.DB, ibook.db, cx_jl.db, cx_jg.rst) are created only when
// missing and never overwritten. Other targets are rewritten only when a source is newer than
// the target or than `toolStamp` (the time the builder itself changed).
// Returns the number of files written. Throws core::Error on the first failure.
int build(const QString &contentDir, const QString &outDir, const QDateTime &toolStamp = QDateTime());

bool isUserFile(const QString &relativePath);

} // namespace content
