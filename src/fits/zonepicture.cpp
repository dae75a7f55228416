#include "zonepicture.h"

#include <algorithm>

namespace fits {

namespace {

double micrometres(double millimetres)
{
    return double(hundredthsOfMicrometre(millimetres)) / 100.0;
}

// A bar never thinner than this, so a zone far narrower than the other still shows.
constexpr double minBarHeight = 2;

QRectF barBetween(double x, double width, double top, double bottom)
{
    if (bottom - top < minBarHeight) {
        const double middle = (top + bottom) / 2;
        top = middle - minBarHeight / 2;
        bottom = middle + minBarHeight / 2;
    }
    return QRectF(x, top, width, bottom - top);
}

// The two deviation texts of a bar, centred on its edges and pushed apart where they would
// touch, then moved as one into the area.
void placePair(QRectF &upper, QRectF &lower, double upperY, double lowerY, const QRectF &area)
{
    const double line = upper.height();
    if (lowerY - upperY < line) {
        const double middle = (upperY + lowerY) / 2;
        upperY = middle - line / 2;
        lowerY = middle + line / 2;
    }
    double shift = 0;
    if (lowerY + line / 2 > area.bottom())
        shift = area.bottom() - (lowerY + line / 2);
    if (upperY - line / 2 + shift < area.top())
        shift = area.top() - (upperY - line / 2);
    upper.moveTop(upperY - line / 2 + shift);
    lower.moveTop(lowerY - line / 2 + shift);
}

} // namespace

ZonePictureLayout layoutZonePicture(const QRectF &area, const ZonePictureInput &input, const TextMeasure &measure)
{
    ZonePictureLayout layout;
    if (input.hole.status != ZoneLimits::Computed || input.shaft.status != ZoneLimits::Computed || area.isEmpty())
        return layout;

    const double line = measure.height;
    const double pad = std::max(2.0, line / 4);
    const QString holeUpper = formatDeviation(input.hole.upper), holeLower = formatDeviation(input.hole.lower);
    const QString shaftUpper = formatDeviation(input.shaft.upper), shaftLower = formatDeviation(input.shaft.lower);
    const QString plus = QStringLiteral("+"), zero = QStringLiteral("0"), minus = QStringLiteral("\u2212");

    // Columns from left to right: the signs of the zero line, the hole's deviations, the hole
    // bar, a gap, the shaft bar, the shaft's deviations.
    const double signWidth = std::max({measure.width(plus), measure.width(zero), measure.width(minus)}) + pad;
    const double holeTextWidth = std::max(measure.width(holeUpper), measure.width(holeLower));
    const double shaftTextWidth = std::max(measure.width(shaftUpper), measure.width(shaftLower));
    const double gap = std::max(2 * pad, line);
    const double textRoom = signWidth + holeTextWidth + shaftTextWidth + 2 * pad;
    const double maxBar = 4 * line;
    bool withTexts = true;
    double barWidth = std::min(maxBar, (area.width() - textRoom - gap) / 2);
    if (barWidth < line) { // too narrow for the texts: bars alone
        withTexts = false;
        barWidth = std::min(maxBar, (area.width() - gap) / 2);
    }
    const double topRoom = withTexts ? 1.5 * line + 2 : 1;
    const double bottomRoom = withTexts ? line / 2 + 1 : 1;
    const double chartTop = area.top() + topRoom;
    const double chartHeight = area.bottom() - bottomRoom - chartTop;
    if (barWidth < 4 || chartHeight < 4)
        return layout;

    // One vertical scale over both zones and the zero line.
    const double top = std::max({micrometres(input.hole.upper), micrometres(input.shaft.upper), 0.0});
    const double bottom = std::min({micrometres(input.hole.lower), micrometres(input.shaft.lower), 0.0});
    layout.pixelsPerMicrometre = chartHeight / (top - bottom);
    const auto y = [&](double mm) { return chartTop + (top - micrometres(mm)) * layout.pixelsPerMicrometre; };

    const double groupWidth = (withTexts ? holeTextWidth + shaftTextWidth + 2 * pad : 0) + 2 * barWidth + gap;
    const double groupLeft = withTexts ? area.left() + signWidth + (area.width() - signWidth - groupWidth) / 2
                                       : area.left() + (area.width() - groupWidth) / 2;
    const double holeX = groupLeft + (withTexts ? holeTextWidth + pad : 0);
    const double shaftX = holeX + barWidth + gap;
    layout.holeBar = barBetween(holeX, barWidth, y(input.hole.upper), y(input.hole.lower));
    layout.shaftBar = barBetween(shaftX, barWidth, y(input.shaft.upper), y(input.shaft.lower));
    layout.bars = {layout.holeBar, layout.shaftBar};
    layout.zeroY = y(0);
    layout.zeroLeft = withTexts ? area.left() + signWidth : area.left();
    layout.zeroRight = area.right();
    if (!withTexts)
        return layout;

    QRectF holeUpperRect(0, 0, measure.width(holeUpper), line), holeLowerRect(0, 0, measure.width(holeLower), line);
    holeUpperRect.moveRight(layout.holeBar.left() - pad);
    holeLowerRect.moveRight(layout.holeBar.left() - pad);
    placePair(holeUpperRect, holeLowerRect, y(input.hole.upper), y(input.hole.lower), area);
    QRectF shaftUpperRect(layout.shaftBar.right() + pad, 0, measure.width(shaftUpper), line);
    QRectF shaftLowerRect(layout.shaftBar.right() + pad, 0, measure.width(shaftLower), line);
    placePair(shaftUpperRect, shaftLowerRect, y(input.shaft.upper), y(input.shaft.lower), area);

    const auto nameRect = [&](const QString &name, const QRectF &bar) {
        const double width = measure.width(name);
        return QRectF(bar.center().x() - width / 2, bar.top() - line / 2 - 1 - line, width, line);
    };
    const auto signRect = [&](double centreY) { return QRectF(area.left(), centreY - line / 2, signWidth - pad, line); };

    // Most important first: a text that leaves the area or touches one taken before is left out.
    const QList<PictureText> candidates{
        {PictureText::HoleDeviation, holeUpper, holeUpperRect},
        {PictureText::HoleDeviation, holeLower, holeLowerRect},
        {PictureText::ShaftDeviation, shaftUpper, shaftUpperRect},
        {PictureText::ShaftDeviation, shaftLower, shaftLowerRect},
        {PictureText::ZoneName, input.holeName, nameRect(input.holeName, layout.holeBar)},
        {PictureText::ZoneName, input.shaftName, nameRect(input.shaftName, layout.shaftBar)},
        {PictureText::Sign, zero, signRect(layout.zeroY)},
        {PictureText::Sign, plus, signRect(layout.zeroY - line)},
        {PictureText::Sign, minus, signRect(layout.zeroY + line)},
    };
    const QRectF room = area.adjusted(-0.5, -0.5, 0.5, 0.5);
    for (const PictureText &text : candidates) {
        if (text.text.isEmpty() || !room.contains(text.rect))
            continue;
        const bool touches = std::any_of(layout.texts.begin(), layout.texts.end(),
                                         [&](const PictureText &taken) { return taken.rect.intersects(text.rect); });
        if (!touches)
            layout.texts << text;
    }
    return layout;
}

} // namespace fits
