#include "processstats.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace processstats {

namespace {

double secondsOf(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

} // namespace

double msSinceStart()
{
    if (const char* launched = std::getenv("SHIYA_BENCH_T0_NS")) {
        const double t0 = std::strtod(launched, nullptr) * 1e-9;
        return (secondsOf(CLOCK_REALTIME) - t0) * 1000.0;
    }
    // The kernel's start time in /proc/self/stat, in clock ticks since boot.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Field 22, counted after the command name in parentheses, which may hold blanks.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int kStartTimeField = 22 - 3;
    if (fields.size() <= kStartTimeField)
        return -1;
    const double started = fields[kStartTimeField].toDouble() / double(sysconf(_SC_CLK_TCK));
    return (secondsOf(CLOCK_BOOTTIME) - started) * 1000.0;
}

double cpuMs()
{
    return secondsOf(CLOCK_PROCESS_CPUTIME_ID) * 1000.0;
}

long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

} // namespace processstats
