#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// The files a page names (the page itself, its pictures, its style sheets, the pictures of the
// page area) are read only when they are regular files inside the data directory, and only up
// to a size: a device, a FIFO or a link out of the directory is never opened.
namespace htmlpage {

// Bounds of what one file may cost.
constexpr qint64 maxPageBytes = 512 * 1024;          // an HTML page or a style sheet
constexpr qint64 maxPictureBytes = 32 * 1024 * 1024;  // a picture file
constexpr qint64 maxPicturePixels = 40'000'000;       // a decoded picture (160 MB at 32 bits)

// Whether path is a regular file whose real location (links followed) lies inside dataDir.
bool isContentFile(const QString &dataDir, const QString &path);

// The bytes of a content file. Throws core::Error when it is not a content file, is larger than
// maxBytes, or cannot be read.
QByteArray readContentFile(const QString &dataDir, const QString &path, qint64 maxBytes);

// A picture from a content file, decoded within the bounds above. Throws core::Error with the
// picture loader's text ("Cannot load picture ...") when it cannot be shown.
QImage readPicture(const QString &dataDir, const QString &path);

} // namespace htmlpage
