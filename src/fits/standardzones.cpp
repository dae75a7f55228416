#include "standardzones.h"

namespace fits {

namespace {

// Sizes up to 1 mm lie in the first step of every table, so the tables cannot tell them apart.
bool upToOneMillimetre(float basicSize)
{
    return basicSize <= 1.0f;
}

} // namespace

bool standardDefinesGrade(int grade, float basicSize)
{
    return !(grade >= 14 && upToOneMillimetre(basicSize));
}

bool standardDefinesHole(const QString &letter, int grade, float basicSize)
{
    if (!standardDefinesGrade(grade, basicSize))
        return false;
    if (letter == u"J")
        return grade >= 6 && grade <= 8;
    if (upToOneMillimetre(basicSize) && (letter == u"A" || letter == u"B" || (letter == u"N" && grade > 8)))
        return false;
    const bool deltaLetter = letter.size() == 1 && letter.front() >= u'K' && letter.front() <= u'Z';
    if (deltaLetter && grade <= 2 && basicSize > 3.0f && basicSize <= 500.0f)
        return false;
    return true;
}

bool standardDefinesShaft(const QString &letter, int grade, float basicSize)
{
    if (!standardDefinesGrade(grade, basicSize))
        return false;
    if (letter == u"j")
        return grade >= 5 && grade <= 8;
    if (upToOneMillimetre(basicSize) && (letter == u"a" || letter == u"b"))
        return false;
    return true;
}

} // namespace fits
