#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Dates and times as the handbook shows them, in the user's locale (QLocale::system(), read
// once), and the reading that takes every such text back to the same value.
namespace core {

// The user's short date format; times with their seconds (the locale's short time format drops
// them, and a value shown must read back as itself); a timestamp is the date, a blank, the time.
QString dateText(const QDate &date);
QString timeText(const QTime &time);
QString dateTimeText(const QDateTime &dateTime);

// Read the texts above, the locale's other short and long forms, and ISO 8601. A two-digit year
// ("1/5/24", "05.01.24") is the one of the hundred years from 80 years before this year on.
// Invalid when the text does not read.
QDate readDate(const QString &text);
QTime readTime(const QString &text);
// A date alone reads as the start of its day.
QDateTime readDateTime(const QString &text);

// The full year of a two-digit one (0..99) in that window around `thisYear`.
int windowedYear(int twoDigits, int thisYear);

} // namespace core
