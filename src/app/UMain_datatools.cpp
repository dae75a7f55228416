// Wiring of the data query, data search, result capture and results log.
#include "UMain.h"

void TfrmMain::wireDataTools() {}
