#pragma once
#include "fitfigures.h"
#include "zonepicture.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class ZonePictureBox;

// The right-hand part of the limits-and-fits window: the limits of size and tolerances of both
// zones, the fit's extremes, and the tolerance-zone picture. It stretches with the window.
class FitFiguresPanel : public QWidget {
    Q_OBJECT
public:
    explicit FitFiguresPanel(QWidget *parent);

    void showFit(const fits::FitFigures &figures, const fits::ZonePictureInput &zones);
    void clear();

    QGroupBox *GroupBox5;   // "极限尺寸与配合"
    QLabel *L_holeMax;      // upper limit of size of the hole, mm
    QLabel *L_holeMin;      // lower limit of size of the hole, mm
    QLabel *L_holeTol;      // hole tolerance, "21 μm"
    QLabel *L_shaftMax;
    QLabel *L_shaftMin;
    QLabel *L_shaftTol;
    QLabel *L_extreme1;     // "最大间隙 +41 μm" (or 最大过盈 for an interference fit)
    QLabel *L_extreme2;     // "最小间隙 +7 μm", "最小过盈 …" or, for a transition fit, "最大过盈 …"
    QGroupBox *GroupBox6;   // "公差带图"
    ZonePictureBox *PaintBox1;

protected:
    void resizeEvent(QResizeEvent *event) override;
};
