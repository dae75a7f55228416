#pragma once
#include <QString>
#include <QStringList>

// Where the handbook's data lies: the content it reads and the four files the user writes.
namespace app {

// The files the user writes (history, bookmarks, results log table and default log file),
// relative to a data directory.
const QStringList &userFiles();

struct DataDirectory {
    QString path;           // ends with '/'
    bool installed = false; // the shared data directory of an installed handbook
};

// The data directory of a program in programDir: programDir itself when it holds the data (a
// build folder), else the installed one at installedRelative from it (share/orvane-handbook
// beside bin/) when that holds it, else programDir.
DataDirectory findDataDirectory(const QString &programDir, const QString &installedRelative);

// The data directory of the running program (its installed place compiled in).
DataDirectory programDataDirectory();

struct DataLocations {
    QString dataDir;     // the content, ends with '/'
    QString userDir;     // the user's four files (same layout), ends with '/'
    bool shared = false; // the content is read-only and userDir is the per-user location
};

// The user's files stay beside the content in a data directory this user may write that is not an
// installed one (a build folder: nothing changes); otherwise they live in perUserDir.
DataLocations chooseLocations(const DataDirectory &data, const QString &perUserDir);

// Copies every user file missing from userDir from the data directory (with a write-ahead log
// beside it, if there is one); a file already there is never overwritten. A copy is written
// under a temporary name and renamed, so an interrupted start leaves no half file behind.
// Throws core::Error, in Chinese, when a file cannot be copied.
void seedUserFiles(const DataLocations &locations);

} // namespace app
