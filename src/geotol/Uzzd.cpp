#include "Uzzd.h"

#include "characteristics.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

Tfrmzzd *frmzzd = nullptr;

Tfrmzzd::Tfrmzzd(QWidget *parent) : QWidget(parent)
{
    resize(362, 333);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setGeometry(16, 16, 100, 22);
    ComboBox1 = new QComboBox(this);
    for (int g = 1; g <= 12; ++g)
        ComboBox1->addItem(QString::number(g));
    ComboBox1->setGeometry(16, 48, 100, 22);
    const auto rows = geotol::characteristics();
    for (int i = 0; i < 11; ++i) {
        RadioButtons[i] = new QRadioButton(rows[i].caption, this);
        RadioButtons[i]->setGeometry(i < 6 ? 16 : 104, 120 + 20 * (i < 6 ? i : i - 6), 84, 18);
    }
    Label1 = new QLabel(u"0.0"_qs, this);
    Label1->setGeometry(16, 84, 100, 20);
    Label1->setStyleSheet(u"color: red"_qs);
    GroupBox1 = new QGroupBox(u"示意图"_qs, this);
    GroupBox1->setGeometry(200, 8, 154, 240);
    Image1 = new QLabel(GroupBox1);
    Image1->setGeometry(2, 18, 150, 210);
}
