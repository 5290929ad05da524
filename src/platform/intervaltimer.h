#pragma once

#include <QObject>

// What measures the intervals of an IntervalTimer: a precise QTimer, unless the timer is
// given another clock (a test's, to let time pass by hand).
class IntervalClock : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // An interval of this length from now on, over and over until stop() or the next begin().
    virtual void begin(int milliseconds) = 0;
    virtual void stop() = 0;

signals:
    void ended();
};

// A periodic timer with the two properties the test run is written against: it ticks while
// it is enabled *and* its interval is not 0. A bare QTimer with interval 0 would instead
// fire on every pass of the event loop, so the clock underneath runs only in that state.
// A new interval set while the timer ticks applies from the next tick on: the interval in
// progress keeps its length. Enabling it, an interval after 0, or start() counts afresh.
class IntervalTimer : public QObject {
    Q_OBJECT
public:
    explicit IntervalTimer(QObject* parent = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    int interval() const { return m_interval; }
    void setInterval(int milliseconds);

    // Enabled with this interval, and a fresh interval counted from now whatever was in
    // progress: a run started again counts its start delay from the click.
    void start(int milliseconds);

    // True while the timer ticks: enabled with an interval.
    bool isTicking() const { return m_enabled && m_interval != 0; }

    // Measured from now on by this clock, or by the timer's own when null; an interval in
    // progress starts afresh.
    void setClock(IntervalClock* clock);

signals:
    void tick();

private:
    void apply();
    void startInterval();
    void intervalEnded();

    IntervalClock* m_ownClock;
    IntervalClock* m_clock;
    bool m_enabled = true;
    int m_interval = 0;
    int m_inProgress = 0;
};
