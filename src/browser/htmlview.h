#pragma once
#include <QTextBrowser>

namespace browser {

// The browser of the page pane. It shows only what the htmlpage module lets through: pages and
// their pictures from content files within bounds, a notice in place of a page that is missing
// or too costly. Links to other pages and pictures of the data directory open in the pane;
// http(s), ftp and mailto links open in the system's own programs, never in the pane.
class HtmlView : public QTextBrowser {
    Q_OBJECT
public:
    explicit HtmlView(QWidget *parent = nullptr);

    // The directory every page and picture must lie in.
    void setDataDirectory(const QString &dir) { m_dataDir = dir; }
    // Shows the page file at path (as a page name made it), or its notice; then goes to the
    // anchor named by fragment, if any.
    void showPage(const QString &path, const QString &fragment = QString());
    // The notice of a missing page in place of the page named path.
    void showMissing(const QString &path);
    // The page file shown; empty while a notice is shown.
    const QString &pageFile() const { return m_page; }

    // What the page may load: content files only, within bounds (an empty value for anything else).
    QVariant loadResource(int type, const QUrl &name) override;

signals:
    // A page, a picture or a notice took the pane (the browser's own source never changes).
    void pageShown();

private:
    void followLink(const QUrl &link);
    void showPicture(const QString &file);
    void showNotice(const QString &html);

    QString m_dataDir;
    QString m_page;
    QString m_folder; // where the names of the page shown start
};

} // namespace browser
