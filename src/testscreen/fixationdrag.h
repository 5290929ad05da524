#pragma once

struct MouseArgs;
struct TestState;
class FrmTest;

// A Shift drag of the fixation mark while no dot is presented. The release with Shift held
// sets the fixation point for the next eye start and draws the blue cross through it.
class FixationDrag {
public:
    FixationDrag(TestState& state, FrmTest& test);

    void onMouseDown(const MouseArgs& args);
    void onMouseMove(const MouseArgs& args);
    void onMouseUp(const MouseArgs& args);

private:
    void centreMarkOn(double x, double y);

    TestState& m_state;
    FrmTest& m_test;
};
