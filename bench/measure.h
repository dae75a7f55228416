#pragma once
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace bench {

// Median of some figures (0 for none).
double median(std::vector<double> figures);
// Median of the figures of `runs` calls of measure (after one warm-up call when warmUp).
double medianOf(int runs, const std::function<double()> &measure, bool warmUp = true);
// Median of the wall times (ms) of `runs` calls of work (after one warm-up call when warmUp).
double medianMs(int runs, const std::function<void()> &work, bool warmUp = true);
// Wall time (ms) of one run of a program to its end, standard output discarded.
double programMs(const QString &program, const QStringList &args, const QStringList &env = {});
// A program run to its end; shownMs: from its start to the moment it wrote "shown <t>" (t the
// monotonic clock in ns, which all processes share) on its standard output, or -1 without one.
struct ProgramRun {
    double endMs = 0;
    double shownMs = -1;
};
ProgramRun runProgram(const QString &program, const QStringList &args, const QStringList &env = {});
// The line runProgram looks for, written on standard output.
void writeShownStamp();
// Peak resident memory of this process so far, in KiB (VmHWM).
qint64 peakRssKb();
// Heap memory this process holds now, in KiB (what malloc has handed out and not got back).
qint64 heapInUseKb();

} // namespace bench
