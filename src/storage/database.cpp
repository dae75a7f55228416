#include "database.h"

#include "error.h"
#include "paths.h"

#include <QDir>

namespace storage {

QString Database::dataSource(const QString &connectionString)
{
    const QStringList parts = connectionString.split(u';');
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq > 0 && part.left(eq).trimmed().compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return QString();
}

void Database::connect()
{
    if (m_conn)
        return;
    const QString source = dataSource(m_connectionString);
    if (source.isEmpty())
        throw Error(QStringLiteral("Data Source is missing from the connection string"));
    const QString path = resolvePath(source);
    if (path.isEmpty())
        throw Error(QStringLiteral("Could not find file '%1'.").arg(QDir::cleanPath(QString(source).replace(u'\\', u'/'))));
    m_conn = Connection::open(path);
}

void Database::disconnect()
{
    m_conn.reset();
}

std::shared_ptr<Connection> Database::connection() const
{
    if (!m_conn)
        throw Error(QStringLiteral("Operation is not allowed when the object is closed."));
    return m_conn;
}

} // namespace storage
