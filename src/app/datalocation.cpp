#include "datalocation.h"

#include "core/error.h"
#include "storage/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace app {

namespace {

QString withSlash(const QString &dir)
{
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

bool holdsData(const QString &dir)
{
    return !storage::resolvePath(dir + QStringLiteral("database")).isEmpty();
}

// Whether this user may write the user's files where they lie: the directories that receive them
// (and their journals) and every one of them that exists.
bool userFilesWritable(const QString &dataDir)
{
    if (!QFileInfo(dataDir).isWritable() || !QFileInfo(dataDir + QStringLiteral("database")).isWritable())
        return false;
    for (const QString &file : userFiles()) {
        const QString path = storage::resolvePath(dataDir + file);
        if (!path.isEmpty() && !QFileInfo(path).isWritable())
            return false;
    }
    return true;
}

void copyFile(const QString &from, const QString &to)
{
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(from, part) || !QFile::rename(part, to)) {
        QFile::remove(part);
        throw core::Error(QStringLiteral("无法把 %1 复制到 %2。").arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
    }
    // The shipped file may be read-only; the user's copy is the user's to write.
    QFile(to).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                             | QFileDevice::ReadOther);
}

} // namespace

const QStringList &userFiles()
{
    static const QStringList files = {QStringLiteral("database/History.DB"), QStringLiteral("database/ibook.db"),
                                      QStringLiteral("database/cx_jl.db"), QStringLiteral("cx_jg.rst")};
    return files;
}

DataDirectory findDataDirectory(const QString &programDir, const QString &installedRelative)
{
    const QString beside = withSlash(programDir);
    if (holdsData(beside))
        return {beside, false};
    const QString installed = withSlash(QDir::cleanPath(beside + installedRelative));
    if (!installedRelative.isEmpty() && holdsData(installed))
        return {installed, true};
    return {beside, false};
}

DataDirectory programDataDirectory()
{
    return findDataDirectory(QCoreApplication::applicationDirPath(), QStringLiteral(HANDBOOK_INSTALLED_DATA));
}

DataLocations chooseLocations(const DataDirectory &data, const QString &perUserDir)
{
    if (!data.installed && userFilesWritable(data.path))
        return {data.path, data.path, false};
    return {data.path, withSlash(perUserDir), true};
}

void seedUserFiles(const DataLocations &locations)
{
    if (locations.userDir == locations.dataDir)
        return;
    for (const QString &file : userFiles()) {
        const QString target = locations.userDir + file;
        if (!storage::resolvePath(target).isEmpty())
            continue;
        const QString source = storage::resolvePath(locations.dataDir + file);
        if (source.isEmpty())
            continue; // nothing shipped: the table's own error tells the user when it is opened
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            throw core::Error(QStringLiteral("无法创建文件夹 %1。").arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath())));
        // A log that was not yet written back into the table goes with it; one left by an
        // interrupted copy does not belong to the new file.
        for (const char *suffix : {"-wal", "-shm"})
            QFile::remove(target + QLatin1String(suffix));
        const QString wal = source + QStringLiteral("-wal");
        if (QFileInfo(wal).size() > 0)
            copyFile(wal, target + QStringLiteral("-wal"));
        copyFile(source, target);
    }
}

} // namespace app
