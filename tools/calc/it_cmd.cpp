// handbook-calc it SIZE GRADE: the standard tolerance of a grade (IT01, IT0, IT1 .. IT18) for a
// basic size, read from the limits-and-fits database the calculator uses, e.g.
// {"size":"20","grade":"IT7","um":"21","mm":"0.021"}
#include "calcargs.h"
#include "commands.h"

#include "fits/DataUnit.h"
#include "fits/fitcalc.h"
#include "fits/fitinputs.h"
#include "fits/fittables.h"
#include "fits/standardzones.h"

#include "core/numbers.h"

namespace {

const QString gradeNotice = QStringLiteral("请输入IT01、IT0或IT1到IT18之间的标准公差等级");
const QString undefinedGrade = QStringLiteral("该标准公差等级在此基本尺寸段未定义");

// "7", "IT7", "01", "IT01": the grade name without "IT".
QString parseGrade(const QString &text)
{
    const QString name = text.startsWith(u"IT") ? text.mid(2) : text;
    if (!fits::standardGradeNames().contains(name))
        throw Refusal{gradeNotice};
    return name;
}

} // namespace

int runIt(const QStringList &args, const QString &dataDir)
{
    if (args.size() != 2) {
        printErr(QStringLiteral("usage: handbook-calc [--data DIR] it SIZE GRADE   (e.g. it 20 IT7, it 20 01)"));
        return 64;
    }
    const QString &sizeText = args[0];
    float size = 0;
    QString grade;
    if (const int refused = readEntries([&] {
            size = parseSize(sizeText);
            grade = parseGrade(args[1]);
        }))
        return refused;

    return answerFromDatabase([&] {
        TData2 data;
        data.open(fits::toleranceConnectionString(dataDir));
        fits::FitTables tables(*data.ADOTable1, *data.ADOTable2, *data.ADOTable3);
        const std::optional<double> it = tables.givenStandardTolerance(size, grade);
        if (!it || !fits::standardDefinesGrade(grade.toInt(), size)) {
            printErr(undefinedGrade);
            return 2;
        }
        const double micrometres = double(fits::hundredthsOfMicrometre(*it)) / 100.0;
        printOut(jsonObject({{u"size"_qs, sizeText},
                             {u"grade"_qs, u"IT"_qs + grade},
                             {u"um"_qs, pointDecimal(core::formatNumber(micrometres))},
                             {u"mm"_qs, pointDecimal(core::formatNumber(micrometres / 1000.0))}}));
        return 0;
    });
}
