#pragma once
#include <QString>

namespace storage {

// Resolves a path whose components may differ in letter case from the files on disk, as the old
// platform did ("vtree.db" finds "vtree.DB"). An exact match wins. Returns the path as it exists,
// or an empty text when nothing matches. Accepts "/" and "\" as separators and doubled ones.
QString resolvePath(const QString &path);

// Resolves a name read from a table (a table, picture or page name, with "/" or "\" between its
// parts) inside its folder, as resolvePath does. A name that is absolute or leaves the folder
// ("../database/ibook") resolves to nothing: for the caller it is a missing file.
QString resolveInside(const QString &folder, const QString &name);

// The file of a table: directory + name, ".db" appended when the name has no extension.
QString tableFileName(const QString &name);

} // namespace storage
