#include "dataset.h"

#include "database.h"
#include "error.h"
#include "paths.h"
#include "sqlite.h"

#include "core/numbers.h"
#include "core/textfinder.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace storage {

namespace {

void checkField(const Fields &fields, int field)
{
    if (field < 0 || field >= fields.size())
        throw Error(QStringLiteral("Field index out of range: %1").arg(field));
}

// A row read straight from a running statement: each field from the statement column the map
// gives, or, where the map has -1 (the statement does not read it), through `other`.
class StatementRow : public RowView {
public:
    using OtherField = std::function<QVariant(int field)>;
    StatementRow(const Fields *fields, sqlite3_stmt *stmt, const QVector<int> *columns, OtherField other)
        : RowView(fields), m_stmt(stmt), m_columns(columns), m_other(std::move(other))
    {
    }
    QVariant value(int field) const override
    {
        const int col = column(field);
        return col < 0 ? m_other(field) : fromStorage(m_fields->at(field), m_stmt, col);
    }
    QString plainText(int field) const override
    {
        const int col = column(field);
        if (col < 0)
            return RowView::plainText(field);
        const StoredCell cell = storedCell(m_fields->at(field), m_stmt, col);
        return cell.form == StoredCell::Form::DateText ? dateText(field, cell)
                                                       : storage::plainText(m_fields->at(field), cell);
    }
    bool appendText(int field, QByteArray &to) const override
    {
        const int col = column(field);
        if (col < 0)
            return RowView::appendText(field, to);
        const StoredCell cell = storedCell(m_fields->at(field), m_stmt, col);
        if (cell.form != StoredCell::Form::Text)
            return RowView::appendText(field, to);
        to.append(cell.utf8);
        return true;
    }
    bool containsText(int field, const core::TextFinder &finder) const override
    {
        const int col = column(field);
        if (!mayHold(m_fields->at(field), finder))
            return false; // not even read
        if (col < 0)
            return RowView::containsText(field, finder);
        const StoredCell cell = storedCell(m_fields->at(field), m_stmt, col);
        if (cell.form == StoredCell::Form::DateText)
            return finder.in(dateText(field, cell));
        return storage::containsText(m_fields->at(field), cell, finder);
    }

private:
    int column(int field) const
    {
        checkField(*m_fields, field);
        return m_columns->at(field);
    }

    // Dates and times are formatted by the locale, which is slow, and a walk meets the same few
    // again and again: their texts are kept for the walk, up to a bound per field.
    QString dateText(int field, const StoredCell &cell) const
    {
        static constexpr qsizetype kept = 16384;
        if (m_dateTexts.isEmpty())
            m_dateTexts.resize(m_fields->size());
        QHash<QByteArray, QString> &texts = m_dateTexts[field];
        const auto it = texts.constFind(QByteArray::fromRawData(cell.utf8.data(), cell.utf8.size()));
        if (it != texts.constEnd())
            return *it;
        const QString text = storage::plainText(m_fields->at(field), cell);
        if (texts.size() < kept)
            texts.insert(cell.utf8.toByteArray(), text);
        return text;
    }

    sqlite3_stmt *m_stmt;
    const QVector<int> *m_columns;
    OtherField m_other;
    mutable QVector<QHash<QByteArray, QString>> m_dateTexts;
};

class CachedRow : public RowView {
public:
    CachedRow(const Fields *fields, const QVector<QVariant> *values) : RowView(fields), m_values(values) {}
    QVariant value(int field) const override
    {
        checkField(*m_fields, field);
        return m_values->at(field);
    }

private:
    const QVector<QVariant> *m_values;
};

const QString closedText = QStringLiteral("Cannot perform this operation on a closed dataset");
const QString emptyText = QStringLiteral("Cannot perform this operation on an empty dataset");

} // namespace

std::optional<TextHint> textHint(const Fields &all, const QVector<int> &fields, const core::TextFinder &finder)
{
    TextHint hint{fields, finder.utf8().toByteArray(), finder.numberForm().toByteArray()};
    for (int f : fields) {
        if (f < 0 || f >= all.size())
            return std::nullopt;
        // A number field is decided even without a number form: no number text holds the text.
        const FieldKind kind = all[f].kind;
        if (!(isNumberKind(kind) || (isTextKind(kind) && !hint.utf8.isEmpty())))
            return std::nullopt;
    }
    return hint;
}

QString RowView::plainText(int field) const
{
    const QVariant v = value(field); // checks the field
    return storage::plainText(fields()[field], v);
}

bool RowView::appendText(int field, QByteArray &to) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        return false;
    to.append(v.toString().toUtf8());
    return true;
}

bool RowView::containsText(int field, const core::TextFinder &finder) const
{
    const QVariant v = value(field);
    return !v.isNull() && finder.in(storage::plainText(fields()[field], v));
}

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
        const QString path = resolvePath(wanted);
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
    if (!texts.isEmpty()) {
        tests << QStringLiteral("handbook_holds(?%1, %2)").arg(param++).arg(fieldList(texts));
        values->append(QString::fromUtf8(hint.utf8));
    }
    for (int f : std::as_const(numbers))
        tests << QStringLiteral("handbook_number_holds(?%1, '%2', %3)")
                     .arg(QString::number(param), kindCode(m_fields[f].kind), quoteIdentifier(m_fields[f].name));
    if (!numbers.isEmpty())
        values->append(QString::fromLatin1(hint.number));
    return tests.isEmpty() ? QStringLiteral("0") : tests.join(u" OR ");
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

void Dataset::first()
{
    checkBrowseMode();
    m_current = 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit currentChanged();
}

void Dataset::next()
{
    checkBrowseMode();
    if (m_current + 1 < m_rows.size()) {
        ++m_current;
        m_bof = false;
        m_eof = false;
        emit currentChanged();
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    checkBrowseMode();
    if (m_current > 0 && !m_rows.isEmpty()) {
        --m_current;
        m_bof = false;
        m_eof = false;
        emit currentChanged();
    } else {
        m_bof = true;
    }
}

void Dataset::last()
{
    checkBrowseMode();
    m_current = std::max(0, int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
    emit currentChanged();
}

bool Dataset::eof() const
{
    return !isOpen() || m_eof || m_rows.isEmpty();
}

bool Dataset::bof() const
{
    return !isOpen() || m_bof || m_rows.isEmpty();
}

int Dataset::recordCount() const
{
    return int(m_rows.size());
}

void Dataset::setCurrentIndex(int index)
{
    checkBrowseMode();
    if (index < 0 || index >= m_rows.size() || index == m_current)
        return;
    m_current = index;
    m_bof = m_eof = false;
    emit currentChanged();
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const FieldDef &Dataset::field(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(name));
    return m_fields[i];
}

void Dataset::setDisplayWidth(int field, int width)
{
    if (field >= 0 && field < m_fields.size())
        m_fields[field].displayWidth = width;
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

QVariant Dataset::value(int field) const
{
    requireOpen();
    if (field < 0 || field >= m_fields.size())
        throw Error(QStringLiteral("Field index out of range: %1").arg(field));
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer[field];
    if (m_rows.isEmpty())
        return isMemoKind(m_fields[field].kind) ? QVariant(QString()) : QVariant();
    return fetch(m_rows[m_current])[field];
}

QVariant Dataset::value(const QString &name) const
{
    requireOpen();
    return value(int(&field(name) - m_fields.constData()));
}

QString Dataset::text(const QString &name) const
{
    const FieldDef &f = field(name);
    return plainText(f, value(name));
}

double Dataset::number(const QString &name) const
{
    const QVariant v = value(name);
    if (v.isNull() || !v.isValid())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        if (!core::tryParseFloat(v.toString(), &d))
            throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(v.toString()));
        return d;
    }
    return v.toDouble();
}

QVariant Dataset::valueAt(int row, int field) const
{
    if (!isOpen() || row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return QVariant();
    if (row == m_current && (m_state == State::Edit))
        return m_buffer[field];
    return fetch(m_rows[row])[field];
}

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
        st.run();
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
    st.run();
    m_cache.remove(rowid);
    m_state = State::Browse;
    m_buffer.clear();
    emit rowUpdated(m_current);
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

bool Dataset::locate(const QString &fieldName, const QVariant &wanted, LocateOptions options)
{
    checkBrowseMode();
    const int fi = int(&field(fieldName) - m_fields.constData());
    const FieldDef &f = m_fields[fi];
    const bool textual = isTextKind(f.kind);
    const QString wantedText = wanted.toString();
    const bool wantBlank = !wanted.isValid() || wanted.isNull();
    double wantedNumber = 0;
    if (!textual && !wantBlank) {
        // A value that is no number matches no row of a number field.
        const bool number = wanted.typeId() == QMetaType::QString ? core::tryParseFloat(wantedText, &wantedNumber)
                                                                  : wanted.canConvert<double>();
        if (!number)
            return false;
        if (wanted.typeId() != QMetaType::QString)
            wantedNumber = wanted.toDouble();
    }
    const int found = scan(0, [&](int, const RowView &row) {
        const QVariant v = row.value(fi);
        if (wantBlank)
            return !(v.isNull() || !v.isValid());
        if (v.isNull() || !v.isValid())
            return true;
        if (!textual)
            return v.toDouble() != wantedNumber;
        const QString s = v.toString();
        const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const bool match = options.partialKey ? s.startsWith(wantedText, cs) : s.compare(wantedText, cs) == 0;
        return !match;
    });
    if (found >= m_rows.size())
        return false;
    m_current = found;
    m_bof = m_eof = false;
    emit currentChanged();
    return true;
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
