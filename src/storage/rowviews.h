#pragma once
#include "dataset.h"

#include <QHash>

#include <functional>

struct sqlite3_stmt;

// The rows a dataset hands to visitors and filter callbacks (inside the table engine only).
namespace storage {

void checkField(const Fields &fields, int field);

// A row read straight from a running statement: each field from the statement column the map
// gives, or, where the map has -1 (the statement does not read it), through `other`.
class StatementRow : public RowView {
public:
    using OtherField = std::function<QVariant(int field)>;
    StatementRow(const Fields *fields, sqlite3_stmt *stmt, const QVector<int> *columns, OtherField other)
        : RowView(fields), m_stmt(stmt), m_columns(columns), m_other(std::move(other))
    {
    }
    QVariant value(int field) const override;
    QString plainText(int field) const override;
    bool appendText(int field, QByteArray &to) const override;
    bool containsText(int field, const core::TextFinder &finder) const override;

private:
    int column(int field) const;

    // Dates and times are formatted by the locale, which is slow, and a walk meets the same few
    // again and again: their texts are kept for the walk, up to a bound per field.
    QString dateText(int field, const StoredCell &cell) const;

    sqlite3_stmt *m_stmt;
    const QVector<int> *m_columns;
    OtherField m_other;
    mutable QVector<QHash<QByteArray, QString>> m_dateTexts;
};

class CachedRow : public RowView {
public:
    CachedRow(const Fields *fields, const QVector<QVariant> *values) : RowView(fields), m_values(values) {}
    QVariant value(int field) const override;

private:
    const QVector<QVariant> *m_values;
};

} // namespace storage
