// The timer's baseline: the least a Qt Widgets program does to tick a precise 300 ms timer
// while it shows one window, measured as bench_ticks measures the program's presentation
// timer: the deviation of 120 intervals from 300 ms, and the CPU taken over 10 s while the
// timer ticks and over 10 s after it has stopped. Prints:
//   RESULT bench_minimal_timer ticks=N tick_dev_median_ms=.. tick_dev_p99_ms=..
//          tick_dev_max_ms=.. cpu_run_pct=.. cpu_idle_pct=..
#include "processstats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kInterval = 300;
constexpr int kMeasuredTicks = 120;
constexpr int kCpuWindowMs = 10000;

double deviationAt(std::vector<double> d, double q)
{
    std::sort(d.begin(), d.end());
    return d.empty() ? 0 : d[std::min(d.size() - 1, size_t(std::ceil(q * d.size())) - 1)];
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bench_minimal_timer"));
    window.show();

    QElapsedTimer clock;
    clock.start();
    std::vector<double> ticks;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kInterval);
    QObject::connect(&timer, &QTimer::timeout,
                     [&] { ticks.push_back(clock.nsecsElapsed() / 1e6); });
    timer.start();

    // Ticks, then the CPU while ticking, then the CPU after the timer has stopped.
    double cpuRun = 0, cpuIdle = 0, mark = 0;
    const int measured = (kMeasuredTicks + 1) * kInterval + 100;
    QTimer::singleShot(measured, [&] { mark = processstats::cpuMs(); });
    QTimer::singleShot(measured + kCpuWindowMs, [&] {
        cpuRun = processstats::cpuMs() - mark;
        timer.stop();
        mark = processstats::cpuMs();
    });
    QTimer::singleShot(measured + 2 * kCpuWindowMs, [&] {
        cpuIdle = processstats::cpuMs() - mark;
        QApplication::quit();
    });
    QApplication::exec();

    std::vector<double> deviations;
    for (int i = 1; i <= kMeasuredTicks && i < int(ticks.size()); ++i)
        deviations.push_back(std::abs(ticks[i] - ticks[i - 1] - kInterval));
    std::printf("RESULT bench_minimal_timer ticks=%zu tick_dev_median_ms=%.3f "
                "tick_dev_p99_ms=%.3f tick_dev_max_ms=%.3f cpu_run_pct=%.3f cpu_idle_pct=%.3f\n",
                deviations.size(), deviationAt(deviations, 0.5), deviationAt(deviations, 0.99),
                deviationAt(deviations, 1.0), 100 * cpuRun / kCpuWindowMs,
                100 * cpuIdle / kCpuWindowMs);
    return 0;
}
