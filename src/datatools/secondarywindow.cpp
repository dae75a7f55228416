#include "secondarywindow.h"

#include "core/guard.h"
#include "core/fonts.h"

#include <QGuiApplication>
#include <QPushButton>
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

QPushButton *SecondaryWindow::addButton(const QString &caption, const QRect &geometry, std::function<void()> handler)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(geometry);
    connect(button, &QPushButton::clicked, this, [handler = std::move(handler)] { core::guarded(handler); });
    return button;
}

void SecondaryWindow::centre()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QFont songti(int pixels)
{
    // 宋体 gives ASCII half the width of a Chinese character, which the byte-spaced reports rely
    // on; where it is missing, a CJK font of the same kind stands in.
    QFont f = core::songti(pixels);
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                   QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("WenQuanYi Micro Hei Mono")});
    f.setStyleHint(QFont::TypeWriter);
    return f;
}
