#include "dataset.h"

#include "database.h"
#include "error.h"
#include "paths.h"
#include "rowviews.h"
#include "sqlite.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace storage {

namespace {

const QString closedText = QStringLiteral("Cannot perform this operation on a closed dataset");
const QString emptyText = QStringLiteral("Cannot perform this operation on an empty dataset");

} // namespace

Dataset::Dataset(QObject *parent) : QObject(parent) {}

Dataset::~Dataset() = default;

void Dataset::setTableName(const QString &name)
{
    m_tableName = name;
    m_sql.clear();
}

void Dataset::setSql(const QString &sql, const QVariantList &params)
{
    m_sql = sql;
    m_params = params;
}

QString Dataset::filePath() const
{
    return m_conn ? m_conn->path() : QString();
}

void Dataset::connectFile()
{
    QString table = m_tableName;
    m_projection.clear();
    m_queryRest.clear();
    if (!m_sql.isEmpty()) {
        static const QRegularExpression re(
            QStringLiteral(R"(^\s*select\s+(.+?)\s+from\s+("[^"]+"|\S+)(.*)$)"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
        const auto m = re.match(m_sql);
        if (!m.hasMatch())
            throw Error(QStringLiteral("Invalid SQL statement: %1").arg(m_sql));
        const QString projection = m.captured(1).trimmed();
        if (projection != u"*") {
            for (const QString &p : projection.split(u','))
                m_projection << p.trimmed();
        }
        table = m.captured(2);
        if (table.startsWith(u'"'))
            table = table.mid(1, table.size() - 2);
        m_queryRest = m.captured(3);
    }

    std::shared_ptr<Connection> conn;
    if (m_database) {
        conn = m_database->connection();
        m_table = table;
    } else {
        const QString wanted = m_directory + u'/' + tableFileName(table);
        // A name that leaves the table folder names no table of it.
        const QString path = resolveInside(m_directory, tableFileName(table));
        if (path.isEmpty())
            throw Error(QStringLiteral("Table does not exist: %1").arg(wanted));
        conn = Connection::open(path, m_exclusive ? Connection::Mode::Exclusive : Connection::Mode::Shared);
        const QStringList tables = conn->tables();
        if (tables.isEmpty())
            throw Error(QStringLiteral("Table does not exist: %1").arg(path));
        m_table = tables.constFirst();
        const QString base = QFileInfo(path).completeBaseName();
        for (const QString &t : tables) {
            if (t.compare(base, Qt::CaseInsensitive) == 0)
                m_table = t;
        }
    }

    Fields all = conn->fields(m_table);
    Fields chosen;
    if (m_projection.isEmpty()) {
        chosen = all;
    } else {
        for (const QString &p : std::as_const(m_projection)) {
            auto it = std::find_if(all.begin(), all.end(),
                                   [&](const FieldDef &f) { return f.name.compare(p, Qt::CaseInsensitive) == 0; });
            if (it == all.end())
                throw Error(QStringLiteral("Field '%1' not found").arg(p));
            chosen << *it;
        }
    }
    m_conn = conn;
    m_fields = chosen;
}

void Dataset::open()
{
    if (isOpen())
        return;
    connectFile();
    try {
        m_fetch = std::make_unique<Statement>(*m_conn, QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1")
                                                           .arg(fieldList(), quoteIdentifier(m_table)));
        m_state = State::Browse;
        loadRows();
    } catch (...) {
        m_fetch.reset();
        m_conn.reset();
        m_fields.clear();
        m_rows.clear();
        m_state = State::Inactive;
        throw;
    }
    m_current = 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit opened();
    emit rowsReset();
    emit currentChanged();
}

void Dataset::readOnce(const std::function<QVector<int>(const Fields &fields)> &begin,
                       const std::function<void(const RowView &row)> &visit)
{
    close();
    connectFile();
    struct Disconnect {
        Dataset &ds;
        ~Disconnect()
        {
            ds.m_conn.reset();
            ds.m_fields.clear();
        }
    } detach{*this};
    const QVector<int> wanted = begin(m_fields);
    const QVector<int> read = readFields(&wanted);
    const QVector<int> columns = columnsOf(read);
    const Connection::MappedReads mapped(*m_conn);
    const std::unique_ptr<Statement> st = rowStatement(read, nullptr);
    const StatementRow row(&m_fields, st->handle(), &columns, [](int field) -> QVariant {
        throw Error(QStringLiteral("Field %1 was not named for the read").arg(field));
    });
    while (st->step())
        visit(row);
}

void Dataset::openRows(const QVector<qint64> &rows)
{
    m_givenRows = &rows;
    struct Forget {
        const QVector<qint64> *&given;
        ~Forget() { given = nullptr; }
    } forget{m_givenRows};
    open();
}

void Dataset::close()
{
    if (!isOpen())
        return;
    m_fetch.reset();
    m_conn.reset();
    m_rows.clear();
    m_fields.clear();
    m_buffer.clear();
    invalidateCache();
    m_state = State::Inactive;
    m_current = 0;
    m_eof = m_bof = true;
    emit closed();
    emit rowsReset();
    emit currentChanged();
}

void Dataset::requireOpen() const
{
    if (!isOpen())
        throw Error(closedText);
}

void Dataset::requireRows() const
{
    requireOpen();
    if (m_rows.isEmpty())
        throw Error(emptyText);
}

void Dataset::checkBrowseMode()
{
    requireOpen();
    if (m_state == State::Edit || m_state == State::Insert)
        post();
}

void Dataset::setFiltered(bool on)
{
    m_filtered = on;
    if (!isOpen())
        return;
    checkBrowseMode();
    refresh();
}

void Dataset::refresh()
{
    checkBrowseMode();
    loadRows();
    m_current = 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit rowsReset();
    emit currentChanged();
}

} // namespace storage
