// The handbook's program entry: finds the data, makes sure it is the only handbook on the user's
// files, creates every window and data module in order (startup.cpp), then runs the message loop
// until the main window closes. Only the main window becomes visible.
#include "UMain.h"
#include "datalocation.h"
#include "desktop.h"
#include "placement.h"
#include "singleinstance.h"
#include "startup.h"
#include "windowconventions.h"

#include "core/error.h"
#include "core/qtdialogs.h"
#include "storage/sqlite.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

namespace {

void setIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("OrvaneV3.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Orvane"));
    QCoreApplication::setApplicationVersion(app::version());
}

void parseOptions(const QCoreApplication &app)
{
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("机械设计手册"));
    options.addHelpOption();
    options.addVersionOption();
    options.process(app);
}

// --version and --help answer on the terminal, also where there is no display.
bool answersOnTerminal(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-v" || arg == "--version" || arg == "-h" || arg == "--help" || arg == "--help-all")
            return true;
    }
    return false;
}

void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

int main(int argc, char **argv)
{
    if (answersOnTerminal(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        setIdentity();
        parseOptions(terminal);
        return 0;
    }
    QApplication app(argc, argv);
    setIdentity();
    QGuiApplication::setDesktopFileName(app::applicationId());
    parseOptions(app);

    QTranslator qtDialogs;
    app::loadQtTranslation(qtDialogs);
    core::QtDialogs dialogs;
    core::setDialogs(&dialogs);

    // An installed handbook's data is shared and read-only; the user's files are the user's own.
    const app::DataLocations where = app::chooseLocations(
        app::programDataDirectory(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QDir().mkpath(where.userDir);
    SingleInstance instance(where.userDir, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    if (!instance.tryLock()) {
        if (instance.activateRunning(10000))
            return 0;
        dialogs.notice(nullptr, QStringLiteral("机械设计手册已经打开，但没有响应。请关闭它后再启动。"));
        return 1;
    }
    if (where.shared)
        storage::setReadOnlyDirectory(where.dataDir);
    try {
        app::seedUserFiles(where);
    } catch (const core::Error &e) {
        dialogs.error(e.text()); // the tables that did not arrive say so again when they are opened
    }

    QApplication::setWindowIcon(app::handbookIcon());
    app::installWindowRoles();
    createWindows(where.dataDir, where.userDir);
    QSettings settings;
    app::restorePlacement(*frmMain, settings);
    frmMain->show();
    // Later starts are answered once the window is up and its start-up work is done.
    QObject::connect(&instance, &SingleInstance::activationRequested, frmMain, [] { bringToFront(frmMain); });
    instance.listen();

    const int rc = app.exec();
    app::savePlacement(*frmMain, settings);
    core::setDialogs(nullptr);
    return rc;
}
