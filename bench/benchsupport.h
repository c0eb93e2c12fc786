#pragma once

// Small tools shared by the benchmark programs: one clock for every timestamp, what the kernel
// says about this process, and order statistics.

#include <QDir>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

namespace Bench {

// CLOCK_MONOTONIC: the same clock in every process, so a launcher and the program it started
// can compare their timestamps.
inline qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// CPU time of the whole process (every thread), in nanoseconds.
inline qint64 cpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// CPU time of the calling thread, in nanoseconds: what a piece of work costs, whatever else
// the machine runs meanwhile.
inline qint64 threadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// A "Name:   1234 kB" field of /proc/<path>/status; -1 when missing.
inline qint64 statusField(const QString &statusPath, const QByteArray &name)
{
    QFile file(statusPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

inline qint64 selfKib(const QByteArray &name)
{
    return statusField(QStringLiteral("/proc/self/status"), name);
}

// Every time a thread of this process went to sleep of its own accord and was woken again:
// the sum of voluntary_ctxt_switches over all its threads (the status of the process itself
// counts its main thread only).
inline qint64 voluntarySwitches()
{
    qint64 sum = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        sum += statusField(tasks.filePath(task + QStringLiteral("/status")),
                           "voluntary_ctxt_switches");
    return sum;
}

// The q-quantile by nearest rank (q = 0.5 is the median, q = 1 the largest); 0 for no values.
inline double quantile(std::vector<double> values, double q)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = std::size_t(std::ceil(q * double(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

} // namespace Bench
