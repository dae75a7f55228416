#pragma once
#include <QString>

class TData2;

// Tolerance databases for the fits tests, written into a data directory the way the handbook
// finds them (Tolerance/DATAS/varnok.mdb).
namespace fitsdata {

// The bundled ISO 286 database, built from content/ with the content builder.
void buildContent(const QString &dataDir);
// A small database from CSV texts of the three tables.
void writeFixture(const QString &dataDir, const QString &tolerances, const QString &holes, const QString &shafts);
// Connects data to the database under dataDir and opens its tables.
void open(TData2 &data, const QString &dataDir);

} // namespace fitsdata
