#pragma once
#include <QString>
#include <QStringList>

// The calculators of handbook-calc. Each prints one JSON object on standard output and returns
// the exit code: 0 answered, 2 an entry the window would correct or refuse (its notice text on
// standard error), 3 a database error (its text on standard error).
int runFits(const QStringList &args, const QString &dataDir);
int runIt(const QStringList &args, const QString &dataDir);
int runGeotol(const QStringList &args, const QString &dataDir);

// Writes a line to standard output / standard error as UTF-8.
void printOut(const QString &line);
void printErr(const QString &line);
