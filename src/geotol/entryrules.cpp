#include "entryrules.h"

#include "characteristics.h"
#include "core/error.h"
#include "core/numbers.h"
#include "core/text.h"

namespace geotol {

namespace {

bool between(const QString &text, const QString &low, const QString &high)
{
    return core::compareCp936(text, low) >= 0 && core::compareCp936(text, high) <= 0;
}

} // namespace

bool isLetters(const QString &text)
{
    return between(text, u"a"_qs, u"z"_qs) || between(text, u"A"_qs, u"Z"_qs);
}

bool isValidGrade(const QString &text)
{
    for (int g = 1; g <= 12; ++g) {
        if (text == QString::number(g))
            return true;
    }
    return false;
}

QString gradeColumn(const QString &grade)
{
    return u"等级"_qs + grade;
}

QString resultText(float tolValue)
{
    const float thousandths = tolValue * 1000.0f;
    return core::formatNumber(core::roundHalfEven(double(thousandths), 0) / 1000) + u" μm"_qs;
}

QString formattedTenth(double v)
{
    return core::formatNumber(v / 10);
}

QString refusalOf(const Characteristic &c, const QString &lText, const QString &grade)
{
    double v = 0;
    try {
        v = core::parseFloat(lText); // letters never read as a number either
    } catch (const core::Error &e) {
        return e.text();
    }
    if (!(v > 0 && v <= changeBound))
        return boundMessage10000;
    if (v > c.bound)
        return boundMessage500;
    if (!isValidGrade(grade))
        return gradeMessage;
    return QString();
}

} // namespace geotol
