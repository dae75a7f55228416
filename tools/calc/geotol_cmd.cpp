// handbook-calc geotol CHARACTERISTIC L GRADE: the geometric tolerance calculator's answer for an
// entry the window takes as it is, read through the same lookup from the same database.
#include "calcargs.h"
#include "commands.h"

#include "core/numbers.h"
#include "geotol/DataofShapeLocation.h"
#include "geotol/characteristics.h"
#include "geotol/entryrules.h"
#include "geotol/tolerancelookup.h"

namespace {

QStringList captions()
{
    QStringList out;
    for (const geotol::Characteristic &c : geotol::characteristics())
        out << c.caption;
    return out;
}

} // namespace

int runGeotol(const QStringList &args, const QString &dataDir)
{
    if (args.size() != 3) {
        printErr(u"usage: handbook-calc [--data DIR] geotol CHARACTERISTIC L GRADE"_qs);
        return 64;
    }
    const geotol::Characteristic *c = geotol::findCharacteristic(args[0]);
    if (!c) {
        printErr(u"unknown characteristic '%1'; one of: %2"_qs.arg(args[0], captions().join(u", "_qs)));
        return 64;
    }
    const QString &lText = args[1];
    const QString &grade = args[2];
    const QString refusal = geotol::refusalOf(*c, lText, grade);
    if (!refusal.isEmpty()) {
        printErr(refusal);
        return 2;
    }
    return answerFromDatabase([&] {
        TData data;
        data.open(geotol::shapeConnectionString(dataDir));
        storage::Dataset &table = data.table(c->table);
        const std::optional<float> value =
            geotol::LookupTolerance(table, float(core::parseFloat(lText)), geotol::gradeColumn(grade));
        const QString shown = value ? geotol::resultText(*value) : QString();
        QString caption = c->caption;
        printOut(u"{\"characteristic\":%1,\"L\":%2,\"grade\":%3,\"value\":%4}"_qs.arg(
            jsonString(caption.remove(u' ')), jsonString(lText), jsonString(grade), jsonString(pointDecimal(shown))));
        return 0;
    });
}
