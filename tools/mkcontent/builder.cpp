#include "builder.h"

#include "core/error.h"
#include "pictures.h"
#include "storage/sqlite.h"
#include "tables.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace content {

namespace {

struct Job {
    QStringList sources;
    QString target; // relative to the output directory
    enum Kind { Table, Database, Picture, Copy } kind;
};

QDateTime newest(const QStringList &files)
{
    QDateTime t;
    for (const QString &f : files) {
        const QDateTime m = QFileInfo(f).lastModified();
        if (!t.isValid() || m > t)
            t = m;
    }
    return t;
}

QString chop(const QString &path, int n)
{
    return path.left(path.size() - n);
}

} // namespace

bool isUserFile(const QString &relativePath)
{
    static const QStringList names = {QStringLiteral("History.DB"), QStringLiteral("ibook.db"),
                                      QStringLiteral("cx_jl.db"), QStringLiteral("cx_jg.rst")};
    return names.contains(QFileInfo(relativePath).fileName(), Qt::CaseInsensitive);
}

int build(const QString &contentDir, const QString &outDir, const QDateTime &toolStamp)
{
    const QDir root(contentDir);
    if (!root.exists())
        throw core::Error(QStringLiteral("Content folder %1 does not exist").arg(contentDir));
    QVector<Job> jobs;
    QDirIterator it(contentDir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList entries;
    while (it.hasNext())
        entries << it.next();
    entries.sort();
    for (const QString &path : std::as_const(entries)) {
        const QString rel = root.relativeFilePath(path);
        const QFileInfo info(path);
        const bool inMdb = rel.section(u'/', 0, -2).endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive);
        if (info.isDir()) {
            if (rel.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive)) {
                QStringList csvs;
                for (const QString &f : QDir(path).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name))
                    csvs << path + u'/' + f;
                jobs << Job{csvs, rel, Job::Database};
            }
            continue;
        }
        if (inMdb || rel.endsWith(QLatin1String(".md")))
            continue;
        if (rel.endsWith(QLatin1String(".csv")))
            jobs << Job{{path}, chop(rel, 4), Job::Table};
        else if (rel.endsWith(QLatin1String(".pic")))
            jobs << Job{{path}, chop(rel, 4), Job::Picture};
        else
            jobs << Job{{path}, rel, Job::Copy};
    }

    int written = 0;
    for (const Job &job : std::as_const(jobs)) {
        const QString target = outDir + u'/' + job.target;
        const QFileInfo out(target);
        if (out.exists()) {
            if (isUserFile(job.target))
                continue;
            QDateTime src = newest(job.sources);
            if (job.kind == Job::Database) // a table added to or removed from the folder
                src = std::max(src, QFileInfo(contentDir + u'/' + job.target).lastModified());
            if (out.lastModified() >= src && (!toolStamp.isValid() || out.lastModified() >= toolStamp))
                continue;
        }
        QDir().mkpath(out.absolutePath());
        switch (job.kind) {
        case Job::Table:
            writeTableFile(target, readCsv(job.sources[0]));
            if (isUserFile(job.target)) {
                // Written by the user a row at a time: WAL keeps each commit cheap and durable.
                storage::Connection::open(target)->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            }
            break;
        case Job::Database: {
            QVector<QPair<QString, Csv>> tables;
            for (const QString &s : job.sources)
                tables.append({QFileInfo(s).completeBaseName(), readCsv(s)});
            writeDatabaseFile(target, tables);
            break;
        }
        case Job::Picture: writePicture(job.sources[0], target); break;
        case Job::Copy:
            QFile::remove(target);
            if (!QFile::copy(job.sources[0], target))
                throw core::Error(QStringLiteral("Cannot copy %1 to %2").arg(job.sources[0], target));
            // A copy keeps the source's time; mark it as built now.
            QFile(target).setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
            break;
        }
        ++written;
    }
    return written;
}

} // namespace content
