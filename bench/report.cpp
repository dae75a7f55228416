#include "report.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace bench {

void printFigures(const QVector<Figure> &figures)
{
    std::printf("%-62s %10s %12s %10s %8s  %s\n", "operation", "median ms", "target", "baseline", "ratio", "");
    for (const Figure &f : figures) {
        const QString base = f.baseline.isEmpty() ? QStringLiteral("-") : QString::number(f.baselineMs, 'f', 1);
        const QString ratio = f.baseline.isEmpty() || f.baselineMs <= 0 ? QStringLiteral("-")
                                                                        : QString::number(f.ms / f.baselineMs, 'f', 2);
        std::printf("%-62s %10.1f %12s %10s %8s  %s%s\n", qPrintable(f.operation), f.ms, qPrintable(f.target),
                    qPrintable(base), qPrintable(ratio), f.met ? "ok" : "MISSED",
                    f.note.isEmpty() ? "" : qPrintable(QStringLiteral("  ") + f.note));
    }
    std::printf("\nbaselines:\n");
    for (const Figure &f : figures) {
        if (!f.baseline.isEmpty())
            std::printf("  %s: %s\n", qPrintable(f.operation), qPrintable(f.baseline));
    }
}

void writeJson(const QVector<Figure> &figures, const QString &path)
{
    QJsonArray rows;
    for (const Figure &f : figures) {
        QJsonObject o{{QStringLiteral("operation"), f.operation}, {QStringLiteral("median_ms"), f.ms},
                      {QStringLiteral("target"), f.target}, {QStringLiteral("met"), f.met}};
        if (!f.baseline.isEmpty()) {
            o.insert(QStringLiteral("baseline"), f.baseline);
            o.insert(QStringLiteral("baseline_ms"), f.baselineMs);
            o.insert(QStringLiteral("ratio"), f.baselineMs > 0 ? f.ms / f.baselineMs : 0);
        }
        if (!f.note.isEmpty())
            o.insert(QStringLiteral("note"), f.note);
        rows.append(o);
    }
    QFile out(path);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(QJsonDocument(QJsonObject{{QStringLiteral("figures"), rows}}).toJson());
}

} // namespace bench
