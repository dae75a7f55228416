#pragma once
#include <QString>

namespace fulltext {

// Where in the handbook a text was found, in the order results are listed.
enum class Place { Title, Note, PageText, Cell };

// The catalogue row a hit opens: the catalogue table in database/ that holds it ("vtree.DB",
// "vt02.db", "vt.db") and its CID, located as a tree click locates a node.
struct NodeRef {
    QString catalogue;
    QString id;
};

// One hit: the page it opens, where it is and an excerpt of the text around it.
struct Hit {
    Place place = Place::Title;
    NodeRef node;
    QString pageTitle;     // the node's CName
    // Cells: the data table (the node's Ctable), the row's id in it, its position in the table's
    // stored order (from 1) and the field (position and name, title rows separated by "|").
    QString table;
    qint64 rowId = -1;
    int rowNumber = 0;
    int field = -1;
    QString fieldName;
    // Page text: which occurrence of the text in the page it is (from 0).
    int occurrence = 0;
    // The excerpt (line breaks shown as blanks) and the hit in it.
    QString excerpt;
    int at = 0;
    int length = 0;
};

// The excerpt of a hit found at `at` in `text`: a few characters before it, the hit and what
// follows, cut to a line's worth; line breaks become blanks.
void setExcerpt(Hit &hit, const QString &text, qsizetype at, qsizetype length);

// The text to look for as the search box gives it: blanks around it removed.
QString searchText(const QString &boxText);

// Length of a text in characters (a character outside the basic plane counts one), as the
// trigram index counts them.
int characterCount(const QString &text);

} // namespace fulltext
