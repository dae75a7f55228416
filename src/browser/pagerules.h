#pragma once
#include <QString>

// The rules by which a page is laid out, kept apart from the widgets so they can be checked alone.
namespace browser {

// Lower pane: note (left) and picture (right) below the page.
struct LowerPaneLayout {
    bool visible;     // false: the page takes the whole area below the title bar
    bool showNote;
    bool showPicture;
};
LowerPaneLayout lowerPaneLayout(bool hasPicture, bool hasNote);

// Path of an HTML page: the name is used as it is when it contains "htm" (letter case counts),
// otherwise ".htm" is appended.
QString htmlPagePath(const QString &appDir, const QString &name);
// The file name part of it, inside "txt".
QString htmlPageFileName(const QString &name);

// Display width of a data-page column from its field name and current width: wide enough for the
// last title row (in code page 936 bytes, plus 2), then kept between 6 and 60.
int columnDisplayWidth(const QString &fieldName, int displayWidth);

// The picture file for a base name in a directory: the BMP when it exists, else the JPEG when it
// exists (letter case of the names ignored); empty when neither does, or when the name leaves dir.
QString pictureFile(const QString &dir, const QString &baseName);

} // namespace browser
