// Memory over a long session: resident memory after 10 complete simulated runs and after
// 1000, each run answered by a simulated observer and followed by the result sheet and a
// copy. The timer is driven directly, so the session takes seconds, not days.
// Prints:
//   RESULT bench_longrun rss_after_10_kib=.. rss_after_1000_kib=.. growth_pct=.. seconds=..
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

} // namespace

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    Services services = Services::system();
    services.random = UniformRandom(1000);
    services.beep = [] {};
    Program program(std::move(services));
    FrmTest& test = program.testWindow();
    QObject::disconnect(test.tmr1, &IntervalTimer::tick, nullptr, nullptr);
    program.start();
    QApplication::processEvents();
    test.cmdKae->click(); // the coarse grid: 433 ticks a run

    QElapsedTimer clock;
    clock.start();
    long after10 = 0;
    for (int run = 1; run <= 1000; ++run) {
        (run % 2 ? test.cmdLft : test.cmdRgt)->click();
        while (program.state().eyeRunning()) {
            const int w = program.state().w;
            program.presentation().onTick();
            if (program.state().w != w && (program.state().a + program.state().b) % 3)
                program.response().onWindowClick();
        }
        test.cmdKeka->click();
        program.resultSheet().window()->cmdCopy->click();
        QApplication::processEvents();
        if (run == 10)
            after10 = statusKiB("VmRSS:");
    }
    const long after1000 = statusKiB("VmRSS:");
    std::printf("RESULT bench_longrun rss_after_10_kib=%ld rss_after_1000_kib=%ld growth_pct=%.2f "
                "seconds=%.1f\n",
                after10, after1000, 100.0 * (after1000 - after10) / after10,
                clock.nsecsElapsed() / 1e9);
    return 0;
}
