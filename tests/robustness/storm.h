#pragma once

#include "support/harness.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <random>

class QWidget;

// Types text into a widget as key presses that carry it.
void typeText(QWidget* widget, const QString& text);

// A seeded random storm of user events and timer ticks over the whole program, with the
// program's invariants checked after every event. The timer is driven by the storm: the
// real one still starts and stops, and a tick is delivered only while it would tick.
class Storm {
public:
    explicit Storm(std::uint64_t seed);
    ~Storm();

    // Runs `events` events; returns an empty string, or what went wrong and at which event.
    QString run(int events);

    int completedRuns() const { return m_completedRuns; }
    int quits() const { return m_quits; }

private:
    struct Snapshot;
    enum class Event;

    Event nextEvent();
    QString perform(Event event);
    QString check(Event event, const Snapshot& before);
    Snapshot snapshot() const;
    void newProgram();

    void clickButton(QWidget* button);
    void clickEyeOrStopButton(QPushButton* button);
    void carryOn();
    void clickWindow();
    void shiftDrag();
    void moveMouse();
    void resize();
    void typeInLabel();
    void closeOrOpenSheet();
    QPoint randomPoint();

    std::mt19937_64 m_random;
    // Calm phases let runs go on to their end, answered by clicks; wild phases do anything.
    bool m_calm = false;
    int m_phaseLeft = 0;
    bool m_newProgram = false;
    std::unique_ptr<Harness> m_h;
    int m_quits = 0;
    int m_completedRuns = 0;
    // What the last event did that the invariants must know of.
    int m_startedEye = 0; // 1 left, 2 right: an eye start
    bool m_cleared = false;
    struct PresentedPoint {
        int grid = -1, column = -1, row = -1;
        bool operator==(const PresentedPoint& o) const
        {
            return grid == o.grid && column == o.column && row == o.row;
        }
    } m_lastPresented;
    // The current run: its ticks since the start, the ticks it must take, the points of the
    // largest grid it has used, and whether a grid switch broke its rhythm.
    int m_runTicks = 0;
    int m_expectedTicks = 0;
    int m_runPoints = grids::kFine.points();
    bool m_runDisturbed = true;
};
