#pragma once

class FrmTest;
struct TestState;

// The moments at which a run changes which buttons of the test window can be used.
enum class RunPhase {
    BeforeRun, // the program has started
    Started, // an eye's run has started or restarted
    Paused,
    Resumed,
    Ended, // the run has presented its last point
};

// Enables and disables the buttons, sets the pause button's caption and the tool tips that
// belong to the phase, and moves the focus, by the phase's row of one table. The tool tips
// of the eye buttons that a start toggles are the eye start's own.
void applyRunPhase(RunPhase phase, FrmTest& test, const TestState& state);
