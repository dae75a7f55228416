#include "htmlview.h"

#include "core/error.h"
#include "htmlpage/contentfile.h"
#include "htmlpage/htmlpage.h"
#include "htmlpage/pagetext.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QTextDocument>

namespace browser {

using htmlpage::Target;

HtmlView::HtmlView(QWidget *parent) : QTextBrowser(parent)
{
    // Every click is decided here: the browser itself never follows a link.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HtmlView::followLink);
}

void HtmlView::showPage(const QString &path, const QString &fragment)
{
    const htmlpage::HtmlPage page = htmlpage::loadHtmlPage(m_dataDir, path);
    if (page.isNotice) {
        showNotice(page.html);
        return;
    }
    m_page = page.file;
    m_folder = page.folder;
    document()->setBaseUrl(QUrl::fromLocalFile(m_folder + u'/'));
    setHtml(page.html);
    if (!fragment.isEmpty())
        scrollToAnchor(fragment);
    emit pageShown();
}

void HtmlView::showMissing(const QString &path)
{
    showNotice(htmlpage::missingFileNotice(path));
}

void HtmlView::showPicture(const QString &file)
{
    m_page.clear();
    m_folder = QFileInfo(file).absolutePath();
    document()->setBaseUrl(QUrl::fromLocalFile(m_folder + u'/'));
    setHtml(QStringLiteral("<img src=\"%1\">").arg(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded).toHtmlEscaped()));
    emit pageShown();
}

void HtmlView::showNotice(const QString &html)
{
    m_page.clear();
    m_folder.clear();
    document()->setBaseUrl(QUrl());
    setHtml(html);
    emit pageShown();
}

void HtmlView::followLink(const QUrl &link)
{
    const Target target = htmlpage::resolveTarget(m_dataDir, m_folder, link);
    switch (target.kind) {
    case Target::Kind::Outside: QDesktopServices::openUrl(link); break;
    case Target::Kind::Anchor: scrollToAnchor(target.fragment); break;
    case Target::Kind::File:
        if (htmlpage::isPictureFile(target.file))
            showPicture(target.file);
        else if (target.file == m_page && !target.fragment.isEmpty())
            scrollToAnchor(target.fragment);
        else
            showPage(target.file, target.fragment);
        break;
    case Target::Kind::Missing: showMissing(target.file); break;
    case Target::Kind::Ignored: break;
    }
}

QVariant HtmlView::loadResource(int type, const QUrl &name)
{
    // Nothing outside the data directory is read, and nothing without a bound. A resource left
    // out is an empty one, never an invalid value: with that the document would read the file
    // itself, whatever it is.
    const QVariant nothing = QByteArray();
    const Target target = htmlpage::resolveTarget(m_dataDir, m_folder, name);
    if (target.kind != Target::Kind::File)
        return nothing;
    try {
        if (type == QTextDocument::ImageResource)
            return htmlpage::readPicture(m_dataDir, target.file);
        if (type == QTextDocument::StyleSheetResource)
            return htmlpage::decodePage(htmlpage::readContentFile(m_dataDir, target.file, htmlpage::maxPageBytes));
    } catch (const core::Error &) {
        // a picture or style sheet that cannot be read is left out, as a browser does
    }
    return nothing;
}

} // namespace browser
