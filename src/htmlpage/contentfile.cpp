#include "contentfile.h"

#include "core/error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace htmlpage {

namespace {

[[noreturn]] void refuse(const QString &path, const QString &why)
{
    throw core::Error(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), why));
}

} // namespace

bool isContentFile(const QString &dataDir, const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile()) // follows links: a device, FIFO or socket is no file
        return false;
    const QString root = QFileInfo(dataDir).canonicalFilePath();
    const QString real = file.canonicalFilePath();
    return !root.isEmpty() && real.startsWith(root + u'/');
}

QByteArray readContentFile(const QString &dataDir, const QString &path, qint64 maxBytes)
{
    if (!QFileInfo(path).exists())
        refuse(path, QStringLiteral("No such file or directory"));
    if (!isContentFile(dataDir, path))
        refuse(path, QStringLiteral("Not a regular file of the data directory"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(path, file.errorString());
    // The file may grow between the test and the read: never more than the bound is read.
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        refuse(path, QStringLiteral("The file is larger than %1 bytes").arg(maxBytes));
    if (file.error() != QFileDevice::NoError)
        refuse(path, file.errorString());
    return bytes;
}

QImage readPicture(const QString &dataDir, const QString &path)
{
    const auto fail = [&](const QString &why) -> QImage {
        throw core::Error(QStringLiteral("Cannot load picture \"%1\": %2").arg(path, why));
    };
    QByteArray bytes;
    try {
        bytes = readContentFile(dataDir, path, maxPictureBytes);
    } catch (const core::Error &e) {
        return fail(e.text());
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The format comes from the file's name first, as the loader is told by the extension.
    QImageReader reader(&buffer, QFileInfo(path).suffix().toLatin1());
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > maxPicturePixels)
        return fail(QStringLiteral("%1 x %2 pixels is larger than a picture may be").arg(size.width()).arg(size.height()));
    reader.setAllocationLimit(int(maxPicturePixels * 4 / (1024 * 1024)) + 1);
    const QImage image = reader.read();
    if (image.isNull())
        return fail(reader.errorString());
    return image;
}

} // namespace htmlpage
