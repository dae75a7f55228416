#include "resultfile.h"

#include "core/error.h"
#include "core/text.h"

#include <QFile>
#include <QSaveFile>

namespace datatools {

namespace {
const QString crlf = QStringLiteral("\r\n");
}

QString readResultFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw core::Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return core::toCrLf(core::fromCp936(file.readAll()));
}

void writeResultFile(const QString &path, const QString &text)
{
    // Written beside the old file and swapped in, so a failed write leaves the old content.
    QSaveFile file(path);
    const QByteArray bytes = core::toCp936(text);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw core::Error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
}

QString appendLine(const QString &text, const QString &line)
{
    if (text.isEmpty() || text.endsWith(crlf))
        return text + line + crlf;
    return text + crlf + line;
}

QString appendImportBlock(const QString &text, const QString &storedResult)
{
    const QString rule(43, u'-');
    QString out = appendLine(text, QString(4, u' '));
    out = appendLine(out, rule);
    out = appendLine(out, storedResult);
    return appendLine(out, rule);
}

} // namespace datatools
