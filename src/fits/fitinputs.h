#pragma once
#include <QString>
#include <QStringList>

#include <optional>

// The entries of the limits-and-fits calculator: the texts its boxes offer, the checks they
// make and the notices that answer a bad entry. The window and handbook-calc share them.
namespace fits {

namespace notice {
inline const QString sizeRange = QStringLiteral("本查询只限于0到3150之间的基本尺寸");
inline const QString holeBasisSize = QStringLiteral("请输入0到3150之间的整数作为基本尺寸");
inline const QString holeLetter = QStringLiteral("请输入A到Z之间的字母作为孔公差带");
inline const QString shaftLetter = QStringLiteral("请输入a到z之间的字母作为轴公差带");
inline const QString grade = QStringLiteral("请输入1到18之间的整数");
inline const QString chooseBasis = QStringLiteral("请选择基准制");
inline const QString enterHoleZone = QStringLiteral("请输入孔公差带");
inline const QString enterShaftZone = QStringLiteral("请输入轴公差带");
inline const QString undefinedZone = QStringLiteral("该公差带在此基本尺寸段未定义");
} // namespace notice

// The longest size text the size box takes.
constexpr int maxSizeLength = 5;
constexpr double maxSize = 3150;

const QStringList &holeLetters();  // "A" .. "H", "Js", "J", "K", "M", "N", "P" .. "Z"
const QStringList &shaftLetters(); // "a" .. "h", "js", "j", "k", "m", "n", "p" .. "z"
const QStringList &gradeTexts();   // "1" .. "18"
// The standard tolerance grades of ISO 286-1: "01", "0", "1" .. "18" (IT01 .. IT18).
const QStringList &standardGradeNames();

// The zone letter a letter box's text names whatever its case (for a hole "f" is "F" and "JS",
// as ISO writes it, is "Js"; for a shaft "JS" is "js"); empty when the text names no zone.
QString holeLetterOf(const QString &text);
QString shaftLetterOf(const QString &text);

// The basic size a size text stands for, when it is one the calculator computes for
// (0 < size <= 3150); empty for an empty or out-of-range text. A text that is not a number
// throws the number reading's error.
std::optional<float> acceptedSize(const QString &text);

// What the size box makes of a text as it changes.
enum class SizeEdit {
    Fine,
    BeginsWithLetter, // refused and replaced by the default size
    OutOfRange,       // empty, below 0 or above 3150: refused, results cleared
};
// Throws the number reading's error for a text that is neither a number nor begins with a letter.
SizeEdit checkSizeEdit(const QString &text);

// Ordinal range test on the code page 936 form: low <= text <= high.
bool inRange(const QString &text, const QString &low, const QString &high);

} // namespace fits
