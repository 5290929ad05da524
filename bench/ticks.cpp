// The presentation timer in real time: how exactly the ticks and the dot keep their
// interval, and what the process costs in CPU while a run goes on and after it has ended.
// Prints:
//   RESULT bench_ticks ticks=N tick_dev_median_ms=.. tick_dev_p99_ms=.. tick_dev_max_ms=..
//          dot_dev_median_ms=.. dot_dev_p99_ms=.. dot_dev_max_ms=.. cpu_run_pct=.. cpu_idle_pct=..
#include "platform/application.h"
#include "platform/intervaltimer.h"
#include "platform/services.h"
#include "platform/shape.h"
#include "program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kInterval = 300;
constexpr int kMeasuredTicks = 120;
constexpr int kCpuWindowMs = 10000;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Median, 99th percentile and maximum of |value - target|.
struct Deviation {
    double median = 0, p99 = 0, max = 0;
};

Deviation deviations(const std::vector<double>& values, double target)
{
    std::vector<double> d;
    for (double v : values)
        d.push_back(std::abs(v - target));
    std::sort(d.begin(), d.end());
    if (d.empty())
        return {};
    const auto at = [&](double q) { return d[std::min(d.size() - 1, size_t(std::ceil(q * d.size())) - 1)]; };
    return {at(0.5), at(0.99), d.back()};
}

// Notes when the dot appears and disappears.
class DotWatch : public QObject {
public:
    DotWatch(QElapsedTimer& clock, std::vector<double>& visible)
        : m_clock(clock)
        , m_visible(visible)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const double now = m_clock.nsecsElapsed() / 1e6;
        if (event->type() == QEvent::Show)
            m_shownAt = now;
        else if (event->type() == QEvent::Hide && m_shownAt >= 0) {
            m_visible.push_back(now - m_shownAt);
            m_shownAt = -1;
        }
        return false;
    }

private:
    QElapsedTimer& m_clock;
    std::vector<double>& m_visible;
    double m_shownAt = -1;
};

} // namespace

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    Program program(Services::system());
    program.services().beep = [] {};
    FrmTest& test = program.testWindow();
    TestState& state = program.state();

    QElapsedTimer clock;
    clock.start();
    std::vector<double> tickTimes;
    std::vector<double> visible;
    DotWatch watch(clock, visible);
    test.shp2->installEventFilter(&watch);
    // The tick is noted before the handler runs, so the handler's own work does not count.
    QObject::disconnect(test.tmr1, &IntervalTimer::tick, nullptr, nullptr);
    QObject::connect(test.tmr1, &IntervalTimer::tick, &test, [&] {
        tickTimes.push_back(clock.nsecsElapsed() / 1e6);
        program.presentation().onTick();
    });

    double cpuAtRun = 0, cpuRun = 0, cpuAtIdle = 0, cpuIdle = 0;
    double wallAtRun = 0, wallRun = 0, wallAtIdle = 0, wallIdle = 0;
    const auto wall = [&] { return clock.nsecsElapsed() / 1e9; };

    program.start();
    // A coarse run of the left eye (433 ticks would take 130 s; the end is brought forward).
    QTimer::singleShot(1000, &test, [&] {
        test.cmdKae->click();
        test.cmdLft->click();
    });
    QTimer::singleShot(1000 + kMeasuredTicks * kInterval + 500, &test, [&] {
        cpuAtRun = cpuSeconds();
        wallAtRun = wall();
    });
    QTimer::singleShot(1000 + kMeasuredTicks * kInterval + 500 + kCpuWindowMs, &test, [&] {
        cpuRun = cpuSeconds() - cpuAtRun;
        wallRun = wall() - wallAtRun;
        // Every point counts as presented: the next presenting tick ends the run.
        state.w = 143;
    });
    QTimer::singleShot(1000 + kMeasuredTicks * kInterval + 500 + kCpuWindowMs + 3000, &test, [&] {
        cpuAtIdle = cpuSeconds();
        wallAtIdle = wall();
    });
    QTimer::singleShot(1000 + kMeasuredTicks * kInterval + 500 + 2 * kCpuWindowMs + 3000, &test, [&] {
        cpuIdle = cpuSeconds() - cpuAtIdle;
        wallIdle = wall() - wallAtIdle;
        QApplication::quit();
    });
    QApplication::exec();

    if (state.eyeRunning() || test.tmr1->isTicking()) {
        std::fprintf(stderr, "bench_ticks: the run did not end\n");
        return 1;
    }
    std::vector<double> intervals;
    for (int i = 1; i <= kMeasuredTicks && i < int(tickTimes.size()); ++i)
        intervals.push_back(tickTimes[i] - tickTimes[i - 1]);
    if (visible.size() > kMeasuredTicks / 3)
        visible.resize(kMeasuredTicks / 3);
    const Deviation tick = deviations(intervals, kInterval);
    const Deviation dot = deviations(visible, kInterval);
    std::printf("RESULT bench_ticks ticks=%zu tick_dev_median_ms=%.3f tick_dev_p99_ms=%.3f "
                "tick_dev_max_ms=%.3f dots=%zu dot_dev_median_ms=%.3f dot_dev_p99_ms=%.3f "
                "dot_dev_max_ms=%.3f cpu_run_pct=%.3f cpu_idle_pct=%.3f\n",
                intervals.size(), tick.median, tick.p99, tick.max, visible.size(), dot.median,
                dot.p99, dot.max, 100 * cpuRun / wallRun, 100 * cpuIdle / wallIdle);
    return 0;
}
