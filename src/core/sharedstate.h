#pragma once
#include <QString>

// Values several windows share, all read and written on the user-interface thread.
namespace core {

struct SharedState {
    QString AppDir;         // the data directory (beside the executable, or the installed one), ends with '/'
    QString UserDir;        // where History.DB, ibook.db, cx_jl.db and cx_jg.rst lie: AppDir, or the
                            // per-user location when the data directory is shared; ends with '/'
    QString CurTitle;       // title of the page shown (set only for a node with a page kind)
    QString CurTable;       // page argument; after an HTML page, the file's full path
    QString CurPicture;     // picture name of the lower pane; emptied by every page switch
    int KeyColumns = 0;     // leading key columns of the data page (COrder, 0 when blank)
    QString ResultText;     // composed query-result report, lines ended by CR LF
    QString EmbeddedWindow; // "frmgcph", "frmgccx" or empty
};

SharedState &shared();

} // namespace core
