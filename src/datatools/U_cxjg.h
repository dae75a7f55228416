#pragma once
#include "secondarywindow.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace storage {
class Dataset;
}
namespace datatools {
class PaneFiller;
}

// "查询结果": the report of a double-click on the data grid with its topic, stored on request
// as one record of the results log cx_jl.db.
class Tfrm_cxjg : public SecondaryWindow {
    Q_OBJECT
public:
    Tfrm_cxjg();

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    QWidget *Shape1;
    QLabel *Label4;
    QLineEdit *E_zt;      // the topic
    QLabel *Label1;
    QPlainTextEdit *Memo1; // the result text
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;
    storage::Dataset *T_cxjl;

protected:
    void FormShow() override;
    void hideEvent(QHideEvent *event) override;

private:
    datatools::PaneFiller *m_filler; // puts a long report into Memo1 a slice at a time
};

extern Tfrm_cxjg *frm_cxjg;
