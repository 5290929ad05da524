#pragma once

class FrmTest;
struct TestState;

// The pause button freezes and resumes the presentation cycle; the speed button toggles
// the tick interval between 300 ms and 500 ms.
class PauseSpeed {
public:
    PauseSpeed(TestState& state, FrmTest& test);

    void onStopClicked();
    void onSpeedClicked();
    // The speed button as the speed in effect has it.
    void showSpeed();

private:
    void pause();
    void resume();

    TestState& m_state;
    FrmTest& m_test;
    bool m_swtSpd = false; // the slow speed is in effect
};
