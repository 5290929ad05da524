#include "processstats.h"

#include <windows.h>

#include <psapi.h>

#include <cstdlib>

namespace processstats {

namespace {

// 100-nanosecond units since 1601, as Windows counts time.
double hundredNs(const FILETIME& t)
{
    return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

double nowSinceEpochMs()
{
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    constexpr double kEpochIn100Ns = 116444736000000000.0; // 1970-01-01
    return (hundredNs(now) - kEpochIn100Ns) / 1e4;
}

} // namespace

double msSinceStart()
{
    if (const char* launched = std::getenv("SHIYA_BENCH_T0_NS"))
        return nowSinceEpochMs() - std::strtod(launched, nullptr) * 1e-6;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return -1;
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return (hundredNs(now) - hundredNs(created)) / 1e4;
}

double cpuMs()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return -1;
    return (hundredNs(kernel) + hundredNs(user)) / 1e4;
}

long peakResidentKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return long(counters.PeakWorkingSetSize / 1024);
}

} // namespace processstats
