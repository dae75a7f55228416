#include "startup.h"

#include "UMain.h"
#include "windowconventions.h"

#include "binding/dbmemo.h"
#include "browser/pagearea.h"
#include "datatools/U_cxjg.h"
#include "datatools/U_find.h"
#include "datatools/U_search.h"
#include "datatools/uImage.h"
#include "datatools/uMemo.h"
#include "datatools/u_cxls.h"
#include "fits/DataUnit.h"
#include "fits/Ugcph.h"
#include "geotol/DataofShapeLocation.h"
#include "geotol/ShapeLocation.h"
#include "geotol/Uzzd.h"

void createWindows(const QString &programDir, const QString &userDir)
{
    frmMain = new TfrmMain(programDir, userDir);
    frm_cxjg = new Tfrm_cxjg;
    frmcxls = new Tfrmcxls;
    frm_find = new Tfrm_find(frmMain->tblView);
    frm_search = new Tfrm_search(frmMain->tblView, frmMain->Panel2->DBview);
    frmImage = new TfrmImage;
    frmMemo = new TfrmMemo(frmMain->Panel2->DBMemo1);
    frmzzd = new Tfrmzzd;
    frmgccx = new Tfrmgccx;
    Data = new TData;
    Data2 = new TData2;
    frmgcph = new Tfrmgcph;
    frmMain->Panel2->setCalculators(frmgcph, frmgccx);

    for (QWidget *window : std::initializer_list<QWidget *>{frm_cxjg, frmcxls, frm_find, frm_search, frmImage, frmMemo})
        app::closeOnEscape(window);
    for (QWidget *window : std::initializer_list<QWidget *>{frmMain, frm_cxjg, frmcxls, frm_find, frm_search, frmImage,
                                                            frmMemo, frmgccx, frmgcph})
        app::keepLabelsWhole(window);
    // F3 runs "下一个" also while the search window has the focus.
    frm_search->addAction(frmMain->actNextFound);
}
