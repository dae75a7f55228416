#pragma once
#include <QString>

namespace fulltext {

// The text of an HTML page of a data directory as the page pane shows it, tags left out: the
// page is loaded as the pane loads it (htmlpage) and its text taken from the document the pane's
// browser builds, so a position in this text is a position in the shown page. Empty when the pane
// shows a notice instead (a missing, oversized or too complex page).
QString pageText(const QString &dataDir, const QString &file);

// The position of the n-th occurrence (from 0) of a text in a page text, or -1.
qsizetype occurrenceAt(const QString &text, const QString &needle, int n);

} // namespace fulltext
