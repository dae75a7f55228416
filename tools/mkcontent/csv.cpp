#include "csv.h"

#include "core/error.h"

#include <QFile>

namespace content {

Csv parseCsv(const QString &text)
{
    QVector<QStringList> records;
    QStringList record;
    QString cell;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
            continue;
        }
        if (c == u'"') {
            quoted = true;
            any = true;
        } else if (c == u',') {
            record << cell;
            cell.clear();
            any = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (any || !cell.isEmpty()) {
                record << cell;
                records << record;
            }
            record.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
            any = true;
        }
    }
    if (any || !cell.isEmpty()) {
        record << cell;
        records << record;
    }
    Csv csv;
    if (!records.isEmpty()) {
        csv.header = records.takeFirst();
        if (!csv.header.isEmpty() && csv.header[0].startsWith(QChar(0xFEFF)))
            csv.header[0].remove(0, 1);
        csv.rows = records;
    }
    return csv;
}

Csv readCsv(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw core::Error(QStringLiteral("Cannot read %1: %2").arg(path, f.errorString()));
    return parseCsv(QString::fromUtf8(f.readAll()));
}

} // namespace content
