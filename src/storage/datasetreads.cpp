#include "dataset.h"

#include "error.h"
#include "rowviews.h"
#include "sqlite.h"

#include <algorithm>
#include <functional>
#include <optional>

// How a dataset reads its rows: the statements over the file, the row list, the row cache and
// the walks through the rows.
namespace storage {

std::unique_ptr<Statement> Dataset::rowStatement(const QVector<int> &read, const TextHint *hint) const
{
    const QString what = read.isEmpty() ? QStringLiteral("rowid") : QStringLiteral("rowid, ") + fieldList(read);
    QVariantList params = m_params;
    const QString sql =
        m_sql.isEmpty()
            ? QStringLiteral("SELECT %1 FROM %2%3 ORDER BY rowid")
                  .arg(what, quoteIdentifier(m_table), hint ? QStringLiteral(" WHERE ") + hintCondition(*hint, 1, &params) : QString())
            : QStringLiteral("SELECT %1 FROM %2%3").arg(what, quoteIdentifier(m_table), m_queryRest);
    auto st = std::make_unique<Statement>(*m_conn, sql);
    for (int i = 0; i < params.size(); ++i)
        st->bind(i + 1, params[i]);
    return st;
}

QString Dataset::fieldList() const
{
    QStringList cols;
    for (const FieldDef &f : m_fields)
        cols << quoteIdentifier(f.name);
    return cols.join(u", ");
}

QString Dataset::fieldList(const QVector<int> &fields) const
{
    QStringList cols;
    for (int f : fields)
        cols << quoteIdentifier(m_fields[f].name);
    return cols.join(u", ");
}

QVector<int> Dataset::readFields(const QVector<int> *wanted) const
{
    QVector<int> read;
    for (int f = 0; f < m_fields.size(); ++f) {
        if (!wanted || wanted->contains(f))
            read << f;
    }
    return read;
}

QVector<int> Dataset::columnsOf(const QVector<int> &read) const
{
    QVector<int> columns(m_fields.size(), -1);
    for (int i = 0; i < read.size(); ++i)
        columns[read[i]] = i + 1;
    return columns;
}

QString Dataset::hintCondition(const TextHint &hint, int param, QVariantList *values) const
{
    // Texts are tested on their stored bytes, numbers on the text they show.
    QVector<int> texts;
    QVector<int> numbers;
    for (int f : hint.fields) {
        checkField(m_fields, f);
        const FieldKind kind = m_fields[f].kind;
        if (isTextKind(kind))
            texts << f;
        else if (isNumberKind(kind))
            numbers << f;
        else
            return QStringLiteral("1"); // a kind the file cannot test: every row goes to the visitor
    }
    QStringList tests;
    if (texts.isEmpty() && numbers.isEmpty())
        return QStringLiteral("0");
    const int utf8 = param++;
    values->append(QString::fromUtf8(hint.utf8));
    if (!texts.isEmpty())
        tests << QStringLiteral("handbook_holds(?%1, %2)").arg(utf8).arg(fieldList(texts));
    const int number = param++;
    for (int f : std::as_const(numbers))
        tests << QStringLiteral("handbook_number_holds(?%1, ?%2, '%3', %4)")
                     .arg(QString::number(number), QString::number(utf8), kindCode(m_fields[f].kind),
                          quoteIdentifier(m_fields[f].name));
    if (!numbers.isEmpty())
        values->append(QString::fromLatin1(hint.number));
    return tests.isEmpty() ? QStringLiteral("0") : tests.join(u" OR ");
}

void Dataset::loadRows()
{
    invalidateCache();
    if (m_givenRows) {
        m_rows = *m_givenRows;
        return;
    }
    // Read into a new list: a failing statement or row test leaves the rows shown so far intact.
    QVector<qint64> rows;
    const bool walk = m_filtered && m_filter;
    // A query's own conditions stay as written: only a table's walk takes the hint, and under it
    // the file alone chooses the rows.
    const std::optional<TextHint> hint = walk && m_sql.isEmpty() && m_filterHint ? m_filterHint() : std::nullopt;
    const bool callback = walk && !hint;
    // Read with the row ids: every field for a preload, the fields the callback names for a walk.
    const bool named = callback && !m_preload && m_filterFields;
    const QVector<int> wanted = named ? m_filterFields() : QVector<int>();
    const QVector<int> read = m_preload || callback ? readFields(named ? &wanted : nullptr) : QVector<int>();
    const QVector<int> columns = columnsOf(read);
    // A walk reads every row of the file; the row list alone (an open) reads through the cache.
    std::optional<Connection::MappedReads> mapped;
    if (walk || m_preload)
        mapped.emplace(*m_conn);
    const std::unique_ptr<Statement> statement = rowStatement(read, hint ? &*hint : nullptr);
    Statement &st = *statement;
    const StatementRow row(&m_fields, st.handle(), &columns, [&](int field) { return fetch(st.int64(0))[field]; });
    while (st.step()) {
        if (callback && !m_filter(row))
            continue;
        const qint64 id = st.int64(0);
        rows << id;
        if (m_preload) {
            QVector<QVariant> values(m_fields.size());
            for (int i = 0; i < m_fields.size(); ++i)
                values[i] = row.value(i);
            m_cache.insert(id, values);
        }
    }
    m_rows = std::move(rows);
    if (walk)
        emit filterWalkFinished();
}

void Dataset::invalidateCache() const
{
    m_cache.clear();
}

const QVector<QVariant> &Dataset::fetch(qint64 rowid) const
{
    auto it = m_cache.constFind(rowid);
    if (it != m_cache.constEnd())
        return *it;
    if (!m_preload && m_cache.size() > 2048)
        m_cache.clear();
    QVector<QVariant> values(m_fields.size());
    m_fetch->reset();
    m_fetch->bind(1, rowid);
    if (m_fetch->step()) {
        for (int i = 0; i < m_fields.size(); ++i)
            values[i] = fromStorage(m_fields[i], m_fetch->handle(), i);
    }
    m_fetch->reset();
    return *m_cache.insert(rowid, values);
}

int Dataset::scan(int from, const std::function<bool(int, const RowView &)> &visit, const QVector<int> *fields,
                  const TextHint *hint) const
{
    requireOpen();
    from = std::max(0, from);
    if (from >= m_rows.size())
        return int(m_rows.size());
    // Kept for the walk, so a visitor that closes the dataset leaves the statement valid.
    const std::shared_ptr<Connection> conn = m_conn;
    const bool storedOrder = std::adjacent_find(m_rows.cbegin() + from, m_rows.cend(), std::greater_equal<>())
                             == m_rows.cend();
    if (!storedOrder) {
        // Rows sorted by a statement: fetched one by one, each copied before the visitor runs.
        for (int i = from; i < m_rows.size(); ++i) {
            const QVector<QVariant> values = fetch(m_rows[i]);
            if (!visit(i, CachedRow(&m_fields, &values)))
                return i;
        }
        return int(m_rows.size());
    }
    // Rows in stored order stream from one statement; rows of the file that this dataset does not
    // show (filtered out) are passed over, rows gone from the file are not visited.
    const QVector<int> read = readFields(fields);
    const QVector<int> columns = columnsOf(read);
    const Connection::MappedReads mapped(*conn);
    QVariantList params = {m_rows[from]};
    const QString held = hint ? QStringLiteral(" AND (%1)").arg(hintCondition(*hint, 2, &params)) : QString();
    Statement st(*conn, QStringLiteral("SELECT rowid%1 FROM %2 WHERE rowid >= ?1%3 ORDER BY rowid")
                            .arg(read.isEmpty() ? QString() : QStringLiteral(", ") + fieldList(read), quoteIdentifier(m_table), held));
    for (int i = 0; i < params.size(); ++i)
        st.bind(i + 1, params[i]);
    const StatementRow row(&m_fields, st.handle(), &columns, [&](int field) { return fetch(st.int64(0))[field]; });
    int i = from;
    while (i < m_rows.size() && st.step()) {
        const qint64 id = st.int64(0);
        while (i < m_rows.size() && m_rows[i] < id)
            ++i;
        if (i < m_rows.size() && m_rows[i] == id) {
            if (!visit(i, row))
                return i;
            ++i;
        }
    }
    return int(m_rows.size());
}

} // namespace storage
