#include "paths.h"

#include <QDir>
#include <QFileInfo>

namespace storage {

QString resolvePath(const QString &path)
{
    QString normal = path;
    normal.replace(u'\\', u'/');
    if (QFileInfo::exists(normal))
        return normal;
    const bool absolute = normal.startsWith(u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        QString next = current == QLatin1String("/") ? u'/' + part : current + u'/' + part;
        if (!QFileInfo::exists(next)) {
            if (part == QLatin1String(".") || part == QLatin1String(".."))
                return QString();
            const QStringList entries = QDir(current).entryList(
                QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
            QString found;
            for (const QString &e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    found = e;
                    break;
                }
            }
            if (found.isEmpty())
                return QString();
            next = current == QLatin1String("/") ? u'/' + found : current + u'/' + found;
        }
        current = next;
    }
    if (!absolute && current.startsWith(QLatin1String("./")))
        current = current.mid(2);
    return current;
}

QString resolveInside(const QString &folder, const QString &name)
{
    QString relative = name;
    relative.replace(u'\\', u'/');
    // A drive letter or a leading separator names a place of its own, not one in the folder.
    if (relative.isEmpty() || relative.startsWith(u'/') || (relative.size() > 1 && relative[1] == u':'))
        return QString();
    relative = QDir::cleanPath(relative);
    if (relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")) || relative == QLatin1String("."))
        return QString();
    return resolvePath(folder + u'/' + relative);
}

QString tableFileName(const QString &name)
{
    return QFileInfo(name).suffix().isEmpty() ? name + QStringLiteral(".db") : name;
}

} // namespace storage
