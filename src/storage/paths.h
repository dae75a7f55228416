#pragma once
#include <QString>

namespace storage {

// Resolves a path whose components may differ in letter case from the files on disk, as the old
// platform did ("vtree.db" finds "vtree.DB"). An exact match wins. Returns the path as it exists,
// or an empty text when nothing matches. Accepts "/" and "\" as separators and doubled ones.
QString resolvePath(const QString &path);

// The file of a table: directory + name, ".db" appended when the name has no extension.
QString tableFileName(const QString &name);

} // namespace storage
