// handbook-calc fits SIZE HOLE SHAFT: the limits-and-fits calculator's answer as one JSON object
// with the texts the window shows, e.g.
// {"size":"20","hole":"H7","ES":"+0.021","EI":"0","shaft":"f6","es":"-0.02","ei":"-0.033","fit":"间隙配合",
//  "holeMax":"20.021","holeMin":"20","holeTolerance":"21","shaftMax":"19.98","shaftMin":"19.967",
//  "shaftTolerance":"13","maxClearance":"+54","minClearance":"+20","maxInterference":"","minInterference":""}
#include "calcargs.h"
#include "commands.h"

#include "fits/DataUnit.h"
#include "fits/fitcalc.h"
#include "fits/fitfigures.h"
#include "fits/fitinputs.h"
#include "fits/fittables.h"

#include "core/numbers.h"

namespace {

struct Zone {
    QString letter;
    int grade = 0;
};

// A zone is one of the window's letters exactly (case-sensitive; "JS" as ISO writes it for the
// hole Js) followed by a grade 1..18.
Zone parseZone(const QString &text, const QStringList &letters, const QString &letterNotice, const QString &missingNotice)
{
    qsizetype split = 0;
    while (split < text.size() && !text[split].isDigit())
        ++split;
    QString letter = text.left(split);
    if (letter == u"JS" && letters.contains(u"Js"_qs))
        letter = u"Js"_qs;
    const QString grade = text.mid(split);
    if (letter.isEmpty())
        throw Refusal{missingNotice};
    if (!letters.contains(letter))
        throw Refusal{letterNotice};
    if (!fits::gradeTexts().contains(grade))
        throw Refusal{fits::notice::grade};
    return {letter, grade.toInt()};
}

// The figures beyond the deviations: limits of size in mm, tolerances and the fit's extremes in
// µm; an extreme the fit does not have is an empty text.
QList<QPair<QString, QString>> figureMembers(const fits::FitFigures &figures)
{
    QList<QPair<QString, QString>> members{
        {u"holeMax"_qs, pointDecimal(core::formatNumber(figures.hole->upperSize))},
        {u"holeMin"_qs, pointDecimal(core::formatNumber(figures.hole->lowerSize))},
        {u"holeTolerance"_qs, pointDecimal(core::formatNumber(figures.hole->tolerance))},
        {u"shaftMax"_qs, pointDecimal(core::formatNumber(figures.shaft->upperSize))},
        {u"shaftMin"_qs, pointDecimal(core::formatNumber(figures.shaft->lowerSize))},
        {u"shaftTolerance"_qs, pointDecimal(core::formatNumber(figures.shaft->tolerance))},
    };
    const QList<QPair<fits::FitExtreme::Kind, QString>> extremeKeys{{fits::FitExtreme::MaxClearance, u"maxClearance"_qs},
                                                                   {fits::FitExtreme::MinClearance, u"minClearance"_qs},
                                                                   {fits::FitExtreme::MaxInterference, u"maxInterference"_qs},
                                                                   {fits::FitExtreme::MinInterference, u"minInterference"_qs}};
    for (const auto &[kind, key] : extremeKeys) {
        QString value;
        for (const fits::FitExtreme &e : figures.extremes) {
            if (e.kind == kind)
                value = pointDecimal(fits::formatDeviation(e.micrometres));
        }
        members.append({key, value});
    }
    return members;
}

} // namespace

int runFits(const QStringList &args, const QString &dataDir)
{
    if (args.size() != 3) {
        printErr(QStringLiteral("usage: handbook-calc [--data DIR] fits SIZE HOLE SHAFT   (e.g. fits 20 H7 f6)"));
        return 64;
    }
    const QString &sizeText = args[0];
    float size = 0;
    Zone hole, shaft;
    if (const int refused = readEntries([&] {
            size = parseSize(sizeText);
            hole = parseZone(args[1], fits::holeLetters(), fits::notice::holeLetter, fits::notice::enterHoleZone);
            shaft = parseZone(args[2], fits::shaftLetters(), fits::notice::shaftLetter, fits::notice::enterShaftZone);
        }))
        return refused;

    return answerFromDatabase([&] {
        TData2 data;
        data.open(fits::toleranceConnectionString(dataDir));
        fits::FitTables tables(*data.ADOTable1, *data.ADOTable2, *data.ADOTable3);
        fits::FitCalculator calculator(tables);
        const fits::ZoneLimits holeLimits = calculator.hole(size, hole.letter, hole.grade);
        const fits::ZoneLimits shaftLimits = calculator.shaft(size, shaft.letter, shaft.grade);
        if (holeLimits.status != fits::ZoneLimits::Computed || shaftLimits.status != fits::ZoneLimits::Computed) {
            printErr(fits::notice::undefinedZone);
            return 2;
        }
        const fits::ZoneTexts holeTexts = fits::zoneTexts(sizeText, holeLimits);
        const fits::ZoneTexts shaftTexts = fits::zoneTexts(sizeText, shaftLimits);
        QList<QPair<QString, QString>> members{{u"size"_qs, sizeText},
                                               {u"hole"_qs, hole.letter + QString::number(hole.grade)},
                                               {u"ES"_qs, pointDecimal(holeTexts.upper)},
                                               {u"EI"_qs, pointDecimal(holeTexts.lower)},
                                               {u"shaft"_qs, args[2]},
                                               {u"es"_qs, pointDecimal(shaftTexts.upper)},
                                               {u"ei"_qs, pointDecimal(shaftTexts.lower)},
                                               {u"fit"_qs, fits::fitType(holeLimits, shaftLimits)}};
        members += figureMembers(fits::fitFigures(core::parseFloat(sizeText), holeLimits, shaftLimits));
        printOut(jsonObject(members));
        return 0;
    });
}
