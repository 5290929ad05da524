#include "platform/intervaltimer.h"

IntervalTimer::IntervalTimer(QObject* parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &IntervalTimer::intervalEnded);
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

void IntervalTimer::setDrivenByHand(bool byHand)
{
    if (byHand == m_byHand)
        return;
    m_byHand = byHand;
    m_inProgress = 0;
    apply();
}

bool IntervalTimer::advance()
{
    if (!isTicking())
        return false;
    intervalEnded();
    return true;
}

int IntervalTimer::elapse(int milliseconds)
{
    int ticks = 0;
    while (isTicking() && m_elapsed + milliseconds >= m_inProgress) {
        milliseconds -= m_inProgress - m_elapsed;
        advance();
        ++ticks;
    }
    if (isTicking())
        m_elapsed += milliseconds;
    return ticks;
}

void IntervalTimer::apply()
{
    if (!isTicking()) {
        m_timer.stop();
        m_inProgress = 0;
    } else if (m_inProgress == 0) {
        startInterval();
    }
}

void IntervalTimer::startInterval()
{
    m_inProgress = m_interval;
    m_elapsed = 0;
    if (m_byHand)
        m_timer.stop();
    else
        m_timer.start(m_inProgress);
}

void IntervalTimer::intervalEnded()
{
    // Restarted before the tick is handled, so the handler's work does not lengthen the
    // first interval at the new pace.
    if (m_inProgress != m_interval)
        startInterval();
    m_elapsed = 0;
    emit tick();
}
