#pragma once
#include <QString>
#include <QStringList>

#include <functional>

namespace bench {

// Median of the wall times (ms) of `runs` calls of work (after one warm-up call when warmUp).
double medianMs(int runs, const std::function<void()> &work, bool warmUp = true);
// Wall time (ms) of one run of a program to its end, standard output discarded.
double programMs(const QString &program, const QStringList &args, const QStringList &env = {});
// Peak resident memory of this process so far, in KiB (VmHWM).
qint64 peakRssKb();

} // namespace bench
