#pragma once

#include <QObject>
#include <QTimer>

// A periodic timer with the two properties the test run is written against: it ticks while
// it is enabled *and* its interval is not 0. A bare QTimer with interval 0 would instead
// fire on every pass of the event loop, so the QTimer underneath runs only in that state.
// A new interval set while the timer ticks applies from the next tick on: the interval in
// progress keeps its length. Enabling it, an interval after 0, or start() counts afresh.
//
// Tests drive the timer by hand: after setDrivenByHand(true) the QTimer underneath never
// runs; advance() delivers one tick whenever the timer would tick by itself, and elapse()
// lets time pass in milliseconds, ticking where the intervals end.
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

    // The length of the interval in progress, which may still be the one before the last
    // setInterval(); 0 while not ticking.
    int intervalInProgress() const { return m_inProgress; }
    // Milliseconds until the next tick; -1 while not ticking or driven by hand.
    int remainingTime() const { return m_timer.remainingTime(); }

    void setDrivenByHand(bool byHand);
    // One tick, if the timer is ticking; returns whether it ticked.
    bool advance();
    // Milliseconds pass; returns the ticks delivered.
    int elapse(int milliseconds);

signals:
    void tick();

private:
    void apply();
    void startInterval();
    void intervalEnded();

    QTimer m_timer;
    bool m_enabled = true;
    int m_interval = 0;
    int m_inProgress = 0;
    bool m_byHand = false;
    int m_elapsed = 0; // of the interval in progress, while driven by hand
};
