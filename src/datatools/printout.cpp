#include "printout.h"

#include "core/error.h"

#include <QAbstractTextDocumentLayout>
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
    return text;
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
            lines << text.mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

int printLines(QPrinter &printer, const QFont &font, const QStringList &lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw core::Error(QStringLiteral("Printer selected is not valid"));
    QFont printFont = font;
    printFont.setPointSizeF(font.pointSizeF());
    painter.setFont(printFont);
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

} // namespace datatools
