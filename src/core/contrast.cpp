#include "contrast.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cmath>
#include <functional>

namespace core {

namespace {

double channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

// The wanted colour at lightness l (0 to 1), hue and saturation kept.
QColor atLightness(const QColor &wanted, double l)
{
    const QColor hsl = wanted.toHsl();
    return QColor::fromHslF(std::max(0.0f, hsl.hslHueF()), hsl.hslSaturationF(), float(l)).toRgb();
}

QColor blend(const QColor &a, const QColor &b, double share)
{
    const QColor x = a.toRgb(), y = b.toRgb();
    return QColor::fromRgbF(float(x.redF() + (y.redF() - x.redF()) * share), float(x.greenF() + (y.greenF() - x.greenF()) * share),
                            float(x.blueF() + (y.blueF() - x.blueF()) * share));
}

const QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

// Runs `apply` now and whenever the application's palette changes (a dark theme switched on).
class PaletteFollower : public QObject {
public:
    PaletteFollower(QWidget *widget, std::function<void()> apply) : QObject(widget), m_apply(std::move(apply))
    {
        widget->installEventFilter(this);
        m_apply();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange)
            m_apply();
        return false;
    }

private:
    std::function<void()> m_apply;
};

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &wanted, const QColor &background, double minRatio)
{
    if (contrastRatio(wanted, background) >= minRatio)
        return wanted.toRgb();
    // Search the lightness, darker and lighter, for the nearest that reaches the ratio.
    const double start = wanted.toHsl().lightnessF();
    for (int step = 1; step <= 100; ++step) {
        const double d = step / 100.0;
        for (double l : {start - d, start + d}) {
            if (l < 0 || l > 1)
                continue;
            const QColor c = atLightness(wanted, l);
            if (contrastRatio(c, background) >= minRatio)
                return c;
        }
    }
    return contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background) ? QColor(Qt::black) : QColor(Qt::white);
}

void followPalette(QWidget *widget, std::function<void()> apply)
{
    new PaletteFollower(widget, std::move(apply));
}

void keepReadable(QWidget *widget, const QColor &wanted, QPalette::ColorRole textRole, const QColor &background)
{
    new PaletteFollower(widget, [=] {
        const QPalette app = QApplication::palette(widget);
        const QPalette::ColorRole backgroundRole = textRole == QPalette::Text ? QPalette::Base : widget->backgroundRole();
        QPalette palette = widget->palette();
        for (QPalette::ColorGroup group : groups)
            palette.setColor(group, textRole,
                             readableOn(wanted, background.isValid() ? background : app.color(group, backgroundRole)));
        widget->setPalette(palette);
    });
}

void keepSelectionReadable(QAbstractItemView *view, const QColor &wanted)
{
    new PaletteFollower(view, [=] {
        const QPalette app = QApplication::palette(view);
        QPalette palette = view->palette();
        for (QPalette::ColorGroup group : groups) {
            const QColor band = blend(app.color(group, QPalette::Base), app.color(group, QPalette::Highlight), 0.3);
            palette.setColor(group, QPalette::Highlight, band);
            palette.setColor(group, QPalette::HighlightedText, readableOn(wanted, band));
        }
        view->setPalette(palette);
    });
}

} // namespace core
