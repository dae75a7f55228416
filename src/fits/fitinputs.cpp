#include "fitinputs.h"

#include "core/numbers.h"
#include "core/text.h"

namespace fits {

const QStringList &holeLetters()
{
    static const QStringList letters = QStringLiteral("A B C D E F G H Js J K M N P R S T U V X Y Z").split(u' ');
    return letters;
}

const QStringList &shaftLetters()
{
    static const QStringList letters = QStringLiteral("a b c d e f g h js j k m n p r s t u v x y z").split(u' ');
    return letters;
}

const QStringList &gradeTexts()
{
    static const QStringList grades = [] {
        QStringList list;
        for (int g = 1; g <= 18; ++g)
            list << QString::number(g);
        return list;
    }();
    return grades;
}

const QStringList &standardGradeNames()
{
    static const QStringList grades = QStringList{QStringLiteral("01"), QStringLiteral("0")} + gradeTexts();
    return grades;
}

namespace {

// Latin letters only: Unicode case folding would also take the Kelvin sign for "k".
QString letterOf(const QString &text, const QStringList &letters)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return {};
    }
    for (const QString &letter : letters) {
        if (letter.compare(text, Qt::CaseInsensitive) == 0)
            return letter;
    }
    return {};
}

} // namespace

QString holeLetterOf(const QString &text)
{
    return letterOf(text, holeLetters());
}

QString shaftLetterOf(const QString &text)
{
    return letterOf(text, shaftLetters());
}

std::optional<float> acceptedSize(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const double v = core::parseFloat(text);
    if (v > 0 && v <= maxSize)
        return float(v);
    return std::nullopt;
}

bool inRange(const QString &text, const QString &low, const QString &high)
{
    return core::compareCp936(text, low) >= 0 && core::compareCp936(text, high) <= 0;
}

SizeEdit checkSizeEdit(const QString &text)
{
    if (inRange(text, QStringLiteral("a"), QStringLiteral("z")) || inRange(text, QStringLiteral("A"), QStringLiteral("Z")))
        return SizeEdit::BeginsWithLetter;
    if (text.isEmpty())
        return SizeEdit::OutOfRange;
    const double v = core::parseFloat(text);
    return v < 0 || v > maxSize ? SizeEdit::OutOfRange : SizeEdit::Fine;
}

} // namespace fits
