#include "platform/intervaltimer.h"

IntervalTimer::IntervalTimer(QObject* parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &IntervalTimer::tick);
}

void IntervalTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    apply(false);
}

void IntervalTimer::setInterval(int milliseconds)
{
    m_interval = qMax(0, milliseconds);
    apply(true);
}

void IntervalTimer::setDrivenByHand(bool byHand)
{
    m_byHand = byHand;
    apply(false);
}

bool IntervalTimer::advance()
{
    if (!isTicking())
        return false;
    emit tick();
    return true;
}

void IntervalTimer::apply(bool restart)
{
    if (m_byHand || !isTicking()) {
        m_timer.stop();
        return;
    }
    if (restart || !m_timer.isActive())
        m_timer.start(m_interval);
}
