#pragma once
#include <QWidget>



class Tfrm_cxjg : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_cxjg();
};

extern Tfrm_cxjg *frm_cxjg;
