#pragma once
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// An earlier layout of the geometric tolerance page: created at start-up, never shown, no
// behaviour.
class Tfrmzzd : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmzzd(QWidget *parent = nullptr);

    QSpinBox *SpinEdit1;
    QComboBox *ComboBox1;
    QRadioButton *RadioButtons[11];
    QLabel *Label1;     // the red "0.0"
    QGroupBox *GroupBox1; // "示意图"
    QLabel *Image1;
};

extern Tfrmzzd *frmzzd;
