#pragma once
#include <QWidget>

namespace storage {
class Dataset;
}

class Tfrm_find : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_find(storage::Dataset *tblView);
};

extern Tfrm_find *frm_find;
