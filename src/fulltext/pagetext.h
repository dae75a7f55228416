#pragma once
#include <QString>

namespace fulltext {

// The text of an HTML page as the page area shows it, tags left out: the file is decoded by its
// own charset declaration (UTF-8 without one) and laid out as the page's text browser lays it
// out, so a position in this text is a position in the shown page. Empty when the file cannot
// be read.
QString pageText(const QString &file);

// The position of the n-th occurrence (from 0) of a text in a page text, or -1.
qsizetype occurrenceAt(const QString &text, const QString &needle, int n);

} // namespace fulltext
