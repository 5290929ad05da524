#pragma once

#include <QObject>

class QWidget;

// Start-up figures of a benchmark program: how long it took from the start of the process
// to the first paint of its maximised main window, the CPU time all its threads took until
// then (which a busy machine disturbs less than the time on the clock), and its peak resident
// memory.
//
// Watches the window; on its first paint at the maximised size (the window manager has
// maximised it) it notes the time, lets the program run on for a moment, then reads the
// peak memory, prints one line of figures and quits the application.
class FirstPaintProbe : public QObject {
    Q_OBJECT
public:
    // name: the benchmark's name, printed first on the line.
    FirstPaintProbe(const char* name, QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool atMaximisedSize() const;
    void report();

    const char* m_name;
    QWidget* m_window;
    double m_firstPaintMs = -1;
    double m_firstPaintCpuMs = -1;
};

// Gives up (prints a failure line and exits non-zero) when no maximised paint came in time.
void startGiveUpTimer(int seconds);
