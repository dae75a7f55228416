#include "resultfile.h"

#include "core/error.h"
#include "core/text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace datatools {

namespace {

const QString crlf = QStringLiteral("\r\n");
// A result file is a regular file: a device, a FIFO or a folder is never read or replaced.
const QString notRegular = QStringLiteral("Not a regular file");
constexpr qint64 maxResultFileBytes = 64 * 1024 * 1024;

} // namespace

QString readResultFile(const QString &path)
{
    QFile file(path);
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        throw core::Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, notRegular));
    if (!file.open(QIODevice::ReadOnly))
        throw core::Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray bytes = file.read(maxResultFileBytes + 1);
    if (bytes.size() > maxResultFileBytes)
        throw core::Error(QStringLiteral("Cannot open file \"%1\". The file is larger than %2 bytes")
                              .arg(path)
                              .arg(maxResultFileBytes));
    return core::toCrLf(core::fromCp936(bytes));
}

void writeResultFile(const QString &path, const QString &text)
{
    // Only a regular file is replaced, or a new one made (links are followed to their file).
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        throw core::Error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, notRegular));
    // Written beside the old file and swapped in, so a failed write leaves the old content.
    QSaveFile file(target.isSymLink() ? target.canonicalFilePath() : path);
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
