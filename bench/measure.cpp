#include "measure.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace bench {

double median(std::vector<double> figures)
{
    if (figures.empty())
        return 0;
    std::sort(figures.begin(), figures.end());
    const size_t n = figures.size();
    return n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}

double medianOf(int runs, const std::function<double()> &measure, bool warmUp)
{
    if (warmUp)
        measure();
    std::vector<double> figures;
    for (int i = 0; i < runs; ++i)
        figures.push_back(measure());
    return median(std::move(figures));
}

double medianMs(int runs, const std::function<void()> &work, bool warmUp)
{
    return medianOf(runs, [&] {
        QElapsedTimer t;
        t.start();
        work();
        return double(t.nsecsElapsed()) / 1e6;
    }, warmUp);
}

namespace {

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

ProgramRun runProgram(const QString &program, const QStringList &args, const QStringList &env)
{
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString &kv : env)
        e.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
    p.setProcessEnvironment(e);
    p.setStandardErrorFile(QProcess::nullDevice());
    const qint64 start = monotonicNs();
    p.start(program, args);
    p.waitForFinished(-1);
    ProgramRun run;
    run.endMs = double(monotonicNs() - start) / 1e6;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qWarning("%s exited with %d", qPrintable(program), p.exitCode());
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        if (line.startsWith("shown "))
            run.shownMs = double(line.mid(6).toLongLong() - start) / 1e6;
    }
    return run;
}

double programMs(const QString &program, const QStringList &args, const QStringList &env)
{
    return runProgram(program, args, env).endMs;
}

void writeShownStamp()
{
    std::printf("shown %lld\n", static_cast<long long>(monotonicNs()));
    std::fflush(stdout);
}

namespace {

// A figure of /proc/self/status in KiB ("VmHWM:", "VmRSS:").
qint64 statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace

qint64 peakRssKb()
{
    return statusKb("VmHWM:");
}

qint64 heapInUseKb()
{
    const struct mallinfo2 heap = mallinfo2();
    return qint64((heap.uordblks + heap.hblkhd) / 1024);
}

} // namespace bench
