#include "pagetext.h"

#include "htmlpage/htmlpage.h"

#include <QTextDocument>

namespace fulltext {

QString pageText(const QString &dataDir, const QString &file)
{
    const htmlpage::HtmlPage page = htmlpage::loadHtmlPage(dataDir, file);
    if (page.isNotice)
        return QString();
    QTextDocument document;
    document.setHtml(page.html);
    return document.toPlainText();
}

qsizetype occurrenceAt(const QString &text, const QString &needle, int n)
{
    if (needle.isEmpty())
        return -1;
    qsizetype at = text.indexOf(needle, 0, Qt::CaseSensitive);
    for (int i = 0; i < n && at >= 0; ++i)
        at = text.indexOf(needle, at + needle.size(), Qt::CaseSensitive);
    return at;
}

} // namespace fulltext
