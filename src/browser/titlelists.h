#pragma once
#include <QString>

namespace storage {
class Dataset;
}

// The index and find lists of the left pane, both over the index table vt.
namespace browser {

// The find list's statement: rows with a page table whose title contains the bound text, as
// whole characters, literally and case-sensitively, in the table's stored order.
extern const QString FindStatement;

// Index box: makes the first row (in the list's code page 936 title order) whose CName begins
// with the text current; an empty text goes to the first row. Letter case counts. Returns false
// and leaves the current row when no title begins with the text. Binary search: the list is
// sorted by CName, so one keystroke costs a few row reads even over tens of thousands of rows.
bool jumpToPrefix(storage::Dataset &indexList, const QString &text);

// Find box: reopens the find list on the titles that contain the text (blanks around it removed).
void runFind(storage::Dataset &findList, const QString &text);

} // namespace browser
