#pragma once

namespace storage {
class Dataset;
}

// Bookmarks kept in ibook.db: copies of catalogue rows, appended at the end, duplicates allowed.
// The notices that follow each action are the window's; these throw the engine's error instead.
namespace browser {

// Appends the source's current row; opens the bookmark table when closed and leaves it open.
void addBookmark(storage::Dataset &book, const storage::Dataset &source);
// Deletes the current bookmark (the engine's error on an empty list).
void deleteBookmark(storage::Dataset &book);
// Deletes every bookmark, one row at a time from the first.
void clearBookmarks(storage::Dataset &book);

} // namespace browser
