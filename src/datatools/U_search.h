#pragma once
#include <QWidget>

namespace storage {
class Dataset;
}
namespace binding {
class DBGrid;
}

class Tfrm_search : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_search(storage::Dataset *tblView, binding::DBGrid *DBview);
};

extern Tfrm_search *frm_search;
