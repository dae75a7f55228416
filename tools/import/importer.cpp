#include "importer.h"

#include "builder.h"
#include "core/error.h"
#include "fulltext/indexfile.h"
#include "storage/oldformat.h"
#include "storage/paths.h"
#include "storage/sqlite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

namespace handbookimport {

namespace {

// The two calculator databases: Access files in the older layout, never converted.
const QStringList calculatorDatabases = {QStringLiteral("Tolerance/DATAS/varnok.mdb"),
                                         QStringLiteral("shape_location/DATAS/varnok.mdb")};
// The tables the handbook opens at start.
const QStringList startTables = {QStringLiteral("database/vtree.DB"), QStringLiteral("database/vt.db"),
                                 QStringLiteral("database/History.DB"), QStringLiteral("database/ibook.db"),
                                 QStringLiteral("database/cx_jl.db")};

bool sameText(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Whether the file lies directly in database/ or dat/, where the handbook looks for tables.
bool inTableFolder(const QString &rel)
{
    const QStringList parts = rel.split(u'/');
    return parts.size() == 2 && (sameText(parts[0], QStringLiteral("database")) || sameText(parts[0], QStringLiteral("dat")));
}

// Files of a Paradox table beside its data: memos, indexes, validity checks, views, locks.
bool isParadoxCompanion(const QString &fileName)
{
    static const QRegularExpression companion(
        QStringLiteral("\\.(mb|px|tv|fam|val|lck|net|x[0-9a-f]{2}|y[0-9a-f]{2}|xg[0-9a-f]|yg[0-9a-f])$"),
        QRegularExpression::CaseInsensitiveOption);
    return companion.match(fileName).hasMatch();
}

bool isSqliteFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// The memo file of a table: its base name with ".MB", in any letter case.
QString memoFileOf(const QString &dbPath)
{
    const QFileInfo info(dbPath);
    const QString wanted = info.completeBaseName() + QStringLiteral(".mb");
    for (const QString &name : QDir(info.path()).entryList(QDir::Files)) {
        if (sameText(name, wanted))
            return info.path() + u'/' + name;
    }
    return QString();
}

void copyFile(const QString &from, const QString &to)
{
    QDir().mkpath(QFileInfo(to).path());
    QFile source(from);
    if (!source.copy(to))
        throw core::Error(QStringLiteral("%1：无法复制（%2）").arg(QDir::toNativeSeparators(from), source.errorString()));
    // A copy from a read-only medium stays writable for the files the user writes.
    QFile(to).setPermissions(QFile(to).permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void checkPlaces(const QString &source, const QString &target)
{
    const QFileInfo src(source);
    if (!src.isDir())
        throw core::Error(QStringLiteral("来源目录 %1 不存在").arg(native(source)));
    if (storage::resolvePath(source + QStringLiteral("/database")).isEmpty())
        throw core::Error(QStringLiteral("%1 不是手册的数据目录（其中没有 database 目录）").arg(native(source)));
    const QFileInfo dst(target);
    if (dst.exists() && !(dst.isDir() && QDir(target).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)))
        throw core::Error(QStringLiteral("目标 %1 已存在：请指定一个新的目录").arg(native(target)));
    const QString from = QDir::cleanPath(src.canonicalFilePath());
    const QString to = QDir::cleanPath(dst.absoluteFilePath());
    if (to == from || to.startsWith(from + u'/'))
        throw core::Error(QStringLiteral("目标 %1 不能在来源目录 %2 之内").arg(native(target), native(source)));
}

} // namespace

Result importDirectory(const QString &source, const QString &target, const Options &options)
{
    checkPlaces(source, target);
    const QFileInfo dst(target);
    const QString parent = dst.absolutePath();
    if (!QDir().mkpath(parent))
        throw core::Error(QStringLiteral("无法建立目录 %1").arg(native(parent)));
    // Everything goes into a new folder beside the target; it is removed unless renamed into place.
    QTemporaryDir staging(parent + u'/' + dst.fileName() + QStringLiteral(".import-XXXXXX"));
    if (!staging.isValid())
        throw core::Error(QStringLiteral("无法在 %1 中建立临时目录：%2").arg(native(parent), staging.errorString()));
    const QString out = staging.path();

    Result result;
    const QDir root(source);
    QStringList files;
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << root.relativeFilePath(it.next());
    files.sort(Qt::CaseInsensitive);
    for (const QString &rel : std::as_const(files)) {
        const QString from = source + u'/' + rel;
        const QString to = out + u'/' + rel;
        if (std::any_of(calculatorDatabases.begin(), calculatorDatabases.end(), [&](const QString &c) { return sameText(c, rel); }))
            continue; // replaced by the handbook's own below
        if (inTableFolder(rel) && QFileInfo(rel).suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0) {
            if (storage::isParadoxTable(from)) {
                try {
                    QDir().mkpath(QFileInfo(to).path());
                    TableResult table = convertTable(from, memoFileOf(from), to, options.codePage);
                    table.path = rel;
                    if (content::isUserFile(rel)) // written a row at a time by the handbook
                        storage::Connection::open(to)->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
                    result.tables << table;
                } catch (const core::Error &e) {
                    throw core::Error(QStringLiteral("%1：%2").arg(rel, e.text()));
                }
            } else if (isSqliteFile(from)) {
                copyFile(from, to); // already a table of the handbook's own format
                result.copied << rel;
            } else {
                throw core::Error(QStringLiteral("%1：既不是 Paradox 数据表，也不是手册的表").arg(rel));
            }
        } else if (inTableFolder(rel) && isParadoxCompanion(rel)) {
            result.leftOut << rel;
        } else {
            copyFile(from, to);
            result.copied << rel;
        }
    }
    for (const QString &database : calculatorDatabases) {
        const QString bundled = storage::resolvePath(options.bundledDir + u'/' + database);
        if (bundled.isEmpty())
            throw core::Error(QStringLiteral("找不到手册自带的计算数据库 %1").arg(native(options.bundledDir + u'/' + database)));
        // Where the source has it, in the source's letter case, beside the legends copied with it.
        const auto found = std::find_if(files.begin(), files.end(), [&](const QString &rel) { return sameText(rel, database); });
        const QString rel = found != files.end() ? *found : database;
        copyFile(bundled, out + u'/' + rel);
        result.bundled << rel;
    }
    for (const QString &rel : startTables) {
        if (storage::resolvePath(out + u'/' + rel).isEmpty())
            result.missing << rel;
    }

    // The full-text index, as the build writes one for the bundled content. Without it the
    // handbook searches the content itself, more slowly: its failure ends nothing.
    try {
        result.indexed = fulltext::buildIndex(out).documents;
    } catch (const core::Error &e) {
        result.indexError = e.text();
    }

    if (dst.exists() && !QDir().rmdir(target))
        throw core::Error(QStringLiteral("无法替换空目录 %1").arg(native(target)));
    if (!QDir().rename(out, target))
        throw core::Error(QStringLiteral("无法把 %1 改名为 %2").arg(native(out), native(target)));
    staging.setAutoRemove(false);
    return result;
}

QString reportText(const Result &r, const QString &target)
{
    QString s;
    s += QStringLiteral("已导入到 %1\n\n").arg(native(target));
    s += QStringLiteral("数据表（%1 个）：\n").arg(r.tables.size());
    int width = 0;
    for (const TableResult &t : r.tables)
        width = std::max(width, int(t.path.size()));
    for (const TableResult &t : r.tables) {
        s += QStringLiteral("  %1  %2 行，代码页 %3\n").arg(t.path.leftJustified(width)).arg(t.rows, 8).arg(t.codePage);
        if (!t.leftOut.isEmpty())
            s += QStringLiteral("      略去的字段（手册没有这种字段）：%1\n").arg(t.leftOut.join(QStringLiteral("，")));
        for (const QString &note : t.notes)
            s += QStringLiteral("      %1\n").arg(note);
    }
    // Copied files, folder by folder.
    QMap<QString, QStringList> byFolder;
    for (const QString &rel : r.copied)
        byFolder[rel.contains(u'/') ? rel.section(u'/', 0, -2) + u'/' : QString()] << rel.section(u'/', -1);
    s += QStringLiteral("\n原样复制的文件（%1 个）：\n").arg(r.copied.size());
    for (auto it = byFolder.begin(); it != byFolder.end(); ++it) {
        if (it.key().isEmpty())
            s += QStringLiteral("  %1\n").arg(it.value().join(QStringLiteral("，")));
        else
            s += QStringLiteral("  %1（%2 个）\n").arg(it.key()).arg(it.value().size());
    }
    s += QStringLiteral("\n计算程序的数据库未转换（原为 Access 文件），在原位置放入手册自带的、已校验的 ISO 286 与 GB/T 1184 数值表：\n");
    for (const QString &rel : r.bundled)
        s += QStringLiteral("  %1\n").arg(rel);
    if (!r.leftOut.isEmpty())
        s += QStringLiteral("\n不需要的 Paradox 附属文件（备注已写入表中，索引等手册不用）：%1\n").arg(r.leftOut.join(QStringLiteral("，")));
    if (r.indexed >= 0)
        s += QStringLiteral("\n全文索引：已建立，%1 条\n").arg(r.indexed);
    else
        s += QStringLiteral("\n全文索引未建立（%1）：全文检索将直接查找内容，较慢\n").arg(r.indexError);
    if (!r.missing.isEmpty())
        s += QStringLiteral("\n注意：来源中没有以下表，手册启动时会报告缺表：%1\n").arg(r.missing.join(QStringLiteral("，")));
    return s;
}

} // namespace handbookimport
