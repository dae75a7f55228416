#pragma once
#include "fields.h"

#include <QHash>
#include <QObject>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

namespace core {
class TextFinder;
}

namespace storage {

class Connection;
class Database;
class Statement;

class Dataset;

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;
};

// The values of one row while the engine reads it (filter callbacks, scans). Values are
// read from the row on demand.
class RowView {
public:
    virtual ~RowView() = default;
    virtual QVariant value(int field) const = 0;
    // A cell's plain text form (empty for blank), and whether it holds a finder's text (a blank
    // cell never does); rows read from the file answer these without building a QVariant.
    virtual QString plainText(int field) const;
    virtual bool containsText(int field, const core::TextFinder &finder) const;
    // Appends the cell's value converted to a string, as UTF-8; false, appending nothing, for a
    // blank cell. Rows read from the file copy stored texts without building a value.
    virtual bool appendText(int field, QByteArray &to) const;
    const Fields &fields() const { return *m_fields; }

protected:
    explicit RowView(const Fields *fields) : m_fields(fields) {}
    const Fields *m_fields;
};

// What a walk's visitor asks of a row before it looks at it: that one of `fields` shows a text.
// The file tests text fields on their stored UTF-8 (`utf8`) and number fields on the number text
// they show (`number`, ASCII with '.' for the separator); the other rows are passed over without
// being handed out. textHint() makes one from a finder.
struct TextHint {
    QVector<int> fields;
    QByteArray utf8;
    QByteArray number;
};
// The hint for rows in which one of `fields` holds the finder's text, or none when the file
// cannot decide for one of them (a date, a logical, a text only decoded characters can match).
// The file reads the cells as the rows do: a row meets the hint exactly when the finder finds
// its text in one of those cells.
std::optional<TextHint> textHint(const Fields &all, const QVector<int> &fields, const core::TextFinder &finder);

// A table or a one-table query with a current row: the engine's dataset. A dataset holds the row
// ids of the rows it shows, in its order, and fetches values as they are asked for; every write
// goes straight to the file.
class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    // Decides per row whether it is visible while the filtered flag is on.
    using RowFilter = std::function<bool(const RowView &row)>;

    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    // Where the rows come from: a table file in a directory ...
    void setDirectory(const QString &dir) { m_directory = dir; }
    const QString &directory() const { return m_directory; }
    void setTableName(const QString &name);
    const QString &tableName() const { return m_tableName; }
    // ... a query over one table file in the directory ("select <*|fields> from <table> ...");
    // parameters are bound, never spliced ...
    void setSql(const QString &sql, const QVariantList &params = {});
    const QString &sql() const { return m_sql; }
    // ... or a named table of a multi-table database.
    void setDatabase(Database *db) { m_database = db; }
    // Exclusive use: a second opener of the file is refused while this one is open.
    void setExclusive(bool on) { m_exclusive = on; }
    // Reads every row's values together with the row list, for datasets that are walked from
    // end to end right after they open (one statement instead of one read per row).
    void setPreload(bool on) { m_preload = on; }

    void open();
    // Opens the dataset on rows the caller has already chosen (row ids of its table, shown in
    // this order) instead of running its statement; refresh() runs the statement again.
    void openRows(const QVector<qint64> &rows);
    void close();
    // Reads the rows once, in order, without keeping them, for a caller that walks them only
    // once: the dataset connects, `begin` sees the fields and names those `visit` reads, and it is
    // left closed. Throws as open() would; a field not named cannot be read.
    void readOnce(const std::function<QVector<int>(const Fields &fields)> &begin,
                  const std::function<void(const RowView &row)> &visit);
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    // Path of the open file (empty when closed).
    QString filePath() const;

    // Moves. Next on the last row sets the end flag and stays; prior on the first sets the start flag.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const;
    bool bof() const;
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int currentIndex() const { return m_current; } // 0-based position among the visible rows
    qint64 rowIdAt(int row) const { return m_rows.value(row, -1); } // the table's row id of a visible row
    void setCurrentIndex(int index);

    const Fields &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const; // ignoring case; -1 when missing
    const FieldDef &field(const QString &name) const; // throws "Field '%s' not found"
    void setDisplayWidth(int field, int width);

    // Current row values; null for a blank cell.
    QVariant value(const QString &name) const;
    QVariant value(int field) const;
    QString text(const QString &name) const;   // plain text form; empty for blank
    double number(const QString &name) const;  // blank reads 0
    // Any visible row's value, for views.
    QVariant valueAt(int row, int field) const;

    // Editing: append or edit, set values, post (straight to the file) or cancel. A post the file
    // refuses is cancelled before its error goes on: nothing stays pending to be written later.
    void append();
    void edit();
    void setValue(const QString &name, const QVariant &value);
    void setValue(int field, const QVariant &value);
    void post();
    void cancel();
    void deleteCurrent();
    void emptyTable();
    // Runs work as one transaction of the open file: its writes all land or none does. After a
    // failure the rows are read again from the file and the error goes on to the caller.
    void inTransaction(const std::function<void()> &work);

    // Makes the first matching row current; the current row stays when nothing matches.
    bool locate(const QString &field, const QVariant &value, LocateOptions options = {});

    void setFilterCallback(RowFilter filter) { m_filter = std::move(filter); }
    // The fields the callback reads, asked before each walk through it: the walk then reads only
    // these from the file, and a field read all the same is fetched by its row id. Without it
    // (or while rows are preloaded) the walk reads every field.
    using FilterFields = std::function<QVector<int>()>;
    void setFilterFields(FilterFields fields) { m_filterFields = std::move(fields); }
    // The rows the callback accepts, when a hint says exactly which: asked before each walk
    // through it on a table, and the file then keeps the rows that meet it without asking the
    // callback. Without a hint (or on a query) every row goes to the callback.
    using FilterHint = std::function<std::optional<TextHint>()>;
    void setFilterHint(FilterHint hint) { m_filterHint = std::move(hint); }
    // On an open dataset: ends a pending edit, re-reads the rows through the callback and moves
    // to the first row, also when the flag keeps its value. On a closed one it is only recorded.
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }
    void refresh();

    // Visits the visible rows from a position on, in order, until visit returns false.
    // Returns the position where it stopped, or recordCount() when it ran to the end.
    // fields: the fields the visitor reads, when it reads only some (rows streamed from the file
    // then carry only these; another field read all the same is fetched by its row id).
    // hint: rows without its text in one of its fields may go unvisited (none is visited when it
    // names no field).
    int scan(int from, const std::function<bool(int row, const RowView &values)> &visit,
             const QVector<int> *fields = nullptr, const TextHint *hint = nullptr) const;

signals:
    void opened();
    void closed();
    void rowsReset();           // the set of rows was re-read
    void currentChanged();      // another row became current (or the same row after a move)
    void rowUpdated(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void filterWalkFinished();  // a walk through the filter callback has ended

private:
    // The first half of an open: the statement parsed, the file connected, the fields known.
    void connectFile();
    void requireOpen() const;
    void requireRows() const;
    void checkBrowseMode();
    void runOrCancel(Statement &st); // runs a post's statement; a failure cancels the post
    void loadRows();
    const QVector<QVariant> &fetch(qint64 rowid) const;
    void invalidateCache() const;
    QString fieldList() const;
    QString fieldList(const QVector<int> &fields) const;
    // The fields a walk's statement reads after the row id (every field without a list), and the
    // statement column of each field (-1: not read).
    QVector<int> readFields(const QVector<int> *wanted) const;
    QVector<int> columnsOf(const QVector<int> &read) const;
    // The statement reading the rows in the dataset's order: the row id, then the `read` fields.
    // A table's rows may be limited by a hint (its text bound to ?1; a query keeps its own).
    std::unique_ptr<Statement> rowStatement(const QVector<int> &read, const TextHint *hint) const;
    // The condition of a hint in a walk's statement; the values of its parameters, numbered from
    // `param` on, are appended to `values`.
    QString hintCondition(const TextHint &hint, int param, QVariantList *values) const;

    QString m_directory;
    QString m_tableName;
    QString m_sql;
    QVariantList m_params;
    Database *m_database = nullptr;
    bool m_exclusive = false;
    bool m_preload = false;
    const QVector<qint64> *m_givenRows = nullptr; // rows for openRows, during the open only

    std::shared_ptr<Connection> m_conn;
    QString m_table;            // table inside the file
    QString m_queryRest;        // query mode: everything after "from <table>"
    QStringList m_projection;   // query mode: the fields asked for (empty: all)
    Fields m_fields;
    QVector<qint64> m_rows;
    int m_current = 0;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Inactive;
    QVector<QVariant> m_buffer; // values being edited or appended

    bool m_filtered = false;
    RowFilter m_filter;
    FilterFields m_filterFields;
    FilterHint m_filterHint;

    std::unique_ptr<Statement> m_fetch;
    mutable QHash<qint64, QVector<QVariant>> m_cache;
};

} // namespace storage
