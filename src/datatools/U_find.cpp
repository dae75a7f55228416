#include "U_find.h"

#include "core/waitcursor.h"
#include "storage/dataset.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

Tfrm_find *frm_find = nullptr;

Tfrm_find::Tfrm_find(storage::Dataset *tblView)
    : SecondaryWindow(QStringLiteral("数据查询"), 469, 153), m_tblView(tblView)
{
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setGeometry(16, 32, 185, 26);
    ComboBox1->setFont(songti(15));
    ComboBox1->setAccessibleName(QStringLiteral("字段"));

    ComboBox2 = new QComboBox(this);
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->addItems({QStringLiteral("="), QStringLiteral(">="), QStringLiteral("<="), QStringLiteral(">"),
                         QStringLiteral("<"), QStringLiteral("Like")});
    ComboBox2->setGeometry(209, 32, 73, 26);
    ComboBox2->setFont(songti(15));
    ComboBox2->setAccessibleName(QStringLiteral("比较"));
    ComboBox2->setEditText(QStringLiteral("="));

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(290, 32, 163, 26);
    Edit1->setFont(songti(16));
    Edit1->setAccessibleName(QStringLiteral("值"));

    BitBtn3 = addButton(QStringLiteral("查询"), {40, 96, 110, 32}, [this] { BitBtn3Click(); });
    BitBtn4 = addButton(QStringLiteral("撤销查询"), {180, 96, 110, 32}, [this] { BitBtn4Click(); });
    BitBtn5 = addButton(QStringLiteral("退出"), {320, 96, 110, 32}, [this] { BitBtn5Click(); });
    for (QPushButton *b : {BitBtn3, BitBtn4, BitBtn5})
        b->setFont(songti(16));

    // The selected item follows every change of the box's text, typed or picked.
    connect(ComboBox1, &QComboBox::editTextChanged, this, &Tfrm_find::updateFieldPosition);
    connect(ComboBox2, &QComboBox::editTextChanged, this, &Tfrm_find::conditionChanged);
    connect(Edit1, &QLineEdit::textChanged, this, &Tfrm_find::conditionChanged);
    conditionChanged();
}

void Tfrm_find::updateFieldPosition()
{
    m_fieldPosition = ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    conditionChanged();
}

void Tfrm_find::conditionChanged()
{
    static quint64 lastRevision = 0;
    m_revision = ++lastRevision;
}

void Tfrm_find::FormShow()
{
    ComboBox1->clear();
    ComboBox1->setEditText(QString());
    Edit1->setText(QString());
    if (m_tblView->isOpen()) {
        QStringList names;
        for (const storage::FieldDef &f : m_tblView->fields())
            names << f.name;
        ComboBox1->addItems(names);
        // Adding to an empty list picks its first item: the field stays unchosen.
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->setEditText(QString());
    }
    updateFieldPosition();
}

void Tfrm_find::BitBtn3Click()
{
    core::WaitCursor wait; // the walk over a large table takes a while
    m_tblView->setFiltered(true);
}

void Tfrm_find::BitBtn4Click()
{
    core::WaitCursor wait;
    m_tblView->setFiltered(false);
}

void Tfrm_find::BitBtn5Click()
{
    close();
}
