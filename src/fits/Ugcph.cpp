#include "Ugcph.h"

#include "DataUnit.h"
#include "fitfigurespanel.h"
#include "fitinputs.h"

#include "core/contrast.h"
#include "core/dialogs.h"
#include "core/guard.h"
#include "core/numbers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QValidator>

Tfrmgcph *frmgcph = nullptr;

namespace {

constexpr int figuresLeft = 430;

// A green tick for the OK button, drawn here: the style's own icon goes through an icon theme
// search that would cost more at start-up than building the whole window.
QIcon tickIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 140, 50), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(3, 8.5);
    tick.lineTo(6.5, 12);
    tick.lineTo(13, 4);
    p.drawPath(tick);
    return QIcon(pm);
}

// Limits what the user types into the size box; texts set by the program are not limited.
class MaxLengthValidator : public QValidator {
public:
    MaxLengthValidator(int max, QObject *parent) : QValidator(parent), m_max(max) {}
    State validate(QString &input, int &) const override { return input.size() > m_max ? Invalid : Acceptable; }

private:
    int m_max;
};

QLabel *labelAt(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QComboBox *zoneBoxAt(QWidget *parent, const QStringList &items, const QString &text, const QRect &geometry)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr); // inline completion would turn "j" into "js" while typing
    box->addItems(items);
    box->setGeometry(geometry);
    box->setEditText(text);
    return box;
}

// Sets a box's text from a handler; only the user's typing and picking run the box's handler.
void setBoxText(QComboBox *box, const QString &text)
{
    const int item = box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (item >= 0)
        box->setCurrentIndex(item);
    box->setEditText(text);
}

void focusWithSelection(QComboBox *box)
{
    box->setFocus();
    box->lineEdit()->selectAll();
}

void styleResult(QLabel *label, int pixelSize)
{
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    core::keepReadable(label, Qt::blue);
}

} // namespace

Tfrmgcph::Tfrmgcph()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_tables(*Data2->ADOTable1, *Data2->ADOTable2, *Data2->ADOTable3)
    , m_calculator(m_tables)
{
    setWindowTitle(QStringLiteral("公差与配合查询"));
    // The figures and the zone picture stand right of the described 432 × 283 area, which keeps
    // every control where it was; the cap grows with it.
    resize(690, 283);
    setMaximumSize(698, 310);
    createControls();
    FormCreate();

    connect(Edit1, &QLineEdit::textChanged, this, [this] { core::guarded([this] { Edit1Change(); }); });
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            core::guarded([this] { RadioButton1Click(); });
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            core::guarded([this] { RadioButton2Click(); });
    });
    const auto onUserChange = [this](QComboBox *box, void (Tfrmgcph::*handler)()) {
        const auto run = [this, handler] { core::guarded([this, handler] { (this->*handler)(); }); };
        connect(box->lineEdit(), &QLineEdit::textEdited, this, run);
        connect(box, &QComboBox::textActivated, this, run);
    };
    onUserChange(ComboBox1, &Tfrmgcph::ComboBox1Change);
    onUserChange(ComboBox2, &Tfrmgcph::ComboBox2Change);
    onUserChange(ComboBox3, &Tfrmgcph::ComboBox3Change);
    onUserChange(ComboBox4, &Tfrmgcph::ComboBox4Change);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { core::guarded([this] { BitBtn1Click(); }); });

    // A default button works only in dialogs: the embedded page gives Enter to OK itself.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, BitBtn1, &QPushButton::click);
    }
}

Tfrmgcph::~Tfrmgcph()
{
    // QWidget's destructor hides a shown window, and the focus leaving a zone box then reports its
    // text as chosen: this calculator is gone by then, so its controls no longer call it.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

void Tfrmgcph::createControls()
{
    Label1 = labelAt(this, QStringLiteral("基本尺寸"), {14, 14, 56, 20});
    Edit1 = new QLineEdit(QStringLiteral("20"), this);
    Label1->setBuddy(Edit1);
    Edit1->setGeometry(72, 12, 56, 24);
    Edit1->setValidator(new MaxLengthValidator(fits::maxSizeLength, Edit1));
    labelAt(this, QStringLiteral("mm"), {134, 14, 30, 20});

    GroupBox2 = new QGroupBox(QStringLiteral("基准制"), this);
    GroupBox2->setGeometry(10, 44, 150, 72);
    RadioButton1 = new QRadioButton(QStringLiteral("基孔制"), GroupBox2);
    RadioButton1->setGeometry(14, 20, 120, 22);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("基轴制"), GroupBox2);
    RadioButton2->setGeometry(14, 44, 120, 22);

    GroupBox1 = new QGroupBox(QStringLiteral("公差带"), this);
    GroupBox1->setGeometry(170, 6, 252, 110);
    labelAt(GroupBox1, QStringLiteral("公差带"), {56, 18, 70, 20});
    labelAt(GroupBox1, QStringLiteral("公差等级"), {148, 18, 80, 20});
    labelAt(GroupBox1, QStringLiteral("孔"), {16, 46, 24, 20});
    labelAt(GroupBox1, QStringLiteral("轴"), {16, 78, 24, 20});
    ComboBox1 = zoneBoxAt(GroupBox1, fits::holeLetters(), QStringLiteral("H"), {44, 44, 84, 26});
    ComboBox2 = zoneBoxAt(GroupBox1, fits::gradeTexts(), QStringLiteral("6"), {144, 44, 84, 26});
    ComboBox3 = zoneBoxAt(GroupBox1, fits::shaftLetters(), QStringLiteral("f"), {44, 76, 84, 26});
    ComboBox4 = zoneBoxAt(GroupBox1, fits::gradeTexts(), QStringLiteral("5"), {144, 76, 84, 26});
    ComboBox1->setAccessibleName(QStringLiteral("孔的公差带"));
    ComboBox2->setAccessibleName(QStringLiteral("孔的公差等级"));
    ComboBox3->setAccessibleName(QStringLiteral("轴的公差带"));
    ComboBox4->setAccessibleName(QStringLiteral("轴的公差等级"));

    BitBtn1 = new QPushButton(tickIcon(), QStringLiteral("OK"), this);
    BitBtn1->setGeometry(176, 122, 88, 28);

    GroupBox3 = new QGroupBox(QStringLiteral("配合方式"), this);
    GroupBox3->setGeometry(10, 156, 130, 102);
    Lb = labelAt(GroupBox3, QString(), {10, 40, 112, 28});
    Lb->setAlignment(Qt::AlignCenter);
    styleResult(Lb, 16);

    GroupBox4 = new QGroupBox(QStringLiteral("查询结果"), this);
    GroupBox4->setGeometry(150, 156, 272, 102);
    Label2 = labelAt(GroupBox4, QStringLiteral("20"), {12, 20, 60, 24});
    Label3 = labelAt(GroupBox4, QStringLiteral("H6"), {80, 20, 60, 36});
    Label4 = labelAt(GroupBox4, QStringLiteral("+0.013"), {140, 18, 120, 20});
    Label5 = labelAt(GroupBox4, QStringLiteral("0"), {140, 38, 120, 20});
    Label6 = labelAt(GroupBox4, QStringLiteral("f5"), {80, 60, 60, 36});
    Label7 = labelAt(GroupBox4, QStringLiteral("-0.02"), {140, 58, 120, 20});
    Label8 = labelAt(GroupBox4, QStringLiteral("-0.029"), {140, 78, 120, 20});
    styleResult(Label2, 18);
    for (QLabel *zone : {Label3, Label6})
        styleResult(zone, 18);
    for (QLabel *deviation : {Label4, Label5, Label7, Label8})
        styleResult(deviation, 14);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->addWidget(new QLabel(QStringLiteral("获取查询结果请按OK键"), StatusBar1), 1);
    StatusBar1->setGeometry(0, 263, 432, 20);

    // The figures of the worked example the result captions show at start.
    Figures = new FitFiguresPanel(this);
    Figures->setGeometry(figuresLeft, 0, 252, 263);
    const fits::ZoneLimits h6{fits::ZoneLimits::Computed, 0.013, 0};
    const fits::ZoneLimits f5{fits::ZoneLimits::Computed, -0.02, -0.029};
    Figures->showFit(fits::fitFigures(20, h6, f5), {h6, f5, Label3->text(), Label6->text()});
}

void Tfrmgcph::resizeEvent(QResizeEvent *event)
{
    // The status bar runs along the bottom edge at whatever size the page pane gives.
    QWidget::resizeEvent(event);
    StatusBar1->setGeometry(0, height() - StatusBar1->height(), width(), StatusBar1->height());
    Figures->setGeometry(figuresLeft, 0, std::max(0, width() - figuresLeft - 6), std::max(0, StatusBar1->y()));
}

void Tfrmgcph::FormCreate()
{
    setTabOrder(Edit1, RadioButton1);
    setTabOrder(RadioButton1, ComboBox1);
    setTabOrder(ComboBox1, ComboBox2);
    setTabOrder(ComboBox2, ComboBox3);
    setTabOrder(ComboBox3, ComboBox4);
}

void Tfrmgcph::clearResults()
{
    for (QLabel *label : {Label3, Label4, Label5, Label6, Label7, Label8})
        label->clear();
    Figures->clear();
}

void Tfrmgcph::deselectBases()
{
    // An exclusive radio button refuses to be unchecked; both may stay unchecked here.
    for (QRadioButton *button : {RadioButton1, RadioButton2}) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

void Tfrmgcph::refuseSize(const QString &noticeText)
{
    BasicSize = 0;
    core::dialogs().notice(nullptr, noticeText);
    Edit1->setFocus();
    Edit1->selectAll();
}

void Tfrmgcph::Edit1Change()
{
    switch (fits::checkSizeEdit(Edit1->text())) {
    case fits::SizeEdit::BeginsWithLetter:
        BasicSize = 0;
        core::dialogs().notice(nullptr, fits::notice::sizeRange);
        Edit1->setText(QStringLiteral("20"));
        core::rethrowPending();
        Edit1->setFocus();
        Edit1->selectAll();
        break;
    case fits::SizeEdit::OutOfRange:
        refuseSize(fits::notice::sizeRange);
        Label2->clear();
        clearResults();
        deselectBases();
        break;
    case fits::SizeEdit::Fine:
        break;
    }
}

void Tfrmgcph::RadioButton1Click()
{
    const QString size = Edit1->text();
    if (size.isEmpty() || size == u"0") {
        core::dialogs().notice(nullptr, fits::notice::holeBasisSize);
        Edit1->setText(QStringLiteral("0"));
        core::rethrowPending();
        Edit1->setFocus();
        Edit1->selectAll();
        Label2->clear();
        clearResults();
        deselectBases();
        return;
    }
    setBoxText(ComboBox1, QStringLiteral("H"));
    ComboBox2->setFocus();
    setBoxText(ComboBox3, QString());
    Lb->clear();
    clearResults();
}

void Tfrmgcph::RadioButton2Click()
{
    setBoxText(ComboBox3, QStringLiteral("h"));
    setBoxText(ComboBox1, QString());
    ComboBox1->setFocus();
    Lb->clear();
    clearResults();
}

void Tfrmgcph::ComboBox1Change()
{
    if (ComboBox1->currentText() == u"H") {
        RadioButton1->setChecked(true);
        core::rethrowPending();
    }
    // Any case of a zone letter is taken in its own spelling; a text that names no zone (L, "ab")
    // is refused here rather than left for OK.
    const QString text = ComboBox1->currentText();
    const QString letter = fits::holeLetterOf(text);
    if (letter.isEmpty())
        refuseLetter(ComboBox1, fits::notice::holeLetter, QStringLiteral("H"));
    else if (letter != text)
        setBoxText(ComboBox1, letter);
}

void Tfrmgcph::ComboBox3Change()
{
    if (ComboBox3->currentText() == u"h") {
        RadioButton2->setChecked(true);
        core::rethrowPending();
    }
    const QString text = ComboBox3->currentText();
    const QString letter = fits::shaftLetterOf(text);
    if (letter.isEmpty())
        refuseLetter(ComboBox3, fits::notice::shaftLetter, QStringLiteral("f"));
    else if (letter != text)
        setBoxText(ComboBox3, letter);
}

void Tfrmgcph::refuseLetter(QComboBox *box, const QString &noticeText, const QString &defaultText)
{
    core::dialogs().notice(nullptr, noticeText);
    setBoxText(box, defaultText);
    focusWithSelection(box);
}

void Tfrmgcph::checkGrade(QComboBox *box, const QString &defaultText)
{
    if (fits::gradeTexts().contains(box->currentText()))
        return;
    core::dialogs().notice(nullptr, fits::notice::grade);
    setBoxText(box, defaultText);
    focusWithSelection(box);
}

void Tfrmgcph::ComboBox2Change()
{
    checkGrade(ComboBox2, QStringLiteral("6"));
}

void Tfrmgcph::ComboBox4Change()
{
    checkGrade(ComboBox4, QStringLiteral("5"));
}

void Tfrmgcph::showZone(QLabel *upper, QLabel *lower, const fits::ZoneLimits &zone)
{
    const fits::ZoneTexts texts = fits::zoneTexts(Edit1->text(), zone);
    upper->setText(texts.upper);
    lower->setText(texts.lower);
}

void Tfrmgcph::BitBtn1Click()
{
    const QString sizeText = Edit1->text();
    const std::optional<float> size = fits::acceptedSize(sizeText);
    BasicSize = size.value_or(0);
    Label2->setText(size ? sizeText : QString());
    const QString holeLetter = ComboBox1->currentText();
    const QString shaftLetter = ComboBox3->currentText();
    Label3->setText(holeLetter + ComboBox2->currentText());
    Label6->setText(shaftLetter + ComboBox4->currentText());
    if (!size) {
        for (QLabel *label : {Label4, Label5, Label7, Label8, Lb})
            label->clear();
        Figures->clear();
        refuseSize(fits::notice::sizeRange);
        return;
    }
    const int holeGrade = core::parseInt(ComboBox2->currentText());
    const int shaftGrade = core::parseInt(ComboBox4->currentText());

    // One notice per press: the first missing choice, else an undefined zone.
    QString noticeText;
    QComboBox *noticeBox = nullptr;
    if (!RadioButton1->isChecked() && !RadioButton2->isChecked()) {
        noticeText = fits::notice::chooseBasis;
    } else if (holeLetter.isEmpty()) {
        noticeText = fits::notice::enterHoleZone;
        noticeBox = ComboBox1;
    } else if (shaftLetter.isEmpty()) {
        noticeText = fits::notice::enterShaftZone;
        noticeBox = ComboBox3;
    }
    // A text that names no zone (one the program set, never a checked entry) computes nothing.
    QComboBox *badLetter = nullptr;
    if (noticeText.isEmpty() && !holeLetter.isEmpty() && fits::holeRule(holeLetter, holeGrade).kind == fits::ZoneRule::None)
        badLetter = ComboBox1;
    else if (noticeText.isEmpty() && !shaftLetter.isEmpty() && fits::shaftRule(shaftLetter, shaftGrade).kind == fits::ZoneRule::None)
        badLetter = ComboBox3;

    // The fit box never keeps a verdict for zones it was not judged for, also when a table
    // error ends the computation.
    Lb->clear();
    const fits::ZoneLimits hole = m_calculator.hole(BasicSize, holeLetter, holeGrade);
    showZone(Label4, Label5, hole);
    const fits::ZoneLimits shaft = m_calculator.shaft(BasicSize, shaftLetter, shaftGrade);
    showZone(Label7, Label8, shaft);
    Lb->setText(fits::fitType(hole, shaft));
    Figures->showFit(fits::fitFigures(core::parseFloat(sizeText), hole, shaft), {hole, shaft, Label3->text(), Label6->text()});

    if (badLetter == ComboBox1) {
        refuseLetter(ComboBox1, fits::notice::holeLetter, QStringLiteral("H"));
        return;
    }
    if (badLetter == ComboBox3) {
        refuseLetter(ComboBox3, fits::notice::shaftLetter, QStringLiteral("f"));
        return;
    }
    if (noticeText.isEmpty() && (hole.status == fits::ZoneLimits::Undefined || shaft.status == fits::ZoneLimits::Undefined))
        noticeText = fits::notice::undefinedZone;
    if (noticeText.isEmpty())
        return;
    core::dialogs().notice(nullptr, noticeText);
    if (noticeBox)
        noticeBox->setFocus();
}
