#pragma once
#include <QString>

// Creates, in the program's order, the main window, the secondary windows, the two data modules
// and the calculator windows (all hidden), for the data directory programDir (the executable's
// own directory when empty) and the user's files in userDir (programDir when empty). The caller
// shows frmMain.
void createWindows(const QString &programDir = QString(), const QString &userDir = QString());
