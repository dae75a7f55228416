#pragma once
#include <QString>

// Creates, in the program's order, the main window, the secondary windows, the two data modules
// and the calculator windows (all hidden), for the data directory programDir (the executable's
// own directory when empty). The caller shows frmMain.
void createWindows(const QString &programDir = QString());
