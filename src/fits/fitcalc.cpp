#include "fitcalc.h"

#include "fitinputs.h"
#include "fittables.h"
#include "standardzones.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace fits {

namespace {

// Grade suffix of a grade-dependent column: the grade itself between first and last, clamped.
QString gradeColumn(const QString &letter, int grade, int first, int last)
{
    return letter + QString::number(std::clamp(grade, first, last));
}

QString jColumn(const QString &j, int grade)
{
    return j + (grade <= 6 ? u"6"_qs : grade == 7 ? u"7"_qs : u"8"_qs);
}

double fromHundredths(qint64 h)
{
    return double(h) / 100000.0;
}

ZoneLimits computed(double upper, double lower)
{
    return {ZoneLimits::Computed, fromHundredths(hundredthsOfMicrometre(upper)), fromHundredths(hundredthsOfMicrometre(lower))};
}

} // namespace

qint64 hundredthsOfMicrometre(double millimetres)
{
    return std::llround(millimetres * 100000.0);
}

ZoneRule holeRule(const QString &letter, int grade)
{
    if (!holeLetters().contains(letter))
        return {};
    if (inRange(letter, u"A"_qs, u"H"_qs))
        return {ZoneRule::FromLower, letter};
    if (letter == u"Js")
        return {ZoneRule::Symmetric, {}};
    if (letter == u"J")
        return {ZoneRule::FromUpper, jColumn(letter, grade)};
    if (inRange(letter, u"K"_qs, u"N"_qs))
        return {ZoneRule::FromUpper, gradeColumn(letter, grade, 3, 9)};
    if (inRange(letter, u"P"_qs, u"Z"_qs))
        return {ZoneRule::FromUpper, gradeColumn(letter, grade, 3, 8)};
    return {};
}

ZoneRule shaftRule(const QString &letter, int grade)
{
    if (!shaftLetters().contains(letter))
        return {};
    if (inRange(letter, u"a"_qs, u"h"_qs))
        return {ZoneRule::FromUpper, letter};
    if (letter == u"js")
        return {ZoneRule::Symmetric, {}};
    if (letter == u"j")
        return {ZoneRule::FromLower, jColumn(letter, grade)};
    if (letter == u"k")
        return {ZoneRule::FromLower, grade >= 4 && grade <= 7 ? u"k47"_qs : u"k38"_qs};
    if (inRange(letter, u"m"_qs, u"z"_qs))
        return {ZoneRule::FromLower, letter};
    return {};
}

ZoneLimits FitCalculator::hole(float basicSize, const QString &letter, int grade)
{
    const ZoneLimits limits = zone(basicSize, holeRule(letter, grade), grade, true);
    if (limits.status == ZoneLimits::Computed && !standardDefinesHole(letter, grade, basicSize))
        return {ZoneLimits::Undefined};
    return limits;
}

ZoneLimits FitCalculator::shaft(float basicSize, const QString &letter, int grade)
{
    const ZoneLimits limits = zone(basicSize, shaftRule(letter, grade), grade, false);
    if (limits.status == ZoneLimits::Computed && !standardDefinesShaft(letter, grade, basicSize))
        return {ZoneLimits::Undefined};
    return limits;
}

ZoneLimits FitCalculator::zone(float basicSize, const ZoneRule &rule, int grade, bool isHole)
{
    if (rule.kind == ZoneRule::None)
        return {};
    const std::optional<double> it = m_tables.lookupStandardTolerance(basicSize, grade);
    if (!it)
        return {ZoneLimits::Undefined};
    if (rule.kind == ZoneRule::Symmetric)
        return computed(std::abs(*it) / 2, -std::abs(*it) / 2);
    if (!m_tables.findDeviationRowKey(basicSize))
        return {ZoneLimits::Undefined};
    const std::optional<double> deviation = isHole ? m_tables.readHoleDeviation(rule.column)
                                                   : m_tables.readShaftDeviation(rule.column);
    if (!deviation)
        return {ZoneLimits::Undefined};
    if (rule.kind == ZoneRule::FromLower)
        return computed(*deviation + *it, *deviation);
    return computed(*deviation, *deviation - *it);
}

QString formatDeviation(double value)
{
    const QString number = core::formatNumber(value);
    return value > 0 ? u'+' + number : number;
}

ZoneTexts zoneTexts(const QString &sizeText, const ZoneLimits &zone)
{
    if (zone.status != ZoneLimits::Computed || !acceptedSize(sizeText))
        return {};
    return {formatDeviation(zone.upper), formatDeviation(zone.lower)};
}

FitKind fitKind(const ZoneLimits &hole, const ZoneLimits &shaft)
{
    if (hole.status != ZoneLimits::Computed || shaft.status != ZoneLimits::Computed)
        return FitKind::None;
    if (hundredthsOfMicrometre(hole.lower) >= hundredthsOfMicrometre(shaft.upper))
        return FitKind::Clearance;
    if (hundredthsOfMicrometre(hole.upper) <= hundredthsOfMicrometre(shaft.lower))
        return FitKind::Interference;
    return FitKind::Transition;
}

QString fitType(const ZoneLimits &hole, const ZoneLimits &shaft)
{
    switch (fitKind(hole, shaft)) {
    case FitKind::Clearance:
        return QStringLiteral("间隙配合");
    case FitKind::Interference:
        return QStringLiteral("过盈配合");
    case FitKind::Transition:
        return QStringLiteral("过渡配合");
    case FitKind::None:
        break;
    }
    return {};
}

} // namespace fits
