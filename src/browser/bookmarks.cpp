#include "bookmarks.h"

#include "navigation.h"
#include "storage/dataset.h"

namespace browser {

void addBookmark(storage::Dataset &book, const storage::Dataset &source)
{
    appendCatalogueCopy(book, source);
}

void deleteBookmark(storage::Dataset &book)
{
    book.deleteCurrent();
}

void clearBookmarks(storage::Dataset &book)
{
    book.first();
    while (!book.isEmpty())
        book.deleteCurrent();
}

} // namespace browser
