#include "firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

// How long after the first paint the peak memory is read: the frame reaches the screen
// and the event queue of the start-up drains.
constexpr int kSettleMs = 300;

double secondsOf(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Milliseconds since the process started. The launcher may hand over the wall-clock time
// just before it started this process (SHIYA_BENCH_T0_NS, nanoseconds since the epoch),
// which is finer than the kernel's start time in /proc/self/stat (clock ticks since boot).
double msSinceProcessStart()
{
    if (const char* launched = std::getenv("SHIYA_BENCH_T0_NS")) {
        const double t0 = std::strtod(launched, nullptr) * 1e-9;
        return (secondsOf(CLOCK_REALTIME) - t0) * 1000.0;
    }
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

// A field of /proc/self/status in KiB, -1 if missing.
long statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').front().toLong();
    }
    return -1;
}

} // namespace

FirstPaintProbe::FirstPaintProbe(const char* name, QWidget* window)
    : QObject(window)
    , m_name(name)
    , m_window(window)
{
    window->installEventFilter(this);
}

bool FirstPaintProbe::atMaximisedSize() const
{
    // Qt marks the window maximised as soon as it is asked to; only the size tells that the
    // window manager has done it. Under a scale factor the logical sizes are rounded from the
    // device pixels, so they may differ by a pixel.
    const QScreen* screen = m_window->screen();
    if (!m_window->isMaximized() || !screen)
        return false;
    const QSize difference = m_window->frameGeometry().size() - screen->availableGeometry().size();
    constexpr int kRounding = 2;
    return qAbs(difference.width()) <= kRounding && qAbs(difference.height()) <= kRounding;
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Paint && m_firstPaintMs < 0
        && atMaximisedSize()) {
        m_firstPaintMs = msSinceProcessStart();
        m_firstPaintCpuMs = secondsOf(CLOCK_PROCESS_CPUTIME_ID) * 1000.0;
        QTimer::singleShot(kSettleMs, this, &FirstPaintProbe::report);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::report()
{
    std::printf("RESULT %s first_paint_ms=%.1f first_paint_cpu_ms=%.1f vmhwm_kib=%ld\n", m_name,
                m_firstPaintMs, m_firstPaintCpuMs, statusKiB("VmHWM"));
    std::fflush(stdout);
    QCoreApplication::quit();
}

void startGiveUpTimer(int seconds)
{
    QTimer::singleShot(seconds * 1000, [seconds] {
        std::fprintf(stderr, "no paint of the maximised window within %d s\n", seconds);
        QCoreApplication::exit(1);
    });
}
