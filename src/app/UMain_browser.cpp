// Wiring of the catalogue tree, history, index and find, bookmarks and viewers.
#include "UMain.h"

void TfrmMain::wireBrowser() {}
