#pragma once
#include <QString>

#include <functional>

namespace storage {
class Dataset;
}

namespace browser {

struct TTreeRec;

// Shows the page of a kind (the page area's ShowPage).
using ShowPageFn = std::function<void(unsigned kind)>;

// Page kind of a CFrame text: a decimal integer; a negative one wraps to a large unsigned kind.
// Throws the conversion error "'%s' is not a valid integer value".
unsigned pageKind(const QString &cframe);

// The selection steps: puts the page values of the source's current row into the shared state
// (CurTable, CurPicture, KeyColumns and, for a row with a page kind, CurTitle) and shows its page;
// a heading (blank CFrame) shows the cover. Returns true when the row has a page kind, i.e. when
// the visit is to be recorded.
bool selectPage(const storage::Dataset &source, const ShowPageFn &showPage);

// Appends a copy of the source's current row to target: the eight fields that history and
// bookmarks keep (blank stays blank). The source is read first, so a closed source stores nothing.
void appendCatalogueCopy(storage::Dataset &target, const storage::Dataset &source);

// The catalogue table that holds a node: "vtree.db" for BranchKey "0", else "vt<key>.db".
QString branchTable(const QString &branchKey);

// Switches the catalogue dataset to the table of the node and makes the node's row current
// (identifier compared ignoring case); when it is missing the table's first row stays current.
// Throws the engine's error when the table does not open (the dataset then stays closed).
void openNode(storage::Dataset &catalogue, const TTreeRec &node);

// The navigation history: visits appended to History.DB (at most 21 rows kept), and the two
// toolbar steps through them. The table is closed after every visit and stays open while the
// user steps; its current row is the stepping position.
class History {
public:
    History(storage::Dataset &table, ShowPageFn showPage);

    // Records the source's current row as the newest visit; forgets the stepping position.
    void add(const storage::Dataset &source);
    // "上一页": one row towards newer visits (from the oldest row when not stepping).
    void stepNewer();
    // "下一页": one row towards older visits (from the newest row when not stepping).
    void stepOlder();

    static constexpr int MaxRows = 21;

private:
    void showCurrent();
    storage::Dataset &m_table;
    ShowPageFn m_showPage;
};

} // namespace browser
