#include "firstpaint.h"

#include "processstats.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// How long after the first paint the peak memory is read: the frame reaches the screen
// and the event queue of the start-up drains.
constexpr int kSettleMs = 300;

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
    // device pixels, so they may differ by a pixel. Under Wine the frame Windows gives the
    // window is not the X window manager's, so the height may be off by a title bar.
    const QScreen* screen = m_window->screen();
    if (!m_window->isMaximized() || !screen)
        return false;
    const QSize difference = m_window->frameGeometry().size() - screen->availableGeometry().size();
    constexpr int kRounding = 2;
    constexpr int kTitleBar = 32;
    return qAbs(difference.width()) <= kRounding && qAbs(difference.height()) <= kTitleBar;
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Paint && m_firstPaintMs < 0
        && atMaximisedSize()) {
        m_firstPaintMs = processstats::msSinceStart();
        m_firstPaintCpuMs = processstats::cpuMs();
        QTimer::singleShot(kSettleMs, this, &FirstPaintProbe::report);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::report()
{
    std::printf("RESULT %s first_paint_ms=%.1f first_paint_cpu_ms=%.1f vmhwm_kib=%ld\n", m_name,
                m_firstPaintMs, m_firstPaintCpuMs, processstats::peakResidentKiB());
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
