#pragma once
#include <QPageLayout>
#include <QStringList>

namespace dataexport {
struct Sheet;
}

class QFont;
class QPlainTextEdit;
class QPrinter;

namespace datatools {

// The text of a plain-text box exactly as it holds it (line ends as "\n", also a line separator
// that came in with pasted text), without the conversions of toPlainText (which turns no-break
// spaces into spaces).
QString paneText(const QPlainTextEdit *pane);

// Shift+Enter in the pane starts a new line as Enter does, instead of the line separator U+2028
// that a plain-text box puts in for it (and that no result file or stored text should hold).
void plainLineBreaks(QPlainTextEdit *pane);

// The lines of a plain-text box as it displays them: a long line that the box wraps gives one
// line per wrapped piece.
QStringList displayedLines(const QPlainTextEdit *pane);

// Prints the lines in order, one printed line each, in the font at its point size, starting a new
// page when a page is full. Returns the number of pages printed.
int printLines(QPrinter &printer, const QFont &font, const QStringList &lines);

// Prints a data page as a table: on every printed page the page title and all title rows (a
// title over several columns or rows drawn as one cell), then as many rows as fit, and the page
// number at the foot. Columns are as wide as their titles and the cells of the first rows need; a
// table wider than the page is drawn smaller to fit its width. A cell shows one line, cut with
// "…" when it is wider than its column. Returns the number of pages printed.
int printSheet(QPrinter &printer, const QFont &font, const dataexport::Sheet &sheet);
// Landscape when the table is wider than a portrait page of the printer.
QPageLayout::Orientation preferredOrientation(QPrinter &printer, const QFont &font, const dataexport::Sheet &sheet);

} // namespace datatools
