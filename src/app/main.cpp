// The handbook's program entry: creates every window and data module in order (startup.cpp),
// then runs the message loop until the main window closes. Only the main window becomes visible.
#include "UMain.h"
#include "startup.h"

#include "core/qtdialogs.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrvaneV3.0"));
    core::QtDialogs dialogs;
    core::setDialogs(&dialogs);
    createWindows();
    frmMain->show();
    const int rc = app.exec();
    core::setDialogs(nullptr);
    return rc;
}
