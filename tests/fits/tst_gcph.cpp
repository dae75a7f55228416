// The limits-and-fits window driven as a user drives it, on the bundled database: OK and its
// notices, the size box and its re-entry, the basis presets, the letter and grade boxes, Enter
// and Tab.
#include "fitsdata.h"
#include "scripteddialogs.h"

#include "core/numbers.h"
#include "fits/DataUnit.h"
#include "fits/Ugcph.h"
#include "fits/fitfigurespanel.h"
#include "fits/fitinputs.h"
#include "fits/zonepicturebox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace notice = fits::notice;

class TestGcph : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void initialState();
    void okComputes_data();
    void okComputes();
    void okRefusesZeroSize();
    void okAsksForBasisOnly();
    void okAsksForHoleZone();
    void okAsksForShaftZone();
    void okUndefinedZone_data();
    void okUndefinedZone();
    void okLetterNamingNoZone_data();
    void okLetterNamingNoZone();
    void sizeBoxRefusesLetter();
    void sizeBoxRefusesRange_data();
    void sizeBoxRefusesRange();
    void sizeBoxDeletedByUser();
    void sizeBoxPassesZero();
    void sizeBoxNotANumber();
    void sizeBoxTypingLimit();
    void holeBasisWithoutSize();
    void shaftBasisPreset();
    void holeBasisPreset();
    void selectedBasisClickRunsNothing();
    void shaftBasisWithoutSize();
    void letterBoxes_data();
    void letterBoxes();
    void holeLetterHSwitchesBasis();
    void shaftLetterHSwitchesBasis();
    void gradeBoxes_data();
    void gradeBoxes();
    void pictureReadsUnderDarkPalette();
    void enterPressesOk();
    void tabOrder();

private:
    QStringList results() const; // Label2 .. Label8, then Lb
    QStringList figures() const; // the figures panel: hole max, min, tolerance, shaft ..., extremes
    QStringList pictureTexts(fits::PictureText::Role role) const; // of the picture as painted now
    void typeSize(const QString &text);
    static void typeInto(QComboBox *box, const QString &text);
    static bool focused(QWidget *w);
    void checkCorrected(QComboBox *box, const QString &text, const QStringList &notices);
    static void pasteInto(QComboBox *box, const QString &text);
    static void click(QRadioButton *button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }
    void pressOk() { QTest::mouseClick(w->BitBtn1, Qt::LeftButton); }

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    Tfrmgcph *w = nullptr;
};

void TestGcph::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    fitsdata::buildContent(m_dir.path());
    Data2 = new TData2;
    fitsdata::open(*Data2, m_dir.path());
}

void TestGcph::cleanupTestCase()
{
    delete Data2;
    Data2 = nullptr;
}

void TestGcph::init()
{
    w = frmgcph = new Tfrmgcph();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    m_dialogs.clear();
}

void TestGcph::cleanup()
{
    delete w;
    w = frmgcph = nullptr;
}

QStringList TestGcph::results() const
{
    QStringList texts;
    for (QLabel *label : {w->Label2, w->Label3, w->Label4, w->Label5, w->Label6, w->Label7, w->Label8, w->Lb})
        texts << label->text();
    return texts;
}

QStringList TestGcph::figures() const
{
    QStringList texts;
    const FitFiguresPanel *f = w->Figures;
    for (QLabel *label : {f->L_holeMax, f->L_holeMin, f->L_holeTol, f->L_shaftMax, f->L_shaftMin, f->L_shaftTol,
                          f->L_extreme1, f->L_extreme2})
        texts << label->text();
    return texts;
}

QStringList TestGcph::pictureTexts(fits::PictureText::Role role) const
{
    w->Figures->PaintBox1->grab(); // paints offscreen
    QStringList texts;
    for (const fits::PictureText &t : w->Figures->PaintBox1->painted().texts) {
        if (t.role == role)
            texts << t.text;
    }
    return texts;
}

void TestGcph::typeSize(const QString &text)
{
    w->Edit1->setFocus();
    w->Edit1->selectAll();
    QTest::keyClicks(w->Edit1, text);
}

void TestGcph::typeInto(QComboBox *box, const QString &text)
{
    box->setFocus();
    box->lineEdit()->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
    else
        QTest::keyClicks(box->lineEdit(), text);
}

// Replaces the whole text at once, as pasting does (typing would check every keystroke).
void TestGcph::pasteInto(QComboBox *box, const QString &text)
{
    box->setFocus();
    box->lineEdit()->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
        return;
    }
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box->lineEdit(), Qt::Key_V, Qt::ControlModifier);
}

bool TestGcph::focused(QWidget *target)
{
    QWidget *f = QApplication::focusWidget();
    return f && (f == target || f->focusProxy() == target || target->focusProxy() == f
                 || (qobject_cast<QComboBox *>(target) && f == static_cast<QComboBox *>(target)->lineEdit()));
}

void TestGcph::initialState()
{
    QCOMPARE(w->windowTitle(), u"公差与配合查询"_qs);
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    // Grown to the right for the figures and the picture; the described area keeps its controls.
    QCOMPARE(w->maximumSize(), QSize(698, 310));
    QCOMPARE(w->size(), QSize(690, 283));
    QVERIFY(w->Figures->geometry().left() >= w->GroupBox1->geometry().right());
    QCOMPARE(w->Edit1->text(), u"20"_qs);
    QVERIFY(w->RadioButton1->isChecked());
    QVERIFY(!w->RadioButton2->isChecked());
    QCOMPARE(w->ComboBox1->currentText(), u"H"_qs);
    QCOMPARE(w->ComboBox2->currentText(), u"6"_qs);
    QCOMPARE(w->ComboBox3->currentText(), u"f"_qs);
    QCOMPARE(w->ComboBox4->currentText(), u"5"_qs);
    QCOMPARE(w->ComboBox1->count(), 22);
    QCOMPARE(w->ComboBox3->count(), 22);
    QCOMPARE(w->ComboBox4->count(), 18);
    QCOMPARE(results(), (QStringList{u"20"_qs, u"H6"_qs, u"+0.013"_qs, u"0"_qs, u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, QString()}));
    QCOMPARE(figures(), (QStringList{u"20.013"_qs, u"20"_qs, u"13 μm"_qs, u"19.98"_qs, u"19.971"_qs, u"9 μm"_qs,
                                     u"最大间隙 +42 μm"_qs, u"最小间隙 +20 μm"_qs}));
    QCOMPARE(pictureTexts(fits::PictureText::ZoneName), (QStringList{u"H6"_qs, u"f5"_qs}));
    QCOMPARE(w->basicSize(), 0.0f);
    const QList<QLabel *> status = w->StatusBar1->findChildren<QLabel *>();
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.front()->text(), u"获取查询结果请按OK键"_qs);
}

void TestGcph::okComputes_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("holeGrade");
    QTest::addColumn<QString>("shaft");
    QTest::addColumn<QString>("shaftGrade");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("figures");
    QTest::newRow("worked example") << u"20"_qs << u"H"_qs << u"6"_qs << u"f"_qs << u"5"_qs
        << QStringList{u"20"_qs, u"H6"_qs, u"+0.013"_qs, u"0"_qs, u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, u"间隙配合"_qs}
        << QStringList{u"20.013"_qs, u"20"_qs, u"13 μm"_qs, u"19.98"_qs, u"19.971"_qs, u"9 μm"_qs, u"最大间隙 +42 μm"_qs, u"最小间隙 +20 μm"_qs};
    QTest::newRow("H7/f6 at 20") << u"20"_qs << u"H"_qs << u"7"_qs << u"f"_qs << u"6"_qs
        << QStringList{u"20"_qs, u"H7"_qs, u"+0.021"_qs, u"0"_qs, u"f6"_qs, u"-0.02"_qs, u"-0.033"_qs, u"间隙配合"_qs}
        << QStringList{u"20.021"_qs, u"20"_qs, u"21 μm"_qs, u"19.98"_qs, u"19.967"_qs, u"13 μm"_qs, u"最大间隙 +54 μm"_qs, u"最小间隙 +20 μm"_qs};
    QTest::newRow("size as typed") << u"12.50"_qs << u"H"_qs << u"7"_qs << u"k"_qs << u"6"_qs
        << QStringList{u"12.50"_qs, u"H7"_qs, u"+0.018"_qs, u"0"_qs, u"k6"_qs, u"+0.012"_qs, u"+0.001"_qs, u"过渡配合"_qs}
        << QStringList{u"12.518"_qs, u"12.5"_qs, u"18 μm"_qs, u"12.512"_qs, u"12.501"_qs, u"11 μm"_qs, u"最大间隙 +17 μm"_qs, u"最大过盈 -12 μm"_qs};
    QTest::newRow("3150 is computed") << u"3150"_qs << u"H"_qs << u"7"_qs << u"h"_qs << u"6"_qs
        << QStringList{u"3150"_qs, u"H7"_qs, u"+0.21"_qs, u"0"_qs, u"h6"_qs, u"0"_qs, u"-0.135"_qs, u"间隙配合"_qs}
        << QStringList{u"3150.21"_qs, u"3150"_qs, u"210 μm"_qs, u"3150"_qs, u"3149.865"_qs, u"135 μm"_qs, u"最大间隙 +345 μm"_qs, u"最小间隙 0 μm"_qs};
    QTest::newRow("Js7/js7 at 25") << u"25"_qs << u"Js"_qs << u"7"_qs << u"js"_qs << u"7"_qs
        << QStringList{u"25"_qs, u"Js7"_qs, u"+0.0105"_qs, u"-0.0105"_qs, u"js7"_qs, u"+0.0105"_qs, u"-0.0105"_qs, u"过渡配合"_qs}
        << QStringList{u"25.0105"_qs, u"24.9895"_qs, u"21 μm"_qs, u"25.0105"_qs, u"24.9895"_qs, u"21 μm"_qs, u"最大间隙 +21 μm"_qs, u"最大过盈 -21 μm"_qs};
    QTest::newRow("E5/u6 at 3") << u"3"_qs << u"E"_qs << u"5"_qs << u"u"_qs << u"6"_qs
        << QStringList{u"3"_qs, u"E5"_qs, u"+0.018"_qs, u"+0.014"_qs, u"u6"_qs, u"+0.024"_qs, u"+0.018"_qs, u"过盈配合"_qs}
        << QStringList{u"3.018"_qs, u"3.014"_qs, u"4 μm"_qs, u"3.024"_qs, u"3.018"_qs, u"6 μm"_qs, u"最大过盈 -10 μm"_qs, u"最小过盈 0 μm"_qs};
    // in the 30-40 mm step, not in the 18-30 mm one of 30 (the run under de_DE types "30,5")
    QTest::newRow("H7/g6 at 30.5") << u"30.5"_qs << u"H"_qs << u"7"_qs << u"g"_qs << u"6"_qs
        << QStringList{u"30.5"_qs, u"H7"_qs, u"+0.025"_qs, u"0"_qs, u"g6"_qs, u"-0.009"_qs, u"-0.025"_qs, u"间隙配合"_qs}
        << QStringList{u"30.525"_qs, u"30.5"_qs, u"25 μm"_qs, u"30.491"_qs, u"30.475"_qs, u"16 μm"_qs, u"最大间隙 +50 μm"_qs, u"最小间隙 +9 μm"_qs};
}

void TestGcph::okComputes()
{
    QFETCH(QString, size);
    QFETCH(QString, hole);
    QFETCH(QString, holeGrade);
    QFETCH(QString, shaft);
    QFETCH(QString, shaftGrade);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, figures);
    // '.' in the texts stands for the user's decimal separator
    size.replace(u'.', core::decimalSeparator());
    for (QStringList *texts : {&shown, &figures}) {
        for (QString &text : *texts)
            text.replace(u'.', core::decimalSeparator());
    }
    typeSize(size);
    w->ComboBox1->setEditText(hole);
    w->ComboBox2->setEditText(holeGrade);
    w->ComboBox3->setEditText(shaft);
    w->ComboBox4->setEditText(shaftGrade);
    pressOk();
    QCOMPARE(results(), shown);
    QCOMPARE(this->figures(), figures);
    // The picture is drawn anew for this OK, with the deviations the boxes show.
    QCOMPARE(pictureTexts(fits::PictureText::HoleDeviation), (QStringList{shown[2], shown[3]}));
    QCOMPARE(pictureTexts(fits::PictureText::ShaftDeviation), (QStringList{shown[5], shown[6]}));
    QCOMPARE(pictureTexts(fits::PictureText::ZoneName), (QStringList{shown[1], shown[4]}));
    QCOMPARE(m_dialogs.notices, QStringList());
    QCOMPARE(m_dialogs.errors, QStringList());
    QCOMPARE(w->basicSize(), fits::acceptedSize(size).value());
}

void TestGcph::okRefusesZeroSize()
{
    pressOk();
    QCOMPARE(w->Lb->text(), u"间隙配合"_qs);
    w->Edit1->setText(u"0"_qs);
    QCOMPARE(m_dialogs.notices, QStringList());
    pressOk();
    QCOMPARE(m_dialogs.notices, QStringList{notice::sizeRange});
    // The zone names are written; nothing is computed and no verdict stays.
    QCOMPARE(results(), (QStringList{QString(), u"H6"_qs, QString(), QString(), u"f5"_qs, QString(), QString(), QString()}));
    QCOMPARE(w->basicSize(), 0.0f);
    QVERIFY(focused(w->Edit1));
    QCOMPARE(w->Edit1->selectedText(), u"0"_qs);
}

void TestGcph::okAsksForBasisOnly()
{
    // Shaft basis empties the hole letter; deleting the size deselects both bases.
    click(w->RadioButton2);
    typeSize(QString());
    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    QVERIFY(!w->RadioButton1->isChecked() && !w->RadioButton2->isChecked());
    w->Edit1->setText(u"20"_qs);
    m_dialogs.clear();
    pressOk();
    QCOMPARE(m_dialogs.notices, QStringList{notice::chooseBasis});
    QCOMPARE(results(), (QStringList{u"20"_qs, u"6"_qs, QString(), QString(), u"h5"_qs, u"0"_qs, u"-0.009"_qs, QString()}));
}

void TestGcph::okAsksForHoleZone()
{
    pressOk();
    click(w->RadioButton2);
    m_dialogs.clear();
    pressOk();
    QCOMPARE(m_dialogs.notices, QStringList{notice::enterHoleZone});
    QCOMPARE(results(), (QStringList{u"20"_qs, u"6"_qs, QString(), QString(), u"h5"_qs, u"0"_qs, u"-0.009"_qs, QString()}));
    QVERIFY(focused(w->ComboBox1));
}

void TestGcph::okAsksForShaftZone()
{
    click(w->RadioButton2);
    click(w->RadioButton1);
    QCOMPARE(w->ComboBox3->currentText(), QString());
    m_dialogs.clear();
    pressOk();
    QCOMPARE(m_dialogs.notices, QStringList{notice::enterShaftZone});
    QCOMPARE(results(), (QStringList{u"20"_qs, u"H6"_qs, u"+0.013"_qs, u"0"_qs, u"5"_qs, QString(), QString(), QString()}));
    QVERIFY(focused(w->ComboBox3));
}

void TestGcph::okUndefinedZone_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("holeGrade");
    QTest::addColumn<QString>("shaft");
    QTest::addColumn<QString>("shaftGrade");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("K12 at 20") << u"20"_qs << u"K"_qs << u"12"_qs << u"f"_qs << u"5"_qs
        << QStringList{u"20"_qs, u"K12"_qs, QString(), QString(), u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, QString()};
    QTest::newRow("T7 at 20") << u"20"_qs << u"T"_qs << u"7"_qs << u"h"_qs << u"6"_qs
        << QStringList{u"20"_qs, u"T7"_qs, QString(), QString(), u"h6"_qs, u"0"_qs, u"-0.013"_qs, QString()};
    QTest::newRow("j8 at 10") << u"10"_qs << u"H"_qs << u"7"_qs << u"j"_qs << u"8"_qs
        << QStringList{u"10"_qs, u"H7"_qs, u"+0.015"_qs, u"0"_qs, u"j8"_qs, QString(), QString(), QString()};
    QTest::newRow("both undefined, one notice") << u"600"_qs << u"A"_qs << u"11"_qs << u"a"_qs << u"11"_qs
        << QStringList{u"600"_qs, u"A11"_qs, QString(), QString(), u"a11"_qs, QString(), QString(), QString()};
    QTest::newRow("J4 at 24") << u"24"_qs << u"J"_qs << u"4"_qs << u"h"_qs << u"4"_qs
        << QStringList{u"24"_qs, u"J4"_qs, QString(), QString(), u"h4"_qs, u"0"_qs, u"-0.006"_qs, QString()};
    QTest::newRow("j9 at 2") << u"2"_qs << u"H"_qs << u"9"_qs << u"j"_qs << u"9"_qs
        << QStringList{u"2"_qs, u"H9"_qs, u"+0.025"_qs, u"0"_qs, u"j9"_qs, QString(), QString(), QString()};
    QTest::newRow("b11 at 1") << u"1"_qs << u"H"_qs << u"11"_qs << u"b"_qs << u"11"_qs
        << QStringList{u"1"_qs, u"H11"_qs, u"+0.06"_qs, u"0"_qs, u"b11"_qs, QString(), QString(), QString()};
    QTest::newRow("H14 at 0.5") << u"0.5"_qs << u"H"_qs << u"14"_qs << u"h"_qs << u"13"_qs
        << QStringList{u"0.5"_qs, u"H14"_qs, QString(), QString(), u"h13"_qs, u"0"_qs, u"-0.14"_qs, QString()};
    QTest::newRow("P2 at 40") << u"40"_qs << u"P"_qs << u"2"_qs << u"h"_qs << u"2"_qs
        << QStringList{u"40"_qs, u"P2"_qs, QString(), QString(), u"h2"_qs, u"0"_qs, u"-0.0025"_qs, QString()};
}

void TestGcph::okUndefinedZone()
{
    QFETCH(QString, size);
    QFETCH(QString, hole);
    QFETCH(QString, holeGrade);
    QFETCH(QString, shaft);
    QFETCH(QString, shaftGrade);
    QFETCH(QStringList, shown);
    pressOk(); // leaves a verdict that must not survive
    w->Edit1->setText(size);
    w->ComboBox1->setEditText(hole);
    w->ComboBox2->setEditText(holeGrade);
    w->ComboBox3->setEditText(shaft);
    w->ComboBox4->setEditText(shaftGrade);
    m_dialogs.clear();
    pressOk();
    QCOMPARE(m_dialogs.notices, QStringList{notice::undefinedZone});
    QCOMPARE(results(), shown);
    // No figure and no picture for a zone the standard lacks, nor any extreme of the fit.
    const QStringList shownFigures = figures();
    QCOMPARE(shownFigures[0].isEmpty(), shown[2].isEmpty());
    QCOMPARE(shownFigures[3].isEmpty(), shown[5].isEmpty());
    QCOMPARE(shownFigures.mid(6), (QStringList{QString(), QString()}));
    w->Figures->PaintBox1->grab();
    QVERIFY(w->Figures->PaintBox1->painted().isEmpty());
}

// A text the program put into a letter box is not checked there: OK refuses it as the box
// would, computes nothing for its zone and leaves no deviations of an earlier zone beside it.
void TestGcph::okLetterNamingNoZone_data()
{
    QTest::addColumn<bool>("hole");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("hole L") << true << u"L"_qs
        << QStringList{u"20"_qs, u"L6"_qs, QString(), QString(), u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, QString()};
    QTest::newRow("hole W") << true << u"W"_qs
        << QStringList{u"20"_qs, u"W6"_qs, QString(), QString(), u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, QString()};
    QTest::newRow("hole AB") << true << u"AB"_qs
        << QStringList{u"20"_qs, u"AB6"_qs, QString(), QString(), u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, QString()};
    QTest::newRow("shaft o") << false << u"o"_qs
        << QStringList{u"20"_qs, u"H6"_qs, u"+0.013"_qs, u"0"_qs, u"o5"_qs, QString(), QString(), QString()};
    QTest::newRow("shaft l") << false << u"l"_qs
        << QStringList{u"20"_qs, u"H6"_qs, u"+0.013"_qs, u"0"_qs, u"l5"_qs, QString(), QString(), QString()};
}

void TestGcph::okLetterNamingNoZone()
{
    QFETCH(bool, hole);
    QFETCH(QString, letter);
    QFETCH(QStringList, shown);
    pressOk();
    QComboBox *box = hole ? w->ComboBox1 : w->ComboBox3;
    box->setEditText(letter);
    m_dialogs.clear();
    pressOk();
    QCOMPARE(m_dialogs.errors, QStringList());
    QCOMPARE(results(), shown);
    checkCorrected(box, hole ? u"H"_qs : u"f"_qs, QStringList{hole ? notice::holeLetter : notice::shaftLetter});
}

void TestGcph::sizeBoxRefusesLetter()
{
    pressOk();
    QCOMPARE(w->basicSize(), 20.0f);
    typeSize(u"x"_qs);
    // The box goes back to "20", whose own check (run again by that change) passes silently.
    QCOMPARE(m_dialogs.notices, QStringList{notice::sizeRange});
    QCOMPARE(w->Edit1->text(), u"20"_qs);
    QCOMPARE(w->Edit1->selectedText(), u"20"_qs);
    QVERIFY(focused(w->Edit1));
    QCOMPARE(w->basicSize(), 0.0f);
    QCOMPARE(results(), (QStringList{u"20"_qs, u"H6"_qs, u"+0.013"_qs, u"0"_qs, u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, u"间隙配合"_qs}));
    QVERIFY(w->RadioButton1->isChecked());
}

void TestGcph::sizeBoxRefusesRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("3151") << u"3151"_qs;
    QTest::newRow("-1") << u"-1"_qs;
    QTest::newRow("empty") << QString();
}

void TestGcph::sizeBoxRefusesRange()
{
    QFETCH(QString, text);
    pressOk();
    w->Edit1->setText(text);
    QCOMPARE(m_dialogs.notices, QStringList{notice::sizeRange});
    QCOMPARE(w->Edit1->text(), text);
    QCOMPARE(w->Edit1->selectedText(), text);
    QVERIFY(focused(w->Edit1));
    QCOMPARE(w->basicSize(), 0.0f);
    // Size, zone names and deviations go; the fit box keeps its text.
    QCOMPARE(results(), (QStringList{QString(), QString(), QString(), QString(), QString(), QString(), QString(), u"间隙配合"_qs}));
    QVERIFY(!w->RadioButton1->isChecked() && !w->RadioButton2->isChecked());
}

void TestGcph::sizeBoxDeletedByUser()
{
    typeSize(QString());
    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    QCOMPARE(w->Edit1->text(), QString());
    QCOMPARE(m_dialogs.notices, QStringList{notice::sizeRange});
    QCOMPARE(w->Label4->text(), QString());
    QVERIFY(!w->RadioButton1->isChecked() && !w->RadioButton2->isChecked());
}

void TestGcph::sizeBoxPassesZero()
{
    w->Edit1->setText(u"0"_qs);
    QCOMPARE(m_dialogs.notices, QStringList());
    QCOMPARE(w->Label4->text(), u"+0.013"_qs);
    QVERIFY(w->RadioButton1->isChecked());
}

void TestGcph::sizeBoxNotANumber()
{
    w->Edit1->setText(u"1a"_qs);
    QCOMPARE(m_dialogs.errors, QStringList{u"'1a' is not a valid floating point value"_qs});
    QCOMPARE(m_dialogs.notices, QStringList());
    QCOMPARE(w->Edit1->text(), u"1a"_qs);
    pressOk();
    QCOMPARE(m_dialogs.errors.size(), 2);
    QCOMPARE(results(), (QStringList{u"20"_qs, u"H6"_qs, u"+0.013"_qs, u"0"_qs, u"f5"_qs, u"-0.02"_qs, u"-0.029"_qs, QString()}));
}

void TestGcph::sizeBoxTypingLimit()
{
    typeSize(u"1.23456"_qs);
    QCOMPARE(w->Edit1->text(), u"1.234"_qs);
    w->Edit1->setText(u"12.3456"_qs); // the program's own texts are not cut
    QCOMPARE(w->Edit1->text(), u"12.3456"_qs);
}

void TestGcph::holeBasisWithoutSize()
{
    typeSize(QString());
    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    click(w->RadioButton1);
    // Setting "0" re-runs the size check, which lets 0 pass without a notice of its own.
    QCOMPARE(m_dialogs.notices, (QStringList{notice::sizeRange, notice::holeBasisSize}));
    QCOMPARE(w->Edit1->text(), u"0"_qs);
    QCOMPARE(w->Edit1->selectedText(), u"0"_qs);
    QVERIFY(focused(w->Edit1));
    QVERIFY(!w->RadioButton1->isChecked() && !w->RadioButton2->isChecked());
    QCOMPARE(w->ComboBox3->currentText(), u"f"_qs);
}

void TestGcph::shaftBasisPreset()
{
    pressOk();
    click(w->RadioButton2);
    QVERIFY(w->RadioButton2->isChecked());
    QCOMPARE(w->ComboBox3->currentText(), u"h"_qs);
    QCOMPARE(w->ComboBox1->currentText(), QString());
    QVERIFY(focused(w->ComboBox1));
    QCOMPARE(results(), (QStringList{u"20"_qs, QString(), QString(), QString(), QString(), QString(), QString(), QString()}));
    QCOMPARE(figures(), QStringList(8, QString()));
    w->Figures->PaintBox1->grab();
    QVERIFY(w->Figures->PaintBox1->painted().isEmpty());
    QCOMPARE(m_dialogs.notices, QStringList());
}

void TestGcph::holeBasisPreset()
{
    click(w->RadioButton2);
    pressOk();
    click(w->RadioButton1);
    QCOMPARE(w->ComboBox1->currentText(), u"H"_qs);
    QCOMPARE(w->ComboBox3->currentText(), QString());
    QVERIFY(focused(w->ComboBox2));
    QCOMPARE(results(), (QStringList{u"20"_qs, QString(), QString(), QString(), QString(), QString(), QString(), QString()}));
}

void TestGcph::selectedBasisClickRunsNothing()
{
    click(w->RadioButton1);
    QCOMPARE(w->ComboBox3->currentText(), u"f"_qs);
    QCOMPARE(w->Label4->text(), u"+0.013"_qs);
}

void TestGcph::shaftBasisWithoutSize()
{
    typeSize(QString());
    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    click(w->RadioButton2);
    QCOMPARE(m_dialogs.notices, QStringList{notice::sizeRange});
    QCOMPARE(w->ComboBox3->currentText(), u"h"_qs);
    QVERIFY(w->RadioButton2->isChecked());
}

void TestGcph::letterBoxes_data()
{
    QTest::addColumn<bool>("hole");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("notices");
    const QStringList none;
    const QStringList holeNotice{notice::holeLetter};
    const QStringList shaftNotice{notice::shaftLetter};
    QTest::newRow("hole f becomes F") << true << false << u"f"_qs << u"F"_qs << none;
    QTest::newRow("hole js becomes Js") << true << false << u"js"_qs << u"Js"_qs << none;
    QTest::newRow("hole JS becomes Js") << true << false << u"JS"_qs << u"Js"_qs << none;
    QTest::newRow("hole js pasted becomes Js") << true << true << u"js"_qs << u"Js"_qs << none;
    QTest::newRow("hole L refused") << true << false << u"L"_qs << u"H"_qs << holeNotice;
    QTest::newRow("hole l refused") << true << false << u"l"_qs << u"H"_qs << holeNotice;
    QTest::newRow("hole q refused") << true << false << u"q"_qs << u"H"_qs << holeNotice;
    QTest::newRow("hole i refused") << true << false << u"i"_qs << u"H"_qs << holeNotice;
    QTest::newRow("hole ab pasted refused") << true << true << u"ab"_qs << u"H"_qs << holeNotice;
    QTest::newRow("hole emptied refused") << true << false << QString() << u"H"_qs << holeNotice;
    QTest::newRow("shaft F becomes f") << false << false << u"F"_qs << u"f"_qs << none;
    QTest::newRow("shaft K becomes k") << false << false << u"K"_qs << u"k"_qs << none;
    QTest::newRow("shaft JS becomes js") << false << false << u"JS"_qs << u"js"_qs << none;
    QTest::newRow("shaft JS pasted becomes js") << false << true << u"JS"_qs << u"js"_qs << none;
    QTest::newRow("shaft 1 refused") << false << false << u"1"_qs << u"f"_qs << shaftNotice;
    QTest::newRow("shaft i refused") << false << false << u"i"_qs << u"f"_qs << shaftNotice;
    QTest::newRow("shaft L refused") << false << false << u"L"_qs << u"f"_qs << shaftNotice;
    QTest::newRow("shaft o refused") << false << false << u"o"_qs << u"f"_qs << shaftNotice;
    QTest::newRow("shaft W refused") << false << false << u"W"_qs << u"f"_qs << shaftNotice;
}

// A box after an entry: its text, the notices shown, and after a notice the focus on the box
// with its whole text selected.
void TestGcph::checkCorrected(QComboBox *box, const QString &text, const QStringList &notices)
{
    QCOMPARE(box->currentText(), text);
    QCOMPARE(m_dialogs.notices, notices);
    if (!notices.isEmpty()) {
        QVERIFY(focused(box));
        QCOMPARE(box->lineEdit()->selectedText(), text);
    }
}

void TestGcph::letterBoxes()
{
    QFETCH(bool, hole);
    QFETCH(bool, pasted);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QStringList, notices);
    QComboBox *box = hole ? w->ComboBox1 : w->ComboBox3;
    if (pasted)
        pasteInto(box, typed);
    else
        typeInto(box, typed);
    checkCorrected(box, text, notices);
    QCOMPARE(w->Label4->text(), u"+0.013"_qs); // only OK computes
}

void TestGcph::holeLetterHSwitchesBasis()
{
    click(w->RadioButton2);
    typeInto(w->ComboBox1, u"h"_qs); // corrected to H, the basis stays
    QCOMPARE(w->ComboBox1->currentText(), u"H"_qs);
    QVERIFY(w->RadioButton2->isChecked());
    QCOMPARE(w->ComboBox3->currentText(), u"h"_qs);
    pressOk();
    QCOMPARE(w->Lb->text(), u"间隙配合"_qs);
    typeInto(w->ComboBox1, u"H"_qs);
    QVERIFY(w->RadioButton1->isChecked());
    QCOMPARE(w->ComboBox3->currentText(), QString());
    QCOMPARE(results(), (QStringList{u"20"_qs, QString(), QString(), QString(), QString(), QString(), QString(), QString()}));
    QCOMPARE(m_dialogs.notices, QStringList());
}

void TestGcph::shaftLetterHSwitchesBasis()
{
    typeInto(w->ComboBox3, u"h"_qs);
    QVERIFY(w->RadioButton2->isChecked());
    QCOMPARE(w->ComboBox1->currentText(), QString());
    QCOMPARE(w->ComboBox3->currentText(), u"h"_qs);
}

void TestGcph::gradeBoxes_data()
{
    QTest::addColumn<bool>("hole");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("hole 12") << true << u"12"_qs << u"12"_qs << QStringList();
    QTest::newRow("hole 19 refused") << true << u"19"_qs << u"6"_qs << QStringList{notice::grade};
    QTest::newRow("hole emptied") << true << QString() << u"6"_qs << QStringList{notice::grade};
    QTest::newRow("shaft 0 refused") << false << u"0"_qs << u"5"_qs << QStringList{notice::grade};
    QTest::newRow("shaft 18") << false << u"18"_qs << u"18"_qs << QStringList();
    QTest::newRow("shaft 07 refused") << false << u"07"_qs << u"5"_qs << QStringList{notice::grade};
}

void TestGcph::gradeBoxes()
{
    QFETCH(bool, hole);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QStringList, notices);
    QComboBox *box = hole ? w->ComboBox2 : w->ComboBox4;
    pasteInto(box, typed);
    checkCorrected(box, text, notices);
}

// Under a dark palette the picture's texts are drawn light on the dark window, at the default
// size as in a smaller page pane.
void TestGcph::pictureReadsUnderDarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    dark.setColor(QPalette::Highlight, QColor(80, 160, 255));
    dark.setColor(QPalette::Link, QColor(255, 170, 60));
    w->setPalette(dark);
    pressOk();
    for (const QSize size : {QSize(690, 283), QSize(600, 240)}) {
        w->resize(size);
        ZonePictureBox *box = w->Figures->PaintBox1;
        const QImage image = box->grab().toImage();
        const fits::ZonePictureLayout &painted = box->painted();
        QCOMPARE(painted.texts.size(), 9);
        for (const fits::PictureText &t : painted.texts) {
            QVERIFY2(QRectF(box->rect()).contains(t.rect), qPrintable(t.text));
            int light = 0, dark = 0;
            const QRect r = t.rect.toAlignedRect().intersected(image.rect());
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    const int grey = qGray(image.pixel(x, y));
                    light += grey > 160 ? 1 : 0;
                    dark += grey < 80 ? 1 : 0;
                }
            }
            QVERIFY2(light > 0 && dark > light, qPrintable(t.text)); // light glyphs on the dark window
        }
        QVERIFY(qGray(image.pixel(1, 1)) < 80); // the window's own dark background
    }
}

void TestGcph::enterPressesOk()
{
    w->ComboBox2->setEditText(u"7"_qs);
    w->Edit1->setFocus();
    QTest::keyClick(w->Edit1, Qt::Key_Return);
    QCOMPARE(w->Label4->text(), u"+0.021"_qs);
    w->ComboBox4->setEditText(u"6"_qs);
    w->ComboBox4->setFocus();
    QTest::keyClick(w->ComboBox4->lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(w->Label8->text(), u"-0.033"_qs);
    QCOMPARE(w->ComboBox4->currentText(), u"6"_qs);
}

void TestGcph::tabOrder()
{
    w->Edit1->setFocus();
    const QList<QWidget *> order{w->RadioButton1, w->ComboBox1, w->ComboBox2, w->ComboBox3, w->ComboBox4};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(focused(next), qPrintable(next->objectName()));
    }
}

QTEST_MAIN(TestGcph)
#include "tst_gcph.moc"
