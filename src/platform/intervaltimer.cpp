#include "platform/intervaltimer.h"

#include <QTimer>

namespace {

class PreciseClock : public IntervalClock {
public:
    explicit PreciseClock(QObject* parent)
        : IntervalClock(parent)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &IntervalClock::ended);
    }

    void begin(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace

IntervalTimer::IntervalTimer(QObject* parent)
    : QObject(parent)
    , m_ownClock(new PreciseClock(this))
    , m_clock(m_ownClock)
{
    connect(m_clock, &IntervalClock::ended, this, &IntervalTimer::intervalEnded);
}

void IntervalTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    apply();
}

void IntervalTimer::setInterval(int milliseconds)
{
    milliseconds = qMax(0, milliseconds);
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    apply();
}

void IntervalTimer::start(int milliseconds)
{
    m_enabled = true;
    m_interval = qMax(0, milliseconds);
    m_inProgress = 0;
    apply();
}

void IntervalTimer::setClock(IntervalClock* clock)
{
    m_clock->stop();
    disconnect(m_clock, nullptr, this, nullptr);
    m_clock = clock ? clock : m_ownClock;
    connect(m_clock, &IntervalClock::ended, this, &IntervalTimer::intervalEnded);
    m_inProgress = 0;
    apply();
}

void IntervalTimer::apply()
{
    if (!isTicking()) {
        m_clock->stop();
        m_inProgress = 0;
    } else if (m_inProgress == 0) {
        startInterval();
    }
}

void IntervalTimer::startInterval()
{
    m_inProgress = m_interval;
    m_clock->begin(m_inProgress);
}

void IntervalTimer::intervalEnded()
{
    // Restarted before the tick is handled, so the handler's work does not lengthen the
    // first interval at the new pace.
    if (m_inProgress != m_interval)
        startInterval();
    emit tick();
}
