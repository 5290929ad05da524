#pragma once

struct TestState;
class FrmTest;

// Gives the test window the coordinate system of the grid mode (test point (a, b) at
// (a + 1, b + 1)) and puts the mark, the instruction, the explanation labels and the
// button frame in place.
class FieldLayout {
public:
    struct Constants;

    FieldLayout(TestState& state, FrmTest& test);

    // The full pass of a mode, run when the program starts and when the grid switch chooses
    // the mode: both eyes' results of the mode become untested and every fixation point
    // goes back to the middle of the grid.
    void layoutField15();
    void layoutField11();
    void layoutCurrentMode();

    // A resize, minimise or restore of the window lays the current mode out again but keeps
    // the results and the fixation points recorded for each eye's run.
    void onResize();

private:
    const Constants& current() const;
    void resetMode(const Constants& mode);
    void arrange(const Constants& mode);

    TestState& m_state;
    FrmTest& m_test;
};
