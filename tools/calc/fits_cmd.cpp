// handbook-calc fits SIZE HOLE SHAFT: the limits-and-fits calculator's answer as one JSON object
// with the texts the window shows, e.g.
// {"size":"20","hole":"H7","ES":"+0.021","EI":"0","shaft":"f6","es":"-0.02","ei":"-0.033","fit":"间隙配合"}
#include "commands.h"

#include "fits/DataUnit.h"
#include "fits/fitcalc.h"
#include "fits/fitinputs.h"
#include "fits/fittables.h"

#include "core/error.h"
#include "storage/error.h"

namespace {

// An entry the window would correct or refuse; the text is the window's notice.
struct Refusal {
    QString text;
};

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

float parseSize(const QString &text)
{
    // The size box takes at most 5 characters and refuses texts that begin with a letter.
    if (text.size() > fits::maxSizeLength || fits::checkSizeEdit(text) != fits::SizeEdit::Fine)
        throw Refusal{fits::notice::sizeRange};
    const std::optional<float> size = fits::acceptedSize(text);
    if (!size)
        throw Refusal{fits::notice::sizeRange};
    return *size;
}

QString jsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QChar(u'0'));
        else
            out += c;
    }
    return out + u'"';
}

QString jsonObject(const QList<QPair<QString, QString>> &members)
{
    QStringList parts;
    for (const auto &[key, value] : members)
        parts << jsonString(key) + u':' + jsonString(value);
    return u'{' + parts.join(u',') + u'}';
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
    try {
        size = parseSize(sizeText);
        hole = parseZone(args[1], fits::holeLetters(), fits::notice::holeLetter, fits::notice::enterHoleZone);
        shaft = parseZone(args[2], fits::shaftLetters(), fits::notice::shaftLetter, fits::notice::enterShaftZone);
    } catch (const Refusal &refusal) {
        printErr(refusal.text);
        return 2;
    } catch (const core::Error &error) { // a size that is not a number
        printErr(error.text());
        return 2;
    }

    try {
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
        printOut(jsonObject({{u"size"_qs, sizeText},
                             {u"hole"_qs, hole.letter + QString::number(hole.grade)},
                             {u"ES"_qs, holeTexts.upper},
                             {u"EI"_qs, holeTexts.lower},
                             {u"shaft"_qs, args[2]},
                             {u"es"_qs, shaftTexts.upper},
                             {u"ei"_qs, shaftTexts.lower},
                             {u"fit"_qs, fits::fitType(holeLimits, shaftLimits)}}));
        return 0;
    } catch (const core::Error &error) {
        printErr(error.text());
        return 3;
    }
}
