#include "fitfigurespanel.h"

#include "zonepicturebox.h"

#include "core/numbers.h"

#include <QGroupBox>
#include <QLabel>

namespace {

constexpr int figuresHeight = 126;
constexpr int pictureTop = figuresHeight + 6;

QLabel *labelAt(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QString micrometres(double um)
{
    return core::formatNumber(um) + QStringLiteral(" μm");
}

QString extreme(const fits::FitExtreme &e)
{
    return e.name() + u' ' + fits::formatDeviation(e.micrometres) + QStringLiteral(" μm");
}

} // namespace

FitFiguresPanel::FitFiguresPanel(QWidget *parent) : QWidget(parent)
{
    GroupBox5 = new QGroupBox(QStringLiteral("极限尺寸与配合"), this);
    GroupBox5->setGeometry(0, 6, 252, figuresHeight);
    labelAt(GroupBox5, QStringLiteral("上极限尺寸"), {36, 18, 72, 20});
    labelAt(GroupBox5, QStringLiteral("下极限尺寸"), {110, 18, 72, 20});
    labelAt(GroupBox5, QStringLiteral("公差"), {184, 18, 62, 20});
    labelAt(GroupBox5, QStringLiteral("孔"), {10, 40, 24, 20});
    labelAt(GroupBox5, QStringLiteral("轴"), {10, 62, 24, 20});
    L_holeMax = labelAt(GroupBox5, QString(), {36, 40, 72, 20});
    L_holeMin = labelAt(GroupBox5, QString(), {110, 40, 72, 20});
    L_holeTol = labelAt(GroupBox5, QString(), {184, 40, 62, 20});
    L_shaftMax = labelAt(GroupBox5, QString(), {36, 62, 72, 20});
    L_shaftMin = labelAt(GroupBox5, QString(), {110, 62, 72, 20});
    L_shaftTol = labelAt(GroupBox5, QString(), {184, 62, 62, 20});
    L_extreme1 = labelAt(GroupBox5, QString(), {10, 84, 236, 18});
    L_extreme2 = labelAt(GroupBox5, QString(), {10, 102, 236, 18});

    GroupBox6 = new QGroupBox(QStringLiteral("公差带图"), this);
    PaintBox1 = new ZonePictureBox(GroupBox6);
    GroupBox6->setGeometry(0, pictureTop, 252, 140);
}

void FitFiguresPanel::resizeEvent(QResizeEvent *event)
{
    // The picture takes whatever the window gives below the figures.
    QWidget::resizeEvent(event);
    GroupBox6->setGeometry(0, pictureTop, std::max(0, width() - 2), std::max(0, height() - pictureTop - 4));
    PaintBox1->setGeometry(QRect(0, 0, GroupBox6->width(), GroupBox6->height()).adjusted(6, 18, -6, -4));
}

void FitFiguresPanel::showFit(const fits::FitFigures &figures, const fits::ZonePictureInput &zones)
{
    const auto showSizes = [](const std::optional<fits::ZoneSizes> &sizes, QLabel *max, QLabel *min, QLabel *tol) {
        max->setText(sizes ? core::formatNumber(sizes->upperSize) : QString());
        min->setText(sizes ? core::formatNumber(sizes->lowerSize) : QString());
        tol->setText(sizes ? micrometres(sizes->tolerance) : QString());
    };
    showSizes(figures.hole, L_holeMax, L_holeMin, L_holeTol);
    showSizes(figures.shaft, L_shaftMax, L_shaftMin, L_shaftTol);
    L_extreme1->setText(figures.extremes.size() == 2 ? extreme(figures.extremes[0]) : QString());
    L_extreme2->setText(figures.extremes.size() == 2 ? extreme(figures.extremes[1]) : QString());
    PaintBox1->setZones(zones);
}

void FitFiguresPanel::clear()
{
    showFit({}, {});
    PaintBox1->clear();
}
