#include "pagerules.h"

#include "core/text.h"
#include "storage/paths.h"

namespace browser {

LowerPaneLayout lowerPaneLayout(bool hasPicture, bool hasNote)
{
    return {hasPicture || hasNote, hasNote, hasPicture};
}

QString htmlPagePath(const QString &appDir, const QString &name)
{
    return appDir + QStringLiteral("txt/") + htmlPageFileName(name);
}

QString htmlPageFileName(const QString &name)
{
    return name.contains(QLatin1String("htm"), Qt::CaseSensitive) ? name : name + QStringLiteral(".htm");
}

int columnDisplayWidth(const QString &fieldName, int displayWidth)
{
    // Byte position (1-based) of the last "|" character; a "|" byte inside a double-byte
    // character does not count.
    const qsizetype bar = fieldName.lastIndexOf(u'|');
    const int p = bar < 0 ? 0 : core::cp936Length(fieldName.left(bar + 1));
    const int l = core::cp936Length(fieldName);
    int w = displayWidth;
    if (l - p >= w)
        w = l - p + 2;
    return std::clamp(w, 6, 60);
}

QString pictureFile(const QString &dir, const QString &baseName)
{
    for (const char *ext : {".bmp", ".jpg"}) {
        const QString found = storage::resolveInside(dir, baseName + QLatin1String(ext));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

} // namespace browser
