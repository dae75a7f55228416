#pragma once
#include "fitcalc.h"

#include <QList>
#include <QString>

#include <optional>

namespace fits {

// The sizes a zone allows: its limits of size in millimetres and its tolerance in micrometres.
struct ZoneSizes {
    double upperSize = 0; // basic size + upper deviation, mm
    double lowerSize = 0; // basic size + lower deviation, mm
    double tolerance = 0; // upper − lower deviation, µm
};

// One extreme of a fit, signed as GB/T 1800.1 defines it (hole size minus shaft size): a
// clearance is positive, an interference negative.
struct FitExtreme {
    enum Kind { MaxClearance, MinClearance, MaxInterference, MinInterference };
    Kind kind = MaxClearance;
    double micrometres = 0;

    // "最大间隙", "最小间隙", "最大过盈" or "最小过盈"
    QString name() const;
};

// Everything a computed pair of zones tells beyond the deviations.
struct FitFigures {
    std::optional<ZoneSizes> hole;  // empty unless the hole zone is computed
    std::optional<ZoneSizes> shaft; // empty unless the shaft zone is computed
    // Empty unless both are computed; otherwise two entries: 最大间隙 and 最小间隙 for a
    // clearance fit, 最大过盈 and 最小过盈 for an interference fit, 最大间隙 and 最大过盈 for a
    // transition fit (the same judgement as fitType).
    QList<FitExtreme> extremes;
};

FitFigures fitFigures(double basicSize, const ZoneLimits &hole, const ZoneLimits &shaft);

// The figures are shown as the deviations are: core::formatNumber for sizes (mm) and tolerances
// (µm), formatDeviation for the signed extremes (µm).

} // namespace fits
