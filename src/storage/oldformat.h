#pragma once
#include <QByteArrayView>
#include <QString>

namespace storage {

// Tables of the older format: Paradox data files (.DB). The handbook does not read them; the
// command handbook-import converts a whole data directory of them.

// Whether the bytes start like the header of a Paradox data table (record and header sizes,
// file type, block size, version and field count all plausible).
bool isParadoxHeader(QByteArrayView head);
bool isParadoxTable(const QString &path);
// What the user is told when a table file turns out to be a Paradox table.
QString paradoxTableNotice(const QString &path);

} // namespace storage
