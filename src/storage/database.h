#pragma once
#include "sqlite.h"

#include <QString>

#include <memory>

namespace storage {

// A database of several tables reached through a connection string, as the two calculator
// databases are: "Provider=...;Data Source=<path>;...". Only Data Source is used; "\" is a
// directory separator, doubled separators are accepted, and file names resolve without regard to
// letter case.
class Database {
public:
    void setConnectionString(const QString &text) { m_connectionString = text; }
    const QString &connectionString() const { return m_connectionString; }
    void connect();
    void disconnect();
    bool connected() const { return bool(m_conn); }
    // The open connection; throws when not connected.
    std::shared_ptr<Connection> connection() const;

    static QString dataSource(const QString &connectionString);

private:
    QString m_connectionString;
    std::shared_ptr<Connection> m_conn;
};

} // namespace storage
