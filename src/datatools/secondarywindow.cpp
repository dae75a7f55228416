#include "secondarywindow.h"

#include "core/guard.h"

#include <QGuiApplication>
#include <QScreen>

SecondaryWindow::SecondaryWindow(const QString &caption, int clientWidth, int clientHeight)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(caption);
    setFixedSize(clientWidth, clientHeight);
}

void SecondaryWindow::showWindow()
{
    if (!isHidden()) {
        raise();
        activateWindow();
        return;
    }
    core::guarded([this] { FormShow(); });
    show();
}

void SecondaryWindow::centre()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QFont songti(int pixels)
{
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(pixels);
    return f;
}
