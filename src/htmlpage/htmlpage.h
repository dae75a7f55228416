#pragma once
#include <QString>
#include <QUrl>

// An HTML page of the handbook as the page pane may show it.
namespace htmlpage {

// What the pane shows for a page file: the page's text, or a short notice in its place when the
// file is missing, is no content file, or would cost the browser too much.
struct HtmlPage {
    QString html;   // the page, or the notice (HTML too)
    QString file;   // the page file as it exists; empty for a notice
    QString folder; // the page's folder, where its relative names start; empty for a notice
    bool isNotice = false;
};

// Loads the page at path (as the page's name made it; resolved without regard to case, inside
// dataDir only), decoded and measured.
HtmlPage loadHtmlPage(const QString &dataDir, const QString &path);

// The notice shown in the pane in place of a page: a heading and one line of detail.
QString noticePage(const QString &heading, const QString &detail);
// The notice for a page or a link target that cannot be found (path as the page named it).
QString missingFileNotice(const QString &path);

// Where a link or a resource name of a page leads.
struct Target {
    enum class Kind {
        Outside, // http, https, ftp or mailto: the system's own programs open it
        Anchor,  // a place in the page shown (fragment)
        File,    // a content file (file)
        Missing, // a file name that leads nowhere inside the data directory (file holds the name)
        Ignored, // any other scheme (javascript:, data:, ...): nothing is opened
    };
    Kind kind = Kind::Ignored;
    QString file;
    QString fragment;
};
// Names are resolved from the page's folder as table names are (letter case ignored, "\" as a
// separator), and only inside dataDir: "../" out of it and absolute paths elsewhere are Missing.
Target resolveTarget(const QString &dataDir, const QString &pageFolder, const QUrl &link);

// Whether a link target is shown as a picture rather than as a page (by its extension).
bool isPictureFile(const QString &path);

} // namespace htmlpage
