#include "placement.h"

#include "UMain.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSplitter>

namespace app {

namespace {
const QString geometryKey = QStringLiteral("MainWindow/geometry");
const QString splitterKey = QStringLiteral("MainWindow/leftPane");
const QString toolbarKey = QStringLiteral("MainWindow/toolbar");
const QString navigatorKey = QStringLiteral("MainWindow/navigator");
const QString statusbarKey = QStringLiteral("MainWindow/statusbar");
} // namespace

QRect firstPlacement(const QSize &designed, const QRect &available, const QMargins &frame)
{
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = designed.boundedTo(room.expandedTo(QSize(1, 1)));
    const QSize outer = size.grownBy(frame);
    const QPoint topLeft(available.x() + (available.width() - outer.width()) / 2 + frame.left(),
                         available.y() + (available.height() - outer.height()) / 2 + frame.top());
    return QRect(topLeft, size);
}

void restorePlacement(TfrmMain &window, QSettings &settings)
{
    if (settings.contains(geometryKey)) {
        window.restoreGeometry(settings.value(geometryKey).toByteArray());
        // A size left on a larger screen (or at a smaller scale) is fitted to this one.
        if (const QScreen *screen = window.screen()) {
            const QRect available = screen->availableGeometry();
            if (!available.contains(window.frameGeometry()))
                window.setGeometry(firstPlacement(window.size(), available, TfrmMain::frameAllowance()));
        }
    }
    if (settings.contains(splitterKey))
        window.Splitter1->restoreState(settings.value(splitterKey).toByteArray());
    const auto restoreCheck = [&settings](QAction *action, const QString &key) {
        if (settings.contains(key))
            action->setChecked(settings.value(key).toBool());
    };
    restoreCheck(window.actToolbar, toolbarKey);
    restoreCheck(window.actNavigator, navigatorKey);
    restoreCheck(window.actStatusbar, statusbarKey);
}

void savePlacement(const TfrmMain &window, QSettings &settings)
{
    settings.setValue(geometryKey, window.saveGeometry());
    settings.setValue(splitterKey, window.Splitter1->saveState());
    settings.setValue(toolbarKey, window.actToolbar->isChecked());
    settings.setValue(navigatorKey, window.actNavigator->isChecked());
    settings.setValue(statusbarKey, window.actStatusbar->isChecked());
}

} // namespace app
