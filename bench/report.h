#pragma once
#include <QString>
#include <QVector>

namespace bench {

// One row of the benchmark: a median, its target and the baseline measured in the same run.
struct Figure {
    QString operation;
    double ms = 0;
    QString target;      // e.g. "≤ 150 ms"
    bool met = true;
    QString baseline;    // what the baseline is ("" when none)
    double baselineMs = 0;
    QString note;        // extra figures (memory)
};

void printFigures(const QVector<Figure> &figures);
void writeJson(const QVector<Figure> &figures, const QString &path);

} // namespace bench
