#pragma once
#include <QWidget>

class QPlainTextEdit;

// The note viewer: the note of the page shown, in a large box that follows every page switch.
class TfrmMemo : public QWidget {
    Q_OBJECT
public:
    // pageNote: the main window's note pane, whose text the viewer shows.
    explicit TfrmMemo(const QPlainTextEdit *pageNote);

    QPlainTextEdit *DBMemo1;
};

extern TfrmMemo *frmMemo;
