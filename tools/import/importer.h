#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// handbook-import: brings a data directory whose tables are Paradox files (the handbook's older
// format) into the handbook's own layout. Tables become the table files the engine reads, with
// their field kinds and sizes; pictures, pages and other files are copied as they are.
namespace handbookimport {

struct TableResult {
    QString path;         // relative to the data directory ("database/vtree.DB")
    qint64 rows = 0;
    int codePage = 936;   // the code page its texts were read in
    QStringList leftOut;  // fields the handbook has no kind for ("照片 (G)")
    QStringList notes;    // what was adjusted, field by field
};

struct Result {
    QVector<TableResult> tables;
    QStringList copied;   // files copied as they are
    QStringList leftOut;  // Paradox files with no place in the handbook (.MB, .PX, ...)
    QStringList bundled;  // calculator databases taken from the handbook's own data directory
    QStringList missing;  // tables the handbook opens at start that the source lacks
    qint64 indexed = -1;  // documents in the full-text index written for the target (-1: none)
    QString indexError;   // why no index was written
};

struct Options {
    QString bundledDir;   // the handbook's own data directory (its verified calculator tables)
    int codePage = 0;     // 0: each table's texts in the code page its header names (936 if none)
};

// Converts one Paradox table (memoPath: its .MB, or empty) into a new table file at target,
// named after the target's base name. Throws core::Error with the reason; target is then removed.
TableResult convertTable(const QString &dbPath, const QString &memoPath, const QString &target, int codePage = 0);

// Imports the data directory source into target, which must not exist yet (or be an empty
// folder). Everything is written into a new folder beside target, renamed into place only when
// every table was read: on an error target is untouched and the error names the file and reason.
Result importDirectory(const QString &source, const QString &target, const Options &options);

// The report printed at the end.
QString reportText(const Result &result, const QString &target);

} // namespace handbookimport
