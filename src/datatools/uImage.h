#pragma once
#include <QWidget>



class TfrmImage : public QWidget {
    Q_OBJECT
public:
    explicit TfrmImage();
};

extern TfrmImage *frmImage;
