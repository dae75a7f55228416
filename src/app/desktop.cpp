#include "desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTranslator>

namespace app {

QString applicationId()
{
    return QStringLiteral(HANDBOOK_APP_ID);
}

QString version()
{
    return QStringLiteral(HANDBOOK_VERSION);
}

QIcon handbookIcon()
{
    // Drawn here rather than through an icon engine plugin, which may be missing.
    QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(applicationId()));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString loadQtTranslation(QTranslator &translator, const QLocale &system)
{
    const QLocale chinese = system.language() == QLocale::Chinese ? system : QLocale(QLocale::Chinese, QLocale::China);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), dir))
        return QString();
    QCoreApplication::installTranslator(&translator);
    return translator.filePath();
}

QString aboutText(const QString &dataDir, const QString &userDir)
{
    QString text = QStringLiteral("机械设计手册 OrvaneV3.0\n版本 %1\n\n数据目录：%2").arg(version(), QDir::toNativeSeparators(dataDir));
    if (userDir != dataDir)
        text += QStringLiteral("\n历史、书签与查询结果：%1").arg(QDir::toNativeSeparators(userDir));
    return text;
}

} // namespace app
