#pragma once
#include <QWidget>

namespace binding {
class DataSource;
}

class TfrmMemo : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMemo(binding::DataSource *dsTree);
};

extern TfrmMemo *frmMemo;
