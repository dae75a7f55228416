#include "fitfigures.h"

namespace fits {

namespace {

// A difference of two limits in micrometres, from their exact hundredths.
double micrometresBetween(double upperMm, double lowerMm)
{
    return double(hundredthsOfMicrometre(upperMm) - hundredthsOfMicrometre(lowerMm)) / 100.0;
}

std::optional<ZoneSizes> zoneSizes(double basicSize, const ZoneLimits &zone)
{
    if (zone.status != ZoneLimits::Computed)
        return std::nullopt;
    return ZoneSizes{basicSize + zone.upper, basicSize + zone.lower, micrometresBetween(zone.upper, zone.lower)};
}

} // namespace

QString FitExtreme::name() const
{
    switch (kind) {
    case MaxClearance:
        return QStringLiteral("最大间隙");
    case MinClearance:
        return QStringLiteral("最小间隙");
    case MaxInterference:
        return QStringLiteral("最大过盈");
    case MinInterference:
        return QStringLiteral("最小过盈");
    }
    return {};
}

FitFigures fitFigures(double basicSize, const ZoneLimits &hole, const ZoneLimits &shaft)
{
    FitFigures figures{zoneSizes(basicSize, hole), zoneSizes(basicSize, shaft), {}};
    // Largest hole with smallest shaft, and smallest hole with largest shaft.
    const double loosest = micrometresBetween(hole.upper, shaft.lower);
    const double tightest = micrometresBetween(hole.lower, shaft.upper);
    switch (fitKind(hole, shaft)) {
    case FitKind::Clearance:
        figures.extremes = {{FitExtreme::MaxClearance, loosest}, {FitExtreme::MinClearance, tightest}};
        break;
    case FitKind::Interference:
        figures.extremes = {{FitExtreme::MaxInterference, tightest}, {FitExtreme::MinInterference, loosest}};
        break;
    case FitKind::Transition:
        figures.extremes = {{FitExtreme::MaxClearance, loosest}, {FitExtreme::MaxInterference, tightest}};
        break;
    case FitKind::None:
        break;
    }
    return figures;
}

} // namespace fits
