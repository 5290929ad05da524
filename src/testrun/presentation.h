#pragma once

#include <functional>

class FrmTest;
class ResultGrid;
struct GridMode;
struct Services;
struct TestState;

// The presentation timer and the dots: after an eye start the tick waits three ticks, then
// repeats a three-tick cycle (present a dot, hide it, arm the next one). A run ends on the
// first presenting tick after every point of the grid has been presented.
class Presentation {
public:
    Presentation(TestState& state, FrmTest& test, Services& services);

    // The tick of tmr1.
    void onTick();

private:
    // One presenting tick of the grid in force (NextDot15 and NextDot11).
    void nextDot();
    void drawCandidate(const GridMode& mode);
    void present(ResultGrid& grid);
    void endRun();

    TestState& m_state;
    FrmTest& m_test;
    Services& m_services;
};
