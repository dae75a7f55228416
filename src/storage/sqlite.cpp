#include "sqlite.h"

#include "core/numbers.h"
#include "core/text.h"
#include "core/textfinder.h"
#include "error.h"
#include "oldformat.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace storage {

namespace {

const char *const metaTable = "handbook_fields";

QString &readOnlyDirectory()
{
    static QString dir;
    return dir;
}

bool underReadOnlyDirectory(const QString &path)
{
    const QString &dir = readOnlyDirectory();
    if (dir.isEmpty())
        return false;
    const QString file = QFileInfo(path).absoluteFilePath();
    return file.startsWith(dir + u'/');
}

int collateCp936(void *, int la, const void *a, int lb, const void *b)
{
    // ASCII texts order the same in UTF-8 and in code page 936: compare bytes directly.
    const auto *pa = static_cast<const unsigned char *>(a);
    const auto *pb = static_cast<const unsigned char *>(b);
    bool ascii = true;
    const int n = std::min(la, lb);
    for (int i = 0; i < n; ++i) {
        if (pa[i] >= 0x80 || pb[i] >= 0x80) {
            ascii = false;
            break;
        }
        if (pa[i] != pb[i])
            return pa[i] < pb[i] ? -1 : 1;
    }
    if (ascii) {
        for (int i = n; i < la; ++i)
            ascii = ascii && pa[i] < 0x80;
        for (int i = n; i < lb; ++i)
            ascii = ascii && pb[i] < 0x80;
        if (ascii)
            return la == lb ? 0 : (la < lb ? -1 : 1);
    }
    return core::compareCp936(QString::fromUtf8(static_cast<const char *>(a), la),
                              QString::fromUtf8(static_cast<const char *>(b), lb));
}

// handbook_holds(text, cell, ...): 1 when the UTF-8 bytes of one of the cells hold those of the
// text (a blank cell holds nothing, an empty text is held by none), else 0.
void holdsText(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    const auto bytes = [](sqlite3_value *v) {
        return QByteArrayView(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    };
    const QByteArrayView needle = argc > 0 ? bytes(argv[0]) : QByteArrayView();
    bool held = false;
    for (int i = 1; i < argc && !held && !needle.isEmpty(); ++i)
        held = sqlite3_value_type(argv[i]) != SQLITE_NULL && core::bytesContain(bytes(argv[i]), needle);
    sqlite3_result_int(ctx, held);
}

// handbook_number_holds(form, text, kind, cell): 1 when the number text the cell shows, read as a
// field of that kind (its code, as in the field list) reads it, holds `form` (number text as
// TextFinder writes a needle for it); a cell holding a text that is no number holds `text` (UTF-8).
void holdsNumber(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto bytes = [](sqlite3_value *v) {
        return QByteArrayView(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    };
    const auto *code = reinterpret_cast<const char *>(sqlite3_value_text(argv[2]));
    FieldDef field;
    if (!code || !kindFromCode(QChar::fromLatin1(code[0]), &field.kind)) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const StoredCell cell = storedCell(field, argv[3]);
    const QByteArrayView needle = bytes(cell.form == StoredCell::Form::Text ? argv[1] : argv[0]);
    char digits[core::numberTextCapacity];
    const QByteArrayView text = cell.form == StoredCell::Form::Text ? cell.utf8 : numberText(cell, digits);
    sqlite3_result_int(ctx, !needle.isEmpty() && core::bytesContain(text, needle));
}

FieldKind guessKind(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT")))
        return FieldKind::Long;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return FieldKind::Float;
    return FieldKind::Alpha;
}

} // namespace

void setReadOnlyDirectory(const QString &dir)
{
    readOnlyDirectory() = dir.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
}

QString quoteIdentifier(const QString &name)
{
    QString q = name;
    q.replace(u'"', QLatin1String("\"\""));
    return u'"' + q + u'"';
}

bool canWriteTableFile(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() && file.isWritable() && QFileInfo(file.absolutePath()).isWritable()
           && !underReadOnlyDirectory(path);
}

std::shared_ptr<Connection> Connection::open(const QString &path, Mode mode)
{
    if (mode != Mode::Create && !QFileInfo(path).isFile())
        throw Error(QStringLiteral("Table does not exist: %1").arg(QDir::toNativeSeparators(path)));
    sqlite3 *db = nullptr;
    // A connection is used by one thread at a time: no locking around every call.
    const bool readOnly = mode != Mode::Create && underReadOnlyDirectory(path);
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX
                      | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    std::shared_ptr<Connection> conn(new Connection(db, path));
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("Cannot open %1: %2").arg(path, conn->errorText()));
    sqlite3_extended_result_codes(db, 1);
    // A lock held by another process (a second program on the same file) is waited for briefly.
    sqlite3_busy_timeout(db, busyTimeoutMs);
    sqlite3_create_collation(db, "CP936", SQLITE_UTF8, nullptr, collateCp936);
    sqlite3_create_function(db, "handbook_holds", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, holdsText, nullptr,
                            nullptr);
    sqlite3_create_function(db, "handbook_number_holds", 4, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, holdsNumber,
                            nullptr, nullptr);
    try {
        if (mode == Mode::Exclusive) {
            // Hold the write lock for as long as the connection lives: a second opener is refused.
            conn->exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
            conn->exec(QStringLiteral("BEGIN EXCLUSIVE"));
            conn->exec(QStringLiteral("COMMIT"));
        }
        // Probe: a file that is not a database fails here, not at a later read.
        conn->exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        conn->exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        // Substring tests are case-sensitive everywhere, LIKE in statements included.
        conn->exec(QStringLiteral("PRAGMA case_sensitive_like=ON"));
    } catch (const Error &e) {
        const int code = sqlite3_extended_errcode(db) & 0xff;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) // the text names the file already
            throw;
        if (isParadoxTable(path)) // a table of the older format: say how to convert it
            throw Error(paradoxTableNotice(path));
        throw Error(QStringLiteral("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), e.text()));
    }
    return conn;
}

Connection::MappedReads::MappedReads(Connection &conn) : m_conn(conn)
{
    // SQLite caps the size at the largest map it was built to allow; the rest is read as usual.
    if (m_conn.m_mappedReads++ == 0)
        sqlite3_exec(m_conn.m_db, "PRAGMA mmap_size=2147418112", nullptr, nullptr, nullptr);
}

Connection::MappedReads::~MappedReads()
{
    if (--m_conn.m_mappedReads == 0)
        sqlite3_exec(m_conn.m_db, "PRAGMA mmap_size=0", nullptr, nullptr, nullptr);
}

Connection::~Connection()
{
    sqlite3_close_v2(m_db);
}

QString Connection::errorText() const
{
    const QString file = QDir::toNativeSeparators(m_path);
    switch (sqlite3_extended_errcode(m_db) & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据表 %1 正被另一个程序使用，等待 %2 秒后仍未释放。请关闭使用它的程序后再试。")
            .arg(file)
            .arg(busyTimeoutMs / 1000);
    case SQLITE_READONLY: return QStringLiteral("数据表 %1 是只读的，不能修改。").arg(file);
    default: return QString::fromUtf8(sqlite3_errmsg(m_db));
    }
}

bool Connection::isReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}

void Connection::exec(const QString &sql)
{
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw Error(errorText());
}

QStringList Connection::tables() const
{
    Statement st(*this, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name<>?1 ORDER BY rowid"));
    st.bind(1, QString::fromLatin1(metaTable));
    QStringList out;
    while (st.step())
        out << st.text(0);
    return out;
}

Fields Connection::fields(const QString &table) const
{
    Fields out;
    {
        Statement info(*this, QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table)));
        while (info.step()) {
            FieldDef f;
            f.name = info.text(1);
            f.kind = guessKind(info.text(2));
            f.size = f.kind == FieldKind::Alpha ? 255 : 0;
            out << f;
        }
    }
    if (out.isEmpty())
        throw Error(QStringLiteral("Table does not exist: %1").arg(table));
    Statement meta(*this, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name=?1"));
    meta.bind(1, QString::fromLatin1(metaTable));
    if (meta.step() && meta.int64(0) > 0) {
        Statement st(*this, QStringLiteral("SELECT name, kind, size FROM %1 WHERE tbl=?1 COLLATE NOCASE")
                                .arg(QString::fromLatin1(metaTable)));
        st.bind(1, table);
        while (st.step()) {
            for (FieldDef &f : out) {
                if (f.name.compare(st.text(0), Qt::CaseInsensitive) == 0 && !st.text(1).isEmpty()) {
                    kindFromCode(st.text(1).at(0), &f.kind);
                    f.size = int(st.int64(2));
                }
            }
        }
    }
    for (FieldDef &f : out)
        f.displayWidth = defaultDisplayWidth(f);
    return out;
}

void Connection::createTable(const QString &table, const Fields &fields)
{
    QStringList cols;
    for (const FieldDef &f : fields)
        cols << quoteIdentifier(f.name) + u' ' + sqlType(f.kind);
    exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (tbl TEXT, pos INTEGER, name TEXT, kind TEXT, size INTEGER)")
             .arg(QString::fromLatin1(metaTable)));
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(table), cols.join(u", ")));
    Statement ins(*this, QStringLiteral("INSERT INTO %1 VALUES (?1, ?2, ?3, ?4, ?5)").arg(QString::fromLatin1(metaTable)));
    for (int i = 0; i < fields.size(); ++i) {
        ins.bind(1, table).bind(2, i).bind(3, fields[i].name).bind(4, QString(kindCode(fields[i].kind))).bind(5, fields[i].size);
        ins.run();
        ins.reset();
    }
}

Statement::Statement(const Connection &conn, const QString &sql) : m_conn(conn)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(conn.handle(), utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        throw Error(conn.errorText());
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement &Statement::bind(int index, const QVariant &v)
{
    int rc = SQLITE_OK;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool: rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong()); break;
        case QMetaType::Double:
        case QMetaType::Float: rc = sqlite3_bind_double(m_stmt, index, v.toDouble()); break;
        default: {
            const QByteArray utf8 = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw Error(m_conn.errorText());
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString text = m_conn.errorText();
    sqlite3_reset(m_stmt);
    throw Error(text);
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

qint64 Statement::int64(int col) const
{
    return sqlite3_column_int64(m_stmt, col);
}

QString Statement::text(int col) const
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, col)),
                             sqlite3_column_bytes(m_stmt, col));
}

bool Statement::isNull(int col) const
{
    return sqlite3_column_type(m_stmt, col) == SQLITE_NULL;
}

Transaction::Transaction(Connection &conn) : m_conn(conn)
{
    m_conn.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_conn.exec(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    m_conn.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

} // namespace storage
