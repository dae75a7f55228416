#include "htmlpage_ops.h"

#include "browser/htmlview.h"
#include "measure.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

namespace bench {

QVector<Figure> htmlPageFigures(int runs)
{
    QTemporaryDir dir;
    const QString table = QStringLiteral("<table><tr><td>");
    const QString tableEnd = QStringLiteral("</td></tr></table>");
    const QList<std::pair<QString, QString>> pages = {
        {QStringLiteral("HTML page, tables nested 50 deep, to its notice"), table.repeated(50) + u'x' + tableEnd.repeated(50)},
        {QStringLiteral("HTML page, tables nested 5,000 deep, to its notice"), table.repeated(5000) + u'x' + tableEnd.repeated(5000)},
        {QStringLiteral("HTML page, 100,000 nested divs (500 KB), to its notice"), QStringLiteral("<div>").repeated(100000) + u'x'},
        {QStringLiteral("HTML page within bounds: tables nested 8 deep, 16 times"),
         (table.repeated(8) + u'x' + tableEnd.repeated(8)).repeated(16)},
        {QStringLiteral("HTML page within bounds: 5,000 list items"),
         QStringLiteral("<ul>") + QStringLiteral("<li>item</li>").repeated(4999) + QStringLiteral("</ul>")},
    };
    browser::HtmlView view;
    view.resize(800, 600);
    view.setDataDirectory(dir.path());
    QVector<Figure> out;
    for (const auto &[name, html] : pages) {
        const QString file = dir.filePath(QStringLiteral("page.htm"));
        QFile f(file);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(html.toUtf8());
        f.close();
        Figure figure;
        figure.operation = name;
        figure.ms = medianMs(runs, [&] {
            view.showPage(file);
            view.document()->documentLayout()->documentSize();
        });
        const bool notice = view.pageFile().isEmpty();
        const bool pastBounds = name.endsWith(QStringLiteral("notice"));
        figure.target = pastBounds ? QStringLiteral("≤ 100 ms") : QStringLiteral("≤ 1000 ms");
        figure.met = notice == pastBounds && figure.ms <= (pastBounds ? 100 : 1000);
        figure.note = notice ? QStringLiteral("notice shown") : QStringLiteral("page shown");
        out << figure;
    }
    return out;
}

} // namespace bench
