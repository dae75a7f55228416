#pragma once
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

// What the commands of handbook-calc share: the refusal of an entry, the size argument, and the
// JSON they print.

// An entry the window would correct or refuse; the text is the window's notice.
struct Refusal {
    QString text;
};

// The basic size as the limits-and-fits size box takes it (at most 5 characters, 0 < size <=
// 3150). Throws Refusal, or core::Error for a text that is not a number.
float parseSize(const QString &text);

// Runs read: an entry the window would refuse (Refusal, or the number reading's core::Error)
// prints its text and gives exit code 2; 0 when every entry is taken.
int readEntries(const std::function<void()> &read);
// Runs answer and returns its exit code; a database error (core::Error) prints its text and
// gives 3.
int answerFromDatabase(const std::function<int()> &answer);

// A number as the window shows it, written with '.' for the decimal separator: entries are read
// with the user's separator, answers are for scripts and read the same under every locale.
QString pointDecimal(const QString &shown);

QString jsonString(const QString &text);
// One JSON object of text members, in the order given.
QString jsonObject(const QList<QPair<QString, QString>> &members);
