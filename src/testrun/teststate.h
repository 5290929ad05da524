#pragma once

#include "testrun/gridmode.h"
#include "testrun/resultgrid.h"

#include <QPoint>
#include <QString>

#include <optional>

// Everything a test run and the result sheet share, for the life of the program: the grid
// mode and the four result grids, and the test window's public variables. Positions are in
// test-field units. Handlers of both windows read and write it directly.
struct TestState {
    int swtKae = 0; // grid mode: 0 fine (15 x 19), any other value coarse (11 x 13)
    int intKaeFirst = 0; // 1 once the grid switch has been used

    ResultGrid kekaL15{kFineGrid.columns, kFineGrid.rows};
    ResultGrid kekaR15{kFineGrid.columns, kFineGrid.rows};
    ResultGrid kekaL11{kCoarseGrid.columns, kCoarseGrid.rows};
    ResultGrid kekaR11{kCoarseGrid.columns, kCoarseGrid.rows};

    double x1 = 0, y1 = 0; // centre of the test field
    double x2 = 0, y2 = 0; // fixation point for the next eye run
    double x2L = 0, y2L = 0; // fixation point of the left eye's run
    double x2R = 0, y2R = 0; // fixation point of the right eye's run
    double x2m = 0, y2m = 0; // offset of a status text from the mark's top-left corner

    QString tenL; // dot-size caption at the left eye's last presentation or end of run
    QString tenR; // the same for the right eye

    int Spd = 300; // interval an eye start gives the timer, in ms
    int n = 0; // phase of the presentation cycle: 1 dot shown, 2 dot hidden, 0 idle/armed
    int t = 0; // ticks of the start delay, 0 to 3
    // The current point. The sheet drawing and the point numbering leave their loop counters
    // in it, one past the grid (leaveCountersPastGrid).
    int a = 0; // column
    int b = 0; // row
    int w = 0; // dots presented in this run
    int swtTen = 0; // dot size: 0 small, 1 medium, any other value large

    bool swtLft = false; // a run of the left eye is active (presenting or paused)
    bool swtRgt = false; // a run of the right eye is active
    bool swtT1 = false; // present a dot on the next tick
    bool swtT2 = false; // start delay in progress
    bool swtMus = false; // a drag of the fixation mark is in progress
    bool swtStp = true; // presentation stopped: before a run, paused, after a run
    bool swtRdm = false; // the next plain press of the explanation button shows the labels
    bool swtTst = false; // the next Shift press of the explanation button clears the overlay

    // The point a click on the window answers now: the last one the active run presented.
    // Set by the presentation alone; none before a run's first dot, and none once anything
    // moves (a, b) away from it or makes it a point of another grid or eye.
    std::optional<QPoint> pointToAnswer;

    bool eyeRunning() const { return swtLft || swtRgt; }
};
