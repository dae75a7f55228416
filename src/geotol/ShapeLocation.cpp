#include "ShapeLocation.h"

#include "DataofShapeLocation.h"
#include "characteristics.h"
#include "core/contrast.h"
#include "core/dialogs.h"
#include "core/error.h"
#include "core/guard.h"
#include "core/numbers.h"
#include "entryrules.h"
#include "pictures.h"
#include "storage/paths.h"
#include "tolerancelookup.h"
#include "typinglimit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>

Tfrmgccx *frmgccx = nullptr;
QString LegendDir;

namespace {

using geotol::Characteristic;
using geotol::PreliminaryCheck;

// An entry far above the bound (1e300) would otherwise bring one notice per division.
constexpr int noticesPerEntry = 8;
constexpr int designedHeight = 333;
constexpr int legendCaptionTop = -47; // above the client area at the designed height

QLabel *label(QWidget *parent, const QString &text, int x, int y, int w = 80, int h = 17)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QImage builtInLegend()
{
    QFile recipe(u":/geotol/zxd.bmp.pic"_qs);
    recipe.open(QIODevice::ReadOnly);
    return content::renderRecipe(QString::fromUtf8(recipe.readAll()));
}

} // namespace

Tfrmgccx::Tfrmgccx(QWidget *parent) : QWidget(parent, Qt::FramelessWindowHint)
{
    setWindowTitle(u"形状与位置公差查询"_qs);
    resize(362, designedHeight);
    setMaximumSize(370, 360);

    // Frames first, so the controls they surround (siblings, not children) stay on top.
    RadioGroup1 = new QGroupBox(u"形状与位置公差"_qs, this);
    RadioGroup1->setGeometry(8, 150, 190, 46);
    RadioGroup2 = new QGroupBox(u"形位公差名称"_qs, this);
    RadioGroup2->setGeometry(8, 200, 190, 128);

    Label1 = label(this, u"主参数"_qs, 16, 10);
    Edit1 = new QLineEdit(u"20"_qs, this);
    Label1->setBuddy(Edit1);
    Edit1->setGeometry(16, 28, 110, 22);
    Edit1->setValidator(new TypingLimit(Edit1, 10));
    Label2 = label(this, u"mm"_qs, 132, 31, 30);

    Label3 = label(this, u"公差等级"_qs, 16, 56);
    ComboBox1 = new QComboBox(this);
    Label3->setBuddy(ComboBox1);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr); // the typed text stays as typed
    for (int g = 1; g <= 12; ++g)
        ComboBox1->addItem(QString::number(g));
    ComboBox1->setEditText(u"6"_qs);
    ComboBox1->setGeometry(16, 74, 110, 22);

    Label4 = label(this, u"公差值"_qs, 16, 102);
    LB = label(this, QString(), 16, 122, 180, 22);
    core::keepReadable(LB, Qt::blue);
    QFont bold = LB->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    LB->setFont(bold);

    CheckBox1 = new QCheckBox(u"形状公差"_qs, this);
    CheckBox1->setGeometry(18, 170, 80, 20);
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(u"位置公差"_qs, this);
    CheckBox2->setGeometry(106, 170, 80, 20);

    m_group = new QButtonGroup(this);
    const auto rows = geotol::characteristics();
    for (int i = 0; i < 11; ++i) {
        auto *b = new QRadioButton(rows[i].caption, this);
        b->setGeometry(i < 6 ? 18 : 106, 220 + 17 * (i < 6 ? i : i - 6), 84, 17);
        m_group->addButton(b, i + 3);
        m_buttons[i] = b;
    }
    RadioButton3 = m_buttons[0], RadioButton4 = m_buttons[1], RadioButton5 = m_buttons[2];
    RadioButton6 = m_buttons[3], RadioButton7 = m_buttons[4], RadioButton8 = m_buttons[5];
    RadioButton9 = m_buttons[6], RadioButton10 = m_buttons[7], RadioButton11 = m_buttons[8];
    RadioButton12 = m_buttons[9], RadioButton13 = m_buttons[10];
    RadioButton3->setChecked(true);

    Panel1 = new QFrame(this);
    Panel1->setAccessibleName(u"图例框"_qs);
    Panel1->setGeometry(204, 8, 150, 240);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Image1 = new QLabel(Panel1);
    Image1->setAccessibleName(u"图例"_qs);
    Image1->setGeometry(0, 0, 150, 240);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap::fromImage(builtInLegend()));

    Label7 = label(this, u"图例"_qs, 204, legendCaptionTop, 150, 25);
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    connect(Edit1, &QLineEdit::textChanged, this, [this] { run([this] { Edit1Change(); }); });
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] { run([this] { ComboBox1Change(); }); });
    connect(ComboBox1, &QComboBox::textActivated, this, [this] { run([this] { ComboBox1Change(); }); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { run([this] { CheckBox1Click(); }); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { run([this] { CheckBox2Click(); }); });
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            run([this, id] { RadioButtonClick(id); });
    });

    FormCreate();
}

void Tfrmgccx::FormCreate()
{
    for (int n = 9; n <= 13; ++n)
        button(n)->setEnabled(false);
    LegendDir = QCoreApplication::applicationDirPath() + u"/shape_location/DATAS/pic/"_qs;
}

void Tfrmgccx::resizeEvent(QResizeEvent *event)
{
    // The legend caption is anchored to the bottom edge: it follows the growth of the window.
    Label7->move(Label7->x(), legendCaptionTop + height() - designedHeight);
    QWidget::resizeEvent(event);
}

void Tfrmgccx::run(const std::function<void()> &handler)
{
    if (m_depth == 0)
        m_notices = 0;
    ++m_depth;
    core::guarded(handler);
    --m_depth;
}

bool Tfrmgccx::notify(const QString &text)
{
    if (m_notices >= noticesPerEntry)
        return false;
    ++m_notices;
    core::dialogs().notice(nullptr, text);
    return true;
}

void Tfrmgccx::setEdit1Text(const QString &text)
{
    Edit1->setText(text); // runs Edit1Change nested when the text differs
    core::rethrowPending();
}

void Tfrmgccx::uncheckFormMode()
{
    CheckBox1->setChecked(false); // runs CheckBox1Click when it was checked
    core::rethrowPending();
}

void Tfrmgccx::enableColumns(bool left, bool right)
{
    for (int n = 3; n <= 13; ++n)
        button(n)->setEnabled(n <= 8 ? left : right);
}

// The letter rule: a text of letters becomes "1" without a message, and counts as 0 meanwhile.
bool Tfrmgccx::replaceLetters(const QString &text)
{
    if (!geotol::isLetters(text))
        return false;
    MainParam = 0;
    setEdit1Text(u"1"_qs);
    Edit1->selectAll();
    return true;
}

void Tfrmgccx::RadioButtonClick(int number)
{
    const Characteristic &c = geotol::characteristics()[number - 3];
    // The value and the legend of the characteristic checked before go first: an entry this one
    // cannot read, or a legend that does not load, must not leave them beside this button.
    LB->clear();
    if (button(number)->isChecked()) {
        Label7->setText(c.legendCaption);
        Image1->clear();
        loadLegend(c.legendFile);
    }
    if (c.check != PreliminaryCheck::None) {
        const QString text = Edit1->text();
        const double v = c.check == PreliminaryCheck::Integer ? core::parseInt(text) : core::parseFloat(text);
        if (v > c.bound) {
            if (notify(geotol::boundMessage500))
                setEdit1Text(geotol::formattedTenth(core::parseFloat(text)));
            Edit1->setFocus();
            Edit1->selectAll();
        }
    }

    const QString text = Edit1->text();
    if (!replaceLetters(text)) {
        // The quiet check: an empty or out-of-bound entry counts as 0 without a message.
        const double v = text.isEmpty() ? 0 : core::parseFloat(text);
        MainParam = v > 0 && v <= c.bound ? float(v) : 0;
    }
    checkGrade();
    showResult(c.table);
}

void Tfrmgccx::Edit1Change()
{
    LB->clear();
    const QString text = Edit1->text();
    if (!replaceLetters(text)) {
        if (text.isEmpty()) {
            MainParam = 0;
            Edit1->selectAll();
            uncheckFormMode();
        } else {
            const double v = core::parseFloat(text);
            if (v > 0 && v <= geotol::changeBound) {
                MainParam = float(v);
            } else {
                // A negative entry keeps its text; 0 and below are taken as 0 after one notice.
                MainParam = 0;
                if (notify(geotol::boundMessage10000) && v > geotol::changeBound)
                    setEdit1Text(geotol::formattedTenth(v));
                Edit1->selectAll();
                uncheckFormMode();
            }
        }
    }
    checkGrade();
    recompute();
}

void Tfrmgccx::ComboBox1Change()
{
    Edit1Change();
}

void Tfrmgccx::CheckBox1Click()
{
    modeBoxClicked(CheckBox1, CheckBox2, true);
}

void Tfrmgccx::CheckBox2Click()
{
    modeBoxClicked(CheckBox2, CheckBox1, false);
}

// A mode box changed: checking it moves to its mode (form mode: the left column of buttons);
// unchecking the checked box leaves no mode and no button enabled.
void Tfrmgccx::modeBoxClicked(QCheckBox *own, QCheckBox *other, bool formMode)
{
    LB->clear();
    if (!own->isChecked() && !other->isChecked()) {
        enableColumns(false, false);
        return;
    }
    if (own->isChecked()) {
        other->setChecked(false);
        core::rethrowPending();
        enableColumns(formMode, !formMode);
    }
}

void Tfrmgccx::checkGrade()
{
    const QString grade = ComboBox1->currentText();
    if (geotol::isValidGrade(grade)) {
        Grade = grade.toFloat();
    } else {
        notify(geotol::gradeMessage);
        ComboBox1->setEditText(u"6"_qs); // a text set here runs no change handler
        Grade = 6;
    }
    GradeColumn = geotol::gradeColumn(QString::number(int(Grade)));
}

// The change handlers' recomputation, for the checked characteristic, enabled or not.
void Tfrmgccx::recompute()
{
    const Characteristic &c = checkedCharacteristic();
    if (c.check != PreliminaryCheck::None) {
        const double v = core::parseFloat(Edit1->text());
        if (v > c.bound) {
            if (notify(geotol::boundMessage500))
                setEdit1Text(geotol::formattedTenth(v));
            Edit1->selectAll();
        }
    }
    showResult(c.table);
}

void Tfrmgccx::showResult(int table)
{
    const std::optional<float> value = geotol::LookupTolerance(Data->table(table), MainParam, GradeColumn);
    if (!value) {
        LB->clear(); // no row for this main parameter: no stale result
        return;
    }
    TolValue = *value;
    LB->setText(geotol::resultText(TolValue));
}

void Tfrmgccx::loadLegend(const QString &fileName)
{
    const QString wanted = LegendDir + fileName;
    const QString found = storage::resolvePath(wanted);
    QFile file(found.isEmpty() ? wanted : found);
    if (!file.open(QIODevice::ReadOnly))
        throw core::Error(u"Cannot open file \"%1\". %2"_qs.arg(QDir::toNativeSeparators(wanted), file.errorString()));
    QImage picture;
    if (!picture.load(&file, nullptr))
        throw core::Error(u"Bitmap image is not valid"_qs);
    Image1->setPixmap(QPixmap::fromImage(picture));
}

const Characteristic &Tfrmgccx::checkedCharacteristic() const
{
    return geotol::characteristics()[m_group->checkedId() - 3];
}
