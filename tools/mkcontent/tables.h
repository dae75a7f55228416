#pragma once
#include "csv.h"

#include "storage/fields.h"

#include <functional>

namespace storage {
class Connection;
}

namespace content {

// The fields of a CSV header. A cell "name:A20" gives the kind and size; a cell without a kind
// is a float column when every value in it reads as a number, otherwise alphanumeric.
storage::Fields fieldsOf(const Csv &csv);

// Adds a table with the CSV's rows to an open database, in one transaction. Empty cells are
// blank (NULL); texts with line breaks are stored with CR LF.
void writeTable(storage::Connection &db, const QString &table, const Csv &csv);

// Adds a table and fills it from a row source, for tables too large to hold as one CSV: next
// fills the cells of one row (texts as in a CSV) and returns false when there are no more rows.
void writeTableRows(storage::Connection &db, const QString &table, const storage::Fields &fields,
                    const std::function<bool(QStringList &row)> &next);
// The same with values (null for a blank cell), each stored as storage::toStorage converts it.
void writeTableValues(storage::Connection &db, const QString &table, const storage::Fields &fields,
                      const std::function<bool(QVariantList &row)> &next);

// Writes a file holding one table named after the file's base name, replacing the file only
// once the new one is complete.
void writeTableFile(const QString &path, const Csv &csv);
// Writes a database file holding several tables (name -> rows).
void writeDatabaseFile(const QString &path, const QVector<QPair<QString, Csv>> &tables);

} // namespace content
