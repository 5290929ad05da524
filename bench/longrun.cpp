// Memory over a long session: resident memory after 10 complete simulated runs and after
// 1000, each run answered by a simulated observer and followed by the result sheet and a
// copy. The timer is driven by hand, so the session takes seconds, not days.
// Before each sample the event queue is drained and malloc returns its free pages, so the
// figures compare what is really held, not where the allocator happened to stand.
// Prints:
//   RESULT bench_longrun rss_after_10_kib=.. rss_after_1000_kib=.. growth_pct=..
//          heap_after_10_kib=.. heap_after_1000_kib=.. heap_growth_pct=.. seconds=..
#include "platform/application.h"
#include "platform/intervaltimer.h"
#include "platform/services.h"
#include "program.h"
#include "windows/resultwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

#include <cstdio>
#include <malloc.h>

namespace {

long statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').first().toLong();
    }
    return -1;
}

struct Sample {
    long rssKiB = 0;
    long heapKiB = 0; // bytes malloc has handed out and not yet got back
};

Sample sample()
{
    QApplication::processEvents();
    malloc_trim(0);
    const struct mallinfo2 info = mallinfo2();
    return {statusKiB("VmRSS:"), long((info.uordblks + info.hblkhd) / 1024)};
}

// Ends the timer's interval whenever the session says: the runs go as fast as the program
// handles its ticks.
class OnDemandClock : public IntervalClock {
public:
    void begin(int /*milliseconds*/) override { }
    void stop() override { }
    void end() { emit ended(); }
};

double growthPct(long before, long after)
{
    return 100.0 * double(after - before) / double(before);
}

} // namespace

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    Services services = Services::system();
    services.random = UniformRandom(1000);
    services.beep = [] {};
    Program program(std::move(services));
    FrmTest& test = program.testWindow();
    OnDemandClock ticks;
    test.tmr1->setClock(&ticks);
    program.start();
    QApplication::processEvents();
    test.cmdKae->click(); // the coarse grid: 433 ticks a run

    QElapsedTimer clock;
    clock.start();
    Sample after10;
    for (int run = 1; run <= 1000; ++run) {
        (run % 2 ? test.cmdLft : test.cmdRgt)->click();
        while (program.state().eyeRunning()) {
            const int w = program.state().w;
            ticks.end();
            if (program.state().w != w && (program.state().a + program.state().b) % 3)
                program.response().onWindowClick();
        }
        test.cmdKeka->click();
        program.resultSheet().window()->cmdCopy->click();
        QApplication::processEvents();
        if (run == 10)
            after10 = sample();
    }
    const Sample after1000 = sample();
    std::printf("RESULT bench_longrun rss_after_10_kib=%ld rss_after_1000_kib=%ld growth_pct=%.2f "
                "heap_after_10_kib=%ld heap_after_1000_kib=%ld heap_growth_pct=%.2f "
                "seconds=%.1f\n",
                after10.rssKiB, after1000.rssKiB, growthPct(after10.rssKiB, after1000.rssKiB),
                after10.heapKiB, after1000.heapKiB, growthPct(after10.heapKiB, after1000.heapKiB),
                clock.nsecsElapsed() / 1e9);
    return 0;
}
