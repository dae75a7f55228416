#include "tables.h"

#include "core/numbers.h"
#include "core/text.h"
#include "storage/error.h"
#include "storage/sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace content {

storage::Fields fieldsOf(const Csv &csv)
{
    storage::Fields fields;
    for (int c = 0; c < csv.header.size(); ++c) {
        const QString &spec = csv.header[c];
        if (spec.contains(u':')) {
            fields << storage::parseFieldSpec(spec);
            continue;
        }
        bool numeric = true;
        for (const QStringList &row : csv.rows) {
            double d;
            if (c < row.size() && !row[c].isEmpty() && !core::tryParseFloat(row[c], &d, u'.')) {
                numeric = false;
                break;
            }
        }
        fields << storage::parseFieldSpec(spec + (numeric ? QStringLiteral(":N") : QStringLiteral(":A255")));
    }
    return fields;
}

void writeTableValues(storage::Connection &db, const QString &table, const storage::Fields &fields,
                      const std::function<bool(QVariantList &row)> &next)
{
    storage::Transaction tx(db);
    db.createTable(table, fields);
    QStringList cols, marks;
    for (int i = 0; i < fields.size(); ++i) {
        cols << storage::quoteIdentifier(fields[i].name);
        marks << QStringLiteral("?%1").arg(i + 1);
    }
    storage::Statement ins(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(storage::quoteIdentifier(table), cols.join(u','), marks.join(u',')));
    QVariantList row;
    while (next(row)) {
        for (int i = 0; i < fields.size(); ++i) {
            const QVariant value = i < row.size() ? row[i] : QVariant();
            ins.bind(i + 1, value.isNull() ? QVariant() : storage::toStorage(fields[i], value)); // blank: NULL
        }
        ins.run();
        ins.reset();
    }
    tx.commit();
}

void writeTableRows(storage::Connection &db, const QString &table, const storage::Fields &fields,
                    const std::function<bool(QStringList &row)> &next)
{
    QStringList cells;
    writeTableValues(db, table, fields, [&](QVariantList &row) {
        if (!next(cells))
            return false;
        row.resize(fields.size());
        for (int i = 0; i < fields.size(); ++i) {
            QString cell = i < cells.size() ? cells[i] : QString();
            if (cell.contains(u'\n') || cell.contains(u'\r'))
                cell = core::toCrLf(cell);
            row[i] = cell.isEmpty() ? QVariant() : QVariant(cell);
        }
        return true;
    });
}

void writeTable(storage::Connection &db, const QString &table, const Csv &csv)
{
    qsizetype i = 0;
    writeTableRows(db, table, fieldsOf(csv), [&](QStringList &row) {
        if (i == csv.rows.size())
            return false;
        row = csv.rows[i++];
        return true;
    });
}

namespace {

template <class Fill> void replaceFile(const QString &path, Fill fill)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString tmp = path + QStringLiteral(".part");
    QFile::remove(tmp);
    {
        auto db = storage::Connection::open(tmp, storage::Connection::Mode::Create);
        fill(*db);
    }
    QFile::remove(path);
    if (!QFile::rename(tmp, path))
        throw storage::Error(QStringLiteral("Cannot write %1").arg(path));
}

} // namespace

void writeTableFile(const QString &path, const Csv &csv)
{
    replaceFile(path, [&](storage::Connection &db) { writeTable(db, QFileInfo(path).completeBaseName(), csv); });
}

void writeDatabaseFile(const QString &path, const QVector<QPair<QString, Csv>> &tables)
{
    replaceFile(path, [&](storage::Connection &db) {
        for (const auto &t : tables)
            writeTable(db, t.first, t.second);
    });
}

} // namespace content
