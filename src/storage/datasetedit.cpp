#include "dataset.h"

#include "error.h"
#include "sqlite.h"

#include <QDate>

#include <sqlite3.h>

#include <algorithm>
#include <optional>

// Editing a dataset: every post, delete and empty goes straight to the file.
namespace storage {

void Dataset::append()
{
    checkBrowseMode();
    m_buffer = QVector<QVariant>(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i)
        m_buffer[i] = toStorage(m_fields[i], QVariant()).isNull() ? QVariant() : QVariant(QString());
    m_state = State::Insert;
}

void Dataset::edit()
{
    requireRows();
    if (m_state != State::Browse)
        return;
    m_buffer = fetch(m_rows[m_current]);
    m_state = State::Edit;
}

void Dataset::setValue(int field, const QVariant &value)
{
    requireOpen();
    if (field < 0 || field >= m_fields.size())
        throw Error(QStringLiteral("Field index out of range: %1").arg(field));
    if (m_state == State::Browse)
        edit();
    // Convert now so a value the field cannot hold is refused at once, and reads back as stored.
    const QVariant stored = toStorage(m_fields[field], value);
    m_buffer[field] = stored;
    if (!stored.isNull()) {
        // keep the kind the field reads back with
        const FieldDef &f = m_fields[field];
        if (f.kind == FieldKind::Date)
            m_buffer[field] = QDate::fromString(stored.toString(), Qt::ISODate);
        else if (f.kind == FieldKind::Logical)
            m_buffer[field] = stored.toLongLong() != 0;
        else if (f.kind == FieldKind::Bcd)
            m_buffer[field] = stored.toDouble() / 10000.0;
        else if (isIntegerKind(f.kind))
            m_buffer[field] = stored.toInt();
    }
}

void Dataset::setValue(const QString &name, const QVariant &value)
{
    requireOpen();
    setValue(int(&field(name) - m_fields.constData()), value);
}

void Dataset::post()
{
    requireOpen();
    if (m_state == State::Browse)
        return;
    QVector<QVariant> stored(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i)
        stored[i] = toStorage(m_fields[i], m_buffer[i]);
    if (m_state == State::Insert) {
        QStringList marks;
        for (int i = 0; i < m_fields.size(); ++i)
            marks << QStringLiteral("?%1").arg(i + 1);
        Statement st(*m_conn, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoteIdentifier(m_table), fieldList(), marks.join(u", ")));
        for (int i = 0; i < stored.size(); ++i)
            st.bind(i + 1, stored[i]);
        runOrCancel(st);
        m_rows << sqlite3_last_insert_rowid(m_conn->handle());
        m_state = State::Browse;
        m_buffer.clear();
        m_current = int(m_rows.size()) - 1;
        m_bof = m_eof = false;
        emit rowInserted(m_current);
        emit currentChanged();
        return;
    }
    QStringList sets;
    for (int i = 0; i < m_fields.size(); ++i)
        sets << QStringLiteral("%1=?%2").arg(quoteIdentifier(m_fields[i].name)).arg(i + 1);
    const qint64 rowid = m_rows[m_current];
    Statement st(*m_conn, QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?%3")
                              .arg(quoteIdentifier(m_table), sets.join(u", "))
                              .arg(m_fields.size() + 1));
    for (int i = 0; i < stored.size(); ++i)
        st.bind(i + 1, stored[i]);
    st.bind(int(m_fields.size()) + 1, rowid);
    runOrCancel(st);
    m_cache.remove(rowid);
    m_state = State::Browse;
    m_buffer.clear();
    emit rowUpdated(m_current);
}

void Dataset::runOrCancel(Statement &st)
{
    try {
        st.run();
    } catch (...) {
        cancel();
        throw;
    }
}

void Dataset::inTransaction(const std::function<void()> &work)
{
    requireOpen();
    const std::shared_ptr<Connection> conn = m_conn; // work may close the dataset
    std::optional<Transaction> transaction(std::in_place, *conn);
    try {
        work();
        transaction->commit();
    } catch (...) {
        transaction.reset(); // rolled back
        if (isOpen() && m_conn == conn) {
            // The rows shown follow the file again.
            m_state = State::Browse;
            m_buffer.clear();
            refresh();
        }
        throw;
    }
}

void Dataset::cancel()
{
    if (m_state == State::Edit || m_state == State::Insert) {
        m_state = State::Browse;
        m_buffer.clear();
        emit rowUpdated(m_current);
    }
}

void Dataset::deleteCurrent()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    requireRows();
    m_state = State::Browse;
    const qint64 rowid = m_rows[m_current];
    Statement st(*m_conn, QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(quoteIdentifier(m_table)));
    st.bind(1, rowid);
    st.run();
    m_cache.remove(rowid);
    const int removed = m_current;
    m_rows.remove(removed);
    if (m_current >= m_rows.size())
        m_current = std::max(0, int(m_rows.size()) - 1);
    m_eof = m_rows.isEmpty() || removed >= m_rows.size();
    m_bof = m_rows.isEmpty();
    emit rowRemoved(removed);
    emit currentChanged();
}

void Dataset::emptyTable()
{
    checkBrowseMode();
    Statement st(*m_conn, QStringLiteral("DELETE FROM %1").arg(quoteIdentifier(m_table)));
    st.run();
    m_rows.clear();
    invalidateCache();
    m_current = 0;
    m_eof = m_bof = true;
    emit rowsReset();
    emit currentChanged();
}

} // namespace storage
