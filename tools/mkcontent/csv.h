#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

namespace content {

// A CSV file: UTF-8, comma separated, double quotes around cells that hold commas, quotes or
// line breaks. The first row is the header.
struct Csv {
    QStringList header;
    QVector<QStringList> rows;
};

Csv parseCsv(const QString &text);
Csv readCsv(const QString &path); // throws core::Error when the file cannot be read

} // namespace content
