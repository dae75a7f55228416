#pragma once
#include "hit.h"

#include <QStringList>
#include <QVector>

namespace fulltext {

// A catalogue record the search reads: its place, its title and note, and its page.
struct CatalogueNode {
    NodeRef ref;
    QString title;    // CName
    QString note;     // CMemo
    QString frame;    // CFrame as stored (blank: a heading)
    QString argument; // Ctable
};

// A page whose text is searched: an HTML page or a data table, with the first node that shows it.
struct ContentPage {
    int node;     // position in SearchableContent::nodes
    QString file; // absolute path of the file as it exists
    QString name; // data tables: the node's Ctable, as the page opens it
};

// Everything the full-text search covers in a data directory, in the order hits are listed:
// every catalogue record (the roots in vtree.DB, each root's branch table, then the index table
// vt; a record of vt that repeats one of a branch, same CID, title and note, is listed once),
// the HTML pages and the data tables the records show (each file once, for the first record that
// shows it). Pages and tables that no record shows cannot be opened and are left out.
struct SearchableContent {
    QString dataDir; // absolute
    QVector<CatalogueNode> nodes;
    QVector<ContentPage> htmlPages;
    QVector<ContentPage> tables;
    // The files the content was read from, relative to the data directory, including files a
    // record names that do not exist (so that their appearance is noticed).
    QStringList sourceFiles;
};

// Reads the catalogue of a data directory (a relative path is taken from the current directory;
// the source files are named relative to the directory). A branch table that is missing is skipped (and listed
// among the source files). Throws storage::Error when a catalogue table cannot be read.
SearchableContent readContent(const QString &dataDir);

// The state of each source file, one text per file: size, modification time and, for a table,
// the change counter SQLite keeps in its header and the state of its write-ahead log; "-" for a
// missing file. Any write to a table or a page changes its text.
QStringList sourceStates(const QString &dataDir, const QStringList &files);

// The catalogue's root table as the source files name it (the first of them).
QString rootTableFile(const QString &dataDir);

// What the texts of cells of some field kinds (their codes, as in the field list) depend on
// beyond the files: the user's locale, for the decimal separator of fractions and the formats of
// dates and times. The stamp begins with the kinds it covers; kinds whose text does not depend on
// the locale (texts, integers, logicals) add nothing, so a handbook without such cells reads its
// index under every locale.
QString textFormStamp(const QString &kindCodes);
// The stamp for the kinds a stored stamp covers, as the locale is now.
QString textFormStampLike(const QString &stored);

} // namespace fulltext
