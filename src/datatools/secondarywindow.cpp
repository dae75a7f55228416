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

void SecondaryWindow::bringToFront()
{
    show();
    raise();
    activateWindow();
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
    // on; where it is missing, a CJK font of the same kind stands in (WenQuanYi Zen Hei Mono is
    // exactly half and whole; Micro Hei Mono gives ASCII 0.6 of a character, the last resort).
    QFont f = core::songti(pixels);
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                   QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("WenQuanYi Zen Hei Mono"),
                   QStringLiteral("WenQuanYi Micro Hei Mono")});
    f.setStyleHint(QFont::TypeWriter);
    return f;
}
