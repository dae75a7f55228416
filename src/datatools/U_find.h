#pragma once
#include "secondarywindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace storage {
class Dataset;
}

// "数据查询": the condition of the data query (field, operator, value) and the switch that
// turns the query on and off. The row test itself belongs to the main window and reads these
// controls whenever the data view reads a row.
class Tfrm_find : public SecondaryWindow {
    Q_OBJECT
public:
    explicit Tfrm_find(storage::Dataset *tblView);

    // Position of ComboBox1's selected item (the item whose text equals the box's text), -1 for none.
    int fieldPosition() const { return m_fieldPosition; }
    // Changes with every change of the condition (field position, operator text, value text) and
    // is never the same in two windows, so a reader of every row can tell cheaply whether to read
    // the controls again.
    quint64 conditionRevision() const { return m_revision; }

    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();

    QComboBox *ComboBox1; // the field
    QComboBox *ComboBox2; // the operator
    QLineEdit *Edit1;     // the value
    QPushButton *BitBtn3, *BitBtn4, *BitBtn5;

protected:
    void FormShow() override;

private:
    void updateFieldPosition();
    void conditionChanged();
    storage::Dataset *m_tblView;
    int m_fieldPosition = -1;
    quint64 m_revision = 0;
};

extern Tfrm_find *frm_find;
