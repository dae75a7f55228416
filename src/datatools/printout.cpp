#include "printout.h"

#include "core/error.h"
#include "export/sheet.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextBlock>
#include <QTextLayout>

namespace datatools {

QString paneText(const QPlainTextEdit *pane)
{
    QString text = pane->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

namespace {

class PlainLineBreaks : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || !(key->modifiers() & Qt::ShiftModifier))
            return false;
        QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ShiftModifier, key->text(),
                        key->isAutoRepeat(), ushort(key->count()));
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};

} // namespace

void plainLineBreaks(QPlainTextEdit *pane)
{
    pane->installEventFilter(new PlainLineBreaks(pane));
}

QStringList displayedLines(const QPlainTextEdit *pane)
{
    QStringList lines;
    const QTextDocument *doc = pane->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        doc->documentLayout()->blockBoundingRect(block); // lays the block out if it is not yet
        const QString text = block.text();
        const QTextLayout *layout = block.layout();
        if (!layout || layout->lineCount() == 0) {
            lines << text;
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            // A line separator ends its line; it is not a character to print.
            lines << text.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
        }
    }
    return lines;
}

namespace {

void beginPainting(QPainter &painter, QPrinter &printer, const QFont &font)
{
    if (!painter.begin(&printer))
        throw core::Error(QStringLiteral("Printer selected is not valid"));
    QFont printFont = font;
    printFont.setPointSizeF(font.pointSizeF());
    painter.setFont(printFont);
}

// Rows whose cells are measured for the column widths; later rows are cut to fit.
constexpr int measuredRows = 2000;

// The column edges of a sheet in device pixels: each column as wide as its single-column title
// and the cells of its first rows need (at most 40 characters), a spanning title widening the
// columns under it evenly when they are narrower than its text.
QVector<int> columnEdges(const dataexport::Sheet &sheet, const QFontMetrics &metrics)
{
    const int padding = metrics.averageCharWidth();
    const int widest = 40 * metrics.averageCharWidth();
    QVector<int> widths(sheet.columnCount, 2 * padding);
    // A little more than the text needs: the painter's metrics may round differently.
    auto fit = [&](int column, const QString &text) {
        widths[column] = std::max(widths[column], std::min(widest, metrics.horizontalAdvance(text) + padding / 4));
    };
    for (const dataexport::TitleCell &t : sheet.titles) {
        if (t.firstColumn == t.lastColumn && t.firstColumn < widths.size())
            fit(t.firstColumn, t.text);
    }
    if (sheet.forEachRow) {
        int row = 0;
        sheet.forEachRow([&](const QStringList &cells) {
            for (int c = 0; row < measuredRows && c < cells.size() && c < widths.size(); ++c)
                fit(c, cells[c]);
            ++row;
        });
    }
    for (const dataexport::TitleCell &t : sheet.titles) {
        if (t.lastColumn <= t.firstColumn || t.lastColumn >= widths.size())
            continue;
        const int columns = t.lastColumn - t.firstColumn + 1;
        int span = (columns - 1) * padding;
        for (int c = t.firstColumn; c <= t.lastColumn; ++c)
            span += widths[c];
        const int missing = std::min(widest, metrics.horizontalAdvance(t.text)) - span;
        for (int c = t.firstColumn; missing > 0 && c <= t.lastColumn; ++c)
            widths[c] += (missing + columns - 1) / columns;
    }
    QVector<int> edges{0};
    for (int w : widths)
        edges << edges.last() + w + padding;
    return edges;
}

} // namespace

int printLines(QPrinter &printer, const QFont &font, const QStringList &lines)
{
    QPainter painter;
    beginPainting(painter, printer, font);
    const QFont printFont = painter.font();
    const QFontMetrics metrics(printFont, &printer);
    const int height = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const int step = metrics.lineSpacing();
    int pages = 1;
    int y = 0;
    for (const QString &line : lines) {
        if (y > 0 && y + step > height) {
            printer.newPage();
            ++pages;
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += step;
    }
    painter.end();
    return pages;
}

QPageLayout::Orientation preferredOrientation(QPrinter &printer, const QFont &font, const dataexport::Sheet &sheet)
{
    QFont printFont = font;
    printFont.setPointSizeF(font.pointSizeF());
    const QFontMetrics metrics(printFont, &printer);
    QPageLayout portrait = printer.pageLayout();
    portrait.setOrientation(QPageLayout::Portrait);
    const int width = portrait.paintRectPixels(printer.resolution()).width();
    return columnEdges(sheet, metrics).last() > width ? QPageLayout::Landscape : QPageLayout::Portrait;
}

int printSheet(QPrinter &printer, const QFont &font, const dataexport::Sheet &sheet)
{
    QPainter painter;
    beginPainting(painter, printer, font);
    const QFontMetrics metrics(painter.font(), &printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QVector<int> edges = columnEdges(sheet, metrics);
    const int padding = metrics.averageCharWidth() / 2;
    const int lineHeight = metrics.height() + padding;
    // A table wider than the page is drawn smaller; the page is then taller in table units.
    const double scale = edges.last() > page.width() ? double(page.width()) / edges.last() : 1.0;
    painter.scale(scale, scale);
    const int pageHeight = int(page.height() / scale);
    const int footer = lineHeight;
    const QFont regular = painter.font();
    QFont bold = regular;
    bold.setBold(true);

    auto drawCell = [&](const QRect &r, const QString &text, Qt::Alignment align) {
        painter.drawRect(r);
        const QString shown = metrics.elidedText(QString(text).replace(u'\n', u' ').replace(u'\r', u' '), Qt::ElideRight,
                                                 std::max(0, r.width() - 2 * padding));
        painter.drawText(r.adjusted(padding, 0, -padding, 0), int(align | Qt::AlignVCenter), shown);
    };
    int pages = 1;
    int y = 0;
    auto head = [&] {
        painter.setFont(bold);
        painter.drawText(QRect(0, 0, edges.last(), lineHeight), int(Qt::AlignLeft | Qt::AlignVCenter), sheet.name);
        y = lineHeight + padding;
        for (const dataexport::TitleCell &t : sheet.titles) {
            const QRect r(edges.value(t.firstColumn), y + t.topRow * lineHeight,
                          edges.value(t.lastColumn + 1) - edges.value(t.firstColumn), t.rowSpan * lineHeight);
            drawCell(r, t.text, Qt::AlignHCenter);
        }
        painter.setFont(regular);
        y += sheet.titleRows * lineHeight;
    };
    auto foot = [&] {
        painter.drawText(QRect(0, pageHeight - footer, edges.last(), footer), int(Qt::AlignHCenter | Qt::AlignBottom),
                         QStringLiteral("第 %1 页").arg(pages));
    };
    head();
    if (sheet.forEachRow) {
        sheet.forEachRow([&](const QStringList &cells) {
            if (y + lineHeight > pageHeight - footer) {
                foot();
                printer.newPage();
                ++pages;
                head();
            }
            for (int c = 0; c < sheet.columnCount; ++c) {
                const QRect r(edges[c], y, edges[c + 1] - edges[c], lineHeight);
                drawCell(r, cells.value(c), sheet.numbers.value(c) ? Qt::AlignRight : Qt::AlignLeft);
            }
            y += lineHeight;
        });
    }
    foot();
    painter.end();
    return pages;
}

} // namespace datatools
