// The calculator window driven offscreen on the bundled tables: entries, notices, re-entry of
// the change handler, modes, legends and the typing limit.
#include "core/numbers.h"
#include "geotol/DataofShapeLocation.h"
#include "geotol/ShapeLocation.h"
#include "geotol/entryrules.h"

#include "builder.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using geotol::boundMessage10000;
using geotol::boundMessage500;
using geotol::gradeMessage;

class TestGeotolWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void initialState();
    void entries_data();
    void entries();
    void roundnessDividesTwice();
    void clickRoundnessAbove500();
    void cylindricityFraction();
    void grades_data();
    void grades();
    void modes();
    void uncheckingTheMode();
    void checkedButtonClickedAgain();
    void legendsFollowTheButton_data();
    void legendsFollowTheButton();
    void missingLegend();
    void typingLimit();

private:
    QList<bool> enabledStates() const;
    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    QRadioButton *roundness() const { return m_w->RadioButton5; }

    QTemporaryDir m_dir;
    TData m_data;
    ScriptedDialogs m_dialogs;
    Tfrmgccx *m_w = nullptr;
    QString m_legends;
};

void TestGeotolWindow::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QVERIFY(m_dir.isValid());
    content::build(testdata::contentDir(), m_dir.path());
    m_data.open(geotol::shapeConnectionString(m_dir.path()));
    m_legends = m_dir.path() + u"/shape_location/DATAS/pic/"_qs;
}

void TestGeotolWindow::init()
{
    Data = nullptr; // the window is made before the tables, as at start-up
    m_w = new Tfrmgccx();
    Data = &m_data;
    LegendDir = m_legends;
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w));
    m_dialogs.clear();
}

void TestGeotolWindow::cleanup()
{
    delete m_w;
    m_w = nullptr;
}

QList<bool> TestGeotolWindow::enabledStates() const
{
    QList<bool> out;
    for (auto *b : {m_w->RadioButton3, m_w->RadioButton4, m_w->RadioButton5, m_w->RadioButton6,
                    m_w->RadioButton7, m_w->RadioButton8, m_w->RadioButton9, m_w->RadioButton10,
                    m_w->RadioButton11, m_w->RadioButton12, m_w->RadioButton13})
        out << b->isEnabled();
    return out;
}

static const QList<bool> leftColumn = {true, true, true, true, true, true, false, false, false, false, false};
static const QList<bool> rightColumn = {false, false, false, false, false, false, true, true, true, true, true};
static const QList<bool> noColumn(11, false);

void TestGeotolWindow::initialState()
{
    QVERIFY(m_w->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_w->maximumSize(), QSize(370, 360));
    QCOMPARE(m_w->size(), QSize(362, 333));
    QCOMPARE(m_w->Edit1->text(), u"20"_qs);
    QCOMPARE(m_w->ComboBox1->currentText(), u"6"_qs);
    QVERIFY(m_w->RadioButton3->isChecked());
    QVERIFY(m_w->CheckBox1->isChecked());
    QVERIFY(!m_w->CheckBox2->isChecked());
    QCOMPARE(enabledStates(), leftColumn);
    QCOMPARE(m_w->LB->text(), QString());
    QCOMPARE(m_w->Label7->text(), u"图例"_qs);
    const QImage legend = m_w->Image1->pixmap().toImage();
    QCOMPARE(legend.size(), QSize(150, 210));
    QCOMPARE(legend, QImage(m_legends + u"zxd.bmp"_qs).convertToFormat(legend.format()));
    // The caption follows the bottom edge but its words stay above the client area.
    const int wordsHeight = m_w->Label7->fontMetrics().height();
    QVERIFY(m_w->Label7->y() + wordsHeight <= 0);
    m_w->resize(370, 360);
    QCOMPARE(m_w->Label7->y(), -20);
    QVERIFY(m_w->Label7->y() + wordsHeight <= 0);
}

// Entries typed while 直线度 is checked in form mode (grade 6).
void TestGeotolWindow::entries_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("notices");
    QTest::addColumn<QString>("finalText");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("formMode");
    const QStringList none;
    QTest::newRow("25") << u"25"_qs << none << u"25"_qs << u"5 μm"_qs << true;
    QTest::newRow("fraction") << u"12.5"_qs << none << u"12.5"_qs << u"4 μm"_qs << true;
    QTest::newRow("20000 divides once") << u"20000"_qs << QStringList{boundMessage10000} << u"2000"_qs
                                         << u"50 μm"_qs << false;
    QTest::newRow("ten digits divide six times, never cut")
        << u"9999999999"_qs << QStringList(6, boundMessage10000) << u"9999.999999"_qs << u"100 μm"_qs << false;
    QTest::newRow("1e300 stops after eight notices")
        << u"1e300"_qs << QStringList(8, boundMessage10000) << u"1E292"_qs << u"3 μm"_qs << false;
    QTest::newRow("abc becomes 1") << u"abc"_qs << none << u"1"_qs << u"3 μm"_qs << true;
    QTest::newRow("z becomes 1") << u"z"_qs << none << u"1"_qs << u"3 μm"_qs << true;
    QTest::newRow("0 once") << u"0"_qs << QStringList{boundMessage10000} << u"0"_qs << u"3 μm"_qs << false;
    QTest::newRow("negative once, kept") << u"-5"_qs << QStringList{boundMessage10000} << u"-5"_qs << u"3 μm"_qs
                                         << false;
    QTest::newRow("empty") << QString() << none << QString() << u"3 μm"_qs << false;
}

void TestGeotolWindow::entries()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, notices);
    QFETCH(QString, finalText);
    QFETCH(QString, result);
    QFETCH(bool, formMode);
    // '.' in the texts stands for the user's decimal separator (the suite runs again under de_DE)
    typed.replace(u'.', core::decimalSeparator());
    finalText.replace(u'.', core::decimalSeparator());
    m_w->Edit1->setText(typed);
    QCOMPARE(m_dialogs.notices, notices);
    QCOMPARE(m_dialogs.errors, QStringList());
    QCOMPARE(m_w->Edit1->text(), finalText);
    QCOMPARE(m_w->LB->text(), result);
    QCOMPARE(m_w->CheckBox1->isChecked(), formMode);
    QCOMPARE(enabledStates(), formMode ? leftColumn : noColumn);
    QVERIFY(m_w->RadioButton3->isChecked());
}

void TestGeotolWindow::roundnessDividesTwice()
{
    click(roundness());
    m_dialogs.clear();
    m_w->Edit1->setText(u"600"_qs);
    QCOMPARE(m_dialogs.notices, QStringList{boundMessage500});
    QCOMPARE(m_w->Edit1->text(), u"60"_qs);
    QCOMPARE(m_w->LB->text(), u"5 μm"_qs);

    m_dialogs.clear();
    m_w->Edit1->setText(u"9999999999"_qs);
    QCOMPARE(m_dialogs.notices, QStringList(6, boundMessage10000) + QStringList(2, boundMessage500));
    QCOMPARE(m_w->Edit1->text(), u"99.99999999"_qs);
    QCOMPARE(m_w->LB->text(), u"6 μm"_qs);

    // An empty text cannot be converted for roundness: the result stays empty.
    m_dialogs.clear();
    m_w->Edit1->setText(QString());
    QCOMPARE(m_dialogs.errors, QStringList{u"'' is not a valid floating point value"_qs});
    QCOMPARE(m_w->LB->text(), QString());
}

void TestGeotolWindow::clickRoundnessAbove500()
{
    m_w->Edit1->setText(u"4000"_qs);
    QCOMPARE(m_w->LB->text(), u"60 μm"_qs);
    m_w->ComboBox1->setFocus();
    click(roundness());
    QCOMPARE(m_dialogs.notices, QStringList{boundMessage500});
    QCOMPARE(m_w->Edit1->text(), u"400"_qs);
    QCOMPARE(m_w->focusWidget(), m_w->Edit1);
    QCOMPARE(m_w->Edit1->selectedText(), u"400"_qs);
    QCOMPARE(m_w->Label7->text(), u"主参数L图例"_qs);
    QCOMPARE(m_w->Image1->pixmap().toImage(), QImage(m_legends + u"yd.bmp"_qs).convertToFormat(QImage::Format_RGB32));
    QCOMPARE(m_w->LB->text(), u"13 μm"_qs);
}

void TestGeotolWindow::cylindricityFraction()
{
    m_w->Edit1->setText(u"12.5"_qs);
    QCOMPARE(m_w->LB->text(), u"4 μm"_qs);
    click(m_w->RadioButton6);
    QCOMPARE(m_dialogs.errors, QStringList{u"'12.5' is not a valid integer value"_qs});
    QVERIFY(m_w->RadioButton6->isChecked());
    // Neither the straightness value nor its legend stays beside the checked 圆柱度.
    QCOMPARE(m_w->LB->text(), QString());
    QCOMPARE(m_w->Label7->text(), u"主参数L图例"_qs);
    const QImage shown = m_w->Image1->pixmap().toImage();
    QCOMPARE(shown, QImage(m_legends + u"yzd.bmp"_qs).convertToFormat(shown.format()));

    m_dialogs.clear();
    click(roundness());
    QCOMPARE(m_dialogs.errors, QStringList());
    QCOMPARE(m_w->LB->text(), u"3 μm"_qs); // 圆度圆柱度, row 18
}

// A grade typed into the box: the last key completes the text.
void TestGeotolWindow::grades_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<char>("key");
    QTest::addColumn<QStringList>("notices");
    QTest::addColumn<QString>("finalGrade");
    QTest::addColumn<QString>("result");
    QTest::newRow("13") << u"1"_qs << '3' << QStringList{gradeMessage} << u"6"_qs << u"5 μm"_qs;
    QTest::newRow("06") << u"0"_qs << '6' << QStringList{gradeMessage} << u"6"_qs << u"5 μm"_qs;
    QTest::newRow("leading blank") << u" "_qs << '6' << QStringList{gradeMessage} << u"6"_qs << u"5 μm"_qs;
    QTest::newRow("12") << u"1"_qs << '2' << QStringList() << u"12"_qs << u"100 μm"_qs;
}

void TestGeotolWindow::grades()
{
    QFETCH(QString, before);
    QFETCH(char, key);
    QFETCH(QStringList, notices);
    QFETCH(QString, finalGrade);
    QFETCH(QString, result);
    m_w->ComboBox1->setEditText(before);
    QCOMPARE(m_dialogs.notices, QStringList()); // a text set by the program runs nothing
    m_w->ComboBox1->lineEdit()->end(false);
    QTest::keyClick(m_w->ComboBox1->lineEdit(), key);
    QCOMPARE(m_dialogs.notices, notices);
    QCOMPARE(m_w->ComboBox1->currentText(), finalGrade);
    QCOMPARE(m_w->LB->text(), result); // L 20: row 25 of 直线平面度
}

void TestGeotolWindow::modes()
{
    m_w->Edit1->setText(u"25"_qs);
    QCOMPARE(m_w->LB->text(), u"5 μm"_qs);
    click(m_w->CheckBox2);
    QVERIFY(!m_w->CheckBox1->isChecked());
    QCOMPARE(m_w->LB->text(), QString());
    QCOMPARE(enabledStates(), rightColumn);
    QVERIFY(m_w->RadioButton3->isChecked());

    // Position mode: the checked (disabled) 直线度 is still computed, and a rejected entry
    // leaves the mode alone.
    m_w->Edit1->setText(u"100"_qs);
    QCOMPARE(m_w->LB->text(), u"10 μm"_qs);
    m_w->Edit1->setText(u"0"_qs);
    QVERIFY(m_w->CheckBox2->isChecked());
    QCOMPARE(enabledStates(), rightColumn);
    QCOMPARE(m_w->LB->text(), u"3 μm"_qs);

    click(m_w->RadioButton10);
    QCOMPARE(m_w->LB->text(), u"4 μm"_qs); // 同轴对称跳动 first row, grade 6, from 0

    click(m_w->CheckBox1);
    QVERIFY(!m_w->CheckBox2->isChecked());
    QCOMPARE(m_w->LB->text(), QString());
    QCOMPARE(enabledStates(), leftColumn);
}

void TestGeotolWindow::uncheckingTheMode()
{
    m_w->Edit1->setText(u"25"_qs);
    click(m_w->CheckBox1);
    QVERIFY(!m_w->CheckBox1->isChecked() && !m_w->CheckBox2->isChecked());
    QCOMPARE(enabledStates(), noColumn);
    QCOMPARE(m_w->LB->text(), QString());
    QCOMPARE(m_dialogs.notices, QStringList());
}

void TestGeotolWindow::checkedButtonClickedAgain()
{
    click(m_w->RadioButton3);
    QVERIFY(m_w->RadioButton3->isChecked());
    QCOMPARE(m_w->LB->text(), QString()); // nothing computed
    QCOMPARE(m_w->Label7->text(), u"图例"_qs);
}

void TestGeotolWindow::legendsFollowTheButton_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("position");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("result"); // L 20, grade 6
    QTest::newRow("平面度") << 4 << false << u"主参数L图例"_qs << u"pmd.bmp"_qs << u"5 μm"_qs;
    QTest::newRow("圆柱度") << 6 << false << u"主参数L图例"_qs << u"yzd.bmp"_qs << u"4 μm"_qs;
    QTest::newRow("平行度") << 7 << false << u"主参数L,d(D)图例"_qs << u"pxd.bmp"_qs << u"12 μm"_qs;
    QTest::newRow("垂直度") << 8 << false << u"主参数L,d(D)图例"_qs << u"czd.bmp"_qs << u"12 μm"_qs;
    QTest::newRow("倾斜度") << 9 << true << u"主参数L,d(D)图例"_qs << u"qxd.bmp"_qs << u"12 μm"_qs;
    QTest::newRow("同轴度") << 10 << true << u"主参数d(D)图例"_qs << u"tzd.bmp"_qs << u"10 μm"_qs;
    QTest::newRow("对称度") << 11 << true << u"主参数B,L图例"_qs << u"dcd.bmp"_qs << u"10 μm"_qs;
    QTest::newRow("圆跳动") << 12 << true << u"主参数d(D)图例"_qs << u"ytd.bmp"_qs << u"10 μm"_qs;
    QTest::newRow("全跳动") << 13 << true << u"主参数d(D)图例"_qs << u"qtd.bmp"_qs << u"10 μm"_qs;
}

void TestGeotolWindow::legendsFollowTheButton()
{
    QFETCH(int, button);
    QFETCH(bool, position);
    QFETCH(QString, caption);
    QFETCH(QString, file);
    QFETCH(QString, result);
    if (position)
        click(m_w->CheckBox2);
    QRadioButton *buttons[] = {m_w->RadioButton3, m_w->RadioButton4, m_w->RadioButton5, m_w->RadioButton6,
                               m_w->RadioButton7, m_w->RadioButton8, m_w->RadioButton9, m_w->RadioButton10,
                               m_w->RadioButton11, m_w->RadioButton12, m_w->RadioButton13};
    click(buttons[button - 3]);
    QVERIFY(buttons[button - 3]->isChecked());
    QCOMPARE(m_w->Label7->text(), caption);
    const QImage shown = m_w->Image1->pixmap().toImage();
    QCOMPARE(shown, QImage(m_legends + file).convertToFormat(shown.format()));
    QCOMPARE(m_w->LB->text(), result);
    QCOMPARE(m_dialogs.notices, QStringList());
}

void TestGeotolWindow::missingLegend()
{
    m_w->Edit1->setText(u"25"_qs);
    LegendDir = m_dir.path() + u"/nowhere/"_qs;
    click(m_w->RadioButton4);
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY2(m_dialogs.errors[0].startsWith(u"Cannot open file \""_qs) && m_dialogs.errors[0].contains(u"pmd.bmp\". "_qs),
             qPrintable(m_dialogs.errors[0]));
    QCOMPARE(m_w->Label7->text(), u"主参数L图例"_qs); // changed before the picture failed
    // Neither the 直线度 result nor its legend stays beside the checked 平面度.
    QCOMPARE(m_w->LB->text(), QString());
    QVERIFY(m_w->Image1->pixmap().isNull());
}

void TestGeotolWindow::typingLimit()
{
    m_w->Edit1->clear();
    QTest::keyClicks(m_w->Edit1, u"1.2345678912"_qs);
    QCOMPARE(m_w->Edit1->text(), u"1.23456789"_qs);

    // A text the handler sets may be longer; the user may shorten it but not lengthen it.
    m_w->Edit1->setText(u"9999999999"_qs);
    QCOMPARE(m_w->Edit1->text(), u"9999.999999"_qs);
    m_w->Edit1->end(false);
    QTest::keyClick(m_w->Edit1, Qt::Key_1);
    QCOMPARE(m_w->Edit1->text(), u"9999.999999"_qs);
    QTest::keyClick(m_w->Edit1, Qt::Key_Backspace);
    QCOMPARE(m_w->Edit1->text(), u"9999.99999"_qs);
    QCOMPARE(m_w->LB->text(), u"100 μm"_qs);
}

QTEST_MAIN(TestGeotolWindow)
#include "tst_geotol_window.moc"
