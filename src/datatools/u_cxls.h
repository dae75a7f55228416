#pragma once
#include <QWidget>



class Tfrmcxls : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmcxls();
};

extern Tfrmcxls *frmcxls;
