#include "htmlpage.h"

#include "contentfile.h"
#include "core/error.h"
#include "pagecost.h"
#include "pagetext.h"
#include "storage/paths.h"

#include <QDir>
#include <QFileInfo>

namespace htmlpage {

namespace {

QString cleanDir(const QString &dir)
{
    return QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
}

// A path written with either separator, resolved without regard to case, inside dataDir only.
QString resolveInData(const QString &dataDir, const QString &path)
{
    const QString root = cleanDir(dataDir);
    QString wanted = path;
    wanted.replace(u'\\', u'/');
    wanted = QDir::cleanPath(wanted);
    if (!wanted.startsWith(root + u'/'))
        return QString();
    return storage::resolveInside(root, wanted.mid(root.size() + 1));
}

} // namespace

QString noticePage(const QString &heading, const QString &detail)
{
    return QStringLiteral("<h3>%1</h3><p>%2</p>").arg(heading.toHtmlEscaped(), detail.toHtmlEscaped());
}

QString missingFileNotice(const QString &path)
{
    return noticePage(QStringLiteral("无法显示此网页"), QStringLiteral("找不到文件：%1").arg(QDir::toNativeSeparators(path)));
}

HtmlPage loadHtmlPage(const QString &dataDir, const QString &path)
{
    HtmlPage page;
    page.isNotice = true;
    const QString file = resolveInData(dataDir, path);
    if (file.isEmpty() || !isContentFile(dataDir, file)) {
        page.html = missingFileNotice(path);
        return page;
    }
    QByteArray bytes;
    try {
        bytes = readContentFile(dataDir, file, maxPageBytes);
    } catch (const core::Error &e) {
        const qint64 size = QFileInfo(file).size();
        page.html = size > maxPageBytes ? noticePage(QStringLiteral("此网页过大，未予显示"),
                                                     QStringLiteral("文件有 %1 KB，网页最多 %2 KB。")
                                                         .arg((size + 1023) / 1024)
                                                         .arg(maxPageBytes / 1024))
                                        : noticePage(QStringLiteral("无法显示此网页"), e.text());
        return page;
    }
    const QString html = decodePage(bytes);
    const PageCost cost = measurePage(html);
    if (!cost.withinBounds()) {
        page.html = noticePage(QStringLiteral("此网页过于复杂，未予显示"),
                               QStringLiteral("%1，显示它会使程序长时间停止响应。").arg(cost.excess()));
        return page;
    }
    page.html = html;
    page.file = file;
    page.folder = QFileInfo(file).absolutePath();
    page.isNotice = false;
    return page;
}

Target resolveTarget(const QString &dataDir, const QString &pageFolder, const QUrl &link)
{
    Target target;
    const QString scheme = link.scheme().toLower();
    if (scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"mailto") {
        target.kind = Target::Kind::Outside;
        return target;
    }
    if (!scheme.isEmpty() && scheme != u"file")
        return target; // Ignored
    target.fragment = link.fragment(QUrl::FullyDecoded);
    const QString name = scheme == u"file" ? link.toLocalFile() : link.path(QUrl::FullyDecoded);
    if (name.isEmpty()) {
        target.kind = link.hasFragment() ? Target::Kind::Anchor : Target::Kind::Ignored;
        return target;
    }
    QString wanted = name;
    wanted.replace(u'\\', u'/');
    if (!wanted.startsWith(u'/'))
        wanted = pageFolder + u'/' + wanted;
    target.file = resolveInData(dataDir, wanted);
    if (target.file.isEmpty() || !isContentFile(dataDir, target.file)) {
        target.kind = Target::Kind::Missing;
        target.file = QDir::cleanPath(wanted);
        return target;
    }
    target.kind = Target::Kind::File;
    return target;
}

bool isPictureFile(const QString &path)
{
    static const QStringList pictures = {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                         QStringLiteral("png"), QStringLiteral("gif")};
    return pictures.contains(QFileInfo(path).suffix().toLower());
}

} // namespace htmlpage
