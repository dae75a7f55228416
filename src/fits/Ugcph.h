#pragma once
#include "fittables.h"
#include "fitcalc.h"

#include <QWidget>

class FitFiguresPanel;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

// The limits-and-fits calculator page "公差与配合查询": a basic size, a fit system, a hole and a
// shaft tolerance zone; OK shows the limit deviations of both zones in millimetres, the type of
// fit, the limits of size, tolerances and extremes of the fit and a picture of the zones. A frameless top-level window that the main window embeds into its page pane; it reads
// the tables of the global Data2, which must exist before it.
class Tfrmgcph : public QWidget {
    Q_OBJECT
public:
    Tfrmgcph();
    ~Tfrmgcph() override;

    // The basic size OK last accepted (0 until then and after a refused size).
    float basicSize() const { return BasicSize; }
    const fits::FitTables &tables() const { return m_tables; }

    QLabel *Label1;
    QLineEdit *Edit1;
    QGroupBox *GroupBox2;
    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    QGroupBox *GroupBox1;
    QComboBox *ComboBox1;
    QComboBox *ComboBox2;
    QComboBox *ComboBox3;
    QComboBox *ComboBox4;
    QPushButton *BitBtn1;
    QGroupBox *GroupBox3;
    QLabel *Lb;
    QGroupBox *GroupBox4;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QStatusBar *StatusBar1;
    // Right of the controls above: limits of size, tolerances, the fit's extremes and the
    // tolerance-zone picture of the last OK.
    FitFiguresPanel *Figures;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void FormCreate();
    void Edit1Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void ComboBox1Change();
    void ComboBox3Change();
    void ComboBox2Change();
    void ComboBox4Change();
    void BitBtn1Click();

    void checkGrade(QComboBox *box, const QString &defaultText);
    void refuseLetter(QComboBox *box, const QString &noticeText, const QString &defaultText);
    void refuseSize(const QString &noticeText);
    void clearResults();
    void deselectBases();
    void showZone(QLabel *upper, QLabel *lower, const fits::ZoneLimits &zone);

    float BasicSize = 0;
    fits::FitTables m_tables;
    fits::FitCalculator m_calculator;
};

extern Tfrmgcph *frmgcph;
