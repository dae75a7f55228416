#pragma once
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace geotol {
struct Characteristic;
}

// The geometric tolerance calculator "形状与位置公差查询": a borderless window the page display
// embeds. Given a main parameter, a grade and a characteristic it shows the tolerance in μm and
// the characteristic's legend. It reads the tables of the global Data only inside its handlers,
// because it is created before Data.
class Tfrmgccx : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmgccx(QWidget *parent = nullptr);

    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Label2;
    QLabel *Label3;
    QComboBox *ComboBox1;
    QLabel *Label4;
    QLabel *LB;
    QGroupBox *RadioGroup1;
    QCheckBox *CheckBox1;
    QCheckBox *CheckBox2;
    QGroupBox *RadioGroup2;
    QRadioButton *RadioButton3, *RadioButton4, *RadioButton5, *RadioButton6, *RadioButton7, *RadioButton8;
    QRadioButton *RadioButton9, *RadioButton10, *RadioButton11, *RadioButton12, *RadioButton13;
    QFrame *Panel1;
    QLabel *Image1;
    QLabel *Label7;

    void FormCreate();
    // RadioButton3Click .. RadioButton13Click: button is 3 to 13.
    void RadioButtonClick(int button);
    void Edit1Change();
    void ComboBox1Change();
    void CheckBox1Click();
    void CheckBox2Click();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Runs a handler guarded; the outermost one starts a new entry with a fresh notice budget.
    void run(const std::function<void()> &handler);
    // Shows a notice unless this entry has used up its budget; false when it stayed silent.
    bool notify(const QString &text);
    void setEdit1Text(const QString &text);
    void uncheckFormMode();
    void enableColumns(bool left, bool right);
    void modeBoxClicked(QCheckBox *own, QCheckBox *other, bool formMode);
    bool replaceLetters(const QString &text);
    void checkGrade();
    void recompute();
    void showResult(int table);
    void loadLegend(const QString &fileName);
    QRadioButton *button(int number) const { return m_buttons[number - 3]; }
    const geotol::Characteristic &checkedCharacteristic() const;

    float Grade = 6;
    QString GradeColumn;
    float TolValue = 0;
    float MainParam = 0;

    std::array<QRadioButton *, 11> m_buttons;
    QButtonGroup *m_group;
    int m_depth = 0;   // nesting of running handlers
    int m_notices = 0; // notices shown in the current entry
};

extern Tfrmgccx *frmgccx;
// Directory of the legend pictures, ending with '/'; set by FormCreate.
extern QString LegendDir;
