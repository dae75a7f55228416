#pragma once
#include "fields.h"

#include <QString>
#include <QVariant>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace storage {

// Tables under this directory open read-only (an installed handbook's shipped content, shared by
// every user); empty, the default, for none.
void setReadOnlyDirectory(const QString &dir);

// How long a statement waits for a lock another process holds before it fails.
constexpr int busyTimeoutMs = 2000;

// One SQLite connection to one file. Opened without creating the file and probed at once, so a
// missing file or a file that is not a database fails here. Registers the CP936 collation (code
// page 936 byte order) and the functions handbook_holds(text, cell, ...) (whether one cell's UTF-8
// bytes hold the text's) and handbook_number_holds (the same for the text a number shows) that
// the engine names in its own statements; the files stay plain.
class Connection {
public:
    enum class Mode { Shared, Exclusive, Create };
    static std::shared_ptr<Connection> open(const QString &path, Mode mode = Mode::Shared);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    const QString &path() const { return m_path; }

    void exec(const QString &sql);
    // The engine's last error; a lock held by another process and a write to a read-only file
    // say so in Chinese, with the file's path.
    QString errorText() const;
    bool isReadOnly() const;

    QStringList tables() const;
    // The field list of a table: kinds and sizes from the metadata table when present, otherwise
    // guessed from the declared SQLite types.
    Fields fields(const QString &table) const;
    // Creates a table with its metadata rows (used by the content builder and tests).
    void createTable(const QString &table, const Fields &fields);

    // While one is alive the connection reads its file through a memory map: a walk over a whole
    // table then copies no page. The map is given back when the outermost one ends, so the
    // memory of an open table stays that of the rows it shows.
    class MappedReads {
    public:
        explicit MappedReads(Connection &conn);
        ~MappedReads();
        MappedReads(const MappedReads &) = delete;
        MappedReads &operator=(const MappedReads &) = delete;

    private:
        Connection &m_conn;
    };

private:
    Connection(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) {}
    sqlite3 *m_db;
    QString m_path;
    int m_mappedReads = 0;
};

QString quoteIdentifier(const QString &name);

// Whether the table file at path can be written: the file itself, and its folder, where SQLite
// makes the journal of every write (an installed handbook may have either read-only), and not
// under the read-only directory.
bool canWriteTableFile(const QString &path);

// A prepared statement; parameters are bound, never spliced into the SQL text.
class Statement {
public:
    Statement(const Connection &conn, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(int index, const QVariant &value); // 1-based
    bool step();  // true while a row is available
    void run();   // steps to the end
    void reset();
    int columnCount() const;
    qint64 int64(int col) const;
    QString text(int col) const;
    bool isNull(int col) const;
    sqlite3_stmt *handle() const { return m_stmt; }

private:
    const Connection &m_conn;
    sqlite3_stmt *m_stmt = nullptr;
};

// Begins a transaction and rolls it back unless commit() ran.
class Transaction {
public:
    explicit Transaction(Connection &conn);
    ~Transaction();
    void commit();

private:
    Connection &m_conn;
    bool m_done = false;
};

} // namespace storage
