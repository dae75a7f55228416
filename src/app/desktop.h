#pragma once
#include <QIcon>
#include <QLocale>
#include <QString>

class QTranslator;

// What makes the handbook a desktop application like others: its icon, Qt's own dialogs in the
// language of the interface, the about text.
namespace app {

// The application's identifier: the name of its desktop file, icon and metainfo.
QString applicationId();
QString version();

// The handbook's icon, drawn from its SVG at the sizes desktops ask for.
QIcon handbookIcon();

// Loads Qt's translation of its own dialogs (file, print, page set-up, message box buttons) into
// translator and installs it. The interface is Chinese whatever the system's language: a Chinese
// system locale chooses its own variant, any other gets Simplified Chinese. Returns the loaded
// file, or empty when Qt's translations are not installed.
QString loadQtTranslation(QTranslator &translator, const QLocale &system = QLocale::system());

// The text of 帮助 → 关于: the version and the directories in use.
QString aboutText(const QString &dataDir, const QString &userDir);

} // namespace app
