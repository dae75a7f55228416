#pragma once
#include <QWidget>

namespace binding {
class DataSource;
class DBMemo;
} // namespace binding

// The note viewer: the note of the catalogue node current in the tree's data source, in a large
// box that follows every selection.
class TfrmMemo : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMemo(binding::DataSource *dsTree);

    binding::DBMemo *DBMemo1;
};

extern TfrmMemo *frmMemo;
