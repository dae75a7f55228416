#pragma once
#include "secondarywindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace storage {
class Dataset;
}
namespace binding {
class DBGrid;
}
namespace datatools {
struct SearchHit;
}

// Field position of the last occurrence found; links a search to the following "下一个".
extern int FoundColumn;

// "数据搜索": finds a text in the data view's table, first from the top, then occurrence by
// occurrence, selecting the cell's column in the grid.
class Tfrm_search : public SecondaryWindow {
    Q_OBJECT
public:
    Tfrm_search(storage::Dataset *tblView, binding::DBGrid *DBview);

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    QLabel *Label2;
    QLineEdit *Edit1;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;

private:
    void showHit(const datatools::SearchHit &hit);
    storage::Dataset *m_tblView;
    binding::DBGrid *m_DBview;
};

extern Tfrm_search *frm_search;
