#pragma once

#include <QObject>
#include <QTimer>

// A periodic timer with the two properties the test run is written against: it ticks while
// it is enabled *and* its interval is not 0. A bare QTimer with interval 0 would instead
// fire on every pass of the event loop, so the QTimer underneath runs only in that state.
// Setting the interval of a ticking timer starts its countdown again.
class IntervalTimer : public QObject {
    Q_OBJECT
public:
    explicit IntervalTimer(QObject* parent = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    int interval() const { return m_interval; }
    void setInterval(int milliseconds);

    // True while the timer really ticks.
    bool isTicking() const { return m_timer.isActive(); }

signals:
    void tick();

private:
    void apply(bool restart);

    QTimer m_timer;
    bool m_enabled = true;
    int m_interval = 0;
};
