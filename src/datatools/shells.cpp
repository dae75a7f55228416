// Windows of the data-page tools, created at start-up and shown by the main window.
#include "U_cxjg.h"
#include "U_find.h"
#include "U_search.h"
#include "u_cxls.h"

Tfrm_find *frm_find = nullptr;
Tfrm_search *frm_search = nullptr;
Tfrm_cxjg *frm_cxjg = nullptr;
Tfrmcxls *frmcxls = nullptr;

Tfrm_find::Tfrm_find(storage::Dataset *) : QWidget(nullptr, Qt::WindowStaysOnTopHint) {}
Tfrm_search::Tfrm_search(storage::Dataset *, binding::DBGrid *) : QWidget(nullptr, Qt::WindowStaysOnTopHint) {}
Tfrm_cxjg::Tfrm_cxjg() : QWidget(nullptr, Qt::WindowStaysOnTopHint) {}
Tfrmcxls::Tfrmcxls() : QWidget(nullptr, Qt::WindowStaysOnTopHint) {}
