// The presentation timer in real time: how exactly the ticks and the dot keep their
// interval, and what the process costs in CPU while a run goes on and after it has ended;
// then a second run in which the speed button is clicked at random moments, to see that the
// interval in progress keeps its length and the following ones take the new one.
// Prints:
//   RESULT bench_ticks ticks=N tick_dev_median_ms=.. tick_dev_p99_ms=.. tick_dev_max_ms=..
//          dot_dev_median_ms=.. dot_dev_p99_ms=.. dot_dev_max_ms=.. cpu_run_pct=.. cpu_idle_pct=..
//   RESULT bench_ticks_speed ticks=N changes=N in_progress_dev_median_ms=.. .._p99_ms=..
//          .._max_ms=.. first_dev_median_ms=.. .._p99_ms=.. .._max_ms=.. following=N
//          following_dev_median_ms=.. .._p99_ms=.. .._max_ms=.. within_1ms=yes|no
//   RESULT bench_ticks_restart restart_at_ms=.. first_dot_tick=N click_to_first_dot_ms=..
//          ticks_after_click_ms=t1/t2/...
// "first" is the first interval at the new pace, where restarting the timer would show;
// "following" are all intervals at the new pace up to the next change. The restart is a
// second click on the running eye's button 1350 ms into its run: its first dot should come
// on the fourth tick after the click, 1200 ms after it.
// SHIYA_BENCH_ONLY=speed runs the second part alone.
#include "processstats.h"

#include "platform/application.h"
#include "platform/intervaltimer.h"
#include "platform/services.h"
#include "platform/shape.h"
#include "program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kInterval = 300;
constexpr int kMeasuredTicks = 120;
constexpr int kCpuWindowMs = 10000;
constexpr size_t kSpeedTicks = 100;

double cpuSeconds()
{
    return processstats::cpuMs() / 1000.0;
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
    const auto at
        = [&](double q) { return d[std::min(d.size() - 1, size_t(std::ceil(q * d.size())) - 1)]; };
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

// The ticks are noted before the handler runs, so the handler's own work does not count.
template <typename Note> QMetaObject::Connection noteTicks(Program& program, Note note)
{
    FrmTest& test = program.testWindow();
    return QObject::connect(test.tmr1, &IntervalTimer::tick, &test, [&program, note] {
        note();
        program.presentation().onTick();
    });
}

// A coarse run of the left eye at 300 ms, its figures printed; 1 if the run did not end.
int steadyRun(Program& program)
{
    FrmTest& test = program.testWindow();
    TestState& state = program.state();

    QElapsedTimer clock;
    clock.start();
    std::vector<double> tickTimes;
    std::vector<double> visible;
    DotWatch watch(clock, visible);
    test.shp2->installEventFilter(&watch);
    const auto noting
        = noteTicks(program, [&] { tickTimes.push_back(clock.nsecsElapsed() / 1e6); });

    double cpuAtRun = 0, cpuRun = 0, cpuAtIdle = 0, cpuIdle = 0;
    double wallAtRun = 0, wallRun = 0, wallAtIdle = 0, wallIdle = 0;
    const auto wall = [&] { return clock.nsecsElapsed() / 1e9; };

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
    QTimer::singleShot(1000 + kMeasuredTicks * kInterval + 500 + 2 * kCpuWindowMs + 3000, &test,
                       [&] {
                           cpuIdle = cpuSeconds() - cpuAtIdle;
                           wallIdle = wall() - wallAtIdle;
                           QApplication::quit();
                       });
    QApplication::exec();
    QObject::disconnect(noting);
    test.shp2->removeEventFilter(&watch);

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

// A click of the speed button: the tick that began the interval in progress, and the paces
// before and after it.
struct SpeedChange {
    size_t tick;
    int before, after;
};

// A coarse run of the left eye over kSpeedTicks intervals, in about a quarter of which the
// speed button is clicked at a random moment; its figures printed. 1 if the run went wrong.
int speedChanges(Program& program)
{
    FrmTest& test = program.testWindow();
    TestState& state = program.state();

    QElapsedTimer clock;
    clock.start();
    std::vector<double> tickTimes;
    std::vector<SpeedChange> changes;
    std::mt19937 random(20240611);
    std::bernoulli_distribution changeHere(0.25);
    std::uniform_real_distribution<double> moment(0.05, 0.9);
    bool clickPending = false;

    const auto noting = noteTicks(program, [&] {
        if (tickTimes.size() > kSpeedTicks)
            return;
        tickTimes.push_back(clock.nsecsElapsed() / 1e6);
        if (tickTimes.size() == kSpeedTicks + 1) {
            state.w = 143; // the next presenting tick ends the run
            return;
        }
        // One click at a time, so that no interval sees two even if a click comes late.
        if (clickPending || tickTimes.size() + 2 > kSpeedTicks || !changeHere(random))
            return;
        clickPending = true;
        QTimer::singleShot(int(moment(random) * state.Spd), Qt::PreciseTimer, &test, [&] {
            clickPending = false;
            const int before = state.Spd;
            test.cmdSpd->click();
            changes.push_back({tickTimes.size() - 1, before, state.Spd});
        });
    });
    const auto ending = QObject::connect(test.tmr1, &IntervalTimer::tick, &test, [&] {
        if (!state.eyeRunning())
            QApplication::quit();
    });

    QTimer::singleShot(1000, &test, [&] {
        if (state.swtKae == 0)
            test.cmdKae->click();
        test.cmdLft->click();
    });
    QApplication::exec();
    QObject::disconnect(noting);
    QObject::disconnect(ending);

    if (state.eyeRunning() || tickTimes.size() != kSpeedTicks + 1) {
        std::fprintf(stderr, "bench_ticks: the run with speed changes did not end\n");
        return 1;
    }
    std::vector<double> inProgress, first, following;
    for (size_t c = 0; c < changes.size(); ++c) {
        const SpeedChange& change = changes[c];
        const size_t end = change.tick + 1;
        if (end + 1 > kSpeedTicks)
            break;
        inProgress.push_back(tickTimes[end] - tickTimes[change.tick] - change.before);
        first.push_back(tickTimes[end + 1] - tickTimes[end] - change.after);
        const size_t next = c + 1 < changes.size() ? changes[c + 1].tick : kSpeedTicks;
        for (size_t i = end; i < next; ++i)
            following.push_back(tickTimes[i + 1] - tickTimes[i] - change.after);
    }
    const Deviation progress = deviations(inProgress, 0);
    const Deviation newPace = deviations(first, 0);
    const Deviation after = deviations(following, 0);
    const bool within = std::max({progress.max, newPace.max, after.max}) < 1.0;
    std::printf("RESULT bench_ticks_speed ticks=%zu changes=%zu in_progress_dev_median_ms=%.3f "
                "in_progress_dev_p99_ms=%.3f in_progress_dev_max_ms=%.3f first_dev_median_ms=%.3f "
                "first_dev_p99_ms=%.3f first_dev_max_ms=%.3f following=%zu "
                "following_dev_median_ms=%.3f following_dev_p99_ms=%.3f "
                "following_dev_max_ms=%.3f within_1ms=%s\n",
                tickTimes.size() - 1, changes.size(), progress.median, progress.p99, progress.max,
                newPace.median, newPace.p99, newPace.max, following.size(), after.median, after.p99,
                after.max, within ? "yes" : "no");
    return 0;
}

// The running eye's button clicked again 1350 ms into its run; the ticks after the click, up
// to the restarted run's first dot, printed. 1 if no dot came.
int restart(Program& program)
{
    FrmTest& test = program.testWindow();
    TestState& state = program.state();
    QElapsedTimer clock;
    double clickedAt = -1;
    std::vector<double> ticks; // after the restart, from the click
    int firstDotTick = 0;
    const auto noting = noteTicks(program, [&] {
        if (clickedAt >= 0)
            ticks.push_back(clock.nsecsElapsed() / 1e6 - clickedAt);
    });
    // The restart counts its dots from 0 again.
    const auto firstDot = QObject::connect(test.tmr1, &IntervalTimer::tick, &test, [&] {
        if (clickedAt >= 0 && state.w > 0 && firstDotTick == 0) {
            firstDotTick = int(ticks.size());
            QApplication::quit();
        }
    });
    QTimer::singleShot(500, Qt::PreciseTimer, &test, [&] {
        clock.start();
        test.cmdLft->click();
        QTimer::singleShot(1350, Qt::PreciseTimer, &test, [&] {
            clickedAt = clock.nsecsElapsed() / 1e6;
            test.cmdLft->click();
        });
    });
    QTimer::singleShot(10000, &test, [] { QApplication::quit(); });
    QApplication::exec();
    QObject::disconnect(noting);
    QObject::disconnect(firstDot);
    if (firstDotTick == 0) {
        std::fprintf(stderr, "bench_ticks: no dot after the restart\n");
        return 1;
    }
    QStringList trace;
    for (double t : ticks)
        trace << QString::number(t, 'f', 1);
    std::printf("RESULT bench_ticks_restart restart_at_ms=%.1f first_dot_tick=%d "
                "click_to_first_dot_ms=%.1f ticks_after_click_ms=%s\n",
                clickedAt, firstDotTick, ticks.back(), qPrintable(trace.join(u'/')));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    Program program(Services::system());
    program.services().beep = [] {};
    // This benchmark measures the real timer, so it is not driven by hand; its tick is only
    // unhooked so that noteTicks() can note each tick before the presentation handles it.
    QObject::disconnect(program.testWindow().tmr1, &IntervalTimer::tick, nullptr, nullptr);
    program.start();

    const char* only = std::getenv("SHIYA_BENCH_ONLY");
    if (!(only && std::strcmp(only, "speed") == 0) && steadyRun(program) != 0)
        return 1;
    return speedChanges(program) != 0 ? 1 : restart(program);
}
