#include "csvfile.h"

#include "core/error.h"

#include <QSaveFile>

namespace dataexport {

namespace {

void appendCell(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r')) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

void writeCsv(const Sheet &sheet, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw core::Error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    QByteArray buffer("\xEF\xBB\xBF");
    auto line = [&](const QStringList &cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                buffer += ',';
            appendCell(buffer, cells[i]);
        }
        buffer += "\r\n";
        if (buffer.size() >= (1 << 20)) {
            file.write(buffer);
            buffer.clear();
        }
    };
    for (const QStringList &row : titleRowsOf(sheet))
        line(row);
    if (sheet.forEachRow)
        sheet.forEachRow(line);
    file.write(buffer);
    if (!file.commit())
        throw core::Error(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}

} // namespace dataexport
