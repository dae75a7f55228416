#include "clipboardtext.h"

#include <algorithm>

namespace dataexport {

namespace {

QString tsvCell(const QString &text)
{
    if (!text.contains(u'\t') && !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(u'"'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

QString htmlCell(const QString &text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    escaped.replace(u'\n', QLatin1String("<br>"));
    escaped.replace(u'\r', QLatin1String("<br>"));
    return escaped;
}

} // namespace

QString tabSeparated(const Sheet &sheet)
{
    QString out;
    auto line = [&](const QStringList &cells) {
        QStringList quoted;
        quoted.reserve(cells.size());
        for (const QString &c : cells)
            quoted << tsvCell(c);
        out += quoted.join(u'\t') + u'\n';
    };
    for (const QStringList &row : titleRowsOf(sheet))
        line(row);
    if (sheet.forEachRow)
        sheet.forEachRow(line);
    return out;
}

QString htmlTable(const Sheet &sheet)
{
    QString out = QStringLiteral("<table border=\"1\" cellspacing=\"0\">\n");
    if (sheet.titleRows > 0) {
        QVector<TitleCell> titles = sheet.titles;
        std::sort(titles.begin(), titles.end(), [](const TitleCell &a, const TitleCell &b) { return a.firstColumn < b.firstColumn; });
        out += QStringLiteral("<thead>\n");
        for (int r = 0; r < sheet.titleRows; ++r) {
            out += QStringLiteral("<tr>");
            for (const TitleCell &c : std::as_const(titles)) {
                if (c.topRow != r)
                    continue;
                out += QStringLiteral("<th");
                if (c.lastColumn > c.firstColumn)
                    out += QStringLiteral(" colspan=\"%1\"").arg(c.lastColumn - c.firstColumn + 1);
                if (c.rowSpan > 1)
                    out += QStringLiteral(" rowspan=\"%1\"").arg(c.rowSpan);
                out += u'>' + htmlCell(c.text) + QStringLiteral("</th>");
            }
            out += QStringLiteral("</tr>\n");
        }
        out += QStringLiteral("</thead>\n");
    }
    out += QStringLiteral("<tbody>\n");
    if (sheet.forEachRow) {
        sheet.forEachRow([&](const QStringList &cells) {
            out += QStringLiteral("<tr>");
            for (const QString &c : cells)
                out += QStringLiteral("<td>") + htmlCell(c) + QStringLiteral("</td>");
            out += QStringLiteral("</tr>\n");
        });
    }
    out += QStringLiteral("</tbody>\n</table>\n");
    return out;
}

} // namespace dataexport
