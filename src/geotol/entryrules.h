#pragma once
#include <QString>

namespace geotol {

struct Characteristic;

// The calculator's notices.
inline const QString boundMessage10000 = u"请输入大于0小于等于10000的整数"_qs;
inline const QString boundMessage500 = u"请输入大于0小于等于500的整数"_qs;
inline const QString gradeMessage = u"请输入1到12之间的整数"_qs;

// Largest main parameter the change handlers accept, whatever characteristic is checked.
constexpr double changeBound = 10000;

// The letter rule: the text lies between "a" and "z" or between "A" and "Z", compared byte by
// byte on its code page 936 form. Catches "abc", "Y2" and "z", not "zz", "Zoom" or "1a".
bool isLetters(const QString &text);

// A grade text is exactly one of "1" .. "12".
bool isValidGrade(const QString &text);
// The grade column of an accepted grade text: "等级" + text.
QString gradeColumn(const QString &grade);

// The result as LB shows it: value × 1000 in single precision, rounded half-to-even to a whole
// number, divided by 1000, in the general number format, then " μm".
QString resultText(float tolValue);

// v ÷ 10 in the general number format: the text that replaces an entry above its bound.
QString formattedTenth(double v);

// The command line's check of an entry: empty when the window would take lText and grade for
// the characteristic as they are, otherwise the text the window would show (its notice, or
// the number conversion's error for letters and other non-numbers).
QString refusalOf(const Characteristic &c, const QString &lText, const QString &grade);

} // namespace geotol
