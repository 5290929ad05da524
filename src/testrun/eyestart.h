#pragma once

class FrmTest;
struct TestState;

// The left-eye and right-eye buttons: each starts its eye's run from the beginning, and a
// second click on the running eye's button restarts it.
class EyeStart {
public:
    EyeStart(TestState& state, FrmTest& test);

    void onLeftClicked();
    void onRightClicked();

private:
    // The shared routine of both eye buttons, cmdLft and cmdRgt.
    void start(bool left);

    TestState& m_state;
    FrmTest& m_test;
    // Which tool tips the next click of each button sets.
    bool m_swtLftTip = false;
    bool m_swtRgtTip = false;
};
